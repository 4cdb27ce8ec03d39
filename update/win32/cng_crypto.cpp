#include "update/win32/cng_crypto.h"

#include <cstring>
#include <vector>

namespace {

bool Ok(NTSTATUS status) { return status >= 0; }

class CCngSha256 : public ISha256 {
 public:
  CCngSha256(BCRYPT_ALG_HANDLE alg, DWORD objectSize) : m_object(objectSize) {
    // Windows Vista wants the hash object's memory from the caller.
    if (!Ok(BCryptCreateHash(alg, &m_hash, m_object.data(), static_cast<ULONG>(m_object.size()), nullptr, 0, 0)))
      m_hash = nullptr;
    m_ok = m_hash != nullptr;
  }
  ~CCngSha256() override {
    if (m_hash) BCryptDestroyHash(m_hash);
  }
  void Add(const void* data, size_t n) override {
    // BCryptHashData takes at most 4 GiB - 1 at once.
    const UCHAR* p = static_cast<const UCHAR*>(data);
    while (m_ok && n > 0) {
      ULONG k = n > 0x40000000 ? 0x40000000 : static_cast<ULONG>(n);
      m_ok = Ok(BCryptHashData(m_hash, const_cast<UCHAR*>(p), k, 0));
      p += k, n -= k;
    }
  }
  bool Finish(uint8_t digest[kSha256Size]) override {
    return m_ok && Ok(BCryptFinishHash(m_hash, digest, kSha256Size, 0));
  }
  bool Usable() const { return m_hash != nullptr; }

 private:
  std::vector<UCHAR> m_object;
  BCRYPT_HASH_HANDLE m_hash = nullptr;
  bool m_ok = false;
};

}  // namespace

CCngCrypto::CCngCrypto() {
  DWORD size = 0;
  ULONG got = 0;
  if (Ok(BCryptOpenAlgorithmProvider(&m_sha, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) &&
      Ok(BCryptGetProperty(m_sha, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&size), sizeof size, &got, 0))) {
    m_hashObjectSize = size;
  } else if (m_sha) {
    BCryptCloseAlgorithmProvider(m_sha, 0);
    m_sha = nullptr;
  }
  if (!Ok(BCryptOpenAlgorithmProvider(&m_ecdsa, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0))) m_ecdsa = nullptr;
}

CCngCrypto::~CCngCrypto() {
  if (m_sha) BCryptCloseAlgorithmProvider(m_sha, 0);
  if (m_ecdsa) BCryptCloseAlgorithmProvider(m_ecdsa, 0);
}

std::unique_ptr<ISha256> CCngCrypto::NewSha256() {
  if (!m_sha) return nullptr;
  std::unique_ptr<CCngSha256> hash(new CCngSha256(m_sha, m_hashObjectSize));
  if (!hash->Usable()) return nullptr;
  return std::unique_ptr<ISha256>(hash.release());
}

bool CCngCrypto::VerifyP256(const uint8_t key[kP256KeySize], const uint8_t digest[kSha256Size],
                            const uint8_t signature[kP256SignatureSize]) {
  if (!m_ecdsa) return false;
  UCHAR blob[sizeof(BCRYPT_ECCKEY_BLOB) + kP256KeySize];
  BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
  std::memcpy(blob, &header, sizeof header);
  std::memcpy(blob + sizeof header, key, kP256KeySize);
  BCRYPT_KEY_HANDLE handle = nullptr;
  if (!Ok(BCryptImportKeyPair(m_ecdsa, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle, blob, sizeof blob, 0))) return false;
  UCHAR hash[kSha256Size], sig[kP256SignatureSize];
  std::memcpy(hash, digest, sizeof hash);
  std::memcpy(sig, signature, sizeof sig);
  bool valid = BCryptVerifySignature(handle, nullptr, hash, sizeof hash, sig, sizeof sig, 0) == 0;
  BCryptDestroyKey(handle);
  return valid;
}
