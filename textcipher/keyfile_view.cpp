#include "textcipher/keyfile_view.h"

#include <cstring>

void CNullKeyFileView::ShowWarning(const char* text) {
  ++m_warnings;
  std::strncpy(m_last, text ? text : "", sizeof m_last - 1);
  m_last[sizeof m_last - 1] = 0;
}
