#include "mirelka/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "mirelka/capture_rules.h"
#include "support/memory_registry.h"

namespace {

void PutDword(CMemoryRegistry& reg, const char* key, const char* name, uint32_t v) {
  reg.WriteDword(kHkeyCurrentUser, key, name, v);
}

}  // namespace

// What a stored value loads as: each value is stored alone into an empty
// store and read back as the setting it lands in.
TEST(MirelkaSettings, AcceptanceRules) {
  using S = MirelkaSettings;
  struct Row {
    const char *key, *name;
    uint32_t S::*field;
    std::vector<std::pair<uint32_t, uint32_t>> storedThenLoaded;
  };
  const Row rows[] = {
      {kConfBasicKey, "WndStartAutoRun", &S::wndStartAutoRun, {{0, 0}, {2, 1}}},
      {kConfBasicKey, "StartHideWnd", &S::startHideWnd, {{0, 0}, {0xFFFFFFFF, 1}}},
      {kConfBasicKey, "AlwaysOnTop", &S::alwaysOnTop, {{1, 1}, {2, 0}}},
      {kConfEditKey, "WordsWrap", &S::wordsWrap, {{0, 0}, {3, 1}}},
      {kConfEditKey, "WndH", &S::wndH, {{0, 0}, {5, 1}}},
      {kConfEditKey, "TabStop", &S::tabStop, {{0, 4}, {1, 1}, {1023, 1023}, {1024, 4}}},
      {kConfKeyKey, "ActKey", &S::actKey, {{0, 1}, {3, 3}, {7, 1}}},
  };
  for (const Row& r : rows)
    for (const auto& v : r.storedThenLoaded) {
      CMemoryRegistry reg;
      PutDword(reg, r.key, r.name, v.first);
      MirelkaSettings s;
      s.*r.field = 99;
      LoadSettings(reg, s);
      EXPECT_EQ(v.second, s.*r.field) << r.name << " stored as " << v.first;
    }

  // The font's byte fields keep their low byte; the others any value.
  CMemoryRegistry reg;
  PutDword(reg, kConfFontKey, "lfCharSet", 0x1FF);
  PutDword(reg, kConfFontKey, "lfHeight", static_cast<uint32_t>(-27));
  MirelkaSettings s;
  LoadSettings(reg, s);
  EXPECT_EQ(0xFF, s.font.charSet);
  EXPECT_EQ(-27, s.font.height);
}

// An empty store gives every default; a store whose keys cannot be opened
// reads every number as 0, which the rules then turn into their own values.
TEST(MirelkaSettings, DefaultsAndUnopenableKeys) {
  CMemoryRegistry empty;
  MirelkaSettings s;
  s.wndStartAutoRun = s.alwaysOnTop = 7;
  s.commKeyFile = "x";
  LoadSettings(empty, s);
  const MirelkaSettings def;
  EXPECT_EQ(1u, s.wndStartAutoRun);
  EXPECT_EQ(0u, s.alwaysOnTop);
  EXPECT_TRUE(s.font == def.font);
  EXPECT_STREQ("바탕", s.font.faceName);
  EXPECT_STREQ("", s.commKeyFile.GetBuffer());

  CMemoryRegistry closed;
  closed.failOpen = true;
  LoadSettings(closed, s);
  EXPECT_EQ(0u, s.wndStartAutoRun);
  EXPECT_EQ(0u, s.wordsWrap);
  EXPECT_EQ(4u, s.tabStop);
  EXPECT_EQ(1u, s.actKey);
  EXPECT_EQ(0, s.font.height);
  EXPECT_STREQ("바탕", s.font.faceName);
  EXPECT_STREQ("", s.commKeyFile.GetBuffer());
}

