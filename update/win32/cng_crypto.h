// The updater's cryptography on Windows: SHA-256 and ECDSA P-256 from CNG
// (bcrypt.dll, Windows Vista and later).
#ifndef MIRELKA_UPDATE_WIN32_CNG_CRYPTO_H
#define MIRELKA_UPDATE_WIN32_CNG_CRYPTO_H

#include <windows.h>

#include <bcrypt.h>

#include "update/release_crypto.h"

class CCngCrypto : public IReleaseCrypto {
 public:
  CCngCrypto();
  ~CCngCrypto() override;
  CCngCrypto(const CCngCrypto&) = delete;
  CCngCrypto& operator=(const CCngCrypto&) = delete;

  std::unique_ptr<ISha256> NewSha256() override;
  bool VerifyP256(const uint8_t key[kP256KeySize], const uint8_t digest[kSha256Size],
                  const uint8_t signature[kP256SignatureSize]) override;

 private:
  BCRYPT_ALG_HANDLE m_sha = nullptr;
  BCRYPT_ALG_HANDLE m_ecdsa = nullptr;
  DWORD m_hashObjectSize = 0;
};

#endif
