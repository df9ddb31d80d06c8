// Shared drawing helpers: colours, shapes, text, faces, GUI pieces, scenery.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {
constexpr double kPi = 3.14159265358979323846;
}  // namespace

// ---------------------------------------------------------------- registry

Art& Registry::Image(const std::string& id, const std::string& path, int w, int h, DrawFn fn) {
  Art a;
  a.id = id;
  a.kind = Kind::Image;
  a.path = path;
  a.w = w;
  a.h = h;
  a.draw = std::move(fn);
  arts_.push_back(std::move(a));
  return arts_.back();
}

Art& Registry::Anim(const std::string& id, const std::string& path, int w, int h, int frames, DrawFn fn) {
  Art& a = Image(id, path, w, h, std::move(fn));
  a.kind = Kind::Anim;
  a.frames = frames;
  return a;
}

Art& Registry::File(const std::string& id, const std::string& path, int w, int h, DrawFn fn) {
  Art& a = Image(id, path, w, h, std::move(fn));
  a.kind = Kind::File;
  return a;
}

// ---------------------------------------------------------------- colours

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Lighter(Rgb c, double t) { return Mix(c, pal::kWhite, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, Rgb{0, 0, 0}, t); }
void SetRgb(cairo_t* cr, Rgb c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

Rgb BoxRgb(int c) {
  static const Rgb kColors[kBoxColorCount] = {
      Hex(0x4cbb47),  // green
      Hex(0xe0473d),  // red
      Hex(0x3f74db),  // blue
      Hex(0xf2b52c),  // orange (a warm yellow)
      Hex(0xa557cc),  // purple
      Hex(0x8a8a78),  // grey
      Hex(0xa8692f),  // brown
      Hex(0x3fd3e0),  // sky
      Hex(0xbfeaf7),  // ice
  };
  return kColors[(c % kBoxColorCount + kBoxColorCount) % kBoxColorCount];
}

Rgb PlayRgb(int i) {
  static const int kPlay[7] = {kGreen, kRed, kBlue, kOrange, kPurple, kBrown, kSky};
  return BoxRgb(kPlay[(i % 7 + 7) % 7]);
}

const char* BoxName(int c) {
  static const char* kNames[kBoxColorCount] = {"green", "red", "blue", "orange", "purple",
                                               "grey", "brown", "sky", "ice"};
  return kNames[(c % kBoxColorCount + kBoxColorCount) % kBoxColorCount];
}

// ---------------------------------------------------------------- randomness

Rng::Rng(const std::string& text) : s(2166136261u) {
  for (unsigned char ch : text) s = (s ^ ch) * 16777619u;
  if (!s) s = 1;
}
uint32_t Rng::Next() {
  // xorshift32
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}
double Rng::Uniform(double a, double b) { return a + (b - a) * (Next() / 4294967296.0); }
int Rng::Int(int a, int b) { return a + static_cast<int>(Next() % static_cast<uint32_t>(b - a + 1)); }

// ---------------------------------------------------------------- paths

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double ro, double ri, int points, double rot_deg) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double a = (rot_deg + i * 180.0 / points) * kPi / 180.0;
    double r = (i % 2) ? ri : ro;
    double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r;
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

void Polygon(cairo_t* cr, const std::vector<double>& xy) {
  cairo_new_sub_path(cr);
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    if (i == 0)
      cairo_move_to(cr, xy[i], xy[i + 1]);
    else
      cairo_line_to(cr, xy[i], xy[i + 1]);
  }
  cairo_close_path(cr);
}

// ---------------------------------------------------------------- painting

void Shade(cairo_t* cr, Rgb base, double y0, double y1, double outline, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  Rgb top = Lighter(base, 0.28), bot = Darker(base, 0.12);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 0.55, base.r, base.g, base.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, bot.r, bot.g, bot.b, alpha);
  cairo_set_source(cr, p);
  if (outline > 0) {
    cairo_fill_preserve(cr);
    Rgb o = Darker(base, 0.45);
    cairo_set_source_rgba(cr, o.r, o.g, o.b, 0.9 * alpha);
    cairo_set_line_width(cr, outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  } else {
    cairo_fill(cr);
  }
  cairo_pattern_destroy(p);
}

void FillV(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Stroke(cairo_t* cr, Rgb c, double width, double alpha) {
  SetRgb(cr, c, alpha);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha, double core) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
  if (core > 0) cairo_pattern_add_color_stop_rgba(p, core, c.r, c.g, c.b, alpha * 0.9);
  cairo_pattern_add_color_stop_rgba(p, std::max(core, 0.0) + (1 - std::max(core, 0.0)) * 0.45, c.r, c.g, c.b,
                                    alpha * 0.35);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void ShadowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 1, ry / rx);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, rx);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.1, 0.08, 0.12, alpha);
  cairo_pattern_add_color_stop_rgba(p, 0.6, 0.1, 0.08, 0.12, alpha * 0.6);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.1, 0.08, 0.12, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, rx, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void Gloss(cairo_t* cr, double x, double y, double w, double h, double r, double alpha) {
  cairo_save(cr);
  RoundRect(cr, x + w * 0.08, y + h * 0.06, w * 0.84, h * 0.38, r * 0.8);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y + h * 0.06, 0, y + h * 0.44);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

// ---------------------------------------------------------------- text

namespace {
void SelectFont(cairo_t* cr, double size) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
}
}  // namespace

