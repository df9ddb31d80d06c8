// Font files: any bytes give a font (or none) whose counts match what was
// stored, and measuring and laying out any text stays safe. The first byte
// picks the kind: even an XML description, odd a PNG font's glyph table.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/media/bmfont.h"
#include "framework/media/png_font.h"
#include "fuzz_check.h"
#include "platform/message_box.h"

namespace {

using fuzz::Check;

const char* const kTexts[] = {"", "A", "AB A", "\xC3\xA9t\xC3\xA9", "\xFF\x80 x", "0123456789"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, platform::MessageButtons) { return 0; });
    return true;
  }();
  (void)quiet;
  using namespace kelp;
  if (size == 0) return 0;
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data + 1, data + size));
  if (data[0] % 2 == 0) {
    // Page files are looked for in a folder that does not exist: nothing is read from disk.
    Ref<TBMFont> font = TBMFont::Load(*stream, "no-such-folder-for-fuzzing/font.xml");
    if (!font) return 0;
    Check(font->CharCount == static_cast<int>(font->Chars.size()));
    Check(font->KerningCount == static_cast<int>(font->Kernings.size()));
    Check(font->Pages.size() <= 64);
    SetBMFont(font);
    for (const char* text : kTexts) {
      BMTextWidth(text);
      BMTextHeight(text);
      DrawBMText(text, 10, 20, 1, 1);
    }
    BMLineHeight();
    for (const auto& c : font->Chars) font->GetKerning(c.get(), font->Chars.front().get());
    SetBMFont(nullptr);
  } else {
    auto sheet = std::make_shared<platform::Pixmap>(16, 16);
    auto font = TPNGFont::FromTable(sheet, *stream, "fuzz");
    if (!font) return 0;
    for (int code = -2; code < TPNGFont::MaxCode + 2; ++code) {
      const int g = font->CharToGlyph(code);
      Check(g == -1 || (g == code && font->LoadGlyph(code)));
    }
    for (const char* text : kTexts) {
      font->TextWidth(text);
      font->Draw(text, 0, 0);
    }
  }
  return 0;
}
