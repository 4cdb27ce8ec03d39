// The rows themselves, written and removed in both registry views, are read
// back by the installer's end-to-end run (tests/e2e/installer/run); here the
// row only NT gets and the failures a real registry will not produce.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shellext/registration.h"

namespace {

const char kClsid[] = "{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}";

// Records every step's key and fails the one numbered failAt (from 1) with
// the result failWith.
struct CRecordingRegistry : IShellRegistry {
  std::vector<std::string> keys;
  size_t failAt = 0;
  int failWith = -1;
  int WriteValue(const CShellRegRow& row) override { return Step(row.key); }
  int DeleteKey(ShellRegRoot, const CMyString& key) override { return Step(key); }
  int DeleteValue(ShellRegRoot, const CMyString& key, const CMyString&) override { return Step(key); }
  int Step(const CMyString& key) {
    keys.push_back(key.GetBuffer());
    return keys.size() == failAt ? failWith : 0;
  }
};

struct Case { bool nt; size_t failAt; int failWith, want; size_t steps; };

// Six rows on NT, five elsewhere (no approved-list row); a key (-1) or a
// value (-2) that cannot be written ends the registration there.
TEST(ShellRegistration, TheApprovedRowOnlyOnNtAndAFailureEndsTheRun) {
  for (const Case& c : {Case{true, 0, 0, 0, 6}, Case{false, 0, 0, 0, 5}, Case{true, 3, -1, -1, 3},
                        Case{true, 3, -2, -1, 3}}) {
    std::vector<CShellRegRow> rows;
    CRecordingRegistry reg;
    reg.failAt = c.failAt, reg.failWith = c.failWith;
    BuildRegisterRows(kClsid, "C:\\트리셀\\TriselShell.dll", c.nt, rows);
    EXPECT_EQ(RegisterShellExt(reg, rows), c.want);
    ASSERT_EQ(reg.keys.size(), c.steps);
    EXPECT_EQ(c.steps == 6, reg.keys.back().find("Approved") != std::string::npos);
  }
}

// Removal goes on past an entry already gone (1), and stops at one that
// cannot be deleted.
TEST(ShellRegistration, UnregisterToleratesMissingEntriesOnly) {
  for (const Case& c : {Case{true, 0, 0, 0, 5}, Case{false, 3, 1, 0, 4}, Case{true, 2, -1, -1, 2}}) {
    CRecordingRegistry reg;
    reg.failAt = c.failAt, reg.failWith = c.failWith;
    EXPECT_EQ(UnregisterShellExt(reg, kClsid, c.nt), c.want);
    EXPECT_EQ(reg.keys.size(), c.steps);
  }
}

}  // namespace
