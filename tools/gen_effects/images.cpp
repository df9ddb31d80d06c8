// Particle pictures of the effects: small soft shapes in white and grey, so
// that each effect tints them to its own colours.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "effects.h"

namespace kelp::fx {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rng {
  uint32_t s;
  explicit Rng(uint32_t seed) : s(seed) {}
  double Next() {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return (s >> 8) / 16777216.0;
  }
};

void Radial(cairo_t* cr, double cx, double cy, double r, double grey, double a0, double mid, double a1) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, grey, grey, grey, a0);
  cairo_pattern_add_color_stop_rgba(p, mid, grey, grey, grey, (a0 + a1) * 0.5);
  cairo_pattern_add_color_stop_rgba(p, 1, grey, grey, grey, a1);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Dot(cairo_t* cr, int w, int h) {
  Radial(cr, w / 2.0, h / 2.0, w / 2.0, 1.0, 1.0, 0.35, 0.0);
}

void Glow(cairo_t* cr, int w, int h) {
  cairo_pattern_t* p = cairo_pattern_create_radial(w / 2.0, h / 2.0, 0, w / 2.0, h / 2.0, w / 2.0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.9);
  cairo_pattern_add_color_stop_rgba(p, 0.15, 1, 1, 1, 0.6);
  cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.15);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

// A streak along x: bright head, fading tail (particles turn along their motion).
void Spark(cairo_t* cr, int w, int h) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.7, 1, 1, 1, 0.7);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 1);
  cairo_set_source(cr, p);
  cairo_save(cr);
  cairo_translate(cr, w / 2.0, h / 2.0);
  cairo_scale(cr, w / 2.0, h / 2.0);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Star(cairo_t* cr, int w, int h) {
  const double cx = w / 2.0, cy = h / 2.0, r = w / 2.0;
  Radial(cr, cx, cy, r * 0.45, 1.0, 0.9, 0.4, 0.0);
  for (int k = 0; k < 4; ++k) {
    const double a = k * kPi / 2, len = (k % 2 ? 0.75 : 1.0) * r;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, a);
    cairo_move_to(cr, 0, -r * 0.12);
    cairo_line_to(cr, len, 0);
    cairo_line_to(cr, 0, r * 0.12);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, len, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
  Radial(cr, cx, cy, r * 0.18, 1.0, 1.0, 0.5, 0.6);
}

// A puff made of overlapping soft blobs.
void Smoke(cairo_t* cr, int w, int h) {
  Rng rng(7);
  const double cx = w / 2.0, cy = h / 2.0;
  for (int k = 0; k < 9; ++k) {
    const double a = rng.Next() * 2 * kPi, d = rng.Next() * w * 0.16;
    const double r = w * (0.18 + rng.Next() * 0.14);
    Radial(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, r, 0.92 + 0.08 * rng.Next(), 0.35, 0.5, 0.0);
  }
}

void Dust(cairo_t* cr, int w, int h) {
  Rng rng(11);
  const double cx = w / 2.0, cy = h / 2.0;
  for (int k = 0; k < 6; ++k) {
    const double a = rng.Next() * 2 * kPi, d = rng.Next() * w * 0.2;
    Radial(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, w * (0.12 + rng.Next() * 0.12), 0.85, 0.5, 0.5, 0.0);
  }
}

void Ring(cairo_t* cr, int w, int h) {
  const double cx = w / 2.0, cy = h / 2.0, r = w / 2.0;
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r * 0.55, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.55, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Drop(cairo_t* cr, int w, int h) {
  const double cx = w / 2.0, r = w / 2.0 - 1;
  cairo_move_to(cr, cx, 1);
  cairo_curve_to(cr, cx + r * 0.4, h * 0.35, cx + r, h * 0.55, cx + r, h - r - 1);
  cairo_arc(cr, cx, h - r - 1, r, 0, kPi);
  cairo_curve_to(cr, cx - r, h * 0.55, cx - r * 0.4, h * 0.35, cx, 1);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, h);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.95);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.8, 0.85, 0.9, 0.85);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 1, 1, 1, 1);
  cairo_arc(cr, cx - r * 0.35, h - r * 1.3, r * 0.3, 0, 2 * kPi);
  cairo_fill(cr);
}

void Bubble(cairo_t* cr, int w, int h) {
  const double cx = w / 2.0, cy = h / 2.0, r = w / 2.0 - 1;
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r * 0.5, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.08);
  cairo_pattern_add_color_stop_rgba(p, 0.8, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.9);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
  cairo_arc(cr, cx - r * 0.4, cy - r * 0.4, r * 0.22, 0, 2 * kPi);
  cairo_fill(cr);
}

