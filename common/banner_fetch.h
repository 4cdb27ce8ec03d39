// The banner's network side, the same for Trisel and Mirelka: the names of
// the banner objects on the vendor's server and beside the program, the set-up
// text the banner window takes, and the work of the two banner threads (the
// text for the text box, the link, and the picture download).
#ifndef MIRELKA_COMMON_BANNER_FETCH_H
#define MIRELKA_COMMON_BANNER_FETCH_H

#include <cstdint>
#include <functional>

#include "common/filesystem.h"
#include "common/http.h"
#include "common/mystring.h"
#include "common/vendor.h"

struct BannerObjects {
  const char* textPath;     // on the server, e.g. "mirelka/banner.txt"
  const char* linkPath;     // "mirelka/banner_link.ini"
  const char* picturePath;  // "mirelka/banner.gif"
  const char* picture;      // the downloaded picture in the program folder
  const char* shipped;      // the picture shipped with the program
};

extern const BannerObjects kMirelkaBanner;
extern const BannerObjects kTriselEncryptBanner;  // Trisel -e
extern const BannerObjects kTriselDecryptBanner;  // Trisel in its other mode

// The set-up text of the program's start: the shipped picture as picture and
// fallback, and `link` ("banner_ori.gif|banner_ori.gif|http://.../|").
CMyString BannerStartText(const BannerObjects& objects, const char* link);

// A set-up text's three "|"-ended fields. The names keep at most 255 bytes,
// the link at most 1023; a missing field is empty.
struct BannerSetup {
  CMyString picture, fallback, link;
};
BannerSetup ParseBannerSetup(const char* text);

// The text box's text: a line break, then the vendor's text (at most 1024
// bytes; nothing when the server cannot be reached), with CR LF line ends.
CMyString FetchBannerText(IHttpClient& http, const VendorServer& server, const BannerObjects& objects);

// The address a click opens: the link file without blanks, tabs and line
// breaks, or the home page when it cannot be fetched or holds no http:// or
// https:// address (an error page, a path to a program).
CMyString FetchBannerLink(IHttpClient& http, const VendorServer& server, const BannerObjects& objects);

// The picture thread's work before the banner is set up again. It asks the
// server for the picture and compares the announced length with the file
// in `folder` (which ends with a separator):
//   - no file: download when a length is announced;
//   - a file of another size: download;
//   - a file of that size: show it, unless it is the picture on display
//     (|shownSize| bytes).
// A download replaces the file and is kept only when the answer has a 2xx
// status and brings exactly the announced bytes; otherwise, or when
// `stopRequested` says so between chunks, the file is removed, so neither an
// error page nor a cut file is ever taken for the picture.
// Returns true when the banner should be set up with the file.
bool FetchBannerPicture(IHttpClient& http, IFileSystem& fs, const VendorServer& server,
                        const char* folder, const BannerObjects& objects, int32_t shownSize,
                        const std::function<bool()>& stopRequested);

#endif
