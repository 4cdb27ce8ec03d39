#include "common/vendor.h"

#include <cstdlib>
#include <cstring>

const char kVendorDefaultHost[] = "www.pelmora.co.kr";
const char kVendorServerVariable[] = "MIRELKA_VENDOR_SERVER";

namespace {

bool IsHostByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

void FillPages(VendorServer& s) {
  CMyString base("http://");
  base += s.host;
  if (s.port != 80) {
    base += CMyString(":");
    base += static_cast<int32_t>(s.port);
  }
  s.homePage = base;
  s.homePage += CMyString("/");
  s.downloadPage = base;
  s.downloadPage += CMyString("/download");
}

VendorServer DefaultServer() {
  VendorServer s;
  s.host = CMyString(kVendorDefaultHost);
  s.port = 80;
  FillPages(s);
  return s;
}

VendorServer& Current() {
  static VendorServer server = [] {
    VendorServer s = DefaultServer();
    ParseVendorServer(std::getenv(kVendorServerVariable), s);
    return s;
  }();
  return server;
}

}  // namespace

int ParseVendorServer(const char* text, VendorServer& out) {
  if (text == nullptr) return -1;
  size_t len = std::strlen(text);
  if (len == 0 || len > 200) return -1;
  const char* colon = std::strchr(text, ':');
  size_t hostLen = colon ? static_cast<size_t>(colon - text) : len;
  if (hostLen == 0) return -1;
  for (size_t i = 0; i < hostLen; ++i) {
    if (!IsHostByte(static_cast<unsigned char>(text[i]))) return -1;
  }
  uint32_t port = 80;
  if (colon) {
    const char* p = colon + 1;
    if (*p == 0 || std::strlen(p) > 5) return -1;
    port = 0;
    for (; *p; ++p) {
      if (*p < '0' || *p > '9') return -1;
      port = port * 10 + static_cast<uint32_t>(*p - '0');
    }
    if (port == 0 || port > 65535) return -1;
  }
  VendorServer s;
  s.host.AssignLeft(CMyString(text), static_cast<uint32_t>(hostLen));
  s.port = static_cast<uint16_t>(port);
  FillPages(s);
  out = s;
  return 0;
}

const VendorServer& TheVendorServer() { return Current(); }

void ReloadVendorServer() {
  VendorServer s = DefaultServer();
  ParseVendorServer(std::getenv(kVendorServerVariable), s);
  Current() = s;
}
