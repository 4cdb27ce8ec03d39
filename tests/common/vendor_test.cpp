#include "common/vendor.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string Pages(const char* variable) {
#ifdef _WIN32
  _putenv_s(kVendorServerVariable, variable ? variable : "");
#else
  if (variable) setenv(kVendorServerVariable, variable, 1); else unsetenv(kVendorServerVariable);
#endif
  ReloadVendorServer();
  const VendorServer& s = TheVendorServer();
  return std::string(s.host.GetBuffer()) + " " + std::to_string(s.port) + " " + s.downloadPage.GetBuffer();
}

// Anything that could turn the built addresses into something else (a
// scheme, a path, an argument for the browser's command line) is refused.
TEST(VendorServer, OverridesThatCouldChangeTheAddressesAreRefused) {
  const std::string def = Pages(nullptr);
  EXPECT_EQ(Pages("localhost:65535"), "localhost 65535 http://localhost:65535/download");
  for (const char* bad : {":80", "host:0", "host:65536", "host:12x", "http://host", "host/path", "two words",
                          "a\"b", "-host\tx"})
    EXPECT_EQ(Pages(bad), def) << bad;
  EXPECT_EQ(Pages(std::string(201, 'a').c_str()), def);
  Pages(nullptr);
}

}  // namespace
