// Stand-ins for the updater's cryptography in tests that run anywhere: a
// portable SHA-256, and a "signature" that is the digest followed by the
// first half of the key, so a test can tell a changed manifest and another
// key from a good one without ECDSA. The real ECDSA check runs under Wine
// (tests/update/win32).
#ifndef MIRELKA_TESTS_SUPPORT_TEST_CRYPTO_H
#define MIRELKA_TESTS_SUPPORT_TEST_CRYPTO_H

#include <string>

#include "update/release_crypto.h"

class CTestSha256 : public ISha256 {
 public:
  CTestSha256();
  void Add(const void* data, size_t n) override;
  bool Finish(uint8_t digest[kSha256Size]) override;

 private:
  void Block(const uint8_t* p);
  uint32_t m_h[8];
  uint8_t m_buf[64];
  size_t m_fill = 0;
  uint64_t m_total = 0;
};

std::string Sha256Of(const std::string& data);  // the 32 bytes

class CTestCrypto : public IReleaseCrypto {
 public:
  std::unique_ptr<ISha256> NewSha256() override { return std::unique_ptr<ISha256>(new CTestSha256); }
  bool VerifyP256(const uint8_t key[kP256KeySize], const uint8_t digest[kSha256Size],
                  const uint8_t signature[kP256SignatureSize]) override;
};

// The DER form of a raw r || s (the form openssl writes).
std::string DerFromRaw(const uint8_t raw[kP256SignatureSize]);
// The stand-in signature of `message` under `key`, DER-encoded.
std::string TestSign(const std::string& message, const uint8_t key[kP256KeySize]);

#endif
