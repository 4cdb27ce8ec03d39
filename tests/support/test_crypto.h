// Stand-ins for the updater's cryptography in tests that run anywhere: a
// 32-byte digest that any change of the bytes alters (not SHA-256: the
// updater only compares digests; CNG's real SHA-256 and ECDSA are checked
// under Wine in tests/update/win32), and a "signature" that is the digest
// followed by the first half of the key, so a test can tell a changed
// manifest and another key from a good one.
#ifndef MIRELKA_TESTS_SUPPORT_TEST_CRYPTO_H
#define MIRELKA_TESTS_SUPPORT_TEST_CRYPTO_H

#include <cstring>
#include <string>

#include "update/release_crypto.h"

class CTestDigest : public ISha256 {
 public:
  void Add(const void* data, size_t n) override {
    for (const uint8_t* p = static_cast<const uint8_t*>(data); n-- > 0; ++p)
      for (uint64_t i = 0; i < 4; ++i) m_h[i] = (m_h[i] ^ *p) * 0x100000001B3ull + i;
  }
  bool Finish(uint8_t digest[kSha256Size]) override {
    for (int i = 0; i < 32; ++i) digest[i] = static_cast<uint8_t>(m_h[i / 8] >> (i % 8 * 8));
    return true;
  }

 private:
  uint64_t m_h[4] = {0xCBF29CE484222325ull, 1, 2, 3};
};

inline std::string DigestOf(const std::string& data) {
  CTestDigest h;
  h.Add(data.data(), data.size());
  uint8_t d[kSha256Size];
  h.Finish(d);
  return std::string(reinterpret_cast<const char*>(d), sizeof d);
}

class CTestCrypto : public IReleaseCrypto {
 public:
  std::unique_ptr<ISha256> NewSha256() override { return std::unique_ptr<ISha256>(new CTestDigest); }
  bool VerifyP256(const uint8_t key[kP256KeySize], const uint8_t digest[kSha256Size],
                  const uint8_t signature[kP256SignatureSize]) override {
    return std::memcmp(signature, digest, 32) == 0 && std::memcmp(signature + 32, key, 32) == 0;
  }
};

// The DER form of a raw r || s (the form openssl writes).
inline std::string DerFromRaw(const uint8_t raw[kP256SignatureSize]) {
  std::string body;
  for (const uint8_t* v : {raw, raw + 32}) {
    size_t i = 0;
    while (i < 31 && v[i] == 0) ++i;
    std::string n(reinterpret_cast<const char*>(v + i), 32 - i);
    if (v[i] & 0x80) n.insert(0, 1, '\0');
    body += '\x02' + std::string(1, static_cast<char>(n.size())) + n;
  }
  return std::string("\x30", 1) + static_cast<char>(body.size()) + body;
}

// The stand-in signature of `message` under `key`, DER-encoded.
inline std::string TestSign(const std::string& message, const uint8_t key[kP256KeySize]) {
  uint8_t raw[kP256SignatureSize];
  std::memcpy(raw, DigestOf(message).data(), 32);
  std::memcpy(raw + 32, key, 32);
  return DerFromRaw(raw);
}

#endif
