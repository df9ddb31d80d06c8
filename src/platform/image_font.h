#pragma once
// Fonts that draw text through the platform's drawing (draw.h): the platform's
// own plain-text font, and the base that the game's bitmap fonts extend.
#include <memory>
#include <string>

#include "platform/graphics_state.h"

namespace platform {

class ImageFont {
 public:
  virtual ~ImageFont() = default;
  // Text with its top left at (x, y), drawn with the draw state (origin,
  // handle, scale, rotation, colour, alpha, blend).
  virtual void Draw(const std::string& text, float x, float y);
  // Width and line height of the text, unscaled.
  virtual int Width(const std::string& text);
  virtual int Height(const std::string& text);
};

// A TrueType font at a size in pixels (SDL_ttf); null, with a line on
// standard error, when the file cannot be opened.
ImageFontRef LoadTrueTypeFont(const std::string& path, int size);

// The platform's plain-text font (DejaVu Sans), made on first use; null when
// the font file is missing (text then draws nothing and measures 0).
ImageFontRef PlatformFont();

}  // namespace platform