double TextWidth(cairo_t* cr, const std::string& s, double size) {
  cairo_save(cr);
  SelectFont(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  cairo_restore(cr);
  return e.x_advance;
}

double FitSize(cairo_t* cr, const std::string& s, double max_size, double max_w) {
  double w = TextWidth(cr, s, max_size);
  if (w <= max_w || w <= 0) return max_size;
  return std::max(6.0, max_size * max_w / w);
}

void Text(cairo_t* cr, const std::string& s, double x, double y, double size, Align align, Rgb fill,
          Rgb outline, double outline_w) {
  if (s.empty()) return;
  cairo_save(cr);
  SelectFont(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  double cap = size * 0.72;
  double bx = x;
  if (align == kCenter) bx = x - e.x_advance / 2;
  if (align == kRight) bx = x - e.x_advance;
  double by = y + cap / 2;
  cairo_move_to(cr, bx, by);
  cairo_text_path(cr, s.c_str());
  if (outline_w > 0) {
    SetRgb(cr, outline);
    cairo_set_line_width(cr, outline_w * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  SetRgb(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

// ---------------------------------------------------------------- faces

void Face(cairo_t* cr, double cx, double cy, double s, const FaceOpts& f) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const double ex = 9.0 * s, ey = cy - 3.0 * s, erx = 7.0 * s, ery = 8.0 * s;
  for (int side = -1; side <= 1; side += 2) {
    double x = cx + side * ex;
    if (f.ouch) {
      // squeezed eyes: > <
      cairo_move_to(cr, x - side * 5 * s, ey - 5 * s);
      cairo_line_to(cr, x + side * 4 * s, ey);
      cairo_line_to(cr, x - side * 5 * s, ey + 5 * s);
      Stroke(cr, f.pupil, 2.6 * s);
      continue;
    }
    if (f.blink >= 2) {
      cairo_move_to(cr, x - erx, ey + 1 * s);
      cairo_curve_to(cr, x - erx * 0.5, ey + 5 * s, x + erx * 0.5, ey + 5 * s, x + erx, ey + 1 * s);
      Stroke(cr, f.pupil, 2.4 * s);
      continue;
    }
    double ry = f.blink == 1 ? ery * 0.45 : ery;
    double yy = f.blink == 1 ? ey + ery * 0.35 : ey;
    Ellipse(cr, x, yy, erx, ry);
    SetRgb(cr, f.eye_white);
    cairo_fill_preserve(cr);
    Stroke(cr, Darker(f.pupil, 0.0), 1.3 * s, 0.8);
    double px = x + f.look_x * 2.8 * s, py = yy + f.look_y * (f.blink == 1 ? 1.0 : 3.2) * s;
    double pr = (f.blink == 1 ? 2.6 : 3.8) * s;
    cairo_arc(cr, px, py, pr, 0, 2 * kPi);
    SetRgb(cr, f.pupil);
    cairo_fill(cr);
    cairo_arc(cr, px - 1.2 * s, py - 1.4 * s, 1.3 * s, 0, 2 * kPi);
    SetRgb(cr, pal::kWhite);
    cairo_fill(cr);
    if (f.blink == 1) {
      // upper lid line
      cairo_move_to(cr, x - erx, yy - ry * 0.2);
      cairo_line_to(cr, x + erx, yy - ry * 0.2);
      Stroke(cr, f.pupil, 1.6 * s);
    }
  }
  if (f.angry) {
    for (int side = -1; side <= 1; side += 2) {
      double x = cx + side * ex;
      cairo_move_to(cr, x - side * 7 * s, ey - 12 * s);
      cairo_line_to(cr, x + side * 6 * s, ey - 8 * s);
      Stroke(cr, f.pupil, 2.6 * s);
    }
  }
  if (f.cheeks) {
    for (int side = -1; side <= 1; side += 2) {
      Ellipse(cr, cx + side * 15 * s, cy + 6 * s, 4 * s, 2.6 * s);
      cairo_set_source_rgba(cr, 1.0, 0.45, 0.5, 0.35);
      cairo_fill(cr);
    }
  }
  const double my = cy + 8.5 * s;
  switch (f.ouch ? 1 : f.mouth) {
    case 0:  // smile
      cairo_arc(cr, cx, my - 3 * s, 5 * s, 0.2 * kPi, 0.8 * kPi);
      Stroke(cr, f.pupil, 2.0 * s);
      break;
    case 1:  // open
      Ellipse(cr, cx, my + 0.5 * s, 4 * s, 4.5 * s);
      SetRgb(cr, Hex(0x5a1c24));
      cairo_fill(cr);
      Ellipse(cr, cx, my + 3 * s, 2.6 * s, 1.6 * s);
      SetRgb(cr, Hex(0xe86a7a));
      cairo_fill(cr);
      break;
    case 2:  // flat
      cairo_move_to(cr, cx - 4 * s, my);
      cairo_line_to(cr, cx + 4 * s, my);
      Stroke(cr, f.pupil, 2.0 * s);
      break;
    case 3:  // frown
      cairo_arc_negative(cr, cx, my + 5 * s, 5 * s, -0.2 * kPi, -0.8 * kPi);
      Stroke(cr, f.pupil, 2.0 * s);
      break;
    case 4:  // grin
      cairo_move_to(cr, cx - 6 * s, my - 2 * s);
      cairo_curve_to(cr, cx - 4 * s, my + 6 * s, cx + 4 * s, my + 6 * s, cx + 6 * s, my - 2 * s);
      cairo_close_path(cr);
      SetRgb(cr, Hex(0x5a1c24));
      cairo_fill_preserve(cr);
      Stroke(cr, f.pupil, 1.5 * s);
      cairo_rectangle(cr, cx - 4.5 * s, my - 1.8 * s, 9 * s, 2 * s);
      SetRgb(cr, pal::kWhite);
      cairo_fill(cr);
      break;
    default:  // fangs
      cairo_move_to(cr, cx - 6 * s, my - 1 * s);
      cairo_curve_to(cr, cx - 3 * s, my + 3 * s, cx + 3 * s, my + 3 * s, cx + 6 * s, my - 1 * s);
      Stroke(cr, f.pupil, 2.0 * s);
      for (int side = -1; side <= 1; side += 2) {
        Polygon(cr, {cx + side * 3.5 * s, my + 0.5 * s, cx + side * 1.5 * s, my + 1.3 * s, cx + side * 2.6 * s,
                     my + 4.5 * s});
        SetRgb(cr, pal::kWhite);
        cairo_fill(cr);
      }
      break;
  }
  cairo_restore(cr);
}

// ---------------------------------------------------------------- creatures

void Creature(cairo_t* cr, double cx, double cy, double r, const CreatureOpts& o) {
  cairo_save(cr);
  const double rx = r, ry = r * o.squash;
  const bool back = o.facing >= 2;
  const double fx = back ? 0 : o.facing;
  Rgb dark = Darker(o.body, 0.45);
  // feet
  if (o.feet) {
    for (int side = -1; side <= 1; side += 2) {
      Ellipse(cr, cx + side * rx * 0.42 + fx * rx * 0.15, cy + ry * 0.9, rx * 0.3, ry * 0.17);
      Shade(cr, Darker(o.body, 0.2), cy + ry * 0.75, cy + ry * 1.05, 1.2 * r / 20);
    }
  }
  // arms
  for (int side = -1; side <= 1; side += 2) {
    double ax = cx + side * rx * 0.95, ay = o.arms_up ? cy - ry * 0.45 : cy + ry * 0.25;
    Ellipse(cr, ax, ay, rx * 0.2, ry * 0.28);
    Shade(cr, o.body, ay - ry * 0.3, ay + ry * 0.3, 1.2 * r / 20);
  }
  // top decoration (behind the head where it sticks out)
  const double top = cy - ry;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (o.top) {
    case Top::Antenna:
      cairo_move_to(cr, cx + fx * rx * 0.2, top + ry * 0.1);
      cairo_curve_to(cr, cx + fx * rx * 0.2, top - ry * 0.2, cx + rx * 0.25, top - ry * 0.3, cx + rx * 0.25,
                     top - ry * 0.38);
      Stroke(cr, dark, r * 0.09);
      cairo_arc(cr, cx + rx * 0.25, top - ry * 0.42, r * 0.13, 0, 2 * kPi);
      Shade(cr, Lighter(o.body, 0.2), top - ry * 0.55, top - ry * 0.3, r * 0.05);
      break;
    case Top::Ears:
      for (int side = -1; side <= 1; side += 2) {
        Polygon(cr, {cx + side * rx * 0.3, top + ry * 0.25, cx + side * rx * 0.75, top - ry * 0.3,
                     cx + side * rx * 0.8, top + ry * 0.45});
        Shade(cr, o.body, top - ry * 0.3, top + ry * 0.4, r * 0.07);
      }
      break;
    case Top::Horns:
      for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, cx + side * rx * 0.45, top + ry * 0.3);
        cairo_curve_to(cr, cx + side * rx * 0.7, top - ry * 0.1, cx + side * rx * 0.9, top - ry * 0.15,
                       cx + side * rx * 1.0, top - ry * 0.45);
        cairo_curve_to(cr, cx + side * rx * 0.75, top - ry * 0.05, cx + side * rx * 0.6, top + ry * 0.2,
                       cx + side * rx * 0.6, top + ry * 0.45);
        cairo_close_path(cr);
        Shade(cr, Hex(0xf3ead2), top - ry * 0.45, top + ry * 0.45, r * 0.06);
      }
      break;
    case Top::Tuft:
      for (int i = -2; i <= 2; ++i) {
        double bx = cx + i * rx * 0.13;
        Polygon(cr, {bx - rx * 0.1, top + ry * 0.2, bx + i * rx * 0.06, top - ry * 0.28 + std::abs(i) * ry * 0.06,
                     bx + rx * 0.1, top + ry * 0.2});
        Shade(cr, Darker(o.body, 0.1), top - ry * 0.3, top + ry * 0.2, r * 0.05);
      }
      break;
    case Top::Leaf:
      cairo_move_to(cr, cx, top + ry * 0.1);
      cairo_curve_to(cr, cx - rx * 0.05, top - ry * 0.2, cx + rx * 0.35, top - ry * 0.45, cx + rx * 0.55,
                     top - ry * 0.3);
      cairo_curve_to(cr, cx + rx * 0.4, top - ry * 0.05, cx + rx * 0.15, top + ry * 0.05, cx, top + ry * 0.1);
      Shade(cr, pal::kLeaf, top - ry * 0.45, top + ry * 0.1, r * 0.05);
      break;
    case Top::Spikes:
      for (int i = -3; i <= 3; ++i) {
        double a = (-90 + i * 24) * kPi / 180;
        double bx = cx + std::cos(a) * rx * 0.85, by = cy + std::sin(a) * ry * 0.85;
        double tx = cx + std::cos(a) * rx * 1.28, ty = cy + std::sin(a) * ry * 1.28;
        double nx = -std::sin(a) * rx * 0.14, ny = std::cos(a) * ry * 0.14;
        Polygon(cr, {bx - nx, by - ny, tx, ty, bx + nx, by + ny});
        Shade(cr, Darker(o.body, 0.25), top - ry * 0.3, top + ry * 0.3, r * 0.05);
      }
      break;
    case Top::Crown:
      Polygon(cr, {cx - rx * 0.4, top + ry * 0.15, cx - rx * 0.45, top - ry * 0.35, cx - rx * 0.2, top - ry * 0.1,
                   cx, top - ry * 0.42, cx + rx * 0.2, top - ry * 0.1, cx + rx * 0.45, top - ry * 0.35,
                   cx + rx * 0.4, top + ry * 0.15});
      Shade(cr, pal::kGold, top - ry * 0.42, top + ry * 0.15, r * 0.06);
      break;
    case Top::None:
      break;
  }
  // body
  Ellipse(cr, cx, cy, rx, ry);
  Shade(cr, o.body, cy - ry, cy + ry, std::max(1.2, r * 0.09));
  // belly and gloss
  Ellipse(cr, cx + fx * rx * 0.2, cy + ry * 0.35, rx * 0.55, ry * 0.45);
  SetRgb(cr, Lighter(o.body, 0.35), back ? 0.0 : 0.45);
  cairo_fill(cr);
  Ellipse(cr, cx - rx * 0.35, cy - ry * 0.5, rx * 0.3, ry * 0.18);
  SetRgb(cr, pal::kWhite, 0.35);
  cairo_fill(cr);
  if (back) {
    // a little tail seen from behind
    cairo_arc(cr, cx, cy + ry * 0.55, r * 0.14, 0, 2 * kPi);
    Shade(cr, Lighter(o.body, 0.2), cy + ry * 0.4, cy + ry * 0.7, r * 0.05);
  } else {
    FaceOpts f = o.face;
    double s = r / 22.0;
    double shift = fx * rx * 0.38;
    Face(cr, cx + shift, cy - ry * 0.05, s, f);
  }
  cairo_restore(cr);
}

void BoxBody(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
  const double r = w * 0.2;
  RoundRect(cr, x, y, w, h, r);
  Shade(cr, c, y, y + h, std::max(1.5, w * 0.045));
  // inner bevel
  RoundRect(cr, x + w * 0.07, y + h * 0.07, w * 0.86, h * 0.86, r * 0.7);
  Stroke(cr, Lighter(c, 0.45), std::max(1.0, w * 0.03), 0.55);
  Gloss(cr, x, y, w, h, r, 0.35);
}

void BoxFace(cairo_t* cr, double x, double y, double w, double h, int state, Rgb c) {
  FaceOpts f;
  switch (state) {
    case 1: f.look_y = -1; break;
    case 2: f.look_x = -1; break;
    case 3: f.look_y = 1; break;
    case 4: f.look_x = 1; break;
    case 5: f.ouch = true; break;
    case 6: f.blink = 2; break;
    default: break;
  }
  f.pupil = Darker(c, 0.82);
  Face(cr, x + w / 2, y + h * 0.52, w / 48.0, f);
}

// ---------------------------------------------------------------- GUI pieces

void Panel(cairo_t* cr, double x, double y, double w, double h, PanelStyle st, const std::string& title) {
  cairo_save(cr);
  const double r = std::min(22.0, std::min(w, h) * 0.12);
  // drop shadow
  RoundRect(cr, x + 4, y + 6, w - 4, h - 4, r);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_fill(cr);
  Rgb base{}, inner{};
  switch (st) {
    case PanelStyle::Wood: base = pal::kWood; inner = Hex(0xf5e1b5); break;
    case PanelStyle::Parchment: base = Hex(0xc99a56); inner = pal::kParchment; break;
    case PanelStyle::Stone: base = pal::kStone; inner = Hex(0xe4e0d4); break;
    case PanelStyle::Metal: base = pal::kMetal; inner = Hex(0xdce4ec); break;
    case PanelStyle::Ice: base = Hex(0x7fc3e6); inner = Hex(0xe8f7ff); break;
    default: base = Hex(0x3a3550); inner = Hex(0x2a2640); break;
  }
  // frame
  RoundRect(cr, x + 1, y + 1, w - 6, h - 8, r);
  Shade(cr, base, y, y + h, 3.0);
  if (st == PanelStyle::Wood) {
    // plank seams and grain on the frame
    cairo_save(cr);
    RoundRect(cr, x + 1, y + 1, w - 6, h - 8, r);
    cairo_clip(cr);
    Rng rng(static_cast<uint32_t>(w * 131 + h * 7));
    for (double gy = y + 9; gy < y + h; gy += 13) {
      cairo_move_to(cr, x, gy + rng.Uniform(-2, 2));
      cairo_curve_to(cr, x + w * 0.3, gy + rng.Uniform(-3, 3), x + w * 0.7, gy + rng.Uniform(-3, 3), x + w,
                     gy + rng.Uniform(-2, 2));
      Stroke(cr, pal::kWoodDark, 1.0, 0.25);
    }
    cairo_restore(cr);
  }
  // inner area
  const double m = std::min(14.0, std::min(w, h) * 0.07);
  RoundRect(cr, x + 1 + m, y + 1 + m, w - 6 - 2 * m, h - 8 - 2 * m, r * 0.6);
  if (st == PanelStyle::Dark) {
    SetRgb(cr, inner, 0.85);
    cairo_fill_preserve(cr);
    Stroke(cr, Lighter(base, 0.3), 2.0);
  } else {
    FillV(cr, y + m, y + h - m, Lighter(inner, 0.3), inner);
    RoundRect(cr, x + 1 + m, y + 1 + m, w - 6 - 2 * m, h - 8 - 2 * m, r * 0.6);
    Stroke(cr, Darker(base, 0.35), 2.0, 0.8);
  }
  if (st == PanelStyle::Metal || st == PanelStyle::Stone) {
    for (double rx : {x + m * 0.6 + 1, x + w - 6 - m * 0.6})
      for (double ry : {y + m * 0.6 + 1, y + h - 8 - m * 0.6}) {
        cairo_arc(cr, rx, ry, std::max(2.0, m * 0.25), 0, 2 * kPi);
        Shade(cr, Lighter(base, 0.2), ry - 3, ry + 3, 1.0);
      }
  }
  if (!title.empty()) {
    double ts = FitSize(cr, title, 26, w * 0.8);
    // ribbon behind the title
    double tw = TextWidth(cr, title, ts) + 36;
    double tx = x + (w - 6) / 2;
    RoundRect(cr, tx - tw / 2, y + 3, tw, ts + 14, 10);
    Shade(cr, st == PanelStyle::Ice ? Hex(0x3f8fd0) : Hex(0xc0462f), y + 3, y + ts + 17, 2.0);
    Text(cr, title, tx, y + 10 + ts / 2, ts, kCenter, pal::kCream, pal::kInk, 2.0);
  }
  cairo_restore(cr);
}

void Button(cairo_t* cr, double w, double h, const std::string& label, Rgb base, int state) {
  cairo_save(cr);
  Rgb c = base;
  double dy = 0;
  if (state == 1) c = Lighter(base, 0.22);
  if (state == 2) {
    c = Darker(base, 0.15);
    dy = 1.5;
  }
  if (state == 3) c = Mix(Hex(0x8f8f8f), base, 0.15);
  const double m = 3, r = std::min(h * 0.45, 16.0);
  if (state == 1) {
    RoundRect(cr, 0.5, 0.5, w - 1, h - 1, r + 2);
    SetRgb(cr, Hex(0xfff6b0), 0.55);
    cairo_fill(cr);
  }
  // base (3D edge)
  RoundRect(cr, m, m + 2, w - 2 * m, h - 2 * m - 1, r);
  SetRgb(cr, Darker(c, 0.45));
  cairo_fill(cr);
  RoundRect(cr, m, m + dy, w - 2 * m, h - 2 * m - 3, r);
  Shade(cr, c, m, h - m, 2.0);
  Gloss(cr, m, m + dy, w - 2 * m, h - 2 * m - 3, r, state == 3 ? 0.2 : 0.4);
  double ts = FitSize(cr, label, std::min(h * 0.46, 24.0), w - 2 * m - 16);
  Rgb fill = state == 3 ? Hex(0xd8d8d8) : pal::kWhite;
  Text(cr, label, w / 2, (h - 3) / 2 + dy, ts, kCenter, fill, Darker(c, 0.6), std::max(1.2, ts * 0.09));
  cairo_restore(cr);
}

void RoundButton(cairo_t* cr, double cx, double cy, double r, Rgb base, int state) {
  Rgb c = base;
  double dy = 0;
  if (state == 1) {
    c = Lighter(base, 0.22);
    Glow(cr, cx, cy, r * 1.35, Hex(0xfff3a0), 0.7, 0.55);
  }
  if (state == 2) {
    c = Darker(base, 0.15);
    dy = 1.5;
  }
  if (state == 3) c = Mix(Hex(0x8f8f8f), base, 0.15);
  cairo_arc(cr, cx, cy + 2, r, 0, 2 * kPi);
  SetRgb(cr, Darker(c, 0.45));
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + dy, r, 0, 2 * kPi);
  Shade(cr, c, cy - r, cy + r, 2.0);
  Ellipse(cr, cx, cy - r * 0.45 + dy, r * 0.65, r * 0.32);
  SetRgb(cr, pal::kWhite, 0.3);
  cairo_fill(cr);
}

void DrawIcon(cairo_t* cr, Icon icon, double cx, double cy, double size, Rgb color) {
  cairo_save(cr);
  const double s = size / 2;
  const Rgb ink = Darker(color, 0.6);
  const double lw = std::max(1.2, size * 0.07);
  auto shape = [&](Rgb c) { Shade(cr, c, cy - s, cy + s, lw); };
  switch (icon) {
    case Icon::Home:
      Polygon(cr, {cx - s * 0.8, cy - s * 0.05, cx, cy - s * 0.85, cx + s * 0.8, cy - s * 0.05});
      shape(Hex(0xd2553f));
      cairo_rectangle(cr, cx - s * 0.6, cy - s * 0.1, s * 1.2, s * 0.9);
      shape(Hex(0xf0d9a8));
      cairo_rectangle(cr, cx - s * 0.15, cy + s * 0.3, s * 0.3, s * 0.5);
      shape(Hex(0x8a5a2b));
      break;
    case Icon::Sleep:
      Text(cr, "z", cx - s * 0.45, cy + s * 0.35, size * 0.45, kCenter, Hex(0x6f8fe8), pal::kWhite, 1.5);
      Text(cr, "Z", cx + s * 0.05, cy - s * 0.05, size * 0.6, kCenter, Hex(0x4f6fd8), pal::kWhite, 1.5);
      Text(cr, "Z", cx + s * 0.55, cy - s * 0.5, size * 0.45, kCenter, Hex(0x3f5fc8), pal::kWhite, 1.5);
      break;
    case Icon::Quest:
      Text(cr, "?", cx, cy, size * 0.95, kCenter, Hex(0xf2b52c), ink, 2.0);
      break;
    case Icon::Tavern:
      RoundRect(cr, cx - s * 0.55, cy - s * 0.5, s * 0.85, s * 1.2, s * 0.15);
      shape(Hex(0xf2b52c));
      cairo_arc(cr, cx + s * 0.35, cy + s * 0.1, s * 0.3, -kPi / 2, kPi / 2);
      Stroke(cr, Hex(0xb07d1a), lw * 1.5);
      Ellipse(cr, cx - s * 0.12, cy - s * 0.55, s * 0.5, s * 0.2);
      SetRgb(cr, pal::kWhite);
      cairo_fill(cr);
      break;
    case Icon::Trees:
      cairo_rectangle(cr, cx - s * 0.1, cy + s * 0.2, s * 0.2, s * 0.6);
      shape(Hex(0x8a5a2b));
      cairo_arc(cr, cx, cy - s * 0.15, s * 0.6, 0, 2 * kPi);
      shape(pal::kLeaf);
      break;
    case Icon::Happy:
    case Icon::Unhappy: {
      cairo_arc(cr, cx, cy, s * 0.85, 0, 2 * kPi);
      shape(icon == Icon::Happy ? Hex(0xffd54a) : Hex(0x8fb4e8));
      FaceOpts f;
      f.mouth = icon == Icon::Happy ? 4 : 3;
      f.cheeks = icon == Icon::Happy;
      Face(cr, cx, cy, size / 52.0, f);
      break;
    }
    case Icon::School:
      Polygon(cr, {cx - s * 0.8, cy - s * 0.1, cx, cy - s * 0.5, cx + s * 0.8, cy - s * 0.1, cx, cy + s * 0.3});
      shape(Hex(0x3a3a58));
      cairo_move_to(cr, cx + s * 0.6, cy - s * 0.05);
      cairo_line_to(cr, cx + s * 0.6, cy + s * 0.55);
      Stroke(cr, pal::kGold, lw * 1.3);
      RoundRect(cr, cx - s * 0.45, cy + s * 0.15, s * 0.9, s * 0.55, s * 0.1);
      shape(Hex(0xd2553f));
      break;
    case Icon::Market:
      cairo_move_to(cr, cx - s * 0.55, cy - s * 0.2);
      cairo_curve_to(cr, cx - s * 0.8, cy + s * 0.8, cx + s * 0.8, cy + s * 0.8, cx + s * 0.55, cy - s * 0.2);
      cairo_close_path(cr);
      shape(Hex(0xc9914b));
      cairo_move_to(cr, cx - s * 0.4, cy - s * 0.3);
      cairo_curve_to(cr, cx - s * 0.2, cy - s * 0.7, cx + s * 0.2, cy - s * 0.7, cx + s * 0.4, cy - s * 0.3);
      Stroke(cr, Hex(0x7a4a22), lw * 1.4);
      Text(cr, "$", cx, cy + s * 0.25, size * 0.45, kCenter, pal::kGold, Hex(0x7a4a22), 1.2);
      break;
    case Icon::Telescope:
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, -0.5);
      RoundRect(cr, -s * 0.8, -s * 0.18, s * 1.5, s * 0.36, s * 0.1);
      shape(Hex(0x5a7fa8));
      RoundRect(cr, s * 0.4, -s * 0.24, s * 0.4, s * 0.48, s * 0.1);
      shape(pal::kGold);
      cairo_restore(cr);
      cairo_move_to(cr, cx - s * 0.1, cy + s * 0.1);
      cairo_line_to(cr, cx - s * 0.5, cy + s * 0.85);
      cairo_move_to(cr, cx - s * 0.1, cy + s * 0.1);
      cairo_line_to(cr, cx + s * 0.3, cy + s * 0.85);
      Stroke(cr, Hex(0x7a4a22), lw * 1.3);
      break;
    case Icon::Magic:
      cairo_move_to(cr, cx - s * 0.7, cy + s * 0.7);
      cairo_line_to(cr, cx + s * 0.2, cy - s * 0.2);
      Stroke(cr, Hex(0x5a3a7a), lw * 2.2);
      Star(cr, cx + s * 0.35, cy - s * 0.35, s * 0.5, pal::kGold, lw);
      Sparkle(cr, cx - s * 0.5, cy - s * 0.5, s * 0.3, Hex(0xb98cff));
      break;
    case Icon::Lock:
      cairo_arc(cr, cx, cy - s * 0.2, s * 0.42, kPi, 2 * kPi);
      Stroke(cr, Hex(0x8e9aa6), lw * 2.0);
      RoundRect(cr, cx - s * 0.62, cy - s * 0.2, s * 1.24, s * 0.95, s * 0.15);
      shape(pal::kGold);
      cairo_arc(cr, cx, cy + s * 0.2, s * 0.14, 0, 2 * kPi);
      SetRgb(cr, Hex(0x5a3a10));
      cairo_fill(cr);
      break;
    case Icon::Check:
      cairo_move_to(cr, cx - s * 0.6, cy);
      cairo_line_to(cr, cx - s * 0.15, cy + s * 0.5);
      cairo_line_to(cr, cx + s * 0.65, cy - s * 0.55);
      Stroke(cr, ink, lw * 3.4);
      cairo_move_to(cr, cx - s * 0.6, cy);
      cairo_line_to(cr, cx - s * 0.15, cy + s * 0.5);
      cairo_line_to(cr, cx + s * 0.65, cy - s * 0.55);
      Stroke(cr, color, lw * 2.0);
      break;
    case Icon::Cross:
    case Icon::Close:
      for (int k = 0; k < 2; ++k) {
        cairo_move_to(cr, cx - s * 0.5, cy - s * 0.5);
        cairo_line_to(cr, cx + s * 0.5, cy + s * 0.5);
        cairo_move_to(cr, cx + s * 0.5, cy - s * 0.5);
        cairo_line_to(cr, cx - s * 0.5, cy + s * 0.5);
        Stroke(cr, k ? color : ink, k ? lw * 2.2 : lw * 3.6);
      }
      break;
    case Icon::ArrowLeft:
    case Icon::ArrowRight:
    case Icon::ArrowUp:
    case Icon::ArrowDown:
    case Icon::Back: {
      double rot = icon == Icon::ArrowRight ? 0 : icon == Icon::ArrowDown ? kPi / 2
                                               : icon == Icon::ArrowUp   ? -kPi / 2
                                                                         : kPi;
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, rot);
      Polygon(cr, {-s * 0.7, -s * 0.25, s * 0.05, -s * 0.25, s * 0.05, -s * 0.65, s * 0.75, 0, s * 0.05, s * 0.65,
                   s * 0.05, s * 0.25, -s * 0.7, s * 0.25});
      Shade(cr, color, -s, s, lw);
      cairo_restore(cr);
      break;
    }
    case Icon::Play:
      Polygon(cr, {cx - s * 0.45, cy - s * 0.65, cx + s * 0.65, cy, cx - s * 0.45, cy + s * 0.65});
      shape(color);
      break;
    case Icon::Skip:
      for (int k = 0; k < 2; ++k) {
        double ox = (k - 0.5) * s * 0.7;
        Polygon(cr, {cx + ox - s * 0.4, cy - s * 0.5, cx + ox + s * 0.35, cy, cx + ox - s * 0.4, cy + s * 0.5});
        shape(color);
      }
      break;
    case Icon::Trophy:
      cairo_move_to(cr, cx - s * 0.55, cy - s * 0.7);
      cairo_line_to(cr, cx + s * 0.55, cy - s * 0.7);
      cairo_curve_to(cr, cx + s * 0.55, cy + s * 0.1, cx + s * 0.2, cy + s * 0.2, cx, cy + s * 0.2);
      cairo_curve_to(cr, cx - s * 0.2, cy + s * 0.2, cx - s * 0.55, cy + s * 0.1, cx - s * 0.55, cy - s * 0.7);
      shape(pal::kGold);
      cairo_rectangle(cr, cx - s * 0.1, cy + s * 0.2, s * 0.2, s * 0.35);
      shape(pal::kGold);
      RoundRect(cr, cx - s * 0.45, cy + s * 0.5, s * 0.9, s * 0.3, s * 0.08);
      shape(Hex(0x8a5a2b));
      for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, cx + side * s * 0.6, cy - s * 0.4, s * 0.22, 0, 2 * kPi);
        Stroke(cr, Darker(pal::kGold, 0.3), lw * 1.2);
      }
      break;
    case Icon::Menu:
      for (int k = -1; k <= 1; ++k) {
        RoundRect(cr, cx - s * 0.6, cy + k * s * 0.42 - s * 0.12, s * 1.2, s * 0.24, s * 0.1);
        shape(color);
      }
      break;
    case Icon::Build:
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, -0.7);
      RoundRect(cr, -s * 0.1, -s * 0.2, s * 0.2, s * 1.0, s * 0.08);
      Shade(cr, Hex(0x9a6a3a), -s, s, lw);
      RoundRect(cr, -s * 0.45, -s * 0.55, s * 0.9, s * 0.38, s * 0.1);
      Shade(cr, Hex(0x9aa6b2), -s, s, lw);
      cairo_restore(cr);
      break;
    case Icon::Coin:
      Coin(cr, cx, cy, s * 0.8);
      break;
    case Icon::Refresh:
      cairo_arc(cr, cx, cy, s * 0.55, 0.3, 2 * kPi - 0.6);
      Stroke(cr, color, lw * 2.2);
      Polygon(cr, {cx + s * 0.55, cy - s * 0.55, cx + s * 0.8, cy - s * 0.05, cx + s * 0.25, cy - s * 0.1});
      shape(color);
      break;
    case Icon::Star:
      Star(cr, cx, cy, s * 0.85, color, lw);
      break;
  }
  cairo_restore(cr);
}

