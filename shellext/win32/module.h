// Module-wide state of the DLL: its instance handle and the number of live
// COM objects (class factories and extension objects) that keep it loaded.
#ifndef MIRELKA_SHELLEXT_WIN32_MODULE_H
#define MIRELKA_SHELLEXT_WIN32_MODULE_H

#include <windows.h>

#include "common/mystring.h"

extern HINSTANCE g_hModule;

// Explorer may create extension objects on several of its threads while
// another thread asks whether the DLL can go, so the count is interlocked.
void ModuleObjectCreated();
void ModuleObjectDestroyed();
LONG ModuleLiveObjects();

// The DLL's own full path (not the host process's).
void GetDllPath(CMyString& out);

#endif
