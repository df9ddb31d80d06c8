// Icon files: any bytes give null or a picture of a sane size, read without
// going outside the file.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/ui/mouse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::PixmapRef icon = kelp::ReadIconFile(std::vector<uint8_t>(data, data + size));
  if (icon && (icon->Width() <= 0 || icon->Height() <= 0)) std::abort();
  return 0;
}
