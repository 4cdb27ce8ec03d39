#include "update/release_manifest.h"

#include <cstring>

#include "update/update_rules.h"

const char kManifestObject[] = "mirelka/update_manifest.txt";
const char kSignatureObject[] = "mirelka/update_manifest.sig";
const char kVersionVariable[] = "MIRELKA_VERSION";

namespace {

const char kManifestTitle[] = "Mirelka update manifest";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;  // upper case is not the manifest's form
}

// Digits, optionally a dot and more digits: the versions the vendor
// publishes, read the same way as the version file.
bool IsVersionText(const std::string& v) {
  size_t i = 0;
  while (i < v.size() && IsDigit(v[i])) ++i;
  if (i == 0 || i > 9) return false;
  if (i == v.size()) return true;
  if (v[i] != '.') return false;
  size_t f = ++i;
  while (i < v.size() && IsDigit(v[i])) ++i;
  return i == v.size() && i > f && i - f <= 9;
}

// "<size> <hash> <name>" after "file ".
bool ParseFileLine(const std::string& rest, ReleaseFile& file) {
  size_t i = 0;
  while (i < rest.size() && IsDigit(rest[i])) ++i;
  // A size of up to 15 digits: far beyond any file, and no overflow.
  if (i == 0 || i > 15 || (i > 1 && rest[0] == '0') || i >= rest.size() || rest[i] != ' ') return false;
  file.size = 0;
  for (size_t k = 0; k < i; ++k) file.size = file.size * 10 + static_cast<uint64_t>(rest[k] - '0');
  size_t h = i + 1;
  if (rest.size() < h + 2 * kSha256Size + 1 || rest[h + 2 * kSha256Size] != ' ') return false;
  for (size_t k = 0; k < kSha256Size; ++k) {
    int hi = HexValue(rest[h + 2 * k]), lo = HexValue(rest[h + 2 * k + 1]);
    if (hi < 0 || lo < 0) return false;
    file.sha256[k] = static_cast<uint8_t>(hi << 4 | lo);
  }
  file.name = rest.substr(h + 2 * kSha256Size + 1);
  return file.name.find('\0') == std::string::npos && IsSafeUpdateName(file.name.c_str());
}

// One DER INTEGER at der[pos] into 32 big-endian bytes; pos moves past it.
bool DerInteger(const std::string& der, size_t& pos, uint8_t out[32]) {
  if (pos + 2 > der.size() || static_cast<uint8_t>(der[pos]) != 0x02) return false;
  const size_t length = static_cast<uint8_t>(der[pos + 1]);
  size_t n = length;
  size_t start = pos + 2;
  if (n == 0 || n > 33 || start + n > der.size()) return false;
  const uint8_t* v = reinterpret_cast<const uint8_t*>(der.data()) + start;
  if (v[0] & 0x80) return false;                          // negative
  if (n > 1 && v[0] == 0 && !(v[1] & 0x80)) return false;  // not minimal
  if (n == 33) {
    if (v[0] != 0) return false;  // 2^256 or more
    ++v, --n;
  }
  std::memset(out, 0, 32);
  std::memcpy(out + 32 - n, v, n);
  bool zero = true;
  for (size_t k = 0; k < 32; ++k) zero = zero && out[k] == 0;
  pos = start + length;
  return !zero;
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (IsDigit(c)) return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

// The bytes of base64 text; blanks and line ends are skipped, '=' ends it.
bool Base64Decode(const std::string& text, std::string& out) {
  out.clear();
  uint32_t bits = 0;
  int count = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] != '='; ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
    int v = Base64Value(c);
    if (v < 0) return false;
    bits = bits << 6 | static_cast<uint32_t>(v);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out.push_back(static_cast<char>((bits >> count) & 0xFF));
    }
  }
  for (; i < text.size(); ++i)
    if (text[i] != '=' && text[i] != '\r' && text[i] != '\n' && text[i] != ' ' && text[i] != '\t') return false;
  return true;
}

std::string Hex(const uint8_t* bytes, size_t n) {
  static const char kHex[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; ++i) s += {kHex[bytes[i] >> 4], kHex[bytes[i] & 15]};
  return s;
}

}  // namespace

