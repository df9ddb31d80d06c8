// Line-based data files: ReadTagLine over any bytes, then the tag and the
// attributes of every line it gives.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/files/line_reader.h"
#include "fuzz_check.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  static const char* const kNames[] = {"class", "bonus_class", "x", "y", "static", "money", "name"};
  while (true) {
    const std::string line = kelp::ReadTagLine(*stream);
    if (line.empty()) {
      Check(stream->Eof());
      break;
    }
    Check(static_cast<unsigned char>(line.front()) > 32 && static_cast<unsigned char>(line.back()) > 32);
    Check(!(line.rfind("</", 0) == 0 && line.back() == '>'));
    const std::string tag = kelp::GetLineTag(line);
    Check(tag.size() < line.size());
    for (const char* name : kNames) Check(kelp::GetLineAttr(line, name).size() < line.size());
    // Names taken from the line itself reach the token matching.
    for (size_t i = 1; i + 1 < line.size() && i < 8; ++i) {
      const std::string value = kelp::GetLineAttr(line, line.substr(i, 3));
      Check(value.empty() || line.find(value) != std::string::npos);
    }
  }
  return 0;
}
