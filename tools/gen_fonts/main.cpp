// gen_fonts: rasterises the game's bitmap fonts from DejaVu with FreeType and
// writes each as a BMFont-style XML description with its page pictures, plus
// a manifest (id, file, size) for the resource-list assembler.
//
//   gen_fonts <dejavu folder> <program folder> <manifest>
//
// Glyphs are white so that callers can tint them; titles and counters get a
// dark outline and a soft shadow baked in.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Style {
  int outline = 0;          // pixels of dark rim
  float shadowAlpha = 0;    // 0: no shadow
  int shadowBlur = 0;       // radius of the soft shadow
  int shadowX = 0, shadowY = 0;
  bool warm = false;        // white to pale gold from top to bottom
};

struct FontSpec {
  const char* id;    // resource id
  const char* file;  // base name under data/fonts/
  const char* face;  // DejaVu file
  int px;            // pixel size
  Style style;
};

constexpr Style kPlain{};
constexpr Style kSoft{0, 0.55f, 2, 1, 1, false};
constexpr Style kRim1{1, 0.0f, 0, 0, 0, false};
constexpr Style kRimSmall{1, 0.5f, 1, 1, 1, false};
constexpr Style kRim2{2, 0.45f, 2, 1, 2, false};
constexpr Style kTitle{3, 0.5f, 3, 2, 3, true};
constexpr Style kCounter{2, 0.5f, 2, 1, 2, true};

constexpr const char* kSans = "DejaVuSans.ttf";
constexpr const char* kBold = "DejaVuSans-Bold.ttf";
constexpr const char* kSerifBold = "DejaVuSerif-Bold.ttf";

// Sizes follow the fonts' use: flying captions and big titles large, counters
// medium and bold, dialog and help text small and plain enough to read.
const FontSpec kFonts[] = {
    {"FONT_02", "font_02", kBold, 34, kTitle},                    // flying captions, combos
    {"FONT_BIG", "font_big", kSerifBold, 44, kTitle},
    {"FONT_01", "font_01", kSerifBold, 28, kTitle},
    {"FONT_03", "font_03", kBold, 18, kRim2},
    {"FONT_COMPLETE_SCORES", "complete_scores", kBold, 24, kCounter},  // result counters, money
    {"FONT_SCORES", "scores", kBold, 22, kCounter},                    // in-game score and stage
    {"FONT_VILLAGE_SCORES", "village_scores", kBold, 18, kCounter},
    {"FONT_BLOCK_SCORES", "block_scores", kBold, 16, kRimSmall},          // "+50" over boxes
    {"FONT_HIGH_SCORES", "high_scores", kBold, 20, kRim2},
    {"FONT_LEVEL_SELECT", "level_select", kBold, 16, kRimSmall},
    {"FONT_HI", "hi", kBold, 18, kRim2},                              // menu help, pause caption
    {"FONT_MENU", "menu", kBold, 24, kRim2},
    {"FONT_BUTTONBIG", "buttonbig", kBold, 22, kRim2},
    {"FONT_BUTTONLITTLE", "buttonlittle", kBold, 14, kRim1},
    {"FONT_USERLIST", "userlist", kBold, 18, kRim2},                  // player list
    {"FONT_BUILD_01", "build_01", kBold, 19, kRim2},                  // upgrade title
    {"FONT_BUILD_02", "build_02", kSans, 14, kSoft},                  // upgrade description
    {"FONT_HELP", "help", kBold, 15, kRimSmall},                          // hints and floating labels
    {"FONT_COMICS", "comics", kBold, 17, kRimSmall},                      // loading line, comic, trophy room
    {"FONT_POPUP", "popup", kBold, 16, kSoft},                        // message boxes
    {"FONT_COMIC", "comic", kSans, 15, kPlain},                       // story dialogs (tinted dark)
    {"FONT_MAIN", "main", kSans, 16, kSoft},
    {"FONT_HYPERLINK", "hyperlink", kSans, 16, kSoft},
    {"FONT_NORMAL14", "normal14", kSans, 14, kPlain},
};

// Latin-1 plus the typographic punctuation texts tend to use.
std::vector<uint32_t> Charset() {
  std::vector<uint32_t> codes;
  for (uint32_t c = 32; c <= 126; ++c) codes.push_back(c);
  for (uint32_t c = 160; c <= 255; ++c) codes.push_back(c);
  for (uint32_t c : {0x2013u, 0x2014u, 0x2018u, 0x2019u, 0x201Cu, 0x201Du, 0x2022u, 0x2026u, 0x20ACu, 0x2122u})
    codes.push_back(c);
  return codes;
}

