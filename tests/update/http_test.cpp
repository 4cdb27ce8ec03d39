#include <gtest/gtest.h>

#include <string>

#include "common/http.h"
#include "support/fake_http.h"

namespace {

// A sink that keeps what it gets and refuses to write past refuseAt bytes.
struct Sink : IDownloadSink {
  std::string bytes;
  size_t refuseAt = SIZE_MAX;
  bool Write(const void* d, size_t n) override {
    if (bytes.size() + n > refuseAt) return false;
    bytes.append(static_cast<const char*>(d), n);
    return true;
  }
  void Progress(uint64_t, uint64_t) override {}
  bool Cancelled() override { return false; }
};

// The end-to-end runs serve a missing file, a short body, no length and a
// cancel; these are the faults they do not.
TEST(HttpDownload, OnlyAWholeFileWithA2xxAnswerAndItsLengthSucceeds) {
  const std::string body(10000, 'q');
  struct Case {
    const char* what;
    int status;
    int64_t announced, breakAfter;
    size_t refuseAt;
    int want;
  } cases[] = {
      {"whole", 200, -1, -1, SIZE_MAX, kDownloadOk},
      {"server error", 500, -1, -1, SIZE_MAX, kDownloadFailed},
      {"body longer than announced", 200, 9999, -1, SIZE_MAX, kDownloadFailed},
      {"connection breaks", 200, -1, 5000, SIZE_MAX, kDownloadFailed},
      {"write fails", 200, -1, -1, 6000, kDownloadFailed},
      {"a file of no bytes is still a file", 200, 0, -1, SIZE_MAX, kDownloadOk},
  };
  for (const Case& c : cases) {
    CFakeHttpClient server;
    server.objects["f"] = {c.announced == 0 ? "" : body, c.status, true, c.announced, 4096, c.breakAfter};
    Sink sink;
    sink.refuseAt = c.refuseAt;
    EXPECT_EQ(c.want, HttpDownload(server, kAgentUpdate, "h", 80, "f", sink)) << c.what;
    if (c.want == kDownloadOk) {
      EXPECT_EQ(server.objects["f"].body, sink.bytes) << c.what;
    }
  }
}

TEST(HttpDownload, AFailedQueryOrReadNeverPassesForAWholeFile) {
  CFakeHttpClient server;
  server.objects["f"].body = std::string(9000, 'z');
  for (HttpOp op : {HttpOp::Get, HttpOp::Available, HttpOp::Read}) {
    for (unsigned n = 1;; ++n) {
      CFaultHttpClient shim(server);
      shim.FailAt(op, n);
      Sink sink;
      int rc = HttpDownload(shim, kAgentUpdate, "h", 80, "f", sink);
      if (!shim.Fired()) break;
      // Failing the last query, which finds the end anyway, changes nothing;
      // any other fault must not pass for a whole file.
      EXPECT_TRUE(rc == kDownloadFailed || (rc == kDownloadOk && sink.bytes == std::string(9000, 'z')))
          << static_cast<int>(op) << " " << n;
    }
  }
}

TEST(HttpEscapePath, EscapesAllButThePlainBytes) {
  EXPECT_STREQ("mirelka/update/a%20b%25%23%3F%C7%5C.txt",
               HttpEscapePath("mirelka/update/a b%#?\xC7\x5C.txt").GetBuffer());
}

}  // namespace
