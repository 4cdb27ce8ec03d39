#include "common/banner_fetch.h"

#include <gtest/gtest.h>

#include "support/fake_http.h"
#include "support/memory_fs.h"

namespace {

std::string Str(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }

VendorServer Server() {
  VendorServer server;
  ParseVendorServer("127.0.0.1:8123", server);
  return server;
}

// Only whole pictures are kept: a body without its length, one cut short and
// a broken connection leave the old file or none (the end-to-end run meets
// the other cases).
TEST(BannerPicture, KeepsOnlyWholePictures) {
  const std::string kOld = "old picture", kNew = "the new picture", kPath = "C:\\prog\\banner_en.gif";
  const struct { const char* file; FakeObject object; const char* after; } rows[] = {
      {kOld.c_str(), {kNew, 200, false}, kOld.c_str()},
      {nullptr, {kNew, 200, true, 99}, nullptr},
      {kOld.c_str(), {kNew, 200, true, -1, 4, 6}, nullptr},
  };
  for (const auto& r : rows) {
    CFakeHttpClient http;
    http.objects["mirelka/banner_en.gif"] = r.object;
    CMemoryFileSystem fs;
    fs.AddFolder("C:\\prog");
    if (r.file) fs.AddFile(kPath, r.file);
    EXPECT_FALSE(FetchBannerPicture(http, fs, Server(), "C:\\prog\\", kTriselEncryptBanner, 900, [] { return false; }));
    EXPECT_EQ(fs.Exists(kPath) ? fs.Contents(kPath) : "(none)", r.after ? r.after : "(none)");
    EXPECT_EQ(fs.OpenFiles(), 0);
  }
}

// At most 1024 bytes of text; a link that is no web address gives the home
// page; the setup fields are cut to their buffers.
TEST(BannerText, BoundsAndRefusedLinks) {
  CFakeHttpClient http;
  http.objects["mirelka/banner_de.txt"] = {std::string(2000, 'x'), 200, true, -1, 700};
  EXPECT_EQ(FetchBannerText(http, Server(), kTriselDecryptBanner).GetLength(), 1026u);
  for (const char* link : {"C:\\Windows\\system32\\calc.exe", "file:///C:/x", "http://"}) {
    http.objects["mirelka/banner_link.ini"].body = link;
    EXPECT_EQ(Str(FetchBannerLink(http, Server(), kMirelkaBanner)), "http://127.0.0.1:8123/") << link;
  }
  const std::string name(300, 'n'), link(1100, 'l');
  const BannerSetup got = ParseBannerSetup((name + "|" + name + "|" + link + "|").c_str());
  EXPECT_TRUE(got.picture.GetLength() == 255 && got.fallback.GetLength() == 255 && got.link.GetLength() == 1023);
}

}  // namespace
