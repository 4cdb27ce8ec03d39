// CNG's SHA-256 and ECDSA P-256 under Wine, with keys and signatures made
// by openssl as the vendor makes them (DER, turned into r || s here).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "update/release_manifest.h"
#include "update/win32/cng_crypto.h"

namespace {

std::string Hex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

std::string Sha256(CCngCrypto& crypto, const std::string& data, size_t piece) {
  std::unique_ptr<ISha256> h = crypto.NewSha256();
  if (!h) return "no hash";
  for (size_t i = 0; i < data.size(); i += piece) h->Add(data.data() + i, std::min(piece, data.size() - i));
  uint8_t d[kSha256Size];
  return h->Finish(d) ? DigestText(d) : "failed";
}

TEST(CngCrypto, Sha256KnownAnswers) {
  CCngCrypto crypto;
  EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", Sha256(crypto, "", 1));
  EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", Sha256(crypto, "abc", 1));
  std::string million(1000000, 'a');
  for (size_t piece : {size_t(1000000), size_t(4096), size_t(63)})
    EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", Sha256(crypto, million, piece));
}

const char kKey[] =
    "-----BEGIN PUBLIC KEY-----\n"
    "MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEzzb3hK2d3T7FoVS4ATHHVCgBx0t3\n"
    "HYbSptveXbx5qOyCr1WAroddg44GccRHVr2J7KZCANyCXj1NtitSxLN+gg==\n"
    "-----END PUBLIC KEY-----\n";
const char kOtherKey[] =
    "-----BEGIN PUBLIC KEY-----\n"
    "MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEAOqGXWpqRaKcDfpokCkoLg3KQNOf\n"
    "ieeeLPZ40ZwZHc6M72g/aBBimSAxeQULmT/X/VZd0FYrpE/JmycGx+PGbQ==\n"
    "-----END PUBLIC KEY-----\n";
const char kMessage[] = "Mirelka update manifest\r\nversion 1.1\r\n";
// Signatures of kMessage: two by kKey (r of 33 and of 31 DER bytes), one by
// kOtherKey.
const char* const kByKey[] = {
    "3045022100dd9a9ad32fba2c2b9caffd75475455778684c2b901b85018fbcf072c75972f2e"
    "02204a9b58488e4d101681470344ac9239c51885cab85954d66d94c3bce25b21d24b",
    "3043021f43671e895c20666fed033dccbe8aefecb142ae10d3a5c777a2bbdaba7f3fdf"
    "02206895e3897458c153b8161c78631278b9c4c241deec935d2f92b170f4058a885d",
};
const char kByOtherKey[] =
    "3046022100f3f9530e3abf20646a4838755d441da828c927e74f23f6fd1a8849f46645dbcf"
    "022100f4d635b5d91ae11073574f571511a6f9ca6cf3f450e3525760b5c4fdf5e2a19e";

bool Verifies(CCngCrypto& crypto, const char* pem, const std::string& message, const std::string& der,
              int flipBit = -1) {
  uint8_t key[kP256KeySize], sig[kP256SignatureSize], digest[kSha256Size];
  if (!PublicKeyFromPem(pem, key) || !SignatureFromDer(der, sig)) return false;
  if (flipBit >= 0) sig[flipBit / 8] ^= static_cast<uint8_t>(1 << (flipBit % 8));
  std::unique_ptr<ISha256> h = crypto.NewSha256();
  h->Add(message.data(), message.size());
  return h->Finish(digest) && crypto.VerifyP256(key, digest, sig);
}

TEST(CngCrypto, OnlyTheKeysOwnSignatureOfTheSameBytesVerifies) {
  CCngCrypto crypto;
  for (const char* sig : kByKey) {
    EXPECT_TRUE(Verifies(crypto, kKey, kMessage, Hex(sig))) << sig;
    EXPECT_FALSE(Verifies(crypto, kOtherKey, kMessage, Hex(sig))) << sig;
    EXPECT_FALSE(Verifies(crypto, kKey, std::string(kMessage) + " ", Hex(sig))) << sig;
    for (int bit : {0, 255, 256, 511}) EXPECT_FALSE(Verifies(crypto, kKey, kMessage, Hex(sig), bit)) << bit;
  }
  EXPECT_TRUE(Verifies(crypto, kOtherKey, kMessage, Hex(kByOtherKey)));
  EXPECT_FALSE(Verifies(crypto, kKey, kMessage, Hex(kByOtherKey)));
  // A point that is not on the curve is no key.
  uint8_t key[kP256KeySize] = {1}, sig[kP256SignatureSize], digest[kSha256Size] = {};
  ASSERT_TRUE(SignatureFromDer(Hex(kByKey[0]), sig));
  EXPECT_FALSE(crypto.VerifyP256(key, digest, sig));
}

}  // namespace
