#include "filecipher/set_property.h"

#include <string>

CTSSubSetProperty::CTSSubSetProperty(IFileSystem& fs, const char* srcPath,
                                     const char* resultPath, const CMyMessage& message)
    : m_fs(fs), m_srcPath(srcPath), m_resultPath(resultPath), m_message(message) {}

void CTSSubSetProperty::SetProperty(const char* szModifyTime, uint32_t dwAttr, const char*,
                                    uint32_t) {
  if (!m_resultPath || !*m_resultPath) return;
  int64_t t = ParseModifyTime(szModifyTime);
  if (t == -1 || m_fs.SetTime(m_resultPath, static_cast<time_t>(t)) != 0) {
    std::string message = std::string("파일 modify time 쓰기에 실패했습니다.") + "(" +
                          szModifyTime + ")";
    m_message.Report("경고", "CTSSubSetProperty::SetFileTime, utime(), 0", message.c_str(),
                     m_srcPath, kReportLogOnly);
  }
  if (!m_fs.SetAttributes(m_resultPath, dwAttr))
    m_message.Report("경고", "CTSSubSetProperty::SetAttribute, SetFileAttributes(), 0",
                     "파일 attribute 쓰기에 실패했습니다.", m_resultPath, kReportLogOnly);
}
