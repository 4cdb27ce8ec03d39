#include "filecipher/file_progress.h"

#include <cmath>

CFileProgress::CFileProgress(ITriselView& view, double payloadSize)
    : m_view(view), m_size(payloadSize) {
  for (int j = 0; j < 99; ++j) m_threshold[j] = payloadSize * (j + 1) * 0.01;
  m_threshold[99] = payloadSize;
  m_view.FileBarReset();
}

void CFileProgress::Advance(uint64_t bytesDone) {
  if (bytesDone <= m_done) return;
  // Each byte passes at most one threshold: the byte that passes threshold
  // t is the first one after the previous step that lies above T[t].
  double from = static_cast<double>(m_done) + 1;
  double last = static_cast<double>(bytesDone);
  while (m_next < 100) {
    double n = std::floor(m_threshold[m_next]) + 1;
    if (n < from) n = from;
    if (n > last) break;
    m_view.FileBarStep();
    ++m_next;
    ++m_steps;
    from = n + 1;
  }
  m_done = bytesDone;
}

void CFileProgress::Finish() {
  if (m_size > 100) {
    m_view.FileBarStep();
    return;
  }
  for (int i = m_steps; i < 101; ++i) m_view.FileBarStep();
}