// ---------------------------------------------------------------- scenery

void Cloud(cairo_t* cr, double cx, double cy, double w, double h, uint32_t seed, double alpha) {
  Rng rng(seed);
  cairo_save(cr);
  cairo_new_path(cr);
  // puffs: big ones in the middle touching the top, small ones at the ends resting on the bottom
  const int n = 4 + rng.Int(0, 2);
  double first_x = 0, last_x = 0;
  for (int i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / (n - 1);
    double bump = std::sin(t * kPi) * rng.Uniform(0.75, 1.0);
    double r = h * (0.2 + 0.21 * bump) * rng.Uniform(0.9, 1.0);
    double x = cx - w / 2 + r + (w - 2 * r) * (0.04 + 0.92 * t);
    double y_bottom = cy + h / 2 - r - 1, y_top = cy - h / 2 + r + 1;
    double y = y_bottom + (y_top - y_bottom) * bump;
    if (i == 0) first_x = x;
    last_x = x;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
  }
  RoundRect(cr, first_x, cy - h * 0.02, last_x - first_x, h * 0.5 - 1, h * 0.2);
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  FillV(cr, cy - h / 2, cy + h / 2, Hex(0xffffff), Hex(0xd6e2f0), alpha);
  // soft underside shading
  cairo_append_path(cr, path);
  cairo_clip(cr);
  Ellipse(cr, cx, cy + h * 0.45, w * 0.55, h * 0.22);
  SetRgb(cr, Hex(0xb8c8dc), 0.45 * alpha);
  cairo_fill(cr);
  cairo_path_destroy(path);
  cairo_restore(cr);
}