bool ParseManifest(const std::string& text, ReleaseManifest& out) {
  out = ReleaseManifest();
  ReleaseManifest m;
  size_t pos = 0;
  int line = 0;
  while (pos < text.size()) {
    size_t lf = text.find('\n', pos);
    if (lf == std::string::npos) return false;  // every line is ended
    std::string s = text.substr(pos, lf - pos);
    pos = lf + 1;
    if (!s.empty() && s.back() == '\r') s.pop_back();
    if (line == 0) {
      if (s != kManifestTitle) return false;
    } else if (line == 1) {
      if (s.compare(0, 8, "version ") != 0 || !IsVersionText(s.substr(8))) return false;
      m.version = s.substr(8);
    } else {
      ReleaseFile file;
      if (s.compare(0, 5, "file ") != 0 || !ParseFileLine(s.substr(5), file)) return false;
      for (const ReleaseFile& earlier : m.files)
        if (SameUpdateName(earlier.name, file.name)) return false;
      m.files.push_back(file);
    }
    ++line;
  }
  if (m.files.empty()) return false;
  out = std::move(m);
  return true;
}

bool SignatureFromDer(const std::string& der, uint8_t raw[kP256SignatureSize]) {
  // SEQUENCE with a short-form length (a P-256 signature is at most 72
  // bytes, so DER never uses the long form for it).
  if (der.size() < 2 || static_cast<uint8_t>(der[0]) != 0x30 || static_cast<uint8_t>(der[1]) >= 0x80 ||
      static_cast<size_t>(der[1]) + 2 != der.size()) {
    return false;
  }
  size_t pos = 2;
  uint8_t r[32], s[32];
  if (!DerInteger(der, pos, r) || !DerInteger(der, pos, s) || pos != der.size()) return false;
  std::memcpy(raw, r, 32);
  std::memcpy(raw + 32, s, 32);
  return true;
}

bool PublicKeyFromPem(const std::string& pem, uint8_t key[kP256KeySize]) {
  static const char kBegin[] = "-----BEGIN PUBLIC KEY-----";
  static const char kEnd[] = "-----END PUBLIC KEY-----";
  // SubjectPublicKeyInfo of id-ecPublicKey on prime256v1, up to the point.
  static const uint8_t kPrefix[] = {0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x02, 0x01,
                                    0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00,
                                    0x04};
  size_t begin = pem.find(kBegin);
  if (begin == std::string::npos) return false;
  begin += sizeof kBegin - 1;
  size_t end = pem.find(kEnd, begin);
  std::string der;
  if (end == std::string::npos || !Base64Decode(pem.substr(begin, end - begin), der)) return false;
  if (der.size() != sizeof kPrefix + kP256KeySize || std::memcmp(der.data(), kPrefix, sizeof kPrefix) != 0) return false;
  std::memcpy(key, der.data() + sizeof kPrefix, kP256KeySize);
  return true;
}

std::string CheckRelease(IReleaseCrypto& crypto, const uint8_t key[kP256KeySize], const std::string& manifest,
                         const std::string& signature, const std::vector<std::string>& listNames,
                         const char* installedVersion, std::vector<ReleaseFile>& expected) {
  expected.clear();
  uint8_t raw[kP256SignatureSize];
  if (!SignatureFromDer(signature, raw)) return "bad signature: not an ECDSA signature";
  std::unique_ptr<ISha256> hash = crypto.NewSha256();
  uint8_t digest[kSha256Size];
  if (!hash) return "bad signature: no SHA-256";
  hash->Add(manifest.data(), manifest.size());
  if (!hash->Finish(digest) || !crypto.VerifyP256(key, digest, raw)) return "bad signature";
  ReleaseManifest m;
  if (!ParseManifest(manifest, m)) return "signed manifest does not read";
  std::vector<ReleaseFile> inOrder;
  for (const std::string& name : listNames) {
    const ReleaseFile* found = nullptr;
    for (const ReleaseFile& f : m.files)
      if (f.name == name) found = &f;
    if (!found) return "name mismatch: the list names " + name + ", the manifest does not";
    inOrder.push_back(*found);
  }
  // Every list name was found and neither side repeats a name, so equal
  // counts mean equal sets.
  if (m.files.size() != listNames.size()) return "name mismatch: the manifest names files the list does not";
  if (!(LeadingNumber(m.version.c_str()) > LeadingNumber(installedVersion)))
    return "older version: the manifest's " + m.version + " is not above the installed " + installedVersion;
  expected.swap(inOrder);
  return std::string();
}

std::string InstalledVersion(const char* reported) {
  if (reported && IsVersionText(reported) && LeadingNumber(reported) > LeadingNumber(kOwnVersion)) return reported;
  return kOwnVersion;
}

std::string DigestText(const uint8_t digest[kSha256Size]) { return Hex(digest, kSha256Size); }
