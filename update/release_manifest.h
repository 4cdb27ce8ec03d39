// The vendor's signed account of a release, and the checks update.exe
// makes with it before it installs anything.
//
// Beside the version and the file list the vendor's server holds
//   mirelka/update_manifest.txt   the manifest (text, CP949, CR LF):
//       Mirelka update manifest
//       version 1.1
//       file <size in bytes> <SHA-256, 64 lower-case hex digits> <name>
//       file ...                       (one line for each file of the list)
//   mirelka/update_manifest.sig   ECDSA P-256 over the SHA-256 of the
//                                 manifest's bytes, DER-encoded (what
//                                 `openssl dgst -sha256 -sign` writes)
// made by scripts/publish-update with the vendor's private key. The public
// key is compiled into update.exe.
#ifndef MIRELKA_UPDATE_RELEASE_MANIFEST_H
#define MIRELKA_UPDATE_RELEASE_MANIFEST_H

#include <cstdint>
#include <string>
#include <vector>

#include "update/release_crypto.h"

extern const char kManifestObject[];   // "mirelka/update_manifest.txt"
extern const char kSignatureObject[];  // "mirelka/update_manifest.sig"
// The largest manifest and signature fetched: a list of 1024 bytes names
// at most 512 files, whose lines take well under 64 KiB; a DER signature
// of P-256 takes at most 72 bytes.
enum : uint32_t { kManifestLimit = 65536, kSignatureLimit = 256 };

struct ReleaseFile {
  std::string name;
  uint64_t size = 0;
  uint8_t sha256[kSha256Size] = {};
};

struct ReleaseManifest {
  std::string version;  // digits, optionally a dot and more digits
  std::vector<ReleaseFile> files;
};

// Reads a manifest of the form above, strictly: the first line, then one
// version line, then at least one file line, each line ended by LF or
// CR LF, nothing else. A name must be one the file list may hold
// (IsSafeUpdateName) and appear once (letter case aside). False, with `out`
// empty, for anything else.
bool ParseManifest(const std::string& text, ReleaseManifest& out);

// The r and s of a DER-encoded ECDSA signature (SEQUENCE of two positive
// INTEGERs, minimally encoded, each below 2^256) as 64 bytes r || s, the
// form the platform's verifier takes. False for anything else.
bool SignatureFromDer(const std::string& der, uint8_t raw[kP256SignatureSize]);

// The P-256 public key of a PEM "PUBLIC KEY" block (what `openssl ec
// -pubout` writes: an uncompressed point on prime256v1) as X || Y. False
// for another curve, a compressed point or anything else.
bool PublicKeyFromPem(const std::string& pem, uint8_t key[kP256KeySize]);

// Mirelka tells the updater it starts which version it is, in the
// environment variable named kVersionVariable ("MIRELKA_VERSION"): the
// updater itself comes with the installer and is never replaced by an
// update, so its own version may be older than the installed programs'.
extern const char kVersionVariable[];
// The version a release must be above: `reported` (the variable's value,
// or null) when it is a version number higher than the updater's own
// kOwnVersion, otherwise kOwnVersion. A value can raise the bar, never
// lower it.
std::string InstalledVersion(const char* reported);

// A digest as 64 lower-case hex digits, as the manifest writes it.
std::string DigestText(const uint8_t digest[kSha256Size]);

// The checks made once the list, the manifest and its signature are here,
// before anything is downloaded, in this order: the signature verifies
// with `key`; the manifest reads; its names are exactly the list's names
// (byte for byte, none left out, none added); its version is higher than
// `installedVersion`. Empty when all hold, with `expected` = the manifest's
// entry for each list name, in list order; otherwise why not, for the
// debug trace.
std::string CheckRelease(IReleaseCrypto& crypto, const uint8_t key[kP256KeySize], const std::string& manifest,
                         const std::string& signature, const std::vector<std::string>& listNames,
                         const char* installedVersion, std::vector<ReleaseFile>& expected);

#endif
