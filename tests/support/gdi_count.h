// The number of GDI objects the calling process holds, for the tests and
// figures that watch for leaks under Wine: Wine's GDI accepts a handle's
// table index alone, so every index in use answers GetObjectType. Windows
// itself does not (its handles carry more than the index), and there
// GetGuiResources gives the count; under Wine that call is a stub.
#ifndef MIRELKA_TESTS_SUPPORT_GDI_COUNT_H
#define MIRELKA_TESTS_SUPPORT_GDI_COUNT_H

#include <windows.h>

#include <cstdint>

inline int GdiObjectCount() {
  const DWORD system = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (system != 0) return static_cast<int>(system);
  int n = 0;
  for (uintptr_t index = 1; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++n;
  }
  return n;
}

#endif
