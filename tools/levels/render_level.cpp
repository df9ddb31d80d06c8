// Draws a level as the running level shows it, after some frames of its
// world, into a PNG, without a display:
//
//   render_level <program folder> <level> <frames> <out.png> [--statics]
//   render_level <program folder> all <frames> <sheet.png>
//
// The program folder holds res.xml and data/ (the build folder). --statics
// draws every static of the physics world over the picture (moving ones in
// yellow) and the static paths' nodes. "all" draws every level into one
// contact sheet, eight to a row, each with its number, stage and island,
// to look over the whole campaign at once.
#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "level_view.h"
#include "platform/image.h"
#include "world/village_state.h"

namespace {

// The level loaded with the side panels of its island, as the game shows it.
bool Load(int level) {
  if (!level_view::Load(level)) return false;
  kelp::CurrentVillage = kelp::TLevel::GetIsland(level);
  kelp::InGameInterface->SetVillage();
  return true;
}

constexpr int kColumns = 8;
constexpr double kScale = 0.3;  // of the 800 x 600 canvas
constexpr double kCellW = 800 * kScale, kCellH = 600 * kScale, kLabelH = 18, kPad = 6;

// The canvas as a cairo surface (straight ARGB to premultiplied, opaque).
cairo_surface_t* ToSurface(const platform::Pixmap& p) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, p.Width(), p.Height());
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < p.Height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < p.Width(); ++x) row[x] = p.ReadPixel(x, y) | 0xff000000u;
  }
  cairo_surface_mark_dirty(s);
  return s;
}

int Sheet(int levels, int frames, const std::string& out) {
  using namespace kelp;
  const int rows = (levels + kColumns - 1) / kColumns;
  const int width = static_cast<int>(kColumns * (kCellW + kPad) + kPad);
  const int height = static_cast<int>(rows * (kCellH + kLabelH + kPad) + kPad);
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.16, 0.17, 0.2);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 12);
  int failed = 0;
  for (int level = 1; level <= levels; ++level) {
    const int k = level - 1;
    const double x = kPad + (k % kColumns) * (kCellW + kPad), y = kPad + (k / kColumns) * (kCellH + kLabelH + kPad);
    char label[64];
    if (!Load(level)) {
      ++failed;
      std::fprintf(stderr, "render_level: level %d does not load\n", level);
      cairo_set_source_rgb(cr, 0.8, 0.1, 0.1);
      cairo_rectangle(cr, x, y, kCellW, kCellH);
      cairo_fill(cr);
      std::snprintf(label, sizeof(label), "%03d does not load", level);
    } else {
      for (int frame = 0; frame < frames; ++frame) level_view::Frame(frame);
      level_view::Draw(false);
      platform::PixmapRef shot = platform::GrabCanvas();
      if (shot) {
        cairo_surface_t* s = ToSurface(*shot);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, kScale, kScale);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
      }
      std::snprintf(label, sizeof(label), "%03d  stage %d  %s", level, CurrentLevel->stage,
                    TLevel::GetIsland(level) == 2 ? "snow" : "desert");
    }
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, x + 2, y + kCellH + 13);
    cairo_show_text(cr, label);
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(sheet, out.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  if (!ok) {
    std::fprintf(stderr, "render_level: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %d levels after %d frames\n", out.c_str(), levels, frames);
  return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr,
                 "usage: render_level <program folder> <level> <frames> <out.png> [--statics]\n"
                 "       render_level <program folder> all <frames> <sheet.png>\n");
    return 2;
  }
  char* cwd = getcwd(nullptr, 0);
  const std::string out = argv[4][0] == '/' ? argv[4] : std::string(cwd ? cwd : ".") + "/" + argv[4];
  std::free(cwd);
  const bool all = std::string(argv[2]) == "all";
  const int level = std::atoi(argv[2]);
  const int frames = std::atoi(argv[3]);
  const bool statics = argc > 5 && std::string(argv[5]) == "--statics";

  const int levels = level_view::Open(argv[1]);
  if (all) {
    if (levels < 1) {
      std::fprintf(stderr, "render_level: no levels in %s\n", argv[1]);
      return 1;
    }
    return Sheet(levels, frames, out);
  }
  if (level < 1 || level > levels || !Load(level)) {
    std::fprintf(stderr, "render_level: level %d does not load from %s\n", level, argv[1]);
    return 1;
  }
  for (int frame = 0; frame < frames; ++frame) level_view::Frame(frame);
  level_view::Draw(statics);
  platform::PixmapRef shot = platform::GrabCanvas();
  if (!shot || !platform::SavePixmapPNG(*shot, out)) {
    std::fprintf(stderr, "render_level: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: level %d after %d frames\n", out.c_str(), level, frames);
  return 0;
}