void Coin(cairo_t* cr, double cx, double cy, double r, double turn) {
  double sx = std::fabs(std::cos(turn * kPi));
  sx = std::max(sx, 0.12);
  cairo_save(cr);
  Ellipse(cr, cx + r * 0.06, cy + r * 0.04, r * sx, r);
  SetRgb(cr, Hex(0xa0700a));
  cairo_fill(cr);
  Ellipse(cr, cx, cy, r * sx, r);
  Shade(cr, pal::kGold, cy - r, cy + r, std::max(1.0, r * 0.12));
  if (sx > 0.35) {
    Ellipse(cr, cx, cy, r * sx * 0.68, r * 0.68);
    Stroke(cr, Darker(pal::kGold, 0.25), std::max(0.8, r * 0.08), 0.8);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, sx, 1);
    StarPath(cr, 0, 0, r * 0.42, r * 0.18, 5);
    SetRgb(cr, Lighter(pal::kGold, 0.45));
    cairo_fill(cr);
    cairo_restore(cr);
  }
  Ellipse(cr, cx - r * sx * 0.35, cy - r * 0.4, r * sx * 0.25, r * 0.2);
  SetRgb(cr, pal::kWhite, 0.6);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Gem(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  Polygon(cr, {cx - r * 0.9, cy - r * 0.25, cx - r * 0.5, cy - r * 0.75, cx + r * 0.5, cy - r * 0.75, cx + r * 0.9,
               cy - r * 0.25, cx, cy + r * 0.9});
  Shade(cr, c, cy - r, cy + r, std::max(1.0, r * 0.1));
  Polygon(cr, {cx - r * 0.9, cy - r * 0.25, cx + r * 0.9, cy - r * 0.25, cx, cy + r * 0.9});
  SetRgb(cr, Darker(c, 0.2), 0.35);
  cairo_fill(cr);
  Polygon(cr, {cx - r * 0.45, cy - r * 0.7, cx - r * 0.1, cy - r * 0.7, cx - r * 0.55, cy - r * 0.3});
  SetRgb(cr, pal::kWhite, 0.7);
  cairo_fill(cr);
}

