// What the end-to-end runs do not meet of the stored settings (values too
// long or too large for their field, the Run entry) and of the find.
#include "mirelka/find_rules.h"
#include "mirelka/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_registry.h"

TEST(MirelkaSettings, OversizedStoredValuesGiveTheDefaults) {
  // 31 bytes of face name fit the field, 259 of path, 1023 of tab stop; one more gives the default.
  MirelkaSettings s;
  for (size_t more : {0, 1}) {
    CMemoryRegistry reg;
    std::string face(31 + more, 'F'), path(259 + more, 'p');
    reg.WriteString(kHkeyCurrentUser, kConfFontKey, "lfFaceName", face.c_str());
    reg.WriteString(kHkeyCurrentUser, kConfKeycommKey, "CommKeyFile", path.c_str());
    reg.WriteDword(kHkeyCurrentUser, kConfEditKey, "TabStop", static_cast<uint32_t>(1023 + more));
    LoadSettings(reg, s);
    EXPECT_EQ(more ? "바탕" : face, std::string(s.font.faceName));
    EXPECT_EQ(more ? "" : path, std::string(s.commKeyFile.GetBuffer()));
    EXPECT_EQ(more ? 4u : 1023u, s.tabStop);
  }
}

// The Run entry of a path with a blank is quoted.
TEST(MirelkaSettings, AutoRunEntry) {
  CMemoryRegistry reg;
  WriteAutoRun(reg, true, "C:\\Program Files\\Mirelka\\");
  char buf[300] = "";
  reg.ReadString(kHkeyCurrentUser, kRunKey, kRunValue, "", buf, sizeof buf);
  EXPECT_STREQ("\"C:\\Program Files\\Mirelka\\Mirelka.exe\"", buf);
}

// What the end-to-end run's find does not meet: CP949 text whose trail bytes
// look like letters ("\x81\x41" and "\x81\x61" are two syllables whose second
// bytes are 'A' and 'a'), overlapping candidates upward, odd selections.
TEST(FindRules, Occurrences) {
  struct Row { std::string text, pattern; bool caseSensitive, downward; uint32_t selStart, selEnd; int64_t want; };
  const Row rows[] = {
      {"aaa", "aa", true, false, 1, 1, -1},            // up: must end before the selection
      {"aaa", "aa", true, false, 3, 3, 1},             // up: overlapping candidates
      {"\x81\x41", "A", false, true, 0, 0, -1},        // a letter is not a syllable's trail byte
      {"\x81\x41" "A", "a", false, true, 0, 0, 2},
      {"\x81\x41" "A", "A", true, false, 3, 3, 2},
      {"\x81\x61", "\x81\x41", false, true, 0, 0, -1},  // ignoring case keeps syllables apart
      {"abc", "", false, true, 0, 0, -1},
      {"abc", "c", false, false, 99, 99, 2},           // selection past the end
  };
  for (const Row& r : rows)
    EXPECT_EQ(r.want, FindOccurrence(r.text.data(), uint32_t(r.text.size()), r.pattern.data(),
                                     uint32_t(r.pattern.size()), r.caseSensitive, r.downward, r.selStart, r.selEnd))
        << r.text << " / " << r.pattern;
  // A two-byte character across the 1024-byte limit is left out whole.
  std::string cut = std::string(1023, 'x') + "\xC7\xD1" + "yy";
  CMyString got = FindTextFromSelection(cut.data(), uint32_t(cut.size()));
  EXPECT_EQ(std::string(1023, 'x'), std::string(got.GetBuffer(), got.GetLength()));
}
