// The payload pass: every byte XORed with the key byte of its position.
//
// Positions run 1, 2, ... 30001 and then start at 1 again, from the first
// payload byte of each file, so the key byte of every position is made once
// per file into a key stream, and the blocks are XORed against it in runs
// that never cross the end of the stream.
#include <cstring>

#include "filecipher/file_progress.h"
#include "filecipher/trisels.h"

namespace {

const size_t kPeriod = 30001;

void XorRun(unsigned char* data, const unsigned char* key, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t a, b;
    std::memcpy(&a, data + i, 8);
    std::memcpy(&b, key + i, 8);
    a ^= b;
    std::memcpy(data + i, &a, 8);
  }
  for (; i < n; ++i) data[i] ^= key[i];
}

bool Cancelled(const std::atomic<int32_t>* pCancel) {
  return pCancel && pCancel->load(std::memory_order_relaxed) == 1;
}

}  // namespace

JobResult CTrisels::RunCoding(const char* keyText, double payloadSize, JobCounters,
                              const std::atomic<int32_t>* pCancel) {
  CFileProgress progress(m_view, payloadSize);
  if (Cancelled(pCancel)) return kResultCancelled;

  if (!m_block) m_block.reset(new unsigned char[kBlockSize + kPeriod]);
  unsigned char* data = m_block.get();
  unsigned char* stream = data + kBlockSize;
  size_t keyLen = std::strlen(keyText);
  if (keyLen == 0) return kResultStop;  // refused by Trisel before it gets here
  // A job codes many files with one key text: the stream is made once for
  // it, not once per file, which matters for folders of small files.
  if (m_streamKey != keyText) {
    size_t first = keyLen < kPeriod ? keyLen : kPeriod;
    for (size_t i = 0; i < first; ++i) stream[i] = static_cast<unsigned char>(keyText[(i + 1) % keyLen]);
    for (size_t i = first; i < kPeriod; ++i) stream[i] = stream[i - keyLen];
    m_streamKey = keyText;
  }

  uint64_t done = 0;
  size_t pos = 0;  // index into the key stream of the next byte
  bool writeFailed = false;
  // The first block is cut short so that the later ones lie on block
  // boundaries of the file that holds the header (the result when
  // encrypting, the source when decrypting): the buffered stream then has
  // nothing of the header left over, and the system gets aligned transfers.
  int64_t at = m_outfp->Tell();
  if (at <= 0) at = m_infp->Tell();
  size_t want = at > 0 ? kBlockSize - static_cast<size_t>(at % kBlockSize) : kBlockSize;
  for (;;) {
    size_t got = m_infp->Read(data, want);
    for (size_t at = 0; at < got;) {
      size_t run = kPeriod - pos;
      if (run > got - at) run = got - at;
      XorRun(data + at, stream + pos, run);
      at += run;
      pos += run;
      if (pos == kPeriod) pos = 0;
    }
    if (got > 0 && m_outfp->Write(data, got) != got) {
      writeFailed = true;
      break;
    }
    done += got;
    progress.Advance(done);
    if (Cancelled(pCancel)) return kResultCancelled;
    if (got < want) break;  // the end of the source, or a read error
    want = kBlockSize;
  }

  // A failed read or write is reported whatever errno says: the result is
  // incomplete either way. Retry asks again; the transfer is not repeated.
  JobResult result = kResultDone;
  if (m_infp->Error()) {
    do {
      result = m_message.Report("에러", "CTrisels::RunCoding, getc(m_infp), 0",
                                "<원본파일> 읽기에 실패했습니다.", szInputPathFname,
                                kReportAbortRetryIgnore);
    } while (result == kResultRetry);
    if (result == kResultSkip || result == kResultStop) return result;
  }
  if (writeFailed || m_outfp->Error()) {
    do {
      result = m_message.Report("에러", "CTrisels::RunCoding, putc(m_outfp), 1",
                                "<결과파일> 쓰기에 실패했습니다.", m_outputPath,
                                kReportAbortRetryIgnore);
    } while (result == kResultRetry);
    if (result == kResultSkip || result == kResultStop) return result;
  }
  progress.Finish();
  return result;
}
