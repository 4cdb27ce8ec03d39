#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "shellext/command_line.h"
#include "shellext/command_text.h"

namespace {

std::string Str(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }

TEST(TriselCommandLine, QuotesEveryTokenAndKeepsPathsInOrder) {
  const std::string head = "\"C:\\Program Files\\Trisel.exe\" \"-d\"";
  const std::vector<std::pair<std::vector<CMyString>, std::string>> cases = {
      // An entry that could not be read keeps its place. (The COM driver
      // under Wine meets the plain selection and the program's path.)
      {{CMyString("C:\\b"), CMyString(""), CMyString("C:\\a")}, head + " \"C:\\b\" \"\" \"C:\\a\""},
      {{}, head},
  };
  for (const auto& c : cases) {
    CMyString line;
    BuildTriselCommandLine(CMyString("C:\\Program Files\\Trisel.exe"), TriselSwitchFor(kCmdDecrypt),
                           c.first, line);
    EXPECT_EQ(Str(line), c.second);
  }
  for (unsigned offset : {0u, 2u, 0xFFFFu}) EXPECT_STREQ(TriselSwitchFor(offset), "-e") << offset;
}

// Fits and is zero-filled; exactly the text's length, so cut one short
// rather than left unterminated; room for the terminator only; nothing.
template <typename C, typename Copy>
void ExpectCopies(Copy copy) {
  struct Case { uint32_t size; const char* want; };
  for (const Case& c : {Case{12, "Operation1"}, Case{10, "Operation"}, Case{1, ""}, Case{0, ""}}) {
    C buf[16];
    for (C& b : buf) b = 0x55;
    copy("Operation1", buf, c.size);
    for (uint32_t i = 0; i < c.size; ++i) {
      EXPECT_EQ(buf[i], C(i < strlen(c.want) ? c.want[i] : 0)) << "size " << c.size << " at " << i;
    }
    EXPECT_EQ(buf[c.size], C(0x55)) << "wrote past size " << c.size;
  }
}

TEST(CommandText, CopyZeroFillsAlwaysTerminatesAndKeepsToTheSize) {
  ExpectCopies<char>(CopyCommandText);
  ExpectCopies<char16_t>(CopyCommandTextW);
}

}  // namespace
