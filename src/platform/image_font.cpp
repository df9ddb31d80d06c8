#include "platform/image_font.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "platform/draw.h"
#include "platform/image.h"

namespace platform {

namespace {

constexpr const char* kPlatformFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kPlatformFontSize = 14;
// Rendered lines kept for drawing again; the game redraws the same labels every frame.
constexpr size_t kCacheLimit = 512;

class TrueTypeFont : public ImageFont {
 public:
  explicit TrueTypeFont(TTF_Font* font) : font_(font) {}
  ~TrueTypeFont() override { TTF_CloseFont(font_); }

  void Draw(const std::string& text, float x, float y) override {
    ImageRef line = Line(text);
    if (!line) return;
    float hx = 0, hy = 0;
    GetHandle(hx, hy);
    line->SetHandle(hx, hy);
    DrawImage(line, x, y);
  }

  int Width(const std::string& text) override {
    int w = 0, h = 0;
    if (text.empty() || TTF_SizeUTF8(font_, text.c_str(), &w, &h) != 0) return 0;
    return w;
  }

  int Height(const std::string&) override { return TTF_FontHeight(font_); }

 private:
  ImageRef Line(const std::string& text) {
    if (text.empty()) return nullptr;
    auto found = cache_.find(text);
    if (found != cache_.end()) return found->second;
    // White, so that the draw colour tints it.
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) return nullptr;
    auto pixmap = std::make_shared<Pixmap>(argb->w, argb->h);
    uint32_t* out = pixmap->Pixels();
    for (int row = 0; row < argb->h; ++row) {
      const auto* src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + size_t(row) * argb->pitch);
      std::copy(src, src + argb->w, out + size_t(row) * argb->w);
    }
    SDL_FreeSurface(argb);
    if (cache_.size() >= kCacheLimit) cache_.clear();
    ImageRef line = ImageFromPixmap(pixmap, FILTEREDIMAGE);
    cache_[text] = line;
    return line;
  }

  TTF_Font* font_;
  std::unordered_map<std::string, ImageRef> cache_;
};

}  // namespace

void ImageFont::Draw(const std::string&, float, float) {}
int ImageFont::Width(const std::string&) { return 0; }
int ImageFont::Height(const std::string&) { return 0; }

ImageFontRef LoadTrueTypeFont(const std::string& path, int size) {
  if (!TTF_WasInit() && TTF_Init() != 0) {
    std::fprintf(stderr, "Font: %s\n", TTF_GetError());
    return nullptr;
  }
  TTF_Font* font = TTF_OpenFont(path.c_str(), size);
  if (!font) {
    std::fprintf(stderr, "Font: cannot open %s: %s\n", path.c_str(), TTF_GetError());
    return nullptr;
  }
  return std::make_shared<TrueTypeFont>(font);
}

ImageFontRef PlatformFont() {
  // Kept to the end of the process: its textures must not outlive SDL's teardown.
  static auto* font = new ImageFontRef(LoadTrueTypeFont(kPlatformFontPath, kPlatformFontSize));
  return *font;
}

}  // namespace platform
