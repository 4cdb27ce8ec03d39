#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shellext/registration.h"

namespace {

const char kClsid[] = "{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}";

std::string Str(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }

std::string RootName(ShellRegRoot root) { return root == kShellClassesRoot ? "HKCR" : "HKLM"; }

// Records every step and fails the one numbered failAt (counted from 1)
// with the given result.
class CRecordingRegistry : public IShellRegistry {
 public:
  std::vector<std::string> steps;
  size_t failAt = 0;
  int failWith = -1;

  int WriteValue(const CShellRegRow& row) override {
    return Step("set " + RootName(row.root) + "\\" + Str(row.key) + " [" + Str(row.name) +
                "] = " + Str(row.data));
  }
  int DeleteKey(ShellRegRoot root, const CMyString& key) override {
    return Step("delete " + RootName(root) + "\\" + Str(key));
  }
  int DeleteValue(ShellRegRoot root, const CMyString& key, const CMyString& name) override {
    return Step("delete " + RootName(root) + "\\" + Str(key) + " [" + Str(name) + "]");
  }

 private:
  int Step(const std::string& what) {
    steps.push_back(what);
    return steps.size() == failAt ? failWith : 0;
  }
};

const std::vector<std::string> kNtRows = {
    "set HKCR\\CLSID\\{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365} [] = TriselShell",
    "set HKCR\\CLSID\\{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}\\InProcServer32 [] = "
    "C:\\트리셀\\TriselShell.dll",
    "set HKCR\\CLSID\\{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}\\InProcServer32 [ThreadingModel] = "
    "Apartment",
    "set HKCR\\*\\shellex\\ContextMenuHandlers\\TriselShell [] = "
    "{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}",
    "set HKCR\\Directory\\shellex\\ContextMenuHandlers\\TriselShell [] = "
    "{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}",
    "set HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved "
    "[{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}] = TriselShell",
};

TEST(ShellRegistration, WritesTheRowsInOrderAndTheApprovedRowOnlyOnNt) {
  std::vector<CShellRegRow> rows;
  CRecordingRegistry nt;
  BuildRegisterRows(kClsid, "C:\\트리셀\\TriselShell.dll", true, rows);
  EXPECT_EQ(RegisterShellExt(nt, rows), 0);
  EXPECT_EQ(nt.steps, kNtRows);

  CRecordingRegistry old;
  BuildRegisterRows(kClsid, "C:\\트리셀\\TriselShell.dll", false, rows);
  EXPECT_EQ(RegisterShellExt(old, rows), 0);
  EXPECT_EQ(old.steps, std::vector<std::string>(kNtRows.begin(), kNtRows.begin() + 5));
}

TEST(ShellRegistration, StopsAtTheFirstKeyOrValueThatFails) {
  std::vector<CShellRegRow> rows;
  BuildRegisterRows(kClsid, "C:\\x.dll", true, rows);
  for (int failure : {-1, -2}) {
    CRecordingRegistry reg;
    reg.failAt = 3;
    reg.failWith = failure;
    EXPECT_EQ(RegisterShellExt(reg, rows), -1);
    EXPECT_EQ(reg.steps.size(), 3u) << "went on after a failed row";
  }
}

TEST(ShellRegistration, UnregisterDeletesInOrderAndToleratesMissingEntries) {
  const std::vector<std::string> expected = {
      "delete HKCR\\CLSID\\{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}\\InProcServer32",
      "delete HKCR\\CLSID\\{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}",
      "delete HKCR\\*\\shellex\\ContextMenuHandlers\\TriselShell",
      "delete HKCR\\Directory\\shellex\\ContextMenuHandlers\\TriselShell",
      "delete HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved "
      "[{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}]",
  };
  CRecordingRegistry reg;
  EXPECT_EQ(UnregisterShellExt(reg, kClsid, true), 0);
  EXPECT_EQ(reg.steps, expected);

  // A key already gone (the other build's copy removed the shared one).
  CRecordingRegistry gone;
  gone.failAt = 3;
  gone.failWith = 1;
  EXPECT_EQ(UnregisterShellExt(gone, kClsid, false), 0);
  EXPECT_EQ(gone.steps, std::vector<std::string>(expected.begin(), expected.begin() + 4));

  CRecordingRegistry denied;
  denied.failAt = 2;
  EXPECT_EQ(UnregisterShellExt(denied, kClsid, true), -1);
  EXPECT_EQ(denied.steps.size(), 2u);
}

}  // namespace
