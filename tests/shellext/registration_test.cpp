#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shellext/registration.h"

namespace {

const std::string kClsid = "{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}";
const std::string kClass = "HKCR\\CLSID\\" + kClsid;
const std::string kHandler = "\\shellex\\ContextMenuHandlers\\TriselShell";
const std::string kApproved =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved [" + kClsid + "]";

std::string Str(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }

// Records every step and fails the one numbered failAt (counted from 1)
// with the given result.
class CRecordingRegistry : public IShellRegistry {
 public:
  std::vector<std::string> steps;
  size_t failAt = 0;
  int failWith = -1;

  int WriteValue(const CShellRegRow& row) override {
    return Step("set " + Name(row.root, row.key) + " [" + Str(row.name) + "] = " + Str(row.data));
  }
  int DeleteKey(ShellRegRoot root, const CMyString& key) override {
    return Step("delete " + Name(root, key));
  }
  int DeleteValue(ShellRegRoot root, const CMyString& key, const CMyString& name) override {
    return Step("delete " + Name(root, key) + " [" + Str(name) + "]");
  }

 private:
  static std::string Name(ShellRegRoot root, const CMyString& key) {
    return (root == kShellClassesRoot ? "HKCR\\" : "HKLM\\") + Str(key);
  }
  int Step(const std::string& what) {
    steps.push_back(what);
    return steps.size() == failAt ? failWith : 0;
  }
};

struct Case { bool nt; size_t failAt; int failWith, want; size_t steps; };

TEST(ShellRegistration, WritesTheRowsInOrderAndStopsAtTheFirstFailure) {
  const std::vector<std::string> all = {
      "set " + kClass + " [] = TriselShell",
      "set " + kClass + "\\InProcServer32 [] = C:\\트리셀\\TriselShell.dll",
      "set " + kClass + "\\InProcServer32 [ThreadingModel] = Apartment",
      "set HKCR\\*" + kHandler + " [] = " + kClsid,
      "set HKCR\\Directory" + kHandler + " [] = " + kClsid,
      "set " + kApproved + " = TriselShell",
  };
  // The approved-list row only on NT; a key (-1) or a value (-2) that cannot
  // be written ends the registration there.
  for (const Case& c : {Case{true, 0, 0, 0, 6}, Case{false, 0, 0, 0, 5}, Case{true, 3, -1, -1, 3},
                        Case{true, 3, -2, -1, 3}}) {
    std::vector<CShellRegRow> rows;
    CRecordingRegistry reg;
    reg.failAt = c.failAt;
    reg.failWith = c.failWith;
    BuildRegisterRows(kClsid.c_str(), "C:\\트리셀\\TriselShell.dll", c.nt, rows);
    EXPECT_EQ(RegisterShellExt(reg, rows), c.want);
    EXPECT_EQ(reg.steps, std::vector<std::string>(all.begin(), all.begin() + c.steps));
  }
}

TEST(ShellRegistration, UnregisterDeletesInOrderAndToleratesMissingEntries) {
  const std::vector<std::string> all = {
      "delete " + kClass + "\\InProcServer32", "delete " + kClass,
      "delete HKCR\\*" + kHandler, "delete HKCR\\Directory" + kHandler, "delete " + kApproved};
  // All there; one already gone (the other build's copy removed the shared
  // handler key); one that cannot be deleted.
  for (const Case& c : {Case{true, 0, 0, 0, 5}, Case{false, 3, 1, 0, 4}, Case{true, 2, -1, -1, 2}}) {
    CRecordingRegistry reg;
    reg.failAt = c.failAt;
    reg.failWith = c.failWith;
    EXPECT_EQ(UnregisterShellExt(reg, kClsid.c_str(), c.nt), c.want);
    EXPECT_EQ(reg.steps, std::vector<std::string>(all.begin(), all.begin() + c.steps));
  }
}

}  // namespace
