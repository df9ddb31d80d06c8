#pragma once
// F12 saves the frame about to be shown as an uncompressed 24-bit BMP,
// "Screenshots/N.bmp" beside the program with N the first free number.
// Where the program's folder cannot be written, the shots go to
// "Screenshots/" in the save folder instead.
#include <string>

#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

// Once a frame, after drawing: does nothing unless F12 was hit.
void SaveScreenshotOnKey();
// The canvas, mode-sized, into the file; false when it could not be written.
bool SaveScreenshot(const std::string& path);
// The BMP file of the pixmap: the 54-byte header, then the rows bottom-up,
// blue, green, red, each row padded with zero bytes to a multiple of 4.
bool WriteBMP(platform::Stream& stream, const platform::Pixmap& pixmap);
// The first "N.bmp" (N = 0, 1, ...) that does not exist in the folder ("" or ending in '/').
std::string FreeScreenshotPath(const std::string& folder);

}  // namespace kelp
