// Text files and language tables: any bytes, detected or in a chosen
// encoding, decode to lines of valid UTF-8 and fill a bounded table.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/core/utf8.h"
#include "framework/files/language.h"
#include "framework/files/text_file.h"
#include "fuzz_check.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the reading: 0 detects by byte-order mark, 1..4 force an encoding.
  const int mode = data[0] % 5;
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data + 1, data + size));
  const kelp::Ref<kelp::TextStream> text = kelp::TextFileReader::CreateStream(*stream, mode == 0, mode);
  Check(text != nullptr);
  Check(kelp::utf8::IsValid(text->Text()));

  while (!text->Eof()) {
    const std::string line = text->ReadLine();
    Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    kelp::LanguageLineNumber(line);
    kelp::LanguageLineText(line);
  }

  auto again = platform::OpenMemory(std::vector<uint8_t>(data + 1, data + size));
  const kelp::Ref<kelp::TextStream> table = kelp::TextFileReader::CreateStream(*again, mode == 0, mode);
  kelp::TextTable strings;
  kelp::FillLanguageTable(strings, *table, "fuzz");
  Check(strings.Count() >= 1 && strings.Count() <= 1000);
  return 0;
}
