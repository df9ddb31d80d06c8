#pragma once
// The colours dialog text is drawn in. The fonts are white and take the
// drawing colour, so the ink and the art behind the text are chosen together:
// every dialog's text stands out from its background by a contrast of 4.5:1
// or more.
#include <cstdint>

namespace kelp {

struct TextInk {
  uint8_t r, g, b;
};

// Text on the dialogs' cream, parchment and pale fields.
inline constexpr TextInk kInkOnCream{62, 38, 20};
// Text on dark art (the comic's strip, dark panels).
inline constexpr TextInk kInkOnDark{255, 255, 255};

// Makes the ink the drawing colour.
void SetInk(const TextInk& ink);

}  // namespace kelp
