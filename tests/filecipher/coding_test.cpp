// The key-derived pieces of a .tsl file: verification code and payload.
#include <gtest/gtest.h>

#include "coder_fixture.h"

namespace {

// Short keys repeat, long keys are sampled; "zu" puts zero bytes in the code.
TEST(VerifyCodeTest, ShortKeysRepeatLongKeysAreSampled) {
  const std::string salt = "zuvnbtwyglmapxerhocs";
  std::string keys[] = {"zu", "ABCDEFGHIJKLMNOPQRST", "", ""};
  for (int i = 0; i < 1024; ++i) keys[3] += static_cast<char>(0x80 + i % 120);
  keys[2] = keys[3].substr(0, 40);
  for (const std::string& key : keys) {
    unsigned char v[21];
    ASSERT_EQ(0, MakeVerifyCode(key.c_str(), v));
    EXPECT_EQ(0, v[20]);
    const size_t n = key.size();
    for (size_t i = 0; i < 20; ++i)
      EXPECT_EQ(static_cast<unsigned char>(key[n < 20 ? i % n : i * n / 20] ^ salt[i]), v[i]) << n << " " << i;
  }
}

// The key position wraps after 30001 bytes. The walk hands every file of a
// folder to one coder object: a different key must still give its own stream.
TEST_F(CoderTest, OneCoderObjectCodesEachFileWithItsOwnKey) {
  const std::string data = Sample(30001 * 2 + 5);
  CTrisels coder(m_fs, m_ui, m_view, m_job);
  const std::string keys[] = {"k", "abc", "abc", "zyxwvu", std::string(1024, 'q') + "x"};
  for (size_t i = 0; i < 5; ++i) {
    std::string path = "C:\\p\\" + std::to_string(i) + ".bin";
    m_fs.AddFile(path, data, 1000);
    ASSERT_EQ(0, coder.Trisel(path.c_str(), keys[i].c_str(), 0, kModeEncrypt, 0, m_counters, &m_overwrite,
                              &m_job.cancel));
    EXPECT_EQ(CodeBytes(data, keys[i]), m_fs.Contents(path + ".tsl").substr(80)) << i;  // after the header
  }
}

}  // namespace