// Every value written with its bit comes back as written; a bit left out
// writes nothing; texts that do not fit their field load as the default.
TEST(MirelkaSettings, RoundTripByBits) {
  MirelkaSettings out;
  out.wndStartAutoRun = out.startHideWnd = out.wordsWrap = out.wndH = 0;
  out.alwaysOnTop = 1, out.tabStop = 8, out.actKey = 3;
  out.font.height = -20, out.font.weight = 700, out.font.italic = 1, out.font.pitchAndFamily = 49;
  std::strcpy(out.font.faceName, "굴림체");
  out.commKeyFile = "C:\\키\\common.bin";

  CMemoryRegistry reg;
  SaveSettings(reg, out, kSetAll & ~kSetActKey);
  MirelkaSettings in;
  LoadSettings(reg, in);
  EXPECT_EQ(1u, in.actKey);  // its bit was not given
  in.actKey = 3;
  EXPECT_TRUE(in.font == out.font);
  for (auto f : {&MirelkaSettings::wndStartAutoRun, &MirelkaSettings::startHideWnd,
                 &MirelkaSettings::alwaysOnTop, &MirelkaSettings::wordsWrap, &MirelkaSettings::wndH,
                 &MirelkaSettings::tabStop}) {
    EXPECT_EQ(out.*f, in.*f);
  }
  EXPECT_STREQ(out.commKeyFile.GetBuffer(), in.commKeyFile.GetBuffer());
  EXPECT_EQ(14u + 7u, reg.values.size());  // 13 font numbers, the face, 6 numbers, the path

  // 31 bytes of face name fit the field, 32 do not; 259 bytes of path fit.
  std::string face(31, 'F'), path(259, 'p');
  reg.WriteString(kHkeyCurrentUser, kConfFontKey, "lfFaceName", face.c_str());
  reg.WriteString(kHkeyCurrentUser, kConfKeycommKey, "CommKeyFile", path.c_str());
  LoadSettings(reg, in);
  EXPECT_EQ(face, in.font.faceName);
  EXPECT_EQ(path, in.commKeyFile.GetBuffer());
  reg.WriteString(kHkeyCurrentUser, kConfFontKey, "lfFaceName", (face + "F").c_str());
  reg.WriteString(kHkeyCurrentUser, kConfKeycommKey, "CommKeyFile", (path + "p").c_str());
  LoadSettings(reg, in);
  EXPECT_STREQ("바탕", in.font.faceName);
  EXPECT_STREQ("", in.commKeyFile.GetBuffer());
}

TEST(MirelkaSettings, WindowRectanglePerScreen) {
  CMemoryRegistry reg;
  auto same = [](const WindowRect& a, const WindowRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  const WindowRect centred = {257, 139, 767, 629};
  EXPECT_TRUE(same(centred, LoadWindowPos(reg, 1024, 768)));
  struct Row {
    WindowRect stored;
    bool used;
  };
  const Row rows[] = {
      {{10, 20, 400, 500}, true},
      {{0, 0, 0, 0}, false},
      {{-5, 0, -1, 0}, false},
      {{-300, 10, 100, 400}, true},
      {{1100, 100, 1500, 500}, true},  // off to the right but not below
      {{1025, 769, 1500, 1200}, false},
  };
  for (const Row& r : rows) {
    SaveWindowPos(reg, 1024, 768, r.stored);
    WindowRect got = LoadWindowPos(reg, 1024, 768);
    EXPECT_TRUE(same(r.used ? r.stored : centred, got)) << r.stored.left << "," << r.stored.top;
  }
  // Another resolution has its own rectangle.
  EXPECT_TRUE(same(DefaultWindowRect(800, 600), LoadWindowPos(reg, 800, 600)));
}

TEST(MirelkaSettings, AutoRunEntry) {
  CMemoryRegistry reg;
  WriteAutoRun(reg, true, "C:\\Program Files\\Mirelka\\");
  char buf[300] = "";
  reg.ReadString(kHkeyCurrentUser, kRunKey, kRunValue, "", buf, sizeof buf);
  EXPECT_STREQ("\"C:\\Program Files\\Mirelka\\Mirelka.exe\"", buf);
  WriteAutoRun(reg, true, "D:\\Tools\\");
  reg.ReadString(kHkeyCurrentUser, kRunKey, kRunValue, "", buf, sizeof buf);
  EXPECT_STREQ("D:\\Tools\\Mirelka.exe", buf);
  WriteAutoRun(reg, false, "D:\\Tools\\");
  EXPECT_TRUE(reg.values.empty());
}

// Reading the clipboard gives up after its tries and starts over (the
// end-to-end run meets the key polls and the hot keys).
TEST(CaptureCounters, ClipboardReadsGiveUpAndStartOver) {
  CaptureCounters c;
  CaptureCounters::Read r;
  int again = 0;
  while ((r = c.ClipboardRead(false)) == CaptureCounters::Read::Again && again < 1000) ++again;
  EXPECT_EQ(CaptureCounters::Read::GiveUp, r);
  EXPECT_EQ(10, again);  // the eleventh read gives up
  EXPECT_EQ(CaptureCounters::Read::Again, c.ClipboardRead(false));
  EXPECT_EQ(CaptureCounters::Read::Done, c.ClipboardRead(true));
  EXPECT_EQ(0u, c.ClipboardTries());
}
