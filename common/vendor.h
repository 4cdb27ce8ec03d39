// The vendor's web server, one configuration for the whole suite.
//
// Every program reaches the same host: the text and file fetches ask it for
// fixed object paths (mirelka/...), and the browser is sent to its home page
// and its download page. The host is built in (kVendorDefaultHost) and can be
// replaced without rebuilding through the environment variable
// MIRELKA_VENDOR_SERVER, in the form "host" or "host:port" (for example
// "127.0.0.1:8080" for a local test server). A value that is not of that form
// is ignored and the built-in host is used.
#ifndef MIRELKA_COMMON_VENDOR_H
#define MIRELKA_COMMON_VENDOR_H

#include <cstdint>

#include "common/mystring.h"

extern const char kVendorDefaultHost[];
extern const char kVendorServerVariable[];  // "MIRELKA_VENDOR_SERVER"

struct VendorServer {
  CMyString host;      // name or address, no scheme, no port
  uint16_t port = 80;  // plain HTTP
  CMyString homePage;      // "http://host[:port]/"
  CMyString downloadPage;  // "http://host[:port]/download"
};

// Parses "host" or "host:port" into `out` (the pages included). Returns 0, or
// -1 and leaves `out` alone when the text is empty, longer than 200 bytes,
// holds a scheme, a path, blanks or control bytes, or a port outside
// 1..65535.
int ParseVendorServer(const char* text, VendorServer& out);

// The server in force: the environment variable when it parses, else the
// built-in host on port 80.
const VendorServer& TheVendorServer();

// Re-reads the environment (tests change it between cases).
void ReloadVendorServer();

#endif
