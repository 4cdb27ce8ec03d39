// Test stand-ins for the HTTP client: a scripted server in memory and a
// shim that makes a chosen call of any client fail.
#ifndef MIRELKA_TESTS_SUPPORT_FAKE_HTTP_H
#define MIRELKA_TESTS_SUPPORT_FAKE_HTTP_H

#include <map>
#include <string>

#include "common/http.h"

// One object the fake server knows: by default 200 with the body and its
// true length, handed out in chunks of `chunk` bytes.
struct FakeObject {
  std::string body;
  int status = 200;
  bool announceLength = true;
  int64_t announcedLength = -1;  // -1: the body's true length
  uint32_t chunk = 4096;
  int64_t breakAfter = -1;  // bytes delivered before Read gives -1; -1 never
};

class CFakeHttpClient : public IHttpClient {
 public:
  // Paths without the leading slash; an unknown path answers 404 with a
  // small error page.
  std::map<std::string, FakeObject> objects;

  std::unique_ptr<IHttpResponse> Get(const char* agent, const char* host, uint16_t port, const char* path) override;
};

enum class HttpOp { Get, Available, Read };

// Makes the nth call of op (1 = the next one) fail: Get gives null,
// Available 0, Read -1. Calls through the responses it hands out count.
class CFaultHttpClient : public IHttpClient {
 public:
  explicit CFaultHttpClient(IHttpClient& inner) : m_inner(inner) {}
  void FailAt(HttpOp op, unsigned nth) { m_op = op, m_target = nth, m_count = 0, m_fired = false; }
  bool Fired() const { return m_fired; }
  bool Hit(HttpOp op) { return m_target && op == m_op && ++m_count == m_target && (m_fired = true); }

  std::unique_ptr<IHttpResponse> Get(const char* agent, const char* host, uint16_t port, const char* path) override;

 private:
  IHttpClient& m_inner;
  HttpOp m_op = HttpOp::Get;
  unsigned m_target = 0, m_count = 0;
  bool m_fired = false;
};

#endif
