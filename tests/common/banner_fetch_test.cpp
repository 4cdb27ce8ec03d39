#include "common/banner_fetch.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_http.h"
#include "support/memory_fs.h"

namespace {

std::string Str(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }

VendorServer Server() {
  VendorServer server;
  ParseVendorServer("127.0.0.1:8123", server);
  return server;
}

// The ways the picture thread can find the server and the program folder
// that the end-to-end run does not meet (it meets a picture of another size,
// one of the same size on display, the error page, the stop and the missing
// server).
TEST(BannerPicture, DownloadsOnlyWhatIsNewAndKeepsOnlyWholePictures) {
  const std::string kOld = "old picture", kNew = "the new picture";
  struct Row {
    const char* name;
    const char* file;   // the picture beside the program; null: none
    FakeObject object;  // the server's picture
    int32_t shown;      // size of the picture on display
    bool show;
    const char* after;  // the file afterwards; null: none
  } rows[] = {
      {"no file, no length", nullptr, {kNew, 200, false}, 900, false, nullptr},
      {"file, no length", kOld.c_str(), {kNew, 200, false}, 900, false, kOld.c_str()},
      {"same size, not on display", "same size here.", {kNew}, 900, true, "same size here."},
      {"same size, nothing on display", "same size here.", {kNew}, -1, true, "same size here."},
      {"body cut short", nullptr, {kNew, 200, true, 99}, 900, false, nullptr},
      {"connection breaks", kOld.c_str(), {kNew, 200, true, -1, 4, 6}, 900, false, nullptr},
  };
  const std::string kPath = "C:\\prog\\banner_en.gif";
  for (const Row& r : rows) {
    CFakeHttpClient http;
    http.objects["mirelka/banner_en.gif"] = r.object;
    CMemoryFileSystem fs;
    fs.AddFolder("C:\\prog");
    if (r.file) fs.AddFile(kPath, r.file);
    EXPECT_EQ(FetchBannerPicture(http, fs, Server(), "C:\\prog\\", kTriselEncryptBanner, r.shown,
                                 [] { return false; }),
              r.show)
        << r.name;
    EXPECT_EQ(fs.Exists(kPath) ? fs.Contents(kPath) : "(none)", r.after ? r.after : "(none)") << r.name;
    EXPECT_EQ(fs.OpenFiles(), 0) << r.name;
    EXPECT_TRUE(http.requests.size() == 1 && http.requests[0].agent == "GETDOWNBNR") << r.name;
  }
}

// The end-to-end run meets the text with its line ends, a link with blanks
// around it, and no server at all.
TEST(BannerText, TextLinkAndSetupFields) {
  CFakeHttpClient http;
  const VendorServer server = Server();
  // At most 1024 bytes of text after the line break, from a body that comes
  // in several pieces.
  http.objects["mirelka/banner_de.txt"].body = std::string(2000, 'x');
  http.objects["mirelka/banner_de.txt"].chunk = 700;
  EXPECT_EQ(FetchBannerText(http, server, kTriselDecryptBanner).GetLength(), 1026u);

  struct Link {
    const char* body;  // null: the server has no such file
    const char* want;  // null: the home page
  } links[] = {
      {"HTTPS://ads.example/x?a=1\t", "HTTPS://ads.example/x?a=1"},
      {"  \r\n", nullptr},
      {nullptr, nullptr},  // a 404 page
      {"C:\\Windows\\system32\\calc.exe", nullptr},
      {"file:///C:/x", nullptr},
      {"http://", nullptr},
  };
  for (const Link& l : links) {
    if (l.body) http.objects["mirelka/banner_link.ini"].body = l.body;
    else http.objects.erase("mirelka/banner_link.ini");
    EXPECT_EQ(Str(FetchBannerLink(http, server, kMirelkaBanner)), l.want ? l.want : "http://127.0.0.1:8123/")
        << (l.body ? l.body : "(404)");
  }

  const std::string longName(300, 'n'), longLink(1100, 'l');
  struct Setup {
    std::string text, picture, fallback, link;
  } setups[] = {
      {longName + "|" + longName + "|" + longLink + "|", longName.substr(0, 255), longName.substr(0, 255),
       longLink.substr(0, 1023)},
      {"only.gif", "only.gif", "", ""},
  };
  for (const Setup& s : setups) {
    const BannerSetup got = ParseBannerSetup(s.text.c_str());
    EXPECT_EQ(Str(got.picture) + "|" + Str(got.fallback) + "|" + Str(got.link), s.picture + "|" + s.fallback + "|" + s.link);
  }
}

}  // namespace
