// Pictures (PNG or JPEG, the walkability map, obstacle damage strips): any
// bytes give null or a pixmap of a sane size whose every pixel reads; cut
// into a strip of cells, the image has the asked frames of the cell size or
// is null; the walkability test stays inside the map.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_check.h"
#include "platform/image.h"
#include "platform/stream.h"
#include "village/villager.h"
#include "village/walkability.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the strip's cells: 1..16 pixels a side, 1..4 frames.
  const int cell = 1 + data[0] % 16, frames = 1 + data[1] % 4;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  auto stream = platform::OpenMemory(bytes);
  const platform::PixmapRef pic = platform::LoadPixmap(*stream);
  if (!pic) return 0;
  Check(pic->Width() > 0 && pic->Height() > 0 && pic->Width() <= 16384 && pic->Height() <= 16384);
  pic->ReadPixel(pic->Width() - 1, pic->Height() - 1);

  auto again = platform::OpenMemory(bytes);
  if (const platform::ImageRef strip = platform::LoadAnimImage(*again, cell, cell + 1, 0, frames)) {
    Check(strip->Frames() == frames && strip->Width() == cell && strip->Height() == cell + 1);
    for (int f = 0; f < frames; ++f) Check(strip->Frame(f) && strip->Frame(f)->Width() == cell);
  }

  kelp::WalkabilityMap = pic;
  for (const float x : {-400.0f, -1.0f, 0.0f, 100.5f, 5000.0f, 1e9f})
    for (const float y : {-1.0f, 0.0f, 77.0f, 1e9f}) kelp::TVillageCreature::CheckWalkability(x, y);
  kelp::WalkabilityMap = nullptr;
  return 0;
}
