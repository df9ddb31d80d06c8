#pragma once
// Small UTF-8 helpers: game text is UTF-8 std::string; these count and index
// characters (code points) where the game counts characters.
#include <cstdint>
#include <string>
#include <string_view>

namespace kelp::utf8 {

// Decodes the code point at byte `pos` and advances `pos`; an invalid byte
// decodes as itself (Latin-1) so no input is lost or loops.
uint32_t Next(std::string_view s, size_t& pos);
void Append(std::string& out, uint32_t cp);
std::string Encode(uint32_t cp);

size_t Length(std::string_view s);                    // characters
size_t ByteOffset(std::string_view s, size_t index);  // byte offset of character `index` (size() past the end)
std::string Substr(std::string_view s, size_t index, size_t count = std::string::npos);
std::string Left(std::string_view s, size_t count);
uint32_t At(std::string_view s, size_t index);        // 0 past the end
bool IsValid(std::string_view s);
// Removes the last character (not the last byte).
void PopBack(std::string& s);

// Latin-1 bytes to UTF-8, and UTF-8 to 8-bit characters with '?' above 255.
std::string FromLatin1(std::string_view bytes);
std::string ToLatin1(std::string_view s);
// UTF-16 code units to UTF-8 (surrogate pairs joined; lone ones become U+FFFD) and back.
std::string FromUtf16(const std::u16string& units);
std::u16string ToUtf16(std::string_view s);

}  // namespace kelp::utf8
