#include "trisel/win32/app.h"

CTriselApp& App() {
  static CTriselApp app;
  return app;
}
