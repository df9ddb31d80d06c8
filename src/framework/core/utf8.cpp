#include "framework/core/utf8.h"

namespace kelp::utf8 {

uint32_t Next(std::string_view s, size_t& pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  auto cont = [&](size_t i) -> int {
    if (pos + i >= s.size()) return -1;
    const auto b = static_cast<unsigned char>(s[pos + i]);
    return (b & 0xC0) == 0x80 ? (b & 0x3F) : -1;
  };
  if (b0 < 0x80) { ++pos; return b0; }
  int need = 0;
  uint32_t cp = 0, min = 0;
  if ((b0 & 0xE0) == 0xC0) { need = 1; cp = b0 & 0x1F; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { need = 2; cp = b0 & 0x0F; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { need = 3; cp = b0 & 0x07; min = 0x10000; }
  else { ++pos; return b0; }
  for (int i = 1; i <= need; ++i) {
    const int c = cont(i);
    if (c < 0) { ++pos; return b0; }
    cp = (cp << 6) | static_cast<uint32_t>(c);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++pos; return b0; }
  pos += need + 1;
  return cp;
}

void Append(std::string& out, uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Encode(uint32_t cp) {
  std::string s;
  Append(s, cp);
  return s;
}

size_t Length(std::string_view s) {
  size_t n = 0;
  for (size_t pos = 0; pos < s.size(); ++n) Next(s, pos);
  return n;
}

size_t ByteOffset(std::string_view s, size_t index) {
  size_t pos = 0;
  while (index > 0 && pos < s.size()) { Next(s, pos); --index; }
  return pos;
}

std::string Substr(std::string_view s, size_t index, size_t count) {
  const size_t from = ByteOffset(s, index);
  if (count == std::string::npos) return std::string(s.substr(from));
  const size_t to = from + ByteOffset(s.substr(from), count);
  return std::string(s.substr(from, to - from));
}

std::string Left(std::string_view s, size_t count) { return Substr(s, 0, count); }

uint32_t At(std::string_view s, size_t index) {
  size_t pos = ByteOffset(s, index);
  return pos < s.size() ? Next(s, pos) : 0;
}

bool IsValid(std::string_view s) {
  for (size_t pos = 0; pos < s.size();) {
    const size_t before = pos;
    const uint32_t cp = Next(s, pos);
    // A byte that decoded as itself but is not ASCII was invalid.
    if (pos == before + 1 && cp >= 0x80) return false;
  }
  return true;
}

void PopBack(std::string& s) {
  size_t last = 0;
  for (size_t pos = 0; pos < s.size();) {
    last = pos;
    Next(s, pos);
  }
  s.erase(last);
}

std::string FromLatin1(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) Append(out, static_cast<unsigned char>(c));
  return out;
}

std::string ToLatin1(std::string_view s) {
  std::string out;
  for (size_t pos = 0; pos < s.size();) {
    const uint32_t cp = Next(s, pos);
    out += cp <= 255 ? static_cast<char>(cp) : '?';
  }
  return out;
}

std::string FromUtf16(const std::u16string& units) {
  std::string out;
  for (size_t i = 0; i < units.size(); ++i) {
    uint32_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    Append(out, u);  // a lone surrogate becomes U+FFFD
  }
  return out;
}

std::u16string ToUtf16(std::string_view s) {
  std::u16string out;
  for (size_t pos = 0; pos < s.size();) {
    const uint32_t cp = Next(s, pos);
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

}  // namespace kelp::utf8
