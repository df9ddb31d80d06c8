#include "framework/files/line_reader.h"

#include <algorithm>

#include "framework/core/numbers.h"

namespace kelp {
namespace {

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool EndsWith(std::string_view s, std::string_view p) {
  return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

std::string NextRawLine(platform::Stream& stream) {
  std::string line = stream.ReadLine();
  line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
  return Trim(line);
}

bool IsTagLine(std::string_view line) { return StartsWith(line, "<") && EndsWith(line, ">"); }

}  // namespace

std::string ReadTagLine(platform::Stream& stream) {
  std::string line;
  bool have = false;  // `line` holds what is left of a line after a comment
  while (have || !stream.Eof()) {
    if (!have) line = NextRawLine(stream);
    have = false;
    if (line.empty()) continue;
    if (StartsWith(line, "<!--")) {
      if (EndsWith(line, "-->")) continue;
      // A comment over several lines: skip to its end, so that commented-out
      // tag lines are never read as data; text after the end still counts.
      size_t end = line.find("-->", 4);
      while (end == std::string::npos && !stream.Eof()) {
        line = NextRawLine(stream);
        end = line.find("-->");
      }
      if (end == std::string::npos) return {};
      line = Trim(std::string_view(line).substr(end + 3));
      have = true;
      continue;
    }
    if (StartsWith(line, "</") && EndsWith(line, ">")) continue;
    return line;
  }
  return {};
}

std::string ReadTagLine(const platform::StreamRef& stream) {
  return stream ? ReadTagLine(*stream) : std::string();
}

std::string GetLineTag(std::string_view line) {
  if (!IsTagLine(line)) return {};
  const size_t gt = line.find('>');
  size_t p = line.find(' ');
  if (p == std::string_view::npos || gt < p) p = gt;
  return Lower(line.substr(1, p - 1));
}

std::string GetLineAttr(std::string_view line, std::string_view name) {
  if (name.empty() || line.find(name) == std::string_view::npos || !IsTagLine(line)) return {};
  std::string_view text = line.substr(1, line.size() - 2);
  // The last attribute ends at the last quote, which drops a trailing "/".
  const size_t lastQuote = text.rfind('"');
  if (lastQuote == std::string_view::npos) return {};
  text = text.substr(0, lastQuote + 1);
  const std::string want = Lower(name);
  bool first = true;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t blank = text.find(' ', pos);
    if (blank == std::string_view::npos) blank = text.size();
    const std::string_view token = text.substr(pos, blank - pos);
    pos = blank + 1;
    if (first) {  // the tag name
      first = false;
      continue;
    }
    if (token.empty()) continue;
    // A value cut at a blank has lost its closing quote; keep what is there.
    const std::string_view body = token.back() == '"' ? token.substr(0, token.size() - 1) : token;
    const size_t eq = body.find('=');
    if (eq == std::string_view::npos) continue;
    if (Lower(body.substr(0, eq)) != want) continue;
    std::string_view value = body.substr(eq + 1);
    if (!value.empty() && value.front() == '"') value.remove_prefix(1);
    return std::string(value);
  }
  return {};
}

}  // namespace kelp
