// CMyString: the suite's length-counted byte string.
//
// It holds raw bytes (CP949 text, but it knows nothing of double-byte
// characters) and always keeps a zero byte behind the counted bytes, so its
// buffer can go to any call that wants a zero-terminated string. Every copy
// owns its own block of exactly length + 1 bytes; there is no spare capacity,
// so every change reallocates. The strings are short (paths, settings, text
// blocks of at most 100 KB) and simplicity wins over speed here.
#ifndef MIRELKA_COMMON_MYSTRING_H
#define MIRELKA_COMMON_MYSTRING_H

#include <cstdint>

class CMyString {
 public:
  CMyString();                     // the empty string, never a null buffer
  CMyString(const char* s);        // bytes up to the first zero of s (null = empty)
  explicit CMyString(uint32_t n);  // n zero bytes
  CMyString(const CMyString& src);
  ~CMyString();

  // The source is taken by value: a full copy exists before the target
  // changes, so self-assignment and self-appending are safe.
  CMyString& operator=(CMyString src);
  CMyString& operator=(int32_t number);
  CMyString& operator+=(CMyString src);
  CMyString& operator+=(int32_t number);
  // Contents become the first min(n, length of src) bytes of src.
  void AssignLeft(CMyString src, uint32_t n);

  uint32_t GetLength() const { return m_length; }
  // The caller may read length + 1 bytes and write the first length bytes.
  char* GetBuffer() const { return m_data; }
  // Index clamping: i < length gives the byte, i == length the terminator,
  // i > length the last byte (the terminator for the empty string).
  char GetAt(uint32_t i) const;
  char& ElementAt(uint32_t i);
  // Discards the contents and hands out n zero bytes to fill; trim with Crop.
  char* AllocBuffer(uint32_t n);

  // Keeps the bytes from first to last, both included (clamped; see .cpp).
  void Crop(uint32_t first, uint32_t last);
  void MakeUpper();
  void MakeLower();
  void RemoveBlanks();     // drops TAB, LF, CR and space
  void LfToCrLf();         // puts a CR before every LF, even one after a CR
  int NormalizeLines();    // one clean line per LF; returns the line count, -1 if empty

 private:
  void Replace(char* block, uint32_t length);  // takes ownership of block

  char* m_data;
  uint32_t m_length;
};

// The folder of the running program's executable, ending with the platform's
// separator ("D:\\Tools\\" for D:\Tools\X.exe, "/opt/x/" on POSIX).
void GetModuleDir(CMyString& out);
// The full path of the running program's executable.
void GetModulePath(CMyString& out);

#endif
