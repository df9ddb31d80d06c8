// The twelve trophies of the story (and the two award pictures of the portal
// stones), centred so they can spin and grow about their middle.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/trophies/";
constexpr double C = 60;  // centre of the 120 x 120 picture

void Key(cairo_t* cr, int) {
  cairo_save(cr);
  cairo_translate(cr, C, C);
  cairo_rotate(cr, -0.6);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_arc(cr, -26, 0, 22, 0, 2 * kPi);
  cairo_arc(cr, -26, 0, 10, 0, 2 * kPi);
  Shade(cr, pal::kGold, -22, 22, 2.5);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  RoundRect(cr, -6, -7, 54, 14, 5);
  Shade(cr, pal::kGold, -7, 7, 2.5);
  for (double x : {30.0, 42.0}) {
    cairo_rectangle(cr, x, 5, 7, 14);
    Shade(cr, pal::kGold, 5, 19, 2.0);
  }
  Sparkle(cr, -36, -12, 8, pal::kWhite);
  cairo_restore(cr);
}

void Clover(cairo_t* cr, int) {
  cairo_move_to(cr, C, C + 8);
  cairo_curve_to(cr, C + 4, C + 30, C + 14, C + 44, C + 24, C + 52);
  Stroke(cr, Hex(0x2f7d3a), 5.0);
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_translate(cr, C, C);
    cairo_rotate(cr, k * kPi / 2 + kPi / 4);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -26, -8, -20, -40, 0, -26);
    cairo_curve_to(cr, 20, -40, 26, -8, 0, 0);
    Shade(cr, Hex(0x4cbb47), -40, 0, 2.0);
    cairo_move_to(cr, 0, -4);
    cairo_line_to(cr, 0, -22);
    Stroke(cr, Hex(0x8fe07a), 1.5, 0.8);
    cairo_restore(cr);
  }
}

void Message(cairo_t* cr, int) {
  // a message in a bottle
  cairo_save(cr);
  cairo_translate(cr, C, C);
  cairo_rotate(cr, -0.5);
  RoundRect(cr, -40, -20, 62, 40, 16);
  cairo_line_to(cr, 22, -8);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, -20, 0, 20);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.75, 0.95, 0.85, 0.9);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.3, 0.65, 0.5, 0.9);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  RoundRect(cr, 20, -9, 22, 18, 5);
  cairo_pattern_t* q = cairo_pattern_create_linear(0, -9, 0, 9);
  cairo_pattern_add_color_stop_rgba(q, 0, 0.75, 0.95, 0.85, 0.9);
  cairo_pattern_add_color_stop_rgba(q, 1, 0.3, 0.65, 0.5, 0.9);
  cairo_set_source(cr, q);
  cairo_fill(cr);
  cairo_pattern_destroy(q);
  RoundRect(cr, 40, -7, 12, 14, 3);
  Shade(cr, Hex(0xb07a44), -7, 7, 1.5);
  RoundRect(cr, -32, -9, 40, 18, 5);
  Shade(cr, pal::kParchment, -9, 9, 1.5);
  for (double y : {-3.0, 3.0}) {
    cairo_move_to(cr, -26, y);
    cairo_line_to(cr, 2, y);
    Stroke(cr, Hex(0x8a6a4a), 1.2);
  }
  RoundRect(cr, -40, -20, 62, 40, 16);
  Stroke(cr, Hex(0x2a6a50), 2.0, 0.8);
  Ellipse(cr, -20, -12, 14, 3);
  SetRgb(cr, pal::kWhite, 0.6);
  cairo_fill(cr);
  cairo_restore(cr);
}

void PortalStone(cairo_t* cr, int which) {
  const Rgb glow = which == 1 ? Hex(0x7fe0ff) : which == 2 ? Hex(0xff9ad0) : Hex(0xa0ff8a);
  cairo_move_to(cr, C - 28, C + 44);
  cairo_curve_to(cr, C - 40, C + 10, C - 30, C - 40, C, C - 46);
  cairo_curve_to(cr, C + 30, C - 40, C + 40, C + 10, C + 28, C + 44);
  cairo_close_path(cr);
  Shade(cr, Hex(0x9c9a92), C - 46, C + 44, 2.5);
  Glow(cr, C, C, 34, glow, 0.6);
  // its rune: one, two or three strokes
  for (int k = 0; k < which; ++k) {
    double x = C + (k - (which - 1) / 2.0) * 14;
    cairo_move_to(cr, x, C - 20);
    cairo_line_to(cr, x - 4, C);
    cairo_line_to(cr, x + 4, C + 4);
    cairo_line_to(cr, x, C + 22);
    Stroke(cr, Lighter(glow, 0.6), 4.0);
  }
}

void ZepDrawing(cairo_t* cr, int) {
  cairo_save(cr);
  cairo_translate(cr, C, C);
  cairo_rotate(cr, -0.08);
  RoundRect(cr, -50, -40, 100, 80, 4);
  Shade(cr, pal::kParchment, -40, 40, 2.0);
  cairo_translate(cr, -40, -26);
  cairo_push_group(cr);
  DrawZeppelin(cr, 80, 40, 0);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.75);
  cairo_restore(cr);
  for (int k = 0; k < 3; ++k) {
    cairo_move_to(cr, C - 36, C + 20 + k * 7);
    cairo_line_to(cr, C + 30 - k * 12, C + 20 + k * 7);
    Stroke(cr, Hex(0x6a8ab0), 1.5);
  }
}

