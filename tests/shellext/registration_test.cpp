// The rows themselves, in both registry views, are read back by the
// installer's end-to-end run; here the NT-only row and the failures a real
// registry will not produce.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shellext/registration.h"

namespace {

// Records every step's key and fails step failAt (from 1) with failWith.
struct CRecordingRegistry : IShellRegistry {
  std::vector<std::string> keys;
  size_t failAt = 0;
  int failWith = 0;
  int WriteValue(const CShellRegRow& row) override { return Step(row.key); }
  int DeleteKey(ShellRegRoot, const CMyString& key) override { return Step(key); }
  int DeleteValue(ShellRegRoot, const CMyString& key, const CMyString&) override { return Step(key); }
  int Step(const CMyString& key) {
    keys.push_back(key.GetBuffer());
    return keys.size() == failAt ? failWith : 0;
  }
};

struct Case { bool nt, reg; size_t failAt; int failWith, want; size_t steps; };

// Six rows on NT (the last the approved list), five elsewhere; a key (-1) or
// value (-2) not written ends the registration. Removal goes on past an entry
// already gone (1) and stops at one that cannot be deleted.
TEST(ShellRegistration, TheApprovedRowOnlyOnNtAndAFailureEndsTheRun) {
  for (const Case& c : {Case{true, true, 0, 0, 0, 6}, Case{false, true, 0, 0, 0, 5}, Case{true, true, 3, -1, -1, 3},
                        Case{true, true, 3, -2, -1, 3}, Case{true, false, 0, 0, 0, 5},
                        Case{false, false, 3, 1, 0, 4}, Case{true, false, 2, -1, -1, 2}}) {
    CRecordingRegistry reg;
    reg.failAt = c.failAt, reg.failWith = c.failWith;
    const char* clsid = "{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}";
    std::vector<CShellRegRow> rows;
    BuildRegisterRows(clsid, "C:\\트리셀\\TriselShell.dll", c.nt, rows);
    EXPECT_EQ(c.reg ? RegisterShellExt(reg, rows) : UnregisterShellExt(reg, clsid, c.nt), c.want);
    ASSERT_EQ(reg.keys.size(), c.steps);
    if (c.reg) {
      EXPECT_EQ(c.steps == 6, reg.keys.back().find("Approved") != std::string::npos);
    }
  }
}

}  // namespace
