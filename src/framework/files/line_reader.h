#pragma once
// Readers for the older data files that hold one XML-like tag per line
// (boxes, trolleys, floor, bricks, level parameters, the upgrade tree). They
// are not parsed as XML: loaders take one meaningful line at a time and pick
// its tag name and attributes.
#include <string>
#include <string_view>

#include "platform/stream.h"

namespace kelp {

// The next meaningful line, trimmed of codes up to 32 at both ends, or ""
// at the end of the stream. Blank lines, comments and closing tags are skipped.
std::string ReadTagLine(platform::Stream& stream);
std::string ReadTagLine(const platform::StreamRef& stream);  // "" for null

// The tag name of a tag line ("<" ... ">"), lower-cased; "" for other lines.
// A self-closing tag without attributes keeps its slash ("<a/>" gives "a/").
std::string GetLineTag(std::string_view line);

// The value of attribute `name` (name="value") of a tag line, or "". The name
// must occur in the line spelled exactly so; the key then matches without
// regard to letter case. A value ends at the first blank.
std::string GetLineAttr(std::string_view line, std::string_view name);

}  // namespace kelp
