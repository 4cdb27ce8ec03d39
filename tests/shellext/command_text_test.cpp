#include <gtest/gtest.h>

#include <cstring>

#include "shellext/command_text.h"

// The command strings Explorer asks for (the COM driver meets the command
// line): exactly the text's length is cut one short rather than left
// unterminated; room for the terminator only; nothing; never a byte past the size.
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
