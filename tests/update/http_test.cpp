// Download faults the end-to-end runs do not serve (they serve a missing
// file, a short body, no length and a cancel): a longer body than announced,
// a failed write, a failed query or read; and a file of no bytes is a file.
#include <gtest/gtest.h>

#include "common/http.h"
#include "support/fake_http.h"

namespace {

struct Sink : IDownloadSink {
  std::string bytes;
  size_t refuseAt = SIZE_MAX;  // writing past this many bytes fails
  bool Write(const void* d, size_t n) override {
    if (bytes.size() + n > refuseAt) return false;
    return bytes.append(static_cast<const char*>(d), n), true;
  }
  void Progress(uint64_t, uint64_t) override {}
  bool Cancelled() override { return false; }
};

TEST(HttpDownload, OnlyAWholeFileWithA2xxAnswerAndItsLengthSucceeds) {
  // announced length, refuse writes at, result
  struct Case { int64_t announced; size_t refuseAt; int want; } cases[] = {
      {9999, SIZE_MAX, kDownloadFailed}, {-1, 6000, kDownloadFailed}, {0, SIZE_MAX, kDownloadOk}};
  for (const Case& c : cases) {
    CFakeHttpClient server;
    server.objects["f"] = {c.announced == 0 ? "" : std::string(10000, 'q'), 200, true, c.announced, 4096, -1};
    Sink sink;
    sink.refuseAt = c.refuseAt;
    EXPECT_EQ(c.want, HttpDownload(server, kAgentUpdate, "h", 80, "f", sink)) << c.announced << " " << c.refuseAt;
  }
  // Any failed query or read but the last (which finds the end anyway) fails.
  CFakeHttpClient server;
  server.objects["f"].body = std::string(9000, 'z');
  for (HttpOp op : {HttpOp::Get, HttpOp::Available, HttpOp::Read})
    for (unsigned n = 1;; ++n) {
      CFaultHttpClient shim(server);
      shim.FailAt(op, n);
      Sink sink;
      int rc = HttpDownload(shim, kAgentUpdate, "h", 80, "f", sink);
      if (!shim.Fired()) break;
      EXPECT_TRUE(rc == kDownloadFailed || (rc == kDownloadOk && sink.bytes == server.objects["f"].body))
          << int(op) << " " << n;
    }
  EXPECT_STREQ("u/a%20b%25%23%3F%C7%5C.txt", HttpEscapePath("u/a b%#?\xC7\x5C.txt").GetBuffer());
}

}  // namespace
