#include "play/red_line.h"

#include "framework/media/anim_image.h"

namespace kelp {

Ref<TRedLine> RedLine;

int TRedLine::Init() { return 0; }
int TRedLine::Start(int) { return 0; }
int TRedLine::Update(float) { return 0; }
int TRedLine::Draw() { return 0; }

}  // namespace kelp