// A flame tongue pointing up, white core fading to transparent edges.
void Flame(cairo_t* cr, int w, int h) {
  cairo_move_to(cr, w / 2.0, 0);
  cairo_curve_to(cr, w * 0.75, h * 0.35, w * 0.98, h * 0.6, w * 0.8, h * 0.85);
  cairo_curve_to(cr, w * 0.65, h, w * 0.35, h, w * 0.2, h * 0.85);
  cairo_curve_to(cr, w * 0.02, h * 0.6, w * 0.25, h * 0.35, w / 2.0, 0);
  cairo_pattern_t* p = cairo_pattern_create_radial(w / 2.0, h * 0.72, 0, w / 2.0, h * 0.6, h * 0.6);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 0.6, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Flake(cairo_t* cr, int w, int h) {
  const double cx = w / 2.0, cy = h / 2.0, r = w / 2.0 - 1;
  cairo_set_source_rgba(cr, 1, 1, 1, 1);
  cairo_set_line_width(cr, std::max(1.0, w / 12.0));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int k = 0; k < 3; ++k) {
    const double a = k * kPi / 3;
    cairo_move_to(cr, cx - std::cos(a) * r, cy - std::sin(a) * r);
    cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
  }
  cairo_stroke(cr);
  Radial(cr, cx, cy, r * 0.45, 1.0, 1.0, 0.5, 0.0);
}

void Chip(cairo_t* cr, int w, int h) {
  cairo_move_to(cr, w * 0.1, h * 0.3);
  cairo_line_to(cr, w * 0.55, h * 0.05);
  cairo_line_to(cr, w * 0.95, h * 0.4);
  cairo_line_to(cr, w * 0.7, h * 0.95);
  cairo_line_to(cr, w * 0.2, h * 0.8);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, h);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.65, 0.65, 0.65, 1);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 0.35, 0.35, 0.35, 0.9);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// A long thin streak along x (rain, beams): particles turn along their motion.
void Streak(cairo_t* cr, int w, int h) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.8, 1, 1, 1, 0.8);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.3);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, 0, h * 0.25, w, h * 0.5);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Footprint(cairo_t* cr, int w, int h) {
  cairo_save(cr);
  cairo_translate(cr, w / 2.0, h / 2.0);
  cairo_scale(cr, w / 2.0 - 1, h / 2.0 - 1);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0.55, 0.6, 0.7, 0.8);
  cairo_fill(cr);
}

// A small electric zigzag.
void Bolt(cairo_t* cr, int w, int h) {
  Rng rng(23);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    Rng r2 = rng;
    cairo_move_to(cr, 2, h / 2.0);
    for (int k = 1; k <= 5; ++k) cairo_line_to(cr, 2 + (w - 4) * k / 5.0, h / 2.0 + (r2.Next() - 0.5) * h * 0.7);
    cairo_set_source_rgba(cr, 1, 1, 1, pass == 0 ? 0.35 : 1.0);
    cairo_set_line_width(cr, pass == 0 ? h * 0.3 : std::max(1.0, h * 0.08));
    cairo_stroke(cr);
  }
}

}  // namespace

const std::vector<ParticleImage>& ParticleImages() {
  static const std::vector<ParticleImage> images = {
      {"IMAGE_FX_DOT", "dot", 32, 32, Dot},
      {"IMAGE_FX_GLOW", "glow", 64, 64, Glow},
      {"IMAGE_FX_SPARK", "spark", 32, 8, Spark},
      {"IMAGE_FX_STAR", "star", 32, 32, Star},
      {"IMAGE_FX_SMOKE", "smoke", 64, 64, Smoke},
      {"IMAGE_FX_DUST", "dust", 32, 32, Dust},
      {"IMAGE_FX_RING", "ring", 64, 64, Ring},
      {"IMAGE_FX_DROP", "drop", 12, 20, Drop},
      {"IMAGE_FX_BUBBLE", "bubble", 24, 24, Bubble},
      {"IMAGE_FX_FLAME", "flame", 32, 48, Flame},
      {"IMAGE_FX_FLAKE", "flake", 16, 16, Flake},
      {"IMAGE_FX_CHIP", "chip", 16, 16, Chip},
      {"IMAGE_FX_STREAK", "streak", 32, 6, Streak},
      {"IMAGE_FX_FOOTPRINT", "footprint", 10, 6, Footprint},
      {"IMAGE_FX_BOLT", "bolt", 32, 16, Bolt},
  };
  return images;
}

bool WriteParticleImage(const ParticleImage& img, const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.w, img.h);
  cairo_t* cr = cairo_create(s);
  img.draw(cr, img.w, img.h);
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(s);
  return ok;
}

}  // namespace kelp::fx
