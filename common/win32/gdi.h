// GDI objects that free themselves.
#ifndef MIRELKA_COMMON_WIN32_GDI_H
#define MIRELKA_COMMON_WIN32_GDI_H

#include <windows.h>

// Owns one GDI object (brush, font, bitmap, pen) and deletes it when it is
// replaced or its owner goes. It must not be selected into a device context
// then (CSelectObject puts the old object back in time).
template <class T>
class CGdiObject {
 public:
  CGdiObject() = default;
  explicit CGdiObject(T handle) : m_handle(handle) {}
  ~CGdiObject() { Reset(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  CGdiObject(CGdiObject&& other) noexcept : m_handle(other.Release()) {}
  CGdiObject& operator=(CGdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  // Deletes the object held, if any, and holds `handle` instead.
  void Reset(T handle = nullptr) {
    if (m_handle != nullptr) DeleteObject(m_handle);
    m_handle = handle;
  }
  // Gives the object up without deleting it.
  T Release() {
    T handle = m_handle;
    m_handle = nullptr;
    return handle;
  }
  T Get() const { return m_handle; }

 private:
  T m_handle = nullptr;
};

using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CBitmap = CGdiObject<HBITMAP>;

// Selects an object into a device context for a scope and puts the one it
// replaced back at the scope's end.
class CSelectObject {
 public:
  CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
  ~CSelectObject() { SelectObject(m_dc, m_old); }
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

// A memory device context compatible with `dc`, deleted at the scope's end.
class CMemoryDC {
 public:
  explicit CMemoryDC(HDC dc) : m_dc(CreateCompatibleDC(dc)) {}
  ~CMemoryDC() {
    if (m_dc != nullptr) DeleteDC(m_dc);
  }
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

#endif
