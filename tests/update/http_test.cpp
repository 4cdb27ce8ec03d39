#include <gtest/gtest.h>

#include <string>

#include "common/http.h"
#include "support/fake_http.h"

namespace {

TEST(FetchWebText, KeepsTheBodyUpToTheLimitWhateverTheStatus) {
  std::string big(3000, 'x');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  struct Case {
    const char* path;
    uint32_t limit;
    std::string want;
  } cases[] = {
      {"big", 1024, big.substr(0, 1024)},
      {"big", 0, big},
      {"empty", 1024, ""},
      {"missing", 10, "<html><bod"},  // the error page, cut to the limit
  };
  CFakeHttpClient server;
  server.objects["big"].body = big;
  server.objects["big"].chunk = 700;
  server.objects["empty"].body = "";
  for (const Case& c : cases) {
    CMyString out("old");
    EXPECT_EQ(0, FetchWebText(server, "h", 8080, c.path, c.limit, out)) << c.path;
    EXPECT_EQ(c.want, std::string(out.GetBuffer(), out.GetLength())) << c.path << " " << c.limit;
  }
}

// A sink that keeps what it gets and can refuse or cancel at a chosen point.
struct Sink : IDownloadSink {
  std::string bytes;
  uint64_t lastTotal = 0;
  size_t refuseAt = SIZE_MAX, cancelAt = SIZE_MAX;  // bytes kept when it happens
  bool Write(const void* d, size_t n) override {
    if (bytes.size() + n > refuseAt) return false;
    bytes.append(static_cast<const char*>(d), n);
    return true;
  }
  void Progress(uint64_t, uint64_t total) override { lastTotal = total; }
  bool Cancelled() override { return bytes.size() >= cancelAt; }
};

// The end-to-end runs serve a missing file, a short body, no length and a
// cancel; these are the faults they do not.
TEST(HttpDownload, OnlyAWholeFileWithA2xxAnswerAndItsLengthSucceeds) {
  const std::string body(10000, 'q');
  struct Case {
    const char* what;
    int status;
    bool announce;
    int64_t announced, breakAfter;
    size_t refuseAt, cancelAt;
    int want;
  } cases[] = {
      {"whole", 200, true, -1, -1, SIZE_MAX, SIZE_MAX, kDownloadOk},
      {"server error", 500, true, -1, -1, SIZE_MAX, SIZE_MAX, kDownloadFailed},
      {"body longer than announced", 200, true, 9999, -1, SIZE_MAX, SIZE_MAX, kDownloadFailed},
      {"connection breaks", 200, true, -1, 5000, SIZE_MAX, SIZE_MAX, kDownloadFailed},
      {"write fails", 200, true, -1, -1, 6000, SIZE_MAX, kDownloadFailed},
  };
  for (const Case& c : cases) {
    CFakeHttpClient server;
    FakeObject& o = server.objects["f"];
    o.body = body;
    o.status = c.status;
    o.announceLength = c.announce;
    o.announcedLength = c.announced;
    o.breakAfter = c.breakAfter;
    Sink sink;
    sink.refuseAt = c.refuseAt;
    sink.cancelAt = c.cancelAt;
    EXPECT_EQ(c.want, HttpDownload(server, kAgentUpdate, "h", 80, "f", sink)) << c.what;
    if (c.want == kDownloadOk) {
      EXPECT_EQ(body, sink.bytes);
    }
  }
  // A file of no bytes is still a file.
  CFakeHttpClient server;
  server.objects["e"].body = "";
  Sink sink;
  EXPECT_EQ(kDownloadOk, HttpDownload(server, kAgentUpdate, "h", 80, "e", sink));
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
