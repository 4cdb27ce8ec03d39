// What the updater needs from the platform's cryptography to trust a
// release: SHA-256, and ECDSA over the NIST P-256 curve. On Windows both
// come from CNG (win32/cng_crypto.h); the unit tests put a small stand-in
// digest and verifier in its place.
#ifndef MIRELKA_UPDATE_RELEASE_CRYPTO_H
#define MIRELKA_UPDATE_RELEASE_CRYPTO_H

#include <cstddef>
#include <cstdint>
#include <memory>

enum : size_t {
  kSha256Size = 32,
  kP256KeySize = 64,        // the public point: X then Y, 32 bytes each, big-endian
  kP256SignatureSize = 64,  // r then s, 32 bytes each, big-endian
};

// One SHA-256 computation: Add the bytes in order, then Finish once.
class ISha256 {
 public:
  virtual ~ISha256() = default;
  virtual void Add(const void* data, size_t n) = 0;
  // The digest; false when the computation failed (the digest is then
  // unusable and must count as a mismatch).
  virtual bool Finish(uint8_t digest[kSha256Size]) = 0;
};

class IReleaseCrypto {
 public:
  virtual ~IReleaseCrypto() = default;
  // A fresh SHA-256, or null when the platform has none.
  virtual std::unique_ptr<ISha256> NewSha256() = 0;
  // Whether `signature` is a valid ECDSA P-256 signature of `digest` (a
  // SHA-256) under the public key `key`. Any failure of the platform's
  // library counts as an invalid signature.
  virtual bool VerifyP256(const uint8_t key[kP256KeySize], const uint8_t digest[kSha256Size],
                          const uint8_t signature[kP256SignatureSize]) = 0;
};

#endif