void Star(cairo_t* cr, double cx, double cy, double r, Rgb c, double outline) {
  StarPath(cr, cx, cy, r, r * 0.48, 5);
  Shade(cr, c, cy - r, cy + r, outline);
  StarPath(cr, cx - r * 0.08, cy - r * 0.1, r * 0.45, r * 0.2, 5);
  SetRgb(cr, pal::kWhite, 0.35);
  cairo_fill(cr);
}

void Sparkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
  Glow(cr, cx, cy, r, c, 0.5 * alpha);
  StarPath(cr, cx, cy, r, r * 0.16, 4);
  SetRgb(cr, Lighter(c, 0.6), alpha);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r * 0.14, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite, alpha);
  cairo_fill(cr);
}

void Palm(cairo_t* cr, double bx, double by, double height, double lean, uint32_t seed) {
  Rng rng(seed);
  cairo_save(cr);
  const double tx = bx + lean * height * 0.35, ty = by - height * 0.72;
  // trunk as stacked rings
  const int rings = 9;
  for (int i = rings - 1; i >= 0; --i) {
    double t = (i + 0.5) / rings;
    double x = bx + (tx - bx) * t + std::sin(t * kPi) * lean * height * 0.05;
    double y = by + (ty - by) * t;
    double w = height * (0.075 - 0.03 * t);
    Ellipse(cr, x, y, w, height * 0.05);
    Shade(cr, Hex(0xa9743d), y - height * 0.05, y + height * 0.05, 1.2);
  }
  // fronds
  const int n = 7;
  for (int i = 0; i < n; ++i) {
    double a = kPi * (1.05 + 0.9 * i / (n - 1)) + rng.Uniform(-0.12, 0.12);
    double len = height * rng.Uniform(0.38, 0.5);
    double ex = tx + std::cos(a) * len, ey = ty + std::sin(a) * len * 0.55 + len * 0.25;
    double mx = tx + std::cos(a) * len * 0.5, my = ty + std::sin(a) * len * 0.55 - len * 0.1;
    double nx = -std::sin(a) * height * 0.07, ny = std::cos(a) * height * 0.07;
    cairo_move_to(cr, tx, ty);
    cairo_curve_to(cr, mx + nx, my + ny, ex + nx * 0.3, ey + ny * 0.3, ex, ey);
    cairo_curve_to(cr, ex - nx * 0.3, ey - ny * 0.3, mx - nx * 0.4, my - ny * 0.4, tx, ty);
    Shade(cr, Mix(Hex(0x3f9b3a), Hex(0x6cc24a), rng.Uniform(0, 1)), ty - len, ty + len * 0.5, 1.4);
    cairo_move_to(cr, tx, ty);
    cairo_curve_to(cr, mx, my, ex, ey, ex, ey);
    Stroke(cr, Hex(0x2f6e2a), 1.0, 0.6);
  }
  for (int i = 0; i < 3; ++i) {
    cairo_arc(cr, tx + (i - 1) * height * 0.035, ty + height * 0.035, height * 0.028, 0, 2 * kPi);
    Shade(cr, Hex(0x6b4423), ty, ty + height * 0.07, 1.0);
  }
  cairo_restore(cr);
}

