#include "common/http.h"

#include <vector>

const char kAgentText[] = "GETREADHTTP";
const char kAgentUpdate[] = "GETDOWNUPTFILE";
const char kAgentBanner[] = "GETDOWNBNR";

int FetchWebText(IHttpClient& http, const char* host, uint16_t port, const char* objectPath,
                 uint32_t maxBytes, CMyString& out) {
  std::unique_ptr<IHttpResponse> response = http.Get(kAgentText, host, port, objectPath);
  if (!response) return -1;
  // The texts are small, but a server may send anything: past the limit the
  // rest of the body is still read (so the connection ends cleanly) but not
  // kept.
  CMyString text;
  for (uint32_t n = response->Available(); n != 0; n = response->Available()) {
    CMyString chunk;
    char* buf = chunk.AllocBuffer(n);
    int32_t got = response->Read(buf, n);
    if (got <= 0) break;
    if (maxBytes == 0 || text.GetLength() < maxBytes) {
      chunk.Crop(0, static_cast<uint32_t>(got) - 1);
      text += chunk;
    }
  }
  if (maxBytes != 0) {
    out.AssignLeft(text, maxBytes);
  } else {
    out = text;
  }
  return 0;
}

int HttpDownload(IHttpClient& http, const char* agent, const char* host, uint16_t port,
                 const char* path, IDownloadSink& sink) {
  std::unique_ptr<IHttpResponse> response = http.Get(agent, host, port, path);
  return response ? HttpReceive(*response, sink) : kDownloadFailed;
}

int HttpReceive(IHttpResponse& response, IDownloadSink& sink) {
  int status = response.StatusCode();
  uint64_t total = 0;
  if (status < 200 || status > 299 || !response.ContentLength(total)) return kDownloadFailed;
  uint64_t position = 0;
  std::vector<char> buf;
  sink.Progress(0, total);
  for (;;) {
    uint32_t n = response.Available();
    if (n == 0) break;
    if (buf.size() < n) buf.resize(n);
    int32_t got = response.Read(buf.data(), n);
    if (got < 0) return kDownloadFailed;
    if (got == 0) break;
    position += static_cast<uint32_t>(got);
    if (position > total || !sink.Write(buf.data(), static_cast<size_t>(got))) return kDownloadFailed;
    sink.Progress(position, total);
    if (sink.Cancelled()) return kDownloadCancelled;
  }
  return position == total ? kDownloadOk : kDownloadFailed;
}

CMyString HttpEscapePath(const char* path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::vector<char> out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(path); p && *p; ++p) {
    unsigned char c = *p;
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  out.push_back(0);
  return CMyString(out.data());
}
