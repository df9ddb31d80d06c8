#include "framework/core/fields.h"

#include "framework/core/numbers.h"

namespace kelp {

std::string GetField(int index, std::string_view text, std::string_view separator) {
  if (separator.empty()) return std::string(text);
  const int n = CountFields(text, separator);
  // Counting on past the last field wraps to the first, so only the remainder matters.
  const int field = index <= 1 ? 0 : (index - 1) % n;
  size_t start = 0;
  for (int i = 0; i < field; ++i) start = text.find(separator, start) + separator.size();
  const size_t end = text.find(separator, start);
  return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

int CountFields(std::string_view text, std::string_view separator) {
  if (separator.empty()) return 1;
  int n = 1;
  for (size_t pos = text.find(separator); pos != std::string_view::npos;
       pos = text.find(separator, pos + separator.size()))
    ++n;
  return n;
}

std::string CollapseSeparator(std::string_view text, std::string_view separator) {
  std::string s = Trim(text);
  if (separator.empty()) return s;
  std::string out;
  out.reserve(s.size());
  // One pass that keeps the first separator of every run: the same text as
  // replacing doubled separators until none is left.
  size_t pos = 0;
  while (pos < s.size()) {
    if (s.compare(pos, separator.size(), separator) == 0) {
      out += separator;
      pos += separator.size();
      while (s.compare(pos, separator.size(), separator) == 0) pos += separator.size();
    } else {
      out += s[pos++];
    }
  }
  return out;
}

}  // namespace kelp
