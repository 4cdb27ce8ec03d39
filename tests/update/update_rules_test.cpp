// The update's rules apart from the updater's run: downloads, the version
// check, command lines, the list's names, the signed manifest.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/http.h"
#include "support/fake_http.h"
#include "support/test_crypto.h"
#include "update/release_manifest.h"
#include "update/update_rules.h"

namespace {

struct Sink : IDownloadSink {
  std::string bytes;
  size_t refuseAt = SIZE_MAX;  // writing past this many bytes fails
  bool Write(const void* d, size_t n) override {
    return bytes.size() + n <= refuseAt && (bytes.append(static_cast<const char*>(d), n), true);
  }
  void Progress(uint64_t, uint64_t) override {}
  bool Cancelled() override { return false; }
};

// Download faults the end-to-end runs do not serve (they serve a missing
// file, a short body, no length and a cancel): a longer body than announced,
// a failed write, a failed query or read; and a file of no bytes is a file.
TEST(HttpDownload, OnlyAWholeFileWithA2xxAnswerAndItsLengthSucceeds) {
  // announced length, refuse writes at, result
  struct Case { int64_t announced; size_t refuseAt; int want; } cases[] = {
      {9999, SIZE_MAX, kDownloadFailed}, {-1, 6000, kDownloadFailed}, {0, SIZE_MAX, kDownloadOk}};
  for (const Case& c : cases) {
    CFakeHttpClient server;
    server.objects["f"] = {c.announced == 0 ? "" : std::string(10000, 'q'), 200, true, c.announced, 4096, -1};
    Sink sink;
    sink.refuseAt = c.refuseAt;
    EXPECT_EQ(c.want, HttpDownload(server, kAgentUpdate, "h", 80, "f", sink)) << c.announced << " " << c.refuseAt;
  }
  // Any failed query or read but the last (which finds the end anyway) fails.
  CFakeHttpClient server;
  server.objects["f"].body = std::string(9000, 'z');
  for (HttpOp op : {HttpOp::Get, HttpOp::Available, HttpOp::Read})
    for (unsigned n = 1;; ++n) {
      CFaultHttpClient shim(server);
      shim.FailAt(op, n);
      Sink sink;
      int rc = HttpDownload(shim, kAgentUpdate, "h", 80, "f", sink);
      if (!shim.Fired()) break;
      EXPECT_TRUE(rc == kDownloadFailed || (rc == kDownloadOk && sink.bytes == server.objects["f"].body))
          << int(op) << " " << n;
    }
  EXPECT_STREQ("u/a%20b%25%23%3F%C7%5C.txt", HttpEscapePath("u/a b%#?\xC7\x5C.txt").GetBuffer());
}

// Only a strictly higher number within the first 1024 bytes is an update.
TEST(UpdateCheck, OnlyAStrictlyHigherNumberIsAnUpdate) {
  const std::pair<std::string, int> cases[] = {
      {" 1.0 \r\n", 0}, {"1.01", 1}, {"<html>404</html>", 0}, {"nan", 0}, {std::string(1022, ' ') + "1.5", 0},
      {std::string(1021, ' ') + "1.5", 1}};
  for (const auto& c : cases) {
    CFakeHttpClient server;
    server.objects["mirelka/update_ver.ini"].body = c.first;
    EXPECT_EQ(c.second, CheckForUpdate(server, "h", 80)) << "[" << c.first.substr(0, 40) << "]";
  }
}

// The end-to-end run starts update.exe with none, "mirelka" and "Mirelka x".
TEST(CommandLine, ArgumentsAreComparedWholeAndExactly) {
  EXPECT_STREQ("Files\\M\\update.exe Mirelka", CommandLineTail("C:\\Program Files\\M\\update.exe Mirelka"));
  EXPECT_STREQ("noupdate", CommandLineTail("C:\\M\\Mirelka.exe   noupdate"));
  EXPECT_FALSE(IsUpdaterArgument("Mirelka ") || IsNoUpdateArgument("NOUPDATE") || IsNoUpdateArgument("noupdate x"));
}

TEST(UpdateList, AnyUnsafeOrRepeatedNameRefusesTheWholeList) {
  std::vector<std::string> names;
  EXPECT_EQ(2, ParseUpdateList(CMyString("a.exe\r\n\r\n b .dll \r\n"), names));
  EXPECT_EQ((std::vector<std::string>{"a.exe", "b.dll"}), names);
  EXPECT_EQ(1, ParseUpdateList(CMyString("\xC7\x5C.txt\n"), names));  // a Hangul name whose trail byte is '\'
  const std::string bad[] = {
      "C:\\Windows\\evil.exe", "c:evil.exe", "/etc/passwd", "..\\evil.exe", "sub\\a.exe", "\\\\server\\share\\a.exe",
      "a.exe:stream", "..", "a.exe.", "nul.txt", "Com1", "CONOUT$", "a*.exe", "a|b", "\x01.exe", "UPDATE", "~old",
      "\xC7" /* a lead byte alone */, "A.EXE", std::string(260, 'n')};
  for (const std::string& name : bad) {
    EXPECT_EQ(-1, ParseUpdateList(CMyString(("a.exe\r\n" + name + "\r\n").c_str()), names)) << name;
    EXPECT_TRUE(names.empty()) << name;
  }
  EXPECT_EQ(-1, ParseUpdateList(CMyString(" \t\r\n\r\n"), names));
  // Names that only look like the refused ones.
  const std::string fines[] = {"console.exe", "COM10.txt", "update.exe", "a..b", std::string(259, 'n')};
  for (const std::string& fine : fines)
    EXPECT_EQ(1, ParseUpdateList(CMyString(fine.c_str()), names)) << fine;
}

const std::string kHash(64, 'a');
const std::string kHead = "Mirelka update manifest\r\nversion 1.1\r\n";

TEST(Manifest, ReadsOnlyTheVendorsForm) {
  ReleaseManifest m;
  ASSERT_TRUE(ParseManifest(kHead + "file 12 " + kHash + " a\r\nfile 0 " + kHash + " \xB5\xB5\xBF\xF2.txt\r\n", m));
  ASSERT_EQ(2u, m.files.size());
  EXPECT_TRUE(m.version == "1.1" && m.files[0].size == 12 && m.files[1].name == "\xB5\xB5\xBF\xF2.txt");
  EXPECT_EQ(kHash, DigestText(m.files[1].sha256));
  const std::string bad[] = {
      kHead + "file 012 " + kHash + " a.exe\r\n",                 // a leading zero
      kHead + "file 12 " + std::string(64, 'A') + " a\r\n",       // upper-case hex
      kHead + "file 12 " + kHash + " ..\\evil.exe\r\n",           // a name the list may not hold
      kHead + "file 12 " + kHash + " a\r\nfile 1 " + kHash + " A\r\n",  // the same file twice
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
      "3006020181020101",       // r negative
      "3026020101022101" "0000000000000000000000000000000000000000000000000000000000000000",  // s >= 2^256
  };
  uint8_t raw[64];
  for (const char* hex : bad) EXPECT_FALSE(SignatureFromDer(Hex(hex), raw)) << hex;
}

#ifdef MIRELKA_VENDOR_PUBLIC_KEY
// The key update.exe is built with reads: a broken one would refuse every release.
TEST(VendorKey, TheBuiltInKeyReads) {
  std::ifstream in(MIRELKA_VENDOR_PUBLIC_KEY, std::ios::binary);
  uint8_t key[64];
  const std::string pem((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(PublicKeyFromPem(pem, key)) << MIRELKA_VENDOR_PUBLIC_KEY;
}
#endif

// What Mirelka says only raises the bar above 1.0.
TEST(InstalledVersion, WhatMirelkaSaysOnlyRaisesTheBar) {
  EXPECT_EQ("12", InstalledVersion("12"));
  for (const char* low : {"0.9", "", "1.5 ", "1e9"}) EXPECT_EQ("1.0", InstalledVersion(low)) << low;
}

}  // namespace