struct Glyph {
  uint32_t code = 0;
  int w = 0, h = 0;             // cell size
  std::vector<uint32_t> argb;   // premultiplied, w * h
  int xoffset = 0, yoffset = 0, xadvance = 0;
  int x = 0, y = 0, page = 0;
};

float At(const std::vector<float>& a, int w, int h, int x, int y) {
  return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : a[static_cast<size_t>(y) * w + x];
}

// Grows the coverage by r pixels with a soft edge.
std::vector<float> Dilate(const std::vector<float>& a, int w, int h, int r) {
  if (r <= 0) return a;
  std::vector<float> out(a.size(), 0.0f);
  struct Tap { int dx, dy; float wgt; };
  std::vector<Tap> taps;
  for (int dy = -r - 1; dy <= r + 1; ++dy)
    for (int dx = -r - 1; dx <= r + 1; ++dx) {
      const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
      const float wgt = std::clamp(static_cast<float>(r) + 1.0f - d, 0.0f, 1.0f);
      if (wgt > 0) taps.push_back({dx, dy, wgt});
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float m = 0;
      for (const Tap& t : taps) m = std::max(m, At(a, w, h, x + t.dx, y + t.dy) * t.wgt);
      out[static_cast<size_t>(y) * w + x] = m;
    }
  return out;
}

// Box blur run twice each way: close enough to a gaussian for a shadow.
std::vector<float> Blur(std::vector<float> a, int w, int h, int r) {
  if (r <= 0) return a;
  std::vector<float> tmp(a.size());
  const float n = static_cast<float>(2 * r + 1);
  for (int pass = 0; pass < 2; ++pass) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        float s = 0;
        for (int k = -r; k <= r; ++k) s += At(a, w, h, x + k, y);
        tmp[static_cast<size_t>(y) * w + x] = s / n;
      }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        float s = 0;
        for (int k = -r; k <= r; ++k) s += At(tmp, w, h, x, y + k);
        a[static_cast<size_t>(y) * w + x] = s / n;
      }
  }
  return a;
}

struct Rgba {
  float r, g, b, a;
};

// Source over destination, straight colours in, straight colours out.
Rgba Over(Rgba src, Rgba dst) {
  const float a = src.a + dst.a * (1 - src.a);
  if (a <= 0) return {0, 0, 0, 0};
  return {(src.r * src.a + dst.r * dst.a * (1 - src.a)) / a, (src.g * src.a + dst.g * dst.a * (1 - src.a)) / a,
          (src.b * src.a + dst.b * dst.a * (1 - src.a)) / a, a};
}

uint32_t Premultiplied(Rgba c) {
  auto byte = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  const uint32_t a = byte(c.a);
  return a << 24 | byte(c.r * c.a) << 16 | byte(c.g * c.a) << 8 | byte(c.b * c.a);
}

