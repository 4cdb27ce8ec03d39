#include "support/fake_http.h"

#include <algorithm>
#include <cstring>

namespace {

class CFakeResponse : public IHttpResponse {
 public:
  explicit CFakeResponse(FakeObject object) : m_o(std::move(object)) {}
  int StatusCode() override { return m_o.status; }
  bool ContentLength(uint64_t& length) override {
    if (m_o.announceLength) length = m_o.announcedLength >= 0 ? uint64_t(m_o.announcedLength) : m_o.body.size();
    return m_o.announceLength;
  }
  uint32_t Available() override {  // at a break, 1: the next read meets it
    return Broken() ? 1 : static_cast<uint32_t>(std::min<size_t>(m_o.body.size() - m_pos, m_o.chunk));
  }
  int32_t Read(void* buf, uint32_t n) override {
    if (Broken()) return -1;
    size_t k = std::min<size_t>(n, m_o.body.size() - m_pos);
    if (m_o.breakAfter >= 0) k = std::min<size_t>(k, static_cast<size_t>(m_o.breakAfter) - m_pos);
    std::memcpy(buf, m_o.body.data() + m_pos, k);
    m_pos += k;
    return static_cast<int32_t>(k);
  }

 private:
  bool Broken() const { return m_o.breakAfter >= 0 && m_pos >= static_cast<uint64_t>(m_o.breakAfter); }
  FakeObject m_o;
  size_t m_pos = 0;
};

class CFaultResponse : public IHttpResponse {
 public:
  CFaultResponse(CFaultHttpClient& shim, std::unique_ptr<IHttpResponse> inner) : m_shim(shim), m_inner(std::move(inner)) {}
  int StatusCode() override { return m_inner->StatusCode(); }
  bool ContentLength(uint64_t& length) override { return m_inner->ContentLength(length); }
  uint32_t Available() override { return m_shim.Hit(HttpOp::Available) ? 0 : m_inner->Available(); }
  int32_t Read(void* buf, uint32_t n) override { return m_shim.Hit(HttpOp::Read) ? -1 : m_inner->Read(buf, n); }

 private:
  CFaultHttpClient& m_shim;
  std::unique_ptr<IHttpResponse> m_inner;
};

}  // namespace

std::unique_ptr<IHttpResponse> CFakeHttpClient::Get(const char*, const char*, uint16_t, const char* path) {
  auto it = objects.find(path);
  FakeObject object = it != objects.end() ? it->second : FakeObject{"<html><body>404 Not Found</body></html>", 404};
  return std::make_unique<CFakeResponse>(object);
}

std::unique_ptr<IHttpResponse> CFaultHttpClient::Get(const char* agent, const char* host, uint16_t port, const char* path) {
  if (Hit(HttpOp::Get)) return nullptr;
  std::unique_ptr<IHttpResponse> inner = m_inner.Get(agent, host, port, path);
  return inner ? std::make_unique<CFaultResponse>(*this, std::move(inner)) : nullptr;
}