void EngineStone(cairo_t* cr, int) {
  Glow(cr, C, C, 52, Hex(0xffb040), 0.6);
  Polygon(cr, {C, C - 44, C + 30, C - 12, C + 22, C + 38, C - 22, C + 38, C - 30, C - 12});
  Shade(cr, Hex(0xe08a2a), C - 44, C + 38, 2.5);
  Polygon(cr, {C, C - 44, C + 30, C - 12, C, C - 2, C - 30, C - 12});
  SetRgb(cr, pal::kWhite, 0.35);
  cairo_fill(cr);
  for (int k = 0; k < 6; ++k) {
    double a = k * kPi / 3;
    StarPath(cr, C + std::cos(a) * 8, C + 10 + std::sin(a) * 8, 6, 2, 4);
  }
  SetRgb(cr, Hex(0xfff0b0));
  cairo_fill(cr);
}

void Retort(cairo_t* cr, int) {
  cairo_move_to(cr, C - 8, C - 44);
  cairo_line_to(cr, C - 8, C - 10);
  cairo_curve_to(cr, C - 40, C, C - 38, C + 44, C, C + 44);
  cairo_curve_to(cr, C + 38, C + 44, C + 40, C, C + 8, C - 10);
  cairo_line_to(cr, C + 8, C - 44);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, C - 44, 0, C + 44);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.9, 0.95, 1, 0.7);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.7, 0.85, 0.95, 0.8);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Stroke(cr, Hex(0x5a7fa8), 2.5);
  cairo_move_to(cr, C - 34, C + 16);
  cairo_curve_to(cr, C - 20, C + 10, C + 20, C + 22, C + 34, C + 16);
  cairo_curve_to(cr, C + 28, C + 42, C - 28, C + 42, C - 34, C + 16);
  Shade(cr, Hex(0xa557cc), C + 10, C + 42, 1.5);
  for (int k = 0; k < 4; ++k) {
    cairo_arc(cr, C - 10 + k * 8, C + 6 - k * 9, 2.5 + k, 0, 2 * kPi);
    Stroke(cr, Hex(0xd0a0ff), 1.5, 0.8);
  }
  RoundRect(cr, C - 11, C - 50, 22, 10, 3);
  Shade(cr, Hex(0xb07a44), C - 50, C - 40, 1.5);
}

void Ring(cairo_t* cr, int) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  Ellipse(cr, C, C + 10, 36, 30);
  Ellipse(cr, C, C + 10, 26, 21);
  Shade(cr, pal::kGold, C - 20, C + 40, 2.5);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  Gem(cr, C, C - 24, 18, Hex(0xe0473d));
  Sparkle(cr, C + 16, C - 34, 8, pal::kWhite);
}

void RayGun(cairo_t* cr, int) {
  Glow(cr, C, C, 50, Hex(0x9ff0ff), 0.5);
  Polygon(cr, {C + 8, C - 48, C - 24, C + 4, C - 2, C + 4, C - 12, C + 48, C + 26, C - 8, C + 4, C - 8, C + 18, C - 48});
  Shade(cr, Hex(0x7fd8ff), C - 48, C + 48, 2.5);
  Polygon(cr, {C + 8, C - 42, C - 16, C, C - 6, C, C + 12, C - 42});
  SetRgb(cr, pal::kWhite, 0.6);
  cairo_fill(cr);
}

void Armor(cairo_t* cr, int) {
  cairo_move_to(cr, C - 40, C - 36);
  cairo_curve_to(cr, C - 20, C - 44, C + 20, C - 44, C + 40, C - 36);
  cairo_line_to(cr, C + 36, C + 6);
  cairo_curve_to(cr, C + 30, C + 30, C + 10, C + 42, C, C + 48);
  cairo_curve_to(cr, C - 10, C + 42, C - 30, C + 30, C - 36, C + 6);
  cairo_close_path(cr);
  Shade(cr, Hex(0x9aa8b6), C - 44, C + 48, 2.5);
  cairo_move_to(cr, C, C - 40);
  cairo_line_to(cr, C, C + 44);
  Stroke(cr, Hex(0x6a7888), 2.0);
  Star(cr, C, C - 4, 16, pal::kGold, 2.0);
  for (double x : {C - 30, C + 30}) {
    cairo_arc(cr, x, C - 30, 3, 0, 2 * kPi);
    SetRgb(cr, Hex(0x5a6470));
    cairo_fill(cr);
  }
}

}  // namespace

void AddTrophies(Registry& r) {
  struct T {
    const char* id;
    const char* file;
    DrawFn fn;
  };
  const T list[] = {
      {"TROPHY_KEY", "key", Key},
      {"TROPHY_CLOVER", "clover", Clover},
      {"TROPHY_MESSAGE", "message", Message},
      {"TROPHY_STONE_01", "stone_01", [](cairo_t* cr, int) { PortalStone(cr, 1); }},
      {"TROPHY_STONE_02", "stone_02", [](cairo_t* cr, int) { PortalStone(cr, 2); }},
      {"TROPHY_STONE_02_2", "stone_02_award", [](cairo_t* cr, int) { PortalStone(cr, 2); }},
      {"TROPHY_STONE_03", "stone_03", [](cairo_t* cr, int) { PortalStone(cr, 3); }},
      {"TROPHY_STONE_03_2", "stone_03_award", [](cairo_t* cr, int) { PortalStone(cr, 3); }},
      {"TROPHY_ZEP_DRAWING", "zep_drawing", ZepDrawing},
      {"TROPHY_ENGINE_STONE", "engine_stone", EngineStone},
      {"TROPHY_RETORT", "retort", Retort},
      {"TROPHY_RING", "ring", Ring},
      {"TROPHY_RAY", "ray", RayGun},
      {"TROPHY_ARMOR", "armor", Armor},
  };
  for (const T& t : list) r.Image(t.id, kDir + t.file + ".png", 120, 120, t.fn).Mid();
}

}  // namespace kelp::art
