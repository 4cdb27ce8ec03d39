#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "support/test_crypto.h"
#include "update/release_manifest.h"

namespace {

const std::string kHash(64, 'a');
const std::string kHead = "Mirelka update manifest\r\nversion 1.1\r\n";

TEST(Manifest, ReadsOnlyTheVendorsForm) {
  ReleaseManifest m;
  ASSERT_TRUE(ParseManifest(kHead + "file 12 " + kHash + " a\r\nfile 0 " + kHash + " \xB5\xB5\xBF\xF2.txt\r\n", m));
  ASSERT_EQ(2u, m.files.size());
  EXPECT_TRUE(m.version == "1.1" && m.files[0].size == 12 && m.files[1].name == "\xB5\xB5\xBF\xF2.txt");
  EXPECT_EQ(kHash, DigestText(m.files[1].sha256));
  const std::string bad[] = {
      kHead,                                                      // no file
      kHead + "file 12 " + kHash + " a.exe",                      // last line not ended
      kHead + "file 12 " + kHash + " a.exe\r\n\r\n",              // an empty line
      kHead + "file 012 " + kHash + " a.exe\r\n",                 // a leading zero
      kHead + "file 12 " + std::string(64, 'A') + " a\r\n",       // upper-case hex
      kHead + "file 12 " + kHash + " ..\\evil.exe\r\n",           // a name the list may not hold
      kHead + "file 12 " + kHash + " a\r\nfile 1 " + kHash + " A\r\n",  // the same file twice
      "Mirelka update manifest\r\nversion 1.\r\nfile 1 " + kHash + " a\r\n",
      "Mirelka update manifest\r\nfile 1 " + kHash + " a\r\nversion 1.1\r\n"};
  for (const std::string& text : bad) {
    EXPECT_FALSE(ParseManifest(text, m)) << text;
    EXPECT_TRUE(m.files.empty() && m.version.empty()) << text;
  }
}

std::string Hex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

TEST(Signature, DerBecomesRAndSOf32BytesEach) {
  // Round trips at every length of r; then refused encodings.
  for (int zeros = 0; zeros <= 31; ++zeros) {
    uint8_t in[64], out[64];
    for (int i = 0; i < 64; ++i) in[i] = static_cast<uint8_t>(i < zeros ? 0 : 0x80 + i);
    ASSERT_TRUE(SignatureFromDer(DerFromRaw(in), out)) << zeros;
    EXPECT_EQ(0, std::memcmp(in, out, 64)) << zeros;
  }
  const char* const bad[] = {
      "3006020101020101ff",     // a byte after the sequence
      "3007020101020101",       // sequence length too long
      "30070201010202" "0001",  // s not minimal
      "3006020181020101",       // r negative
      "3006020100020101",       // r zero
      "3081060201010201" "01",  // long-form length
      "3026020101022101" "0000000000000000000000000000000000000000000000000000000000000000",  // s >= 2^256
  };
  uint8_t raw[64];
  for (const char* hex : bad) EXPECT_FALSE(SignatureFromDer(Hex(hex), raw)) << hex;
}

TEST(VendorKey, OnlyAnUncompressedP256KeyIsTaken) {
  uint8_t key[64];
  const char* const bad[] = {
      // secp384r1
      "-----BEGIN PUBLIC KEY-----\nMHYwEAYHKoZIzj0CAQYFK4EEACIDYgAE+0Wwr1R9vAjLa8Zj3JGLljFv955hdqKn\n"
      "ocIQWgzAiVlMBX28+D/g6N0vb4NZtjxQNwHuCpnNY9zDaZvcKKS6CLLV7gv6LMZT\nlqvhH7rdu2RDGOoSGTi67PnACoaXWw5W\n"
      "-----END PUBLIC KEY-----\n",
      // a P-256 key's compressed point
      "-----BEGIN PUBLIC KEY-----\nMDkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDIgACzzb3hK2d3T7FoVS4ATHHVCgBx0t3\nHYbSptveXbx5qOw=\n"
      "-----END PUBLIC KEY-----\n"};
  for (const char* pem : bad) EXPECT_FALSE(PublicKeyFromPem(pem, key)) << pem;
#ifdef MIRELKA_VENDOR_PUBLIC_KEY
  // The key update.exe is built with reads: a broken one would refuse every release.
  std::ifstream in(MIRELKA_VENDOR_PUBLIC_KEY, std::ios::binary);
  std::stringstream pem;
  pem << in.rdbuf();
  EXPECT_TRUE(PublicKeyFromPem(pem.str(), key)) << MIRELKA_VENDOR_PUBLIC_KEY;
#endif
}

// What Mirelka says only raises the bar above 1.0.
TEST(InstalledVersion, WhatMirelkaSaysOnlyRaisesTheBar) {
  EXPECT_EQ("12", InstalledVersion("12"));
  for (const char* low : {"0.9", "", "1.5 ", "1e9"}) EXPECT_EQ("1.0", InstalledVersion(low)) << low;
}

}  // namespace
