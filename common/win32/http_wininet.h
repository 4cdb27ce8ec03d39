// The HTTP client of the Windows programs: WinINet, with the system's
// configured proxy, always asking the server for a fresh copy.
#ifndef MIRELKA_COMMON_WIN32_HTTP_WININET_H
#define MIRELKA_COMMON_WIN32_HTTP_WININET_H

#include "common/http.h"

// One client for the whole program; its calls may run on any thread.
IHttpClient& WinInetHttp();

#endif
