#include "framework/media/png_font.h"

#include <vector>

#include "framework/core/numeric.h"
#include "framework/core/utf8.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

constexpr int kHeaderBytes = 16;
constexpr int kGlyphBytes = 20;
// Larger glyphs than this are a broken table, not a font.
constexpr int kMaxGlyphSide = 4096;

}  // namespace

std::shared_ptr<TPNGFont> TPNGFont::LoadPNGFont(const std::string& name) {
  platform::StreamRef sheet = OpenPakStream(name + ".png");
  platform::PixmapRef pixmap = sheet ? platform::LoadPixmap(*sheet) : nullptr;
  if (!pixmap) {
    WriteLog("font sheet not found: " + name + ".png", LOG_ERROR);
    return nullptr;
  }
  platform::StreamRef s = OpenPakStream(name + ".fnt");
  if (!s) {
    WriteLog("font table not found: " + name + ".fnt", LOG_ERROR);
    return nullptr;
  }
  return FromTable(pixmap, *s, name);
}

std::shared_ptr<TPNGFont> TPNGFont::FromTable(const platform::PixmapRef& pixmap, platform::Stream& s,
                                              const std::string& name) {
  if (!pixmap) return nullptr;
  if (s.Remaining() < kHeaderBytes) {
    WriteLog("font table cut short: " + name + ".fnt", LOG_ERROR);
    return nullptr;
  }
  auto f = std::make_shared<TPNGFont>();
  f->font = pixmap;
  f->Kearning = s.ReadInt();
  const int height = s.ReadInt();
  const int n = s.ReadInt();
  s.ReadInt();
  // No glyph leaves the height undefined; a count beyond the file is a lie.
  if (n <= 0 || static_cast<int64_t>(n) * kGlyphBytes > s.Remaining()) {
    WriteLog("font table " + name + ".fnt: bad glyph count " + std::to_string(n), LOG_ERROR);
    return nullptr;
  }

  int64_t heightSum = height;
  auto space = New<TPNGChar>();
  space->Code = 32;
  space->w = height / 4;
  space->h = height;
  f->Characters[32] = space;

  for (int i = 0; i < n; ++i) {
    const int code = s.ReadInt();
    const int gx = s.ReadInt(), gy = s.ReadInt();
    const int gw = s.ReadInt(), gh = s.ReadInt();
    heightSum += gh;
    if (code < 0 || code >= MaxCode || gw <= 0 || gh <= 0 || gw > kMaxGlyphSide || gh > kMaxGlyphSide) {
      WriteLog("font table " + name + ".fnt: glyph " + std::to_string(i) + " (code " + std::to_string(code) +
                   ", " + std::to_string(gw) + "x" + std::to_string(gh) + ") left out",
               LOG_WARNING);
      continue;
    }
    auto g = New<TPNGChar>();
    g->Code = code;
    g->image = platform::CreateImage(gw, gh, 1, -1);
    // A rectangle wholly off the sheet stays transparent; one that touches it is cut out.
    const bool touches = int64_t(gx) + gw > 0 && int64_t(gy) + gh > 0 && gx < pixmap->Width() && gy < pixmap->Height();
    if (touches) g->image->SetFrame(0, pixmap->Window(gx, gy, gw, gh));
    g->x = 0;
    g->y = 0;
    g->w = Int(double(gw) + f->Kearning);
    g->h = gh;
    f->Characters[static_cast<size_t>(code)] = g;
  }
  f->FHeight = Int(static_cast<double>(heightSum / n));
  return f;
}

int TPNGFont::CharToGlyph(int code) const {
  if (code < 0 || code >= MaxCode || !Characters[static_cast<size_t>(code)]) return -1;
  return code;
}

Ref<TPNGChar> TPNGFont::LoadGlyph(int index) const {
  if (index < 0 || index >= MaxCode) return nullptr;
  return Characters[static_cast<size_t>(index)];
}

int TPNGFont::TextWidth(std::string_view text) const {
  std::vector<uint32_t> codes;
  for (size_t pos = 0; pos < text.size();) codes.push_back(utf8::Next(text, pos));
  int64_t w = 0;
  for (size_t i = 0; i < codes.size(); ++i) {
    const Ref<TPNGChar> g = codes[i] < MaxCode ? Characters[codes[i]] : nullptr;
    if (!g) continue;
    if (i + 1 < codes.size())
      w += Int(g->Advance());
    else if (g->image)
      w += g->image->Width();
  }
  return Int(static_cast<double>(w));
}

void TPNGFont::Draw(const std::string& text, float x, float y) {
  float sx = 1.0f, sy = 1.0f, hx = 0.0f, hy = 0.0f;
  platform::GetScale(sx, sy);
  platform::GetHandle(hx, hy);
  for (size_t pos = 0; pos < text.size();) {
    const uint32_t code = utf8::Next(text, pos);
    const Ref<TPNGChar> g = code < MaxCode ? Characters[code] : nullptr;
    if (!g) continue;
    if (g->image) {
      g->image->SetHandle(hx, hy);
      platform::DrawImage(g->image, x + g->x * sx, y + g->y * sy);
    }
    x += g->Advance() * sx;
  }
}

}  // namespace kelp
