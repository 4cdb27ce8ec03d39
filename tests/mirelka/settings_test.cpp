// What the end-to-end run does not meet of the stored settings: odd stored
// values, unopenable keys, texts too long for their field, other screens.
#include "mirelka/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_registry.h"

namespace {

TEST(MirelkaSettings, OddStoredValuesLoadAsTheRulesSay) {
  using S = MirelkaSettings;
  struct Row { const char *key, *name; uint32_t S::*field; uint32_t stored, loaded; };
  const Row rows[] = {
      {kConfBasicKey, "StartHideWnd", &S::startHideWnd, 0xFFFFFFFF, 1},
      {kConfBasicKey, "AlwaysOnTop", &S::alwaysOnTop, 2, 0},
      {kConfEditKey, "TabStop", &S::tabStop, 1024, 4}, {kConfKeyKey, "ActKey", &S::actKey, 7, 1},
      {kConfFontKey, "lfCharSet", nullptr, 0x1FF, 0xFF},  // a byte field keeps its low byte
  };
  for (const Row& r : rows) {
    CMemoryRegistry reg;
    reg.WriteDword(kHkeyCurrentUser, r.key, r.name, r.stored);
    MirelkaSettings s;
    LoadSettings(reg, s);
    EXPECT_EQ(r.loaded, r.field ? s.*r.field : s.font.charSet) << r.name << " stored as " << r.stored;
  }
  // Keys that cannot be opened read every number as 0, which the rules turn into their own values.
  CMemoryRegistry closed;
  closed.failOpen = true;
  MirelkaSettings s;
  s.commKeyFile = "x";
  LoadSettings(closed, s);
  EXPECT_TRUE(s.wndStartAutoRun == 0 && s.tabStop == 4 && s.actKey == 1 && s.font.height == 0);
  EXPECT_STREQ("바탕", s.font.faceName);
  EXPECT_STREQ("", s.commKeyFile.GetBuffer());
  // 31 bytes of face name fit the field, 259 of path; one more gives the default.
  for (size_t more : {0, 1}) {
    CMemoryRegistry reg;
    std::string face(31 + more, 'F'), path(259 + more, 'p');
    reg.WriteString(kHkeyCurrentUser, kConfFontKey, "lfFaceName", face.c_str());
    reg.WriteString(kHkeyCurrentUser, kConfKeycommKey, "CommKeyFile", path.c_str());
    LoadSettings(reg, s);
    EXPECT_EQ(more ? "바탕" : face, std::string(s.font.faceName));
    EXPECT_EQ(more ? "" : path, std::string(s.commKeyFile.GetBuffer()));
  }
}

// A stored rectangle is used while a part of it is on the screen; the Run
// entry of a path with a blank is quoted.
TEST(MirelkaSettings, WindowRectangleOnScreenAndAutoRunQuoting) {
  CMemoryRegistry reg;
  const WindowRect centred = {257, 139, 767, 629};
  const std::pair<WindowRect, bool> rows[] = {{{0, 0, 0, 0}, false}, {{-300, 10, 100, 400}, true},
                                              {{1100, 100, 1500, 500}, true}, {{1025, 769, 1500, 1200}, false}};
  for (const auto& r : rows) {
    SaveWindowPos(reg, 1024, 768, r.first);
    WindowRect got = LoadWindowPos(reg, 1024, 768), want = r.second ? r.first : centred;
    EXPECT_TRUE(want.left == got.left && want.top == got.top && want.right == got.right && want.bottom == got.bottom)
        << r.first.left << "," << r.first.top;
  }
  WriteAutoRun(reg, true, "C:\\Program Files\\Mirelka\\");
  char buf[300] = "";
  reg.ReadString(kHkeyCurrentUser, kRunKey, kRunValue, "", buf, sizeof buf);
  EXPECT_STREQ("\"C:\\Program Files\\Mirelka\\Mirelka.exe\"", buf);
}

}  // namespace