// One glyph with its effects; false when the face lacks the character.
bool RenderGlyph(FT_Face face, uint32_t code, const Style& st, int ascender, Glyph& out) {
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (index == 0) return false;
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  out.code = code;
  // The rim may overlap the next letter a little: only half of it widens the advance.
  out.xadvance = static_cast<int>((slot->advance.x + 32) >> 6) + st.outline / 2;
  if (bm.width == 0 || bm.rows == 0) return true;  // blank: advance only

  const int shadowReach = st.shadowAlpha > 0 ? st.outline + st.shadowBlur * 2 + std::max(std::abs(st.shadowX), std::abs(st.shadowY)) : 0;
  const int m = std::max(st.outline + 1, shadowReach + 1);
  const int gw = static_cast<int>(bm.width), gh = static_cast<int>(bm.rows);
  const int w = gw + 2 * m, h = gh + 2 * m;
  std::vector<float> cov(static_cast<size_t>(w) * h, 0.0f);
  for (int y = 0; y < gh; ++y)
    for (int x = 0; x < gw; ++x)
      cov[static_cast<size_t>(y + m) * w + x + m] = bm.buffer[static_cast<size_t>(y) * bm.pitch + x] / 255.0f;

  const std::vector<float> rim = Dilate(cov, w, h, st.outline);
  std::vector<float> shadow;
  if (st.shadowAlpha > 0) shadow = Blur(rim, w, h, st.shadowBlur);

  const Rgba ink{43 / 255.0f, 34 / 255.0f, 51 / 255.0f, 1};
  out.w = w;
  out.h = h;
  out.argb.assign(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba px{0, 0, 0, 0};
      if (!shadow.empty())
        px = Over({0, 0, 0, At(shadow, w, h, x - st.shadowX, y - st.shadowY) * st.shadowAlpha}, px);
      if (st.outline > 0) px = Over({ink.r, ink.g, ink.b, rim[static_cast<size_t>(y) * w + x]}, px);
      Rgba fill{1, 1, 1, cov[static_cast<size_t>(y) * w + x]};
      if (st.warm) {
        const float t = std::clamp(static_cast<float>(y - m) / static_cast<float>(std::max(gh, 1)), 0.0f, 1.0f);
        fill.g = 1.0f - 0.12f * t;
        fill.b = 1.0f - 0.42f * t;
      }
      px = Over(fill, px);
      out.argb[static_cast<size_t>(y) * w + x] = Premultiplied(px);
    }
  out.xoffset = slot->bitmap_left - m + st.outline;
  out.yoffset = ascender - slot->bitmap_top - m + st.outline;
  return true;
}

int NextPow2(int v) {
  int p = 2;
  while (p < v) p *= 2;
  return p;
}

// Shelf packing, tallest first; returns the page count for a page size.
int Pack(std::vector<Glyph*>& glyphs, int pageW, int pageH) {
  const int pad = 2;
  int page = 0, x = pad, y = pad, shelf = 0;
  for (Glyph* g : glyphs) {
    if (g->w == 0) continue;
    if (x + g->w + pad > pageW) {
      x = pad;
      y += shelf + pad;
      shelf = 0;
    }
    if (y + g->h + pad > pageH) {
      ++page;
      x = pad;
      y = pad;
      shelf = 0;
    }
    g->x = x;
    g->y = y;
    g->page = page;
    x += g->w + pad;
    shelf = std::max(shelf, g->h);
  }
  return page + 1;
}

bool WritePage(const std::vector<Glyph>& glyphs, int page, int pageW, int pageH, const fs::path& path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pageW, pageH);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::fill(data, data + static_cast<size_t>(stride) * pageH, 0);
  for (const Glyph& g : glyphs) {
    if (g.page != page || g.w == 0) continue;
    for (int y = 0; y < g.h; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(g.y + y) * stride);
      for (int x = 0; x < g.w; ++x) row[g.x + x] = g.argb[static_cast<size_t>(y) * g.w + x];
    }
  }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

