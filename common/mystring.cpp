#include "common/mystring.h"

#include <cstdio>
#include <cstring>

namespace {

char* NewBlock(uint32_t length) {
  char* block = new char[static_cast<size_t>(length) + 1];
  std::memset(block, 0, static_cast<size_t>(length) + 1);
  return block;
}

// Decimal text of a 32-bit number, worked in a 21-byte scratch block.
CMyString DecimalText(int32_t number) {
  char scratch[21];
  std::snprintf(scratch, sizeof scratch, "%ld", static_cast<long>(number));
  return CMyString(scratch);
}

bool IsBlank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

}  // namespace

CMyString::CMyString() : m_data(NewBlock(0)), m_length(0) {}

CMyString::CMyString(const char* s) : m_data(nullptr), m_length(0) {
  uint32_t n = s ? static_cast<uint32_t>(std::strlen(s)) : 0;
  m_data = NewBlock(n);
  if (n) std::memcpy(m_data, s, n);
  m_length = n;
}

CMyString::CMyString(uint32_t n) : m_data(NewBlock(n)), m_length(n) {}

CMyString::CMyString(const CMyString& src) : m_data(NewBlock(src.m_length)), m_length(src.m_length) {
  if (m_length) std::memcpy(m_data, src.m_data, m_length);
}

CMyString::~CMyString() {
  delete[] m_data;
  m_data = nullptr;
  m_length = 0;
}

void CMyString::Replace(char* block, uint32_t length) {
  delete[] m_data;
  m_data = block;
  m_length = length;
  m_data[m_length] = 0;
}

CMyString& CMyString::operator=(CMyString src) {
  char* block = NewBlock(src.m_length);
  if (src.m_length) std::memcpy(block, src.m_data, src.m_length);
  Replace(block, src.m_length);
  return *this;
}

CMyString& CMyString::operator=(int32_t number) { return *this = DecimalText(number); }

CMyString& CMyString::operator+=(CMyString src) {
  uint32_t total = m_length + src.m_length;
  char* block = NewBlock(total);
  if (m_length) std::memcpy(block, m_data, m_length);
  if (src.m_length) std::memcpy(block + m_length, src.m_data, src.m_length);
  Replace(block, total);
  return *this;
}

CMyString& CMyString::operator+=(int32_t number) { return *this += DecimalText(number); }

void CMyString::AssignLeft(CMyString src, uint32_t n) {
  uint32_t keep = n < src.m_length ? n : src.m_length;
  char* block = NewBlock(keep);
  if (keep) std::memcpy(block, src.m_data, keep);
  Replace(block, keep);
}

char CMyString::GetAt(uint32_t i) const {
  if (i <= m_length) return m_data[i];
  return m_length ? m_data[m_length - 1] : m_data[0];
}

char& CMyString::ElementAt(uint32_t i) {
  if (i <= m_length) return m_data[i];
  return m_length ? m_data[m_length - 1] : m_data[0];
}

char* CMyString::AllocBuffer(uint32_t n) {
  Replace(NewBlock(n), n);
  return m_data;
}

void CMyString::Crop(uint32_t first, uint32_t last) {
  if (first > last || first >= m_length) return;
  if (last >= m_length) last = m_length - 1;
  uint32_t keep = last - first + 1;
  char* block = NewBlock(keep);
  std::memcpy(block, m_data + first, keep);
  Replace(block, keep);
}

void CMyString::MakeUpper() {
  for (uint32_t i = 0; i < m_length; ++i) {
    unsigned char c = static_cast<unsigned char>(m_data[i]);
    if (c >= 0x61 && c <= 0x7A) m_data[i] = static_cast<char>(c & ~0x20);
  }
}

void CMyString::MakeLower() {
  for (uint32_t i = 0; i < m_length; ++i) {
    unsigned char c = static_cast<unsigned char>(m_data[i]);
    if (c >= 0x41 && c <= 0x5A) m_data[i] = static_cast<char>(c | 0x20);
  }
}

void CMyString::RemoveBlanks() {
  if (m_length == 0) return;
  uint32_t kept = 0;
  for (uint32_t i = 0; i < m_length; ++i)
    if (!IsBlank(m_data[i])) ++kept;
  char* block = NewBlock(kept);
  uint32_t o = 0;
  for (uint32_t i = 0; i < m_length; ++i)
    if (!IsBlank(m_data[i])) block[o++] = m_data[i];
  Replace(block, kept);
}

void CMyString::LfToCrLf() {
  if (m_length == 0) return;
  uint32_t lfs = 0;
  for (uint32_t i = 0; i < m_length; ++i)
    if (m_data[i] == '\n') ++lfs;
  char* block = NewBlock(m_length + lfs);
  uint32_t o = 0;
  for (uint32_t i = 0; i < m_length; ++i) {
    if (m_data[i] == '\n') block[o++] = '\r';
    block[o++] = m_data[i];
  }
  Replace(block, m_length + lfs);
}

int CMyString::NormalizeLines() {
  if (m_length == 0) return -1;
  *this += CMyString("\n");
  char* block = NewBlock(m_length);
  uint32_t o = 0;
  int lines = 0;
  for (uint32_t i = 0; i < m_length; ++i) {
    char c = m_data[i];
    if (c == '\t' || c == '\r' || c == ' ') continue;
    if (c == '\n') {
      if (o > 0 && block[o - 1] == '\n') continue;
      ++lines;
    }
    block[o++] = c;
  }
  CMyString result(o);
  std::memcpy(result.m_data, block, o);
  delete[] block;
  *this = result;
  return lines;
}
