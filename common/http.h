// HTTP GET as the portable code sees it.
//
// One IHttpClient per platform (WinINet on Windows, win32/http_wininet.h);
// tests put a scripted server (tests/support/fake_http.h) and a fault shim in
// its place. The client only carries bytes: the rules of what to keep, what
// to refuse and when to stop live in the functions below, which are the same
// on every platform.
#ifndef MIRELKA_COMMON_HTTP_H
#define MIRELKA_COMMON_HTTP_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/mystring.h"

// Who is asking, sent as the User-Agent of the request.
extern const char kAgentText[];      // "GETREADHTTP": small texts
extern const char kAgentUpdate[];    // "GETDOWNUPTFILE": the updater's files
extern const char kAgentBanner[];    // "GETDOWNBNR": the banner picture

// The answer to one GET, read the way the platform library hands it out:
// ask how much is there, read that much, until nothing is left.
class IHttpResponse {
 public:
  virtual ~IHttpResponse() = default;
  // The status code of the answer (200, 404, ...), 0 when it is unknown.
  virtual int StatusCode() = 0;
  // The announced Content-Length; false when the answer announces none.
  virtual bool ContentLength(uint64_t& length) = 0;
  // Bytes that can be read now, waiting for them if need be; 0 at the end
  // of the body and when the query fails.
  virtual uint32_t Available() = 0;
  // Reads up to n bytes; the number read, 0 at the end of the body, -1 when
  // the connection failed.
  virtual int32_t Read(void* buf, uint32_t n) = 0;
};

class IHttpClient {
 public:
  virtual ~IHttpClient() = default;
  // Sends "GET /<path>" to host:port as `agent`, asking for a fresh copy
  // rather than a cached one, through the system's configured proxy. path
  // has no leading slash and is already escaped (HttpEscapePath). Null when
  // the library cannot be opened or no connection can be made.
  virtual std::unique_ptr<IHttpResponse> Get(const char* agent, const char* host, uint16_t port,
                                             const char* path) = 0;
};

// Fetches a small text file: 0 and `out` = the body (its first maxBytes
// bytes when maxBytes is not 0) whatever the status code, so an error page
// comes back as text for the caller's parser to refuse; -1 and `out`
// untouched when no connection could be made. An answer with no body gives
// 0 and an empty text.
int FetchWebText(IHttpClient& http, const char* host, uint16_t port, const char* objectPath,
                 uint32_t maxBytes, CMyString& out);

// Where a download puts its bytes and how it reports.
class IDownloadSink {
 public:
  virtual ~IDownloadSink() = default;
  // Takes the next n bytes; false when they could not be kept.
  virtual bool Write(const void* data, size_t n) = 0;
  // The bytes so far and the announced total, once per chunk.
  virtual void Progress(uint64_t position, uint64_t total) = 0;
  // Asked once per chunk, after Progress: true stops the download.
  virtual bool Cancelled() = 0;
};

enum : int {
  kDownloadOk = 0,
  kDownloadFailed = -1,
  kDownloadCancelled = -2,
};

// Downloads one file into `sink`: kDownloadOk only when the answer has a 2xx
// status, announces its length and delivers exactly that many bytes, all of
// which the sink kept; kDownloadCancelled when the sink asked to stop;
// otherwise kDownloadFailed, so an error page or a cut-off file is never
// taken for the file.
int HttpDownload(IHttpClient& http, const char* agent, const char* host, uint16_t port,
                 const char* path, IDownloadSink& sink);
// The same for an answer already asked for (a caller that looks at its
// length before deciding to take the body).
int HttpReceive(IHttpResponse& response, IDownloadSink& sink);

// Escapes the bytes of a path for a request line: letters, digits, "-._~/"
// stay, every other byte (a blank, '%', '#', '?', CP949 bytes) becomes %XX.
CMyString HttpEscapePath(const char* path);

#endif
