#pragma once
// A simple image font: a ".png" sheet and a ".fnt" table of little-endian
// int32 values (extra advance, height, glyph count, one unused value, then
// code, x, y, width, height per glyph). It plugs into the platform's text
// drawing as an image font.
#include <array>
#include <string>
#include <string_view>

#include "framework/core/object.h"
#include "platform/image.h"
#include "platform/image_font.h"

namespace kelp {

// One glyph: its image (none for the space), pen offset and advance.
class TPNGChar : public Object {
 public:
  platform::ImageRef image;
  int x = 0, y = 0, w = 0, h = 0;
  int Code = 0;
  int Kearning = 0;  // kept, not read
  float Advance() const { return static_cast<float>(w); }
};

class TPNGFont : public platform::ImageFont {
 public:
  static constexpr int MaxCode = 300;

  std::array<Ref<TPNGChar>, MaxCode> Characters;  // by character code; null where there is no glyph
  int FHeight = 0;
  platform::PixmapRef font;  // the sheet
  int Kearning = 0;          // extra advance added to every glyph's width

  // name + ".png" and name + ".fnt", through the archive. Null, with a log
  // line, when either is missing, the table is cut short or holds no glyph.
  static std::shared_ptr<TPNGFont> LoadPNGFont(const std::string& name);
  // The glyph table read from `table`, glyphs cut from `sheet`.
  static std::shared_ptr<TPNGFont> FromTable(const platform::PixmapRef& sheet, platform::Stream& table,
                                             const std::string& name);
  int CharToGlyph(int code) const;  // the code when it has a glyph, else -1
  Ref<TPNGChar> LoadGlyph(int index) const;
  int height() const { return FHeight; }
  // The advances of all characters but the last, plus the last one's image width.
  int TextWidth(std::string_view text) const;

  // Each glyph's image at the pen, then the pen moves on by its advance.
  void Draw(const std::string& text, float x, float y) override;
  int Width(const std::string& text) override { return TextWidth(text); }
  int Height(const std::string&) override { return FHeight; }
};

}  // namespace kelp
