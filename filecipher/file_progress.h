// The per-file bar of the coder: 100 steps per file, at the thresholds the
// byte-at-a-time loop would pass them, however the bytes come in blocks.
//
// For an expected payload of N bytes the thresholds are T[j] = N*(j+1)*0.01
// (j < 99) and T[99] = N. After byte n (counted from 1) the bar steps once
// when n > T[t] for the next unreached threshold t; at the end it steps once
// more when N > 100, else it is filled up to 100 steps.
#ifndef MIRELKA_FILECIPHER_FILE_PROGRESS_H
#define MIRELKA_FILECIPHER_FILE_PROGRESS_H

#include <cstdint>

#include "filecipher/coder_view.h"

class CFileProgress {
 public:
  // Resets the bar (range 0..100, position 0).
  CFileProgress(ITriselView& view, double payloadSize);
  // Bytes coded so far, in all; steps for every threshold passed since the
  // last call.
  void Advance(uint64_t bytesDone);
  // The end of the file: the last step, or the fill-up of a small file.
  void Finish();

 private:
  ITriselView& m_view;
  double m_size;
  double m_threshold[100];
  int m_next = 0;        // the next threshold to pass
  int m_steps = 1;       // one more than the steps made so far
  uint64_t m_done = 0;   // bytes accounted for
};

#endif
