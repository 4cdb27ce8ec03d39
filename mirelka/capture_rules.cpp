#include "mirelka/capture_rules.h"

#include "mirelka/selection_limit.h"

bool HotKeyFor(uint32_t actKey, HotKeyChoice& out) {
  switch (actKey) {
    case 1: out = {1, 0x12}; return true;  // Alt, either key
    case 2: out = {4, 0x10}; return true;  // Shift, either key
    case 3: out = {8, 0x5B}; return true;  // the left Windows key only
    default: return false;
  }
}

CaptureKind ClassifyCapture(const char* text, size_t length) {
  if (length == 0) return CaptureKind::Empty;
  if (length > kMaxSelectionBytes) return CaptureKind::TooLarge;
  size_t delimiters = 0;
  for (size_t i = 0; i < length; ++i) delimiters += static_cast<unsigned char>(text[i]) == 0x7F;
  return delimiters == 2 ? CaptureKind::Block : CaptureKind::Plain;
}

CaptureCounters::Poll CaptureCounters::KeyPoll(bool keysDown) {
  if (!keysDown) {
    m_hotkeyPolls = 0;
    return Poll::Capture;
  }
  if (m_hotkeyPolls == kMaxHotkeyPolls) {
    m_hotkeyPolls = 0;
    return Poll::GiveUp;
  }
  ++m_hotkeyPolls;
  return Poll::Again;
}

CaptureCounters::Read CaptureCounters::ClipboardRead(bool found) {
  if (found) {
    m_clipboardTries = 0;
    return Read::Done;
  }
  if (m_clipboardTries == kMaxClipboardTries) {
    m_clipboardTries = 0;
    return Read::GiveUp;
  }
  ++m_clipboardTries;
  return Read::Again;
}
