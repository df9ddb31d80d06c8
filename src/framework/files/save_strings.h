#pragma once
// Strings in save files.
#include <string>

#include "platform/stream.h"

namespace kelp {

// Save-file strings: an int32 length, then UTF-16LE code units or 8-bit
// characters. A stored length of 0 or less reads as "", one longer than the
// rest of the stream is cut to it.
void WriteUnicodeString(platform::Stream& stream, const std::string& text);
std::string ReadUnicodeString(platform::Stream& stream);
void WriteByteString(platform::Stream& stream, const std::string& text);
std::string ReadByteString(platform::Stream& stream);

}  // namespace kelp
