#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_crypto.h"
#include "update/release_manifest.h"

namespace {

const std::string kHash(64, 'a');
const std::string kHead = "Mirelka update manifest\r\nversion 1.1\r\n";

TEST(Manifest, ReadsOnlyTheVendorsForm) {
  struct Case {
    std::string text;
    bool ok;
  } cases[] = {
      {kHead + "file 12 " + kHash + " Mirelka.exe\r\nfile 0 " + kHash + " \xB5\xB5\xBF\xF2.txt\r\n", true},
      {"Mirelka update manifest\nversion 10.25\nfile 1 " + kHash + " a\n", true},
      {kHead, false},                                             // no file
      {kHead + "file 12 " + kHash + " a.exe", false},             // last line not ended
      {kHead + "file 12 " + kHash + " a.exe\r\n\r\n", false},     // an empty line
      {kHead + "file 012 " + kHash + " a.exe\r\n", false},        // a leading zero
      {kHead + "file 1234567890123456 " + kHash + " a\r\n", false},
      {kHead + "file 12 " + std::string(64, 'A') + " a\r\n", false},  // upper-case hex
      {kHead + "file 12 " + kHash.substr(1) + " a\r\n", false},
      {kHead + "file 12  " + kHash + " a\r\n", false},
      {kHead + "file 12 " + kHash + " ..\\evil.exe\r\n", false},  // a name the list may not hold
      {kHead + "file 12 " + kHash + " a\r\nfile 1 " + kHash + " A\r\n", false},  // the same file twice
      {kHead + "File 12 " + kHash + " a\r\n", false},
      {"Mirelka update manifest\r\nversion 1.\r\nfile 1 " + kHash + " a\r\n", false},
      {"Mirelka update manifest\r\nversion .5\r\nfile 1 " + kHash + " a\r\n", false},
      {"Mirelka update manifest\r\nversion 1.1 \r\nfile 1 " + kHash + " a\r\n", false},
      {"Mirelka update manifest\r\nfile 1 " + kHash + " a\r\nversion 1.1\r\n", false},
      {"mirelka update manifest\r\nversion 1.1\r\nfile 1 " + kHash + " a\r\n", false},
  };
  for (const Case& c : cases) {
    ReleaseManifest m;
    EXPECT_EQ(c.ok, ParseManifest(c.text, m)) << c.text;
    if (!c.ok) {
      EXPECT_TRUE(m.files.empty() && m.version.empty());
    }
  }
  ReleaseManifest m;
  ASSERT_TRUE(ParseManifest(cases[0].text, m));
  EXPECT_EQ("1.1", m.version);
  ASSERT_EQ(2u, m.files.size());
  EXPECT_EQ(12u, m.files[0].size);
  EXPECT_EQ("\xB5\xB5\xBF\xF2.txt", m.files[1].name);
  EXPECT_EQ(kHash, DigestText(m.files[1].sha256));
}

std::string Hex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

TEST(Signature, DerBecomesRAndSOf32BytesEach) {
  uint8_t raw[64];
  // r with its top bit set (a zero byte before it), and a short r (its
  // leading zero byte dropped), as openssl writes them.
  ASSERT_TRUE(SignatureFromDer(Hex("3045022100dd9a9ad32fba2c2b9caffd75475455778684c2b901b85018fbcf072c75972f2e"
                                   "02204a9b58488e4d101681470344ac9239c51885cab85954d66d94c3bce25b21d24b"),
                               raw));
  EXPECT_EQ(0xDD, raw[0]);
  EXPECT_EQ(0x4B, raw[63]);
  ASSERT_TRUE(SignatureFromDer(Hex("3043021f43671e895c20666fed033dccbe8aefecb142ae10d3a5c777a2bbdaba7f3fdf"
                                   "02206895e3897458c153b8161c78631278b9c4c241deec935d2f92b170f4058a885d"),
                               raw));
  EXPECT_EQ(0x00, raw[0]);
  EXPECT_EQ(0x43, raw[1]);
  EXPECT_EQ(0x68, raw[32]);
  // Round trips through the encoder of the tests, at every length of r.
  for (int zeros = 0; zeros <= 31; ++zeros) {
    uint8_t in[64], out[64];
    for (int i = 0; i < 64; ++i) in[i] = static_cast<uint8_t>(i < zeros ? 0 : 0x80 + i);
    ASSERT_TRUE(SignatureFromDer(DerFromRaw(in), out)) << zeros;
    EXPECT_EQ(0, std::memcmp(in, out, 64)) << zeros;
  }
  const char* const bad[] = {
      "",
      "3006020101020101ff",    // a byte after the sequence
      "3007020101020101",      // sequence length too long
      "30070201010202" "0001",  // s not minimal
      "3006020181020101",      // r negative
      "3006020100020101",      // r zero
      "3106020101020101",      // not a sequence
      "30060401010201" "01",   // r not an integer
      "3081060201010201" "01",  // long-form length
      "3026020101022101" "0000000000000000000000000000000000000000000000000000000000000000",  // s >= 2^256
  };
  for (const char* hex : bad) EXPECT_FALSE(SignatureFromDer(Hex(hex), raw)) << hex;
}

const char kTestKeyPem[] =
    "-----BEGIN PUBLIC KEY-----\n"
    "MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEzzb3hK2d3T7FoVS4ATHHVCgBx0t3\n"
    "HYbSptveXbx5qOyCr1WAroddg44GccRHVr2J7KZCANyCXj1NtitSxLN+gg==\n"
    "-----END PUBLIC KEY-----\n";

TEST(VendorKey, OnlyAnUncompressedP256KeyIsTaken) {
  uint8_t key[64];
  ASSERT_TRUE(PublicKeyFromPem(kTestKeyPem, key));  // the bad ones below are made from it
  const char* const bad[] = {
      // secp384r1
      "-----BEGIN PUBLIC KEY-----\nMHYwEAYHKoZIzj0CAQYFK4EEACIDYgAE+0Wwr1R9vAjLa8Zj3JGLljFv955hdqKn\n"
      "ocIQWgzAiVlMBX28+D/g6N0vb4NZtjxQNwHuCpnNY9zDaZvcKKS6CLLV7gv6LMZT\nlqvhH7rdu2RDGOoSGTi67PnACoaXWw5W\n"
      "-----END PUBLIC KEY-----\n",
      // the test key's compressed point
      "-----BEGIN PUBLIC KEY-----\nMDkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDIgACzzb3hK2d3T7FoVS4ATHHVCgBx0t3\nHYbSptveXbx5qOw=\n"
      "-----END PUBLIC KEY-----\n",
      "-----BEGIN PUBLIC KEY-----\nMFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEzzb3hK2d3T7FoVS4ATHHVCgBx0t3\n",
      "-----BEGIN PUBLIC KEY-----\nMFkw*wYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEzzb3hK2d3T7FoVS4ATHHVCgBx0t3\n"
      "HYbSptveXbx5qOyCr1WAroddg44GccRHVr2J7KZCANyCXj1NtitSxLN+gg==\n-----END PUBLIC KEY-----\n",
      "",
  };
  for (const char* pem : bad) EXPECT_FALSE(PublicKeyFromPem(pem, key)) << pem;
}

TEST(InstalledVersion, WhatMirelkaSaysOnlyRaisesTheBar) {
  EXPECT_EQ("1.0", InstalledVersion(nullptr));
  EXPECT_EQ("12", InstalledVersion("12"));
  for (const char* low : {"0.9", "1.0", "1", "", "1.5 ", "-2", "1e9", "1234567890", "x"})
    EXPECT_EQ("1.0", InstalledVersion(low)) << low;
}

#ifdef MIRELKA_VENDOR_PUBLIC_KEY
// The key update.exe is built with reads: a broken one would refuse every
// release, which no test with a test key would notice.
TEST(VendorKey, TheBuiltInKeyReads) {
  std::ifstream in(MIRELKA_VENDOR_PUBLIC_KEY, std::ios::binary);
  std::stringstream pem;
  pem << in.rdbuf();
  uint8_t key[64];
  EXPECT_TRUE(PublicKeyFromPem(pem.str(), key)) << MIRELKA_VENDOR_PUBLIC_KEY;
}
#endif

}  // namespace