void Pine(cairo_t* cr, double bx, double by, double height, bool snowy, uint32_t seed) {
  Rng rng(seed);
  cairo_save(cr);
  cairo_rectangle(cr, bx - height * 0.045, by - height * 0.16, height * 0.09, height * 0.16);
  Shade(cr, Hex(0x7a4f2a), by - height * 0.16, by, 1.2);
  const int tiers = 4;
  for (int i = 0; i < tiers; ++i) {
    double t = static_cast<double>(i) / tiers;
    double base = by - height * (0.12 + 0.2 * i);
    double w = height * (0.42 - 0.08 * i) * rng.Uniform(0.95, 1.05);
    double top = base - height * 0.36;
    Polygon(cr, {bx - w, base, bx, top, bx + w, base});
    Shade(cr, Mix(Hex(0x2f7d4a), Hex(0x3f9b5a), t), top, base, 1.4);
    if (snowy) {
      cairo_move_to(cr, bx - w * 0.62, base - height * 0.13);
      cairo_line_to(cr, bx, top);
      cairo_line_to(cr, bx + w * 0.62, base - height * 0.13);
      cairo_curve_to(cr, bx + w * 0.3, base - height * 0.08, bx + w * 0.15, base - height * 0.16, bx,
                     base - height * 0.1);
      cairo_curve_to(cr, bx - w * 0.15, base - height * 0.16, bx - w * 0.3, base - height * 0.08, bx - w * 0.62,
                     base - height * 0.13);
      Shade(cr, pal::kSnow, top, base, 1.0);
    }
  }
  cairo_restore(cr);
}

