#include "common/vendor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string Pages(const char* variable) {
#ifdef _WIN32
  _putenv_s(kVendorServerVariable, variable ? variable : "");
#else
  if (variable) setenv(kVendorServerVariable, variable, 1); else unsetenv(kVendorServerVariable);
#endif
  ReloadVendorServer();
  const VendorServer& s = TheVendorServer();
  return std::string(s.host.GetBuffer()) + " " + std::to_string(s.port) + " " +
         s.homePage.GetBuffer() + " " + s.downloadPage.GetBuffer();
}

TEST(VendorServer, DefaultOverridesAndRefusals) {
  const std::string h = kVendorDefaultHost;
  const std::string def = h + " 80 http://" + h + "/ http://" + h + "/download";
  EXPECT_EQ(Pages(nullptr), def);
  EXPECT_EQ(Pages("127.0.0.1:8123"),
            "127.0.0.1 8123 http://127.0.0.1:8123/ http://127.0.0.1:8123/download");
  EXPECT_EQ(Pages("test.example"), "test.example 80 http://test.example/ http://test.example/download");
  EXPECT_EQ(Pages("localhost:65535").substr(0, 16), "localhost 65535 ");
  // Anything that could turn the built addresses into something else (a
  // scheme, a path, an argument for the browser's command line) is refused.
  for (const char* bad : {"", ":80", "host:", "host:0", "host:65536", "host:12x", "http://host",
                          "host/path", "two words", "host:123456", "a\"b", "-host\tx"})
    EXPECT_EQ(Pages(bad), def) << bad;
  EXPECT_EQ(Pages(std::string(201, 'a').c_str()), def);
  Pages(nullptr);
}

}  // namespace