bool MakeFont(FT_Library lib, const fs::path& faceDir, const FontSpec& font, const fs::path& outDir) {
  const fs::path facePath = faceDir / font.face;
  FT_Face face = nullptr;
  if (FT_New_Face(lib, facePath.c_str(), 0, &face)) {
    std::fprintf(stderr, "gen_fonts: cannot open the font %s (install fonts-dejavu-core)\n", facePath.c_str());
    return false;
  }
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(font.px));
  const int ascender = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  const int lineHeight = static_cast<int>((face->size->metrics.height + 63) >> 6) + 2 * font.style.outline;

  std::vector<Glyph> glyphs;
  for (uint32_t code : Charset()) {
    Glyph g;
    if (RenderGlyph(face, code, font.style, ascender, g)) glyphs.push_back(std::move(g));
  }
  std::string faceName = std::string(face->family_name ? face->family_name : "DejaVu") +
                         (face->style_name ? std::string(" ") + face->style_name : "");
  FT_Done_Face(face);

  std::vector<Glyph*> order;
  long area = 0;
  for (Glyph& g : glyphs) {
    order.push_back(&g);
    area += static_cast<long>(g.w + 2) * (g.h + 2);
  }
  std::stable_sort(order.begin(), order.end(), [](const Glyph* a, const Glyph* b) { return a->h > b->h; });
  // The smallest square-ish power-of-two page that holds every glyph, up to 1024.
  int pageW = NextPow2(static_cast<int>(std::sqrt(static_cast<double>(area))) + 1), pageH = pageW;
  pageW = std::min(pageW, 1024);
  pageH = std::min(pageH, 1024);
  int pages = Pack(order, pageW, pageH);
  while (pages > 1 && (pageW < 1024 || pageH < 1024)) {
    if (pageW <= pageH)
      pageW *= 2;
    else
      pageH *= 2;
    pages = Pack(order, pageW, pageH);
  }
  if (pages == 1) {
    // Trim unused height to a power of two.
    int used = 0;
    for (const Glyph& g : glyphs) used = std::max(used, g.y + g.h + 2);
    pageH = std::min(pageH, NextPow2(used));
  }

  for (int p = 0; p < pages; ++p) {
    const fs::path png = outDir / (std::string(font.file) + "_" + std::to_string(p) + ".png");
    if (!WritePage(glyphs, p, pageW, pageH, png)) {
      std::fprintf(stderr, "gen_fonts: cannot write %s\n", png.c_str());
      return false;
    }
  }

  std::ofstream x(outDir / (std::string(font.file) + ".xml"));
  x << "<?xml version=\"1.0\"?>\n<font>\n";
  x << "  <info face=\"" << faceName << "\" size=\"" << font.px << "\" bold=\"" << (std::string(font.face) == kSans ? 0 : 1)
    << "\" italic=\"0\" charset=\"\" unicode=\"1\" stretchH=\"100\" smooth=\"1\" aa=\"1\" padding=\"0,0,0,0\" "
       "spacing=\"2,2\" outline=\""
    << font.style.outline << "\"/>\n";
  x << "  <common lineHeight=\"" << lineHeight << "\" base=\"" << ascender + font.style.outline << "\" scaleW=\""
    << pageW << "\" scaleH=\"" << pageH << "\" pages=\"" << pages << "\" packed=\"0\"/>\n";
  x << "  <pages>\n";
  for (int p = 0; p < pages; ++p)
    x << "    <page id=\"" << p << "\" file=\"" << font.file << "_" << p << ".png\"/>\n";
  x << "  </pages>\n";
  x << "  <chars count=\"" << glyphs.size() << "\">\n";
  for (const Glyph& g : glyphs)
    x << "    <char id=\"" << g.code << "\" x=\"" << g.x << "\" y=\"" << g.y << "\" width=\"" << g.w << "\" height=\""
      << g.h << "\" xoffset=\"" << g.xoffset << "\" yoffset=\"" << g.yoffset << "\" xadvance=\"" << g.xadvance
      << "\" page=\"" << g.page << "\" chnl=\"15\"/>\n";
  x << "  </chars>\n";
  x << "  <kernings count=\"0\">\n  </kernings>\n</font>\n";
  if (!x) {
    std::fprintf(stderr, "gen_fonts: cannot write the description of %s\n", font.id);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gen_fonts <dejavu folder> <program folder> <manifest>\n");
    return 2;
  }
  const fs::path faceDir = argv[1], root = argv[2], manifest = argv[3];
  for (const char* f : {kSans, kBold, kSerifBold})
    if (!fs::exists(faceDir / f)) {
      std::fprintf(stderr, "gen_fonts: %s not found in %s (install the package fonts-dejavu-core)\n", f,
                   faceDir.c_str());
      return 1;
    }
  const fs::path outDir = root / "data" / "fonts";
  std::error_code ec;
  fs::create_directories(outDir, ec);
  fs::create_directories(manifest.parent_path(), ec);

  // One font per job, each job with a FreeType library of its own.
  constexpr size_t kCount = std::size(kFonts);
  std::vector<char> ok(kCount, 0);
  std::atomic<size_t> next{0};
  auto worker = [&] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib)) return;
    for (size_t i; (i = next++) < kCount;) ok[i] = MakeFont(lib, faceDir, kFonts[i], outDir);
    FT_Done_FreeType(lib);
  };
  std::vector<std::thread> pool;
  const unsigned n = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
  for (unsigned t = 0; t < n; ++t) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();

  std::ofstream list(manifest);
  for (size_t i = 0; i < kCount; ++i) {
    if (!ok[i]) {
      std::fprintf(stderr, "gen_fonts: %s was not made\n", kFonts[i].id);
      list.close();
      fs::remove(manifest, ec);
      return 1;
    }
    list << kFonts[i].id << '\t' << "data/fonts/" << kFonts[i].file << ".xml" << '\t' << kFonts[i].px << '\n';
  }
  list.close();
  if (!list) {
    fs::remove(manifest, ec);
    return 1;
  }
  return 0;
}