void Landscape(cairo_t* cr, double w, double h, double top, Land land, uint32_t seed) {
  Rng rng(seed);
  Rgb far{}, mid{}, near{}, ground{}, ground2{};
  switch (land) {
    case Land::Desert:
      far = Hex(0xe7b98a); mid = Hex(0xe0a35e); near = Hex(0xd99a4e); ground = Hex(0xefcd86); ground2 = Hex(0xdcae64);
      break;
    case Land::DesertEvil:
      far = Hex(0xb07a8c); mid = Hex(0xa35d62); near = Hex(0x8c4a52); ground = Hex(0xc98a6a); ground2 = Hex(0x9e5e56);
      break;
    case Land::Snow:
      far = Hex(0xb9d3ee); mid = Hex(0xd6e8f8); near = Hex(0xe8f3fd); ground = Hex(0xf4f9ff); ground2 = Hex(0xd2e4f4);
      break;
    case Land::Snow2:
      far = Hex(0xa8b8e6); mid = Hex(0xc4cff0); near = Hex(0xdce3f7); ground = Hex(0xeef1fb); ground2 = Hex(0xc9d1ee);
      break;
    case Land::SnowEvil:
      far = Hex(0x6a6a9e); mid = Hex(0x8686b8); near = Hex(0xa2a2cc); ground = Hex(0xc4c4e0); ground2 = Hex(0x8e8eb8);
      break;
  }
  const bool snow = land == Land::Snow || land == Land::Snow2 || land == Land::SnowEvil;
  const bool evil = land == Land::DesertEvil || land == Land::SnowEvil;
  const double span = h - top;
  // three rows of hills, far to near
  for (int layer = 0; layer < 3; ++layer) {
    Rgb c = layer == 0 ? far : layer == 1 ? mid : near;
    double base = top + span * (0.18 + 0.2 * layer);
    double amp = span * (0.16 - 0.03 * layer);
    cairo_move_to(cr, 0, h);
    const int steps = 48;
    double ph1 = rng.Uniform(0, 6.28), ph2 = rng.Uniform(0, 6.28);
    double f1 = rng.Uniform(1.5, 2.6), f2 = rng.Uniform(3.5, 5.5);
    for (int i = 0; i <= steps; ++i) {
      double x = w * i / steps;
      double t = static_cast<double>(i) / steps;
      double y = base - amp * (0.6 * std::sin(t * f1 * kPi + ph1) + 0.4 * std::sin(t * f2 * kPi + ph2));
      if (!snow && layer == 0) {
        // mesas in the desert distance
        double m = std::sin(t * 3 * kPi + ph2);
        if (m > 0.55) y = base - amp * 1.3;
      }
      cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    FillV(cr, base - amp * 1.4, h, Lighter(c, 0.12), Darker(c, 0.08));
    if (snow && layer < 2) {
      // snow caps are implied by the pale colours; add a few pines on the middle row
      for (int k = 0; k < 7; ++k) {
        double x = rng.Uniform(0, w);
        double t = x / w;
        double y = base - amp * (0.6 * std::sin(t * f1 * kPi + ph1) + 0.4 * std::sin(t * f2 * kPi + ph2));
        Pine(cr, x, y + 6, span * rng.Uniform(0.12, 0.2), true, rng.Next());
      }
    }
  }
  // ground band with a soft texture
  double gy = top + span * 0.72;
  cairo_move_to(cr, 0, gy);
  for (int i = 0; i <= 32; ++i) {
    double x = w * i / 32.0;
    cairo_line_to(cr, x, gy + std::sin(i * 0.9 + seed % 7) * span * 0.015);
  }
  cairo_line_to(cr, w, h);
  cairo_line_to(cr, 0, h);
  cairo_close_path(cr);
  FillV(cr, gy, h, ground, ground2);
  for (int k = 0; k < static_cast<int>(w / 18); ++k) {
    double x = rng.Uniform(0, w), y = rng.Uniform(gy + 6, h);
    Ellipse(cr, x, y, rng.Uniform(3, 9), rng.Uniform(1, 2.5));
    SetRgb(cr, snow ? Hex(0xffffff) : Darker(ground2, 0.15), 0.35);
    cairo_fill(cr);
  }
  // stones or dead trees for the evil lands
  if (evil) {
    for (int k = 0; k < 4; ++k) {
      double x = rng.Uniform(w * 0.05, w * 0.95), y = gy + rng.Uniform(0, span * 0.1);
      double th = span * rng.Uniform(0.12, 0.2);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + th * 0.05, y - th);
      cairo_move_to(cr, x + th * 0.03, y - th * 0.6);
      cairo_line_to(cr, x + th * 0.3, y - th * 0.85);
      cairo_move_to(cr, x + th * 0.02, y - th * 0.4);
      cairo_line_to(cr, x - th * 0.25, y - th * 0.6);
      Stroke(cr, Hex(0x3a2a3a), 3.0);
    }
  } else if (!snow) {
    for (int k = 0; k < 5; ++k) {
      double x = rng.Uniform(0, w), y = gy + rng.Uniform(span * 0.02, span * 0.2);
      double r = rng.Uniform(6, 14);
      Ellipse(cr, x, y, r * 1.4, r);
      Shade(cr, Hex(0xb08866), y - r, y + r, 1.2);
    }
  }
}

