#include "common/banner_fetch.h"

#include <cstring>
#include <memory>

const BannerObjects kMirelkaBanner = {"mirelka/banner.txt", "mirelka/banner_link.ini",
                                      "mirelka/banner.gif", "banner.gif", "banner_ori.gif"};
const BannerObjects kTriselEncryptBanner = {"mirelka/banner_en.txt", "mirelka/banner_link_en.ini",
                                            "mirelka/banner_en.gif", "banner_en.gif",
                                            "banner_ori_en.gif"};
const BannerObjects kTriselDecryptBanner = {"mirelka/banner_de.txt", "mirelka/banner_link_de.ini",
                                            "mirelka/banner_de.gif", "banner_de.gif",
                                            "banner_ori_de.gif"};

namespace {

constexpr uint32_t kTextLimit = 1024;

CMyString Field(const char*& p, uint32_t limit) {
  const char* end = std::strchr(p, '|');
  const size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
  CMyString field;
  field.AssignLeft(CMyString(p), n < limit ? static_cast<uint32_t>(n) : limit);
  p = end ? end + 1 : p + n;
  return field;
}

// Writes the download into the picture file.
class CFileSink : public IDownloadSink {
 public:
  CFileSink(IFile& file, const std::function<bool()>& stop) : m_file(file), m_stop(stop) {}
  bool Write(const void* data, size_t n) override { return m_file.Write(data, n) == n; }
  void Progress(uint64_t, uint64_t) override {}
  bool Cancelled() override { return m_stop && m_stop(); }

 private:
  IFile& m_file;
  const std::function<bool()>& m_stop;
};

}  // namespace

CMyString BannerStartText(const BannerObjects& objects, const char* link) {
  CMyString text(objects.shipped);
  text += "|";
  text += objects.shipped;
  text += "|";
  text += link;
  text += "|";
  return text;
}

BannerSetup ParseBannerSetup(const char* text) {
  BannerSetup setup;
  if (text == nullptr) return setup;
  const char* p = text;
  setup.picture = Field(p, 255);
  setup.fallback = Field(p, 255);
  setup.link = Field(p, 1023);
  return setup;
}

CMyString FetchBannerText(IHttpClient& http, const VendorServer& server, const BannerObjects& objects) {
  CMyString fetched;
  FetchWebText(http, server.host.GetBuffer(), server.port, objects.textPath, kTextLimit, fetched);
  CMyString text("\n");
  text += fetched;
  text.LfToCrLf();
  return text;
}

CMyString FetchBannerLink(IHttpClient& http, const VendorServer& server, const BannerObjects& objects) {
  CMyString link;
  if (FetchWebText(http, server.host.GetBuffer(), server.port, objects.linkPath, kTextLimit, link) != 0)
    return server.homePage;
  link.RemoveBlanks();
  // Only a web address: an error page, or a local program's path that the
  // shell would start, must never reach the browser's command line.
  CMyString scheme;
  scheme.AssignLeft(link, 8);
  scheme.MakeLower();
  const char* s = scheme.GetBuffer();
  const bool web = std::strncmp(s, "http://", 7) == 0 || std::strncmp(s, "https://", 8) == 0;
  return web && link.GetLength() > (s[4] == 's' ? 8u : 7u) ? link : server.homePage;
}

bool FetchBannerPicture(IHttpClient& http, IFileSystem& fs, const VendorServer& server,
                        const char* folder, const BannerObjects& objects, int32_t shownSize,
                        const std::function<bool()>& stopRequested) {
  std::unique_ptr<IHttpResponse> response =
      http.Get(kAgentBanner, server.host.GetBuffer(), server.port, objects.picturePath);
  if (!response) return false;
  uint64_t announced = 0;
  const bool hasLength = response->ContentLength(announced);

  CMyString path(folder);
  path += objects.picture;
  FileStat st;
  if (fs.Stat(path.GetBuffer(), st) == 0 && !st.isDir) {
    if (!hasLength) return false;
    if (st.size == announced) {
      const uint64_t shown = shownSize < 0 ? uint64_t(-int64_t{shownSize}) : uint64_t(shownSize);
      return st.size != shown;
    }
  } else if (!hasLength) {
    return false;
  }

  if (stopRequested && stopRequested()) return false;
  std::unique_ptr<IFile> file = fs.Open(path.GetBuffer(), "wb");
  if (!file) return false;
  CFileSink sink(*file, stopRequested);
  const int got = HttpReceive(*response, sink);
  const bool closed = file->Close() == 0;
  if (got == kDownloadOk && closed) return true;
  fs.Remove(path.GetBuffer());
  return false;
}
