#include "common/win32/http_wininet.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>

namespace {

// The three handles of one request, closed innermost first.
class CWinInetResponse : public IHttpResponse {
 public:
  CWinInetResponse(HINTERNET session, HINTERNET connection, HINTERNET request)
      : m_session(session), m_connection(connection), m_request(request) {}
  ~CWinInetResponse() override {
    if (m_request) InternetCloseHandle(m_request);
    if (m_connection) InternetCloseHandle(m_connection);
    if (m_session) InternetCloseHandle(m_session);
  }

  int StatusCode() override {
    DWORD code = 0, size = sizeof code;
    if (!HttpQueryInfoA(m_request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr)) return 0;
    return static_cast<int>(code);
  }

  // Read as text, as the header stands; only plain decimal digits count.
  bool ContentLength(uint64_t& length) override {
    char text[260] = {};
    DWORD size = sizeof text - 1;
    if (!HttpQueryInfoA(m_request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr) || text[0] == 0) return false;
    uint64_t n = 0;
    for (const char* p = text; *p; ++p) {
      if (*p < '0' || *p > '9' || n > (UINT64_MAX - 9) / 10) return false;
      n = n * 10 + static_cast<uint64_t>(*p - '0');
    }
    length = n;
    return true;
  }

  uint32_t Available() override {
    DWORD n = 0;
    return InternetQueryDataAvailable(m_request, &n, 0, 0) ? n : 0;
  }

  int32_t Read(void* buf, uint32_t n) override {
    DWORD got = 0;
    if (!InternetReadFile(m_request, buf, n, &got)) return -1;
    return static_cast<int32_t>(got);
  }

 private:
  HINTERNET m_session, m_connection, m_request;
};

class CWinInetClient : public IHttpClient {
 public:
  std::unique_ptr<IHttpResponse> Get(const char* agent, const char* host, uint16_t port,
                                     const char* path) override {
    HINTERNET session = InternetOpenA(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return nullptr;
    HINTERNET connection = InternetConnectA(session, host, port, "", "", INTERNET_SERVICE_HTTP, 0, 0);
    if (!connection) {
      InternetCloseHandle(session);
      return nullptr;
    }
    // The response owns the handles from here on.
    HINTERNET request = HttpOpenRequestA(connection, "GET", path, nullptr, nullptr, nullptr, INTERNET_FLAG_RELOAD, 0);
    auto response = std::make_unique<CWinInetResponse>(session, connection, request);
    // WinINet connects only when the request is sent: a request that cannot
    // be sent is a server that cannot be reached.
    if (!request || !HttpSendRequestA(request, nullptr, 0, nullptr, 0)) return nullptr;
    return response;
  }
};

}  // namespace

IHttpClient& WinInetHttp() {
  static CWinInetClient client;
  return client;
}
