// contact_sheet: one picture showing every generated image with its id, so a
// person can look over the whole art set at once.
//
//   contact_sheet --manifest <art_manifest.tsv> --root <program folder> --out <sheet.png>
//                 [--per-page N] [--columns N] [--cell N] [--filter text]
//
// With --per-page the sheet is split into <out>_01.png, <out>_02.png, ...
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/image.h"

namespace {

struct Entry {
  std::string id, kind, file;
  int frames = 1, w = 0, h = 0;
  std::string handle;
};

std::vector<Entry> ReadManifest(const std::string& path) {
  std::vector<Entry> out;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream ss(line);
    std::string cell;
    while (std::getline(ss, cell, '\t')) f.push_back(cell);
    if (f.size() < 7) continue;
    Entry e;
    e.id = f[0];
    e.kind = f[1];
    e.file = f[2];
    e.frames = std::max(1, std::atoi(f[3].c_str()));
    e.w = std::atoi(f[4].c_str());
    e.h = std::atoi(f[5].c_str());
    e.handle = f[6];
    out.push_back(e);
  }
  return out;
}

// A cairo surface from a pixmap (straight ARGB to premultiplied).
cairo_surface_t* ToSurface(const platform::Pixmap& p) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.Width(), p.Height());
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < p.Height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < p.Width(); ++x) {
      uint32_t v = p.ReadPixel(x, y);
      uint32_t a = v >> 24, r = (v >> 16) & 255, g = (v >> 8) & 255, b = v & 255;
      r = r * a / 255;
      g = g * a / 255;
      b = b * a / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
  const double t = 8;
  for (double yy = y; yy < y + h; yy += t)
    for (double xx = x; xx < x + w; xx += t) {
      bool dark = (static_cast<int>((xx - x) / t) + static_cast<int>((yy - y) / t)) % 2;
      cairo_set_source_rgb(cr, dark ? 0.78 : 0.88, dark ? 0.78 : 0.88, dark ? 0.8 : 0.9);
      cairo_rectangle(cr, xx, yy, std::min(t, x + w - xx), std::min(t, y + h - yy));
      cairo_fill(cr);
    }
}

