#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shellext/command_line.h"
#include "shellext/command_text.h"

namespace {

// An entry that could not be read keeps its place (the COM driver under Wine
// meets the plain selection); an unknown command offset encrypts.
TEST(TriselCommandLine, QuotesEveryTokenAndKeepsPathsInOrder) {
  CMyString line;
  BuildTriselCommandLine(CMyString("C:\\P F\\Trisel.exe"), TriselSwitchFor(kCmdDecrypt),
                         {CMyString("C:\\b"), CMyString(""), CMyString("C:\\a")}, line);
  EXPECT_STREQ(line.GetBuffer(), "\"C:\\P F\\Trisel.exe\" \"-d\" \"C:\\b\" \"\" \"C:\\a\"");
  EXPECT_STREQ(TriselSwitchFor(0xFFFFu), "-e");
}

// Exactly the text's length is cut one short rather than left unterminated;
// room for the terminator only; nothing; never a byte past the size.
template <typename C, typename Copy>
void ExpectCopies(Copy copy) {
  for (uint32_t size : {12u, 10u, 1u, 0u}) {
    C buf[16];
    for (C& b : buf) b = 0x55;
    copy("Operation1", buf, size);
    const char* want = size == 12 ? "Operation1" : size == 10 ? "Operation" : "";
    for (uint32_t i = 0; i < size; ++i) EXPECT_EQ(buf[i], C(i < strlen(want) ? want[i] : 0)) << size << " " << i;
    EXPECT_EQ(buf[size], C(0x55)) << "wrote past size " << size;
  }
}

TEST(CommandText, CopyZeroFillsAlwaysTerminatesAndKeepsToTheSize) {
  ExpectCopies<char>(CopyCommandText);
  ExpectCopies<char16_t>(CopyCommandTextW);
}

}  // namespace