void Hut(cairo_t* cr, double x, double y, double w, double h, Rgb wall, Rgb roof, bool snowy, int windows_lit) {
  cairo_save(cr);
  const double wall_top = y + h * 0.42;
  ShadowEllipse(cr, x + w * 0.5, y + h * 0.98, w * 0.55, h * 0.07, 0.35);
  RoundRect(cr, x + w * 0.1, wall_top, w * 0.8, h * 0.56, w * 0.06);
  Shade(cr, wall, wall_top, y + h, 2.0);
  // roof
  cairo_move_to(cr, x, wall_top + h * 0.04);
  cairo_curve_to(cr, x + w * 0.2, y + h * 0.1, x + w * 0.35, y, x + w * 0.5, y);
  cairo_curve_to(cr, x + w * 0.65, y, x + w * 0.8, y + h * 0.1, x + w, wall_top + h * 0.04);
  cairo_close_path(cr);
  Shade(cr, roof, y, wall_top, 2.0);
  if (snowy) {
    cairo_move_to(cr, x + w * 0.04, wall_top - h * 0.02);
    cairo_curve_to(cr, x + w * 0.2, y + h * 0.08, x + w * 0.35, y - h * 0.02, x + w * 0.5, y - h * 0.02);
    cairo_curve_to(cr, x + w * 0.65, y - h * 0.02, x + w * 0.8, y + h * 0.08, x + w * 0.96, wall_top - h * 0.02);
    cairo_curve_to(cr, x + w * 0.8, wall_top - h * 0.1, x + w * 0.2, wall_top - h * 0.1, x + w * 0.04,
                   wall_top - h * 0.02);
    Shade(cr, pal::kSnow, y, wall_top, 1.2);
  }
  // door
  cairo_move_to(cr, x + w * 0.42, y + h * 0.98);
  cairo_line_to(cr, x + w * 0.42, y + h * 0.74);
  cairo_arc(cr, x + w * 0.5, y + h * 0.74, w * 0.08, kPi, 2 * kPi);
  cairo_line_to(cr, x + w * 0.58, y + h * 0.98);
  cairo_close_path(cr);
  Shade(cr, Hex(0x7a4a22), y + h * 0.66, y + h, 1.5);
  // windows
  for (int i = 0; i < 2; ++i) {
    double wx = x + w * (i ? 0.7 : 0.22), wy = y + h * 0.6;
    RoundRect(cr, wx - w * 0.06, wy - h * 0.06, w * 0.12, h * 0.12, w * 0.03);
    Shade(cr, i < windows_lit ? Hex(0xffd860) : Hex(0x4a5a78), wy - h * 0.06, wy + h * 0.06, 1.5);
  }
  cairo_restore(cr);
}

}  // namespace kelp::art