// Draws `src` region (sx, sy, sw, sh) fitted into the box (x, y, w, h).
void Fit(cairo_t* cr, cairo_surface_t* src, double sx, double sy, double sw, double sh, double x, double y,
         double w, double h) {
  if (sw <= 0 || sh <= 0) return;
  double k = std::min(w / sw, h / sh);
  k = std::min(k, 2.0);
  double dw = sw * k, dh = sh * k;
  cairo_save(cr);
  cairo_translate(cr, x + (w - dw) / 2, y + (h - dh) / 2);
  cairo_scale(cr, k, k);
  cairo_set_source_surface(cr, src, -sx, -sy);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_rectangle(cr, 0, 0, sw, sh);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Label(cairo_t* cr, const std::string& s, double x, double y, double w, double size, bool bold) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  double sz = size;
  cairo_text_extents_t e;
  for (;;) {
    cairo_set_font_size(cr, sz);
    cairo_text_extents(cr, s.c_str(), &e);
    if (e.x_advance <= w || sz <= 6) break;
    sz -= 0.5;
  }
  cairo_move_to(cr, x + (w - e.x_advance) / 2, y);
  cairo_show_text(cr, s.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::string manifest, root = ".", out = "contact_sheet.png", filter;
  int per_page = 0, columns = 10, cell = 180;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string a = argv[i], v = argv[i + 1];
    if (a == "--manifest") manifest = v;
    else if (a == "--root") root = v;
    else if (a == "--out") out = v;
    else if (a == "--per-page") per_page = std::atoi(v.c_str());
    else if (a == "--columns") columns = std::max(1, std::atoi(v.c_str()));
    else if (a == "--cell") cell = std::max(60, std::atoi(v.c_str()));
    else if (a == "--filter") filter = v;
  }
  if (manifest.empty()) {
    std::fprintf(stderr, "usage: contact_sheet --manifest <file> --root <folder> --out <png> [--per-page N]\n");
    return 2;
  }
  std::vector<Entry> all = ReadManifest(manifest);
  std::vector<Entry> entries;
  for (const Entry& e : all)
    if (filter.empty() || e.id.find(filter) != std::string::npos || e.file.find(filter) != std::string::npos)
      entries.push_back(e);
  if (entries.empty()) {
    std::fprintf(stderr, "contact_sheet: nothing to show\n");
    return 1;
  }
  if (per_page <= 0) per_page = static_cast<int>(entries.size());
  const int pages = (static_cast<int>(entries.size()) + per_page - 1) / per_page;
  const double label_h = 30, pad = 6;
  int missing = 0;
  for (int page = 0; page < pages; ++page) {
    const int first = page * per_page;
    const int count = std::min(per_page, static_cast<int>(entries.size()) - first);
    const int rows = (count + columns - 1) / columns;
    const int W = static_cast<int>(columns * (cell + pad) + pad);
    const int H = static_cast<int>(rows * (cell + label_h + pad) + pad);
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.25, 0.26, 0.3);
    cairo_paint(cr);
    for (int k = 0; k < count; ++k) {
      const Entry& e = entries[first + k];
      const double x = pad + (k % columns) * (cell + pad), y = pad + (k / columns) * (cell + label_h + pad);
      Checker(cr, x, y, cell, cell);
      platform::PixmapRef p = platform::LoadPixmap(root + "/" + e.file);
      if (!p) {
        ++missing;
        cairo_set_source_rgb(cr, 0.8, 0.1, 0.1);
        cairo_rectangle(cr, x, y, cell, cell);
        cairo_fill(cr);
      } else {
        cairo_surface_t* s = ToSurface(*p);
        const int cols = std::max(1, std::min(e.frames, 4096 / std::max(1, e.w)));
        if (e.frames > 1 && e.w > 0 && e.h > 0) {
          // the first frame large, the whole strip small underneath
          Fit(cr, s, 0, 0, e.w, e.h, x + 2, y + 2, cell - 4, cell * 0.7);
          const int strip = std::min(e.frames, 12);
          const double fw = (cell - 4.0) / strip;
          for (int f = 0; f < strip; ++f)
            Fit(cr, s, (f % cols) * e.w, (f / cols) * e.h, e.w, e.h, x + 2 + f * fw, y + cell * 0.72, fw,
                cell * 0.27);
        } else {
          Fit(cr, s, 0, 0, p->Width(), p->Height(), x + 2, y + 2, cell - 4, cell - 4);
        }
        cairo_surface_destroy(s);
      }
      cairo_set_source_rgb(cr, 1, 1, 1);
      Label(cr, e.id, x, y + cell + 12, cell, 10, true);
      cairo_set_source_rgb(cr, 0.75, 0.8, 0.9);
      char info[96];
      std::snprintf(info, sizeof(info), "%dx%d x%d %s", e.w, e.h, e.frames, e.handle.c_str());
      Label(cr, info, x, y + cell + 25, cell, 9, false);
    }
    std::string name = out;
    if (pages > 1) {
      char suffix[16];
      std::snprintf(suffix, sizeof(suffix), "_%02d", page + 1);
      auto dot = name.rfind(".png");
      name = dot == std::string::npos ? name + suffix : name.substr(0, dot) + suffix + ".png";
    }
    cairo_destroy(cr);
    if (cairo_surface_write_to_png(sheet, name.c_str()) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "contact_sheet: cannot write %s\n", name.c_str());
      cairo_surface_destroy(sheet);
      return 1;
    }
    cairo_surface_destroy(sheet);
    std::printf("contact_sheet: %s (%d pictures)\n", name.c_str(), count);
  }
  if (missing) std::fprintf(stderr, "contact_sheet: %d files missing\n", missing);
  return missing ? 1 : 0;
}
