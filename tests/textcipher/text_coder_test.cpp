#include "textcipher/text_coder.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"
#include "textcipher/key_text.h"

// The key text: the password's bytes reversed, then their count; with a
// common key file of zeros (every sample 'P') "QP2" is mixed in over the
// whole block, and 'P' ^ 'P' = 0 is taken as 'P'.
TEST(TextCoder, KeyTextAndRunsThatStop) {
  CMemoryFileSystem fs;
  fs.AddFile("/k/zeros.bin", std::string(2000, '\0'));
  CRecordingKeyFileView view;
  CMyString key;
  ASSERT_EQ(kKeyOk, MakeKeyText("\xB0\xA1\xAA\xB3", "", fs, view, key));
  EXPECT_STREQ("\xB3\xAA\xA1\xB0" "4", key.GetBuffer());
  char password[] = "PQ";
  ASSERT_EQ(kKeyOk, MakeKeyText(password, "/k/zeros.bin", fs, view, key));
  EXPECT_STREQ("PQ", password);  // the caller's buffer is left as typed
  ASSERT_EQ(1024u, key.GetLength());
  for (int i = 0; i < 1024; ++i) ASSERT_EQ("\x01P\x62"[i % 3], key.GetBuffer()[i]) << i;
  view.finished = 0;
  // An empty text needs no key; a cancelled key file writes nothing, and
  // the key-file display is closed.
  CBufferCoderHost empty(""), text("text");
  EXPECT_EQ(kCodingNothing, CTextCoder(fs, view).Coding(empty, "pw", "/k/missing.bin"));
  EXPECT_TRUE(view.warnings.empty());
  view.cancelAt = 10;
  EXPECT_EQ(kCodingCancelled, CTextCoder(fs, view).Coding(text, "pw", "/k/zeros.bin"));
  EXPECT_TRUE(text.result.empty() && view.finished == 1);
}
