#pragma once
// A line split into fields by a one-character separator; positions count from 1.
#include <string>
#include <string_view>

namespace kelp {

// The index-th field; an index of 1 or less gives the first, one past the last
// field counts on from the start again (with two fields, index 3 gives field 1).
std::string GetField(int index, std::string_view text, std::string_view separator);
// Separators plus one; an empty text has one field.
int CountFields(std::string_view text, std::string_view separator);
// Blanks and control characters trimmed at both ends, every run of separators made one.
std::string CollapseSeparator(std::string_view text, std::string_view separator);

}  // namespace kelp
