#pragma once
// Shared between the platform's picture files only: decoding picture files
// held in memory, now or later.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image.h"

namespace platform::internal {

// PNG or JPEG bytes decoded; null and a line on standard error when corrupt.
PixmapRef DecodePicture(const std::vector<uint8_t>& bytes, const std::string& what);
// True, with the picture's size, when the bytes are a PNG whose header passes
// every size check and whose chunks are all present with sound checksums:
// then decoding it later is safe to promise. False means decode it now.
bool PngSoundForLater(const std::vector<uint8_t>& bytes, int& width, int& height);

}  // namespace platform::internal
