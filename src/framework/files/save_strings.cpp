#include "framework/files/save_strings.h"

#include <algorithm>
#include <cstdint>

#include "framework/core/utf8.h"

namespace kelp {

void WriteUnicodeString(platform::Stream& stream, const std::string& text) {
  const std::u16string units = utf8::ToUtf16(text);
  stream.WriteInt(static_cast<int32_t>(units.size()));
  for (char16_t u : units) stream.WriteShort(static_cast<int16_t>(u));
}

std::string ReadUnicodeString(platform::Stream& stream) {
  const int32_t len = stream.ReadInt();
  if (len <= 0) return "";
  // A corrupt length must not allocate or read beyond what the stream holds.
  const int64_t n = std::min<int64_t>(len, stream.Remaining() / 2);
  std::u16string units;
  units.reserve(static_cast<size_t>(n));
  for (int64_t i = 0; i < n; ++i) units += static_cast<char16_t>(static_cast<uint16_t>(stream.ReadShort()));
  return utf8::FromUtf16(units);
}

void WriteByteString(platform::Stream& stream, const std::string& text) {
  const std::string bytes = utf8::ToLatin1(text);
  stream.WriteInt(static_cast<int32_t>(bytes.size()));
  stream.WriteBytes(bytes);
}

std::string ReadByteString(platform::Stream& stream) {
  const int32_t len = stream.ReadInt();
  if (len <= 0) return "";
  const int64_t n = std::min<int64_t>(len, stream.Remaining());
  return utf8::FromLatin1(stream.ReadBytes(static_cast<size_t>(n)));
}

}  // namespace kelp
