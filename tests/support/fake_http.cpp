#include "support/fake_http.h"

#include <algorithm>
#include <cstring>

namespace {

class CFakeResponse : public IHttpResponse {
 public:
  explicit CFakeResponse(FakeObject object) : m_object(std::move(object)) {}

  int StatusCode() override { return m_object.status; }
  bool ContentLength(uint64_t& length) override {
    if (!m_object.announceLength) return false;
    length = m_object.announcedLength >= 0 ? static_cast<uint64_t>(m_object.announcedLength) : m_object.body.size();
    return true;
  }
  uint32_t Available() override {
    size_t left = m_object.body.size() - m_pos;
    if (Broken()) return 1;  // the next read meets the break
    return static_cast<uint32_t>(std::min<size_t>(left, m_object.chunk));
  }
  int32_t Read(void* buf, uint32_t n) override {
    if (Broken()) return -1;
    size_t k = std::min<size_t>(n, m_object.body.size() - m_pos);
    if (m_object.breakAfter >= 0) k = std::min<size_t>(k, static_cast<size_t>(m_object.breakAfter) - m_pos);
    std::memcpy(buf, m_object.body.data() + m_pos, k);
    m_pos += k;
    return static_cast<int32_t>(k);
  }

 private:
  bool Broken() const { return m_object.breakAfter >= 0 && m_pos >= static_cast<uint64_t>(m_object.breakAfter); }

  FakeObject m_object;
  size_t m_pos = 0;
};

class CFaultResponse : public IHttpResponse {
 public:
  CFaultResponse(CFaultHttpClient& shim, std::unique_ptr<IHttpResponse> inner)
      : m_shim(shim), m_inner(std::move(inner)) {}
  int StatusCode() override { return m_inner->StatusCode(); }
  bool ContentLength(uint64_t& length) override { return m_inner->ContentLength(length); }
  uint32_t Available() override { return m_shim.Hit(HttpOp::Available) ? 0 : m_inner->Available(); }
  int32_t Read(void* buf, uint32_t n) override { return m_shim.Hit(HttpOp::Read) ? -1 : m_inner->Read(buf, n); }

 private:
  CFaultHttpClient& m_shim;
  std::unique_ptr<IHttpResponse> m_inner;
};

}  // namespace

std::unique_ptr<IHttpResponse> CFakeHttpClient::Get(const char* agent, const char* host, uint16_t port,
                                                    const char* path) {
  requests.push_back({agent, host, path, port});
  if (!reachable) return nullptr;
  auto it = objects.find(path);
  FakeObject object;
  if (it != objects.end()) {
    object = it->second;
  } else {
    object.status = 404;
    object.body = "<html><body>404 Not Found</body></html>";
  }
  return std::make_unique<CFakeResponse>(object);
}

bool CFaultHttpClient::Hit(HttpOp op) {
  if (!m_target || op != m_op || ++m_count != m_target) return false;
  return m_fired = true;
}

std::unique_ptr<IHttpResponse> CFaultHttpClient::Get(const char* agent, const char* host, uint16_t port,
                                                     const char* path) {
  if (Hit(HttpOp::Get)) return nullptr;
  std::unique_ptr<IHttpResponse> inner = m_inner.Get(agent, host, port, path);
  return inner ? std::make_unique<CFaultResponse>(*this, std::move(inner)) : nullptr;
}
