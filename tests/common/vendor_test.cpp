#include "common/vendor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

void SetVar(const char* value) {
#ifdef _WIN32
  _putenv_s(kVendorServerVariable, value ? value : "");
#else
  if (value) setenv(kVendorServerVariable, value, 1); else unsetenv(kVendorServerVariable);
#endif
  ReloadVendorServer();
}

TEST(VendorServer, DefaultHostAndPages) {
  SetVar(nullptr);
  const VendorServer& s = TheVendorServer();
  EXPECT_STREQ(kVendorDefaultHost, s.host.GetBuffer());
  EXPECT_EQ(80, s.port);
  EXPECT_EQ(std::string("http://") + kVendorDefaultHost + "/", s.homePage.GetBuffer());
  EXPECT_EQ(std::string("http://") + kVendorDefaultHost + "/download", s.downloadPage.GetBuffer());
}

TEST(VendorServer, EnvironmentOverridesHostAndPort) {
  SetVar("127.0.0.1:8123");
  const VendorServer& s = TheVendorServer();
  EXPECT_STREQ("127.0.0.1", s.host.GetBuffer());
  EXPECT_EQ(8123, s.port);
  EXPECT_STREQ("http://127.0.0.1:8123/", s.homePage.GetBuffer());
  EXPECT_STREQ("http://127.0.0.1:8123/download", s.downloadPage.GetBuffer());
  SetVar("test-server.example");
  EXPECT_STREQ("http://test-server.example/download", TheVendorServer().downloadPage.GetBuffer());
  SetVar(nullptr);
}

TEST(VendorServer, MalformedOverridesFallBackToTheDefault) {
  // Anything that could turn the built addresses into something else (a
  // scheme, a path, an argument for the browser's command line) is refused.
  for (const char* bad : {"", ":80", "host:", "host:0", "host:65536", "host:12x", "http://host",
                          "host/path", "two words", "host:123456", "a\"b", "-host\tx"}) {
    SetVar(bad);
    EXPECT_STREQ(kVendorDefaultHost, TheVendorServer().host.GetBuffer()) << bad;
    EXPECT_EQ(80, TheVendorServer().port) << bad;
  }
  SetVar(nullptr);
  VendorServer s;
  EXPECT_EQ(0, ParseVendorServer("localhost:65535", s));
  EXPECT_EQ(65535, s.port);
  EXPECT_EQ(-1, ParseVendorServer(std::string(201, 'a').c_str(), s));
  EXPECT_STREQ("localhost", s.host.GetBuffer());  // a refused text changes nothing
}

}  // namespace
