// The decisions of the capture cycle that need no window: which hot key a
// setting means, when to give up waiting for the keys to be released or for
// the clipboard to hold the selection, and where a captured text goes.
// The Windows program drives them from one-shot window timers.
#ifndef MIRELKA_MIRELKA_CAPTURE_RULES_H
#define MIRELKA_MIRELKA_CAPTURE_RULES_H

#include <cstddef>
#include <cstdint>

// The hot key for an ActKey value: the modifier given to the registration
// (MOD_ALT 1, MOD_SHIFT 4, MOD_WIN 8) and the virtual key polled while
// waiting for its release (VK_MENU, VK_SHIFT, VK_LWIN). False for a value
// that registers nothing.
struct HotKeyChoice {
  uint32_t modifier;
  uint32_t pollKey;
};
bool HotKeyFor(uint32_t actKey, HotKeyChoice& out);

enum : uint32_t {
  kVkScroll = 0x91,
  kMaxHotkeyPolls = 50,    // about 5 s of held keys, then the press is dropped
  kMaxClipboardTries = 10  // empty reads before giving up: 11 reads in all
};

// Where a captured text goes.
enum class CaptureKind {
  Empty,     // nothing on the clipboard: try again
  TooLarge,  // more than the limit: refused with a message
  Plain,     // into the source edit, encrypt mode
  Block,     // exactly two delimiters: into the result edit, decrypt mode
};
CaptureKind ClassifyCapture(const char* text, size_t length);

// The counters of one capture: polls of the held keys and empty clipboard
// reads. Both start at 0 and are 0 again whenever a wait ends.
class CaptureCounters {
 public:
  enum class Poll { Again, GiveUp, Capture };
  // One tick of the key-release wait.
  Poll KeyPoll(bool keysDown);

  enum class Read { Again, GiveUp, Done };
  // One clipboard read; `found` whether it gave text (or refused it).
  Read ClipboardRead(bool found);

  uint32_t HotkeyPolls() const { return m_hotkeyPolls; }
  uint32_t ClipboardTries() const { return m_clipboardTries; }

 private:
  uint32_t m_hotkeyPolls = 0;
  uint32_t m_clipboardTries = 0;
};

#endif
