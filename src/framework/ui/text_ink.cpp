#include "framework/ui/text_ink.h"

#include "platform/graphics_state.h"

namespace kelp {

void SetInk(const TextInk& ink) { platform::SetColor(ink.r, ink.g, ink.b); }

}  // namespace kelp
