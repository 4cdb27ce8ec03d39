// The largest text Mirelka hands to the cipher, and what it says about a
// larger selection.
#ifndef MIRELKA_MIRELKA_SELECTION_LIMIT_H
#define MIRELKA_MIRELKA_SELECTION_LIMIT_H

#include <cstdint>

enum : uint32_t { kMaxSelectionBytes = 102400 };

// Shown with caption "경고" and a warning icon (CP949).
extern const char kSelectionTooLargeText[];

#endif
