// The class identifier of the context-menu extension.
#ifndef MIRELKA_SHELLEXT_WIN32_CLSID_H
#define MIRELKA_SHELLEXT_WIN32_CLSID_H

#include <windows.h>

// {7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}
static const CLSID CLSID_TriselShell = {
    0x7C3E9A14, 0x52D8, 0x4F06, {0xB1, 0xA7, 0x9E, 0x20, 0xC4, 0xD8, 0xF3, 0x65}};

#endif
