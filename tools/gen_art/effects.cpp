// Lights, flashes and the pictures particle effects are made of. All are
// centred, white or light where the effect tints them, and soft at the edge.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/game/fx/";

void Flash(cairo_t* cr, int frame) {
  // frame 0 is the soft halo particles glow with; 1..13 a burst that opens and fades
  if (frame == 0) {
    Glow(cr, 32, 32, 32, pal::kWhite, 0.9, 0.15);
    return;
  }
  const double t = frame / 13.0;
  const double r = 10 + 22 * std::sqrt(t);
  const double a = 1.0 - t * 0.85;
  Glow(cr, 32, 32, r, pal::kWhite, a, 0.2);
  for (int k = 0; k < 8; ++k) {
    double ang = k * kPi / 4 + t * 0.6;
    double len = r * (k % 2 ? 0.8 : 1.0);
    cairo_move_to(cr, 32 + std::cos(ang) * r * 0.2, 32 + std::sin(ang) * r * 0.2);
    cairo_line_to(cr, 32 + std::cos(ang) * len, 32 + std::sin(ang) * len);
    Stroke(cr, pal::kWhite, 3.0 * (1 - t) + 0.8, a * 0.8);
  }
}

void Light(cairo_t* cr, int) { Glow(cr, 32, 32, 32, pal::kWhite, 0.75, 0.05); }

void BoxShadow(cairo_t* cr, int) {
  // a soft dark square, stretched over a box and its surroundings
  for (int k = 0; k < 8; ++k) {
    double m = 4 + k * 2.5;
    RoundRect(cr, m, m, 64 - 2 * m, 64 - 2 * m, 14 - k);
    SetRgb(cr, Hex(0x000000), 0.09);
    cairo_fill(cr);
  }
}

void ExpandingRing(cairo_t* cr, int) {
  cairo_arc(cr, 64, 64, 54, 0, 2 * kPi);
  Stroke(cr, pal::kWhite, 10, 0.25);
  cairo_arc(cr, 64, 64, 54, 0, 2 * kPi);
  Stroke(cr, pal::kWhite, 4, 0.9);
}

void TrophyLight(cairo_t* cr, int) {
  // rotating rays of light
  for (int k = 0; k < 12; ++k) {
    double a0 = k * kPi / 6, a1 = a0 + kPi / 18;
    cairo_move_to(cr, 128, 128);
    cairo_line_to(cr, 128 + std::cos(a0) * 128, 128 + std::sin(a0) * 128);
    cairo_line_to(cr, 128 + std::cos(a1) * 128, 128 + std::sin(a1) * 128);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(128, 128, 10, 128, 128, 128);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.97, 0.8, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.97, 0.8, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  Glow(cr, 128, 128, 50, Hex(0xfff6d0), 0.8);
}

void Beam(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 64, 256);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 64, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.9, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 0.9, 0.8);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 0.9, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
  cairo_pattern_t* f = cairo_pattern_create_linear(0, 0, 0, 256);
  cairo_pattern_add_color_stop_rgba(f, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(f, 0.2, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(f, 0.8, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(f, 1, 0, 0, 0, 0);
  cairo_set_source(cr, f);
  cairo_paint(cr);
  cairo_pattern_destroy(f);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void Bubble(cairo_t* cr, double s, Rgb c) {
  const double r = s / 2 - 1;
  cairo_arc(cr, s / 2, s / 2, r, 0, 2 * kPi);
  SetRgb(cr, c, 0.25);
  cairo_fill_preserve(cr);
  Stroke(cr, Lighter(c, 0.5), std::max(1.0, s * 0.06), 0.9);
  cairo_arc(cr, s * 0.36, s * 0.36, r * 0.25, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite, 0.9);
  cairo_fill(cr);
}

void Smoke(cairo_t* cr, double s, uint32_t seed, double alpha, Rgb c) {
  Rng rng(seed);
  for (int k = 0; k < 6; ++k) {
    double a = k * kPi / 3 + rng.Uniform(0, 0.6);
    double x = s / 2 + std::cos(a) * s * 0.16, y = s / 2 + std::sin(a) * s * 0.14;
    Glow(cr, x, y, s * rng.Uniform(0.22, 0.3), c, alpha * 0.7, 0.3);
  }
  Glow(cr, s / 2, s / 2, s * 0.3, c, alpha, 0.35);
}

void SmokePuff(cairo_t* cr, int frame) {
  // eight frames: a puff that grows and thins out
  const double t = frame / 7.0;
  cairo_save(cr);
  cairo_translate(cr, 32, 32);
  cairo_scale(cr, 0.6 + 0.4 * t, 0.6 + 0.4 * t);
  cairo_translate(cr, -32, -32);
  Smoke(cr, 64, 900, 0.8 * (1 - 0.7 * t), Hex(0xe8e8e8));
  cairo_restore(cr);
}

void Flame(cairo_t* cr, int frame, double s, Rgb outer, Rgb inner) {
  const double sway = std::sin(frame * 2 * kPi / 8) * s * 0.06;
  const double hgt = 1.0 + 0.08 * std::sin(frame * 2 * kPi / 4);
  const double cx = s / 2, by = s * 0.9;
  Glow(cr, cx, by - s * 0.3, s * 0.45, outer, 0.4);
  cairo_move_to(cr, cx - s * 0.25, by);
  cairo_curve_to(cr, cx - s * 0.32, by - s * 0.35, cx + sway, by - s * 0.55 * hgt, cx + sway, by - s * 0.8 * hgt);
  cairo_curve_to(cr, cx + s * 0.1 + sway, by - s * 0.5, cx + s * 0.32, by - s * 0.35, cx + s * 0.25, by);
  cairo_close_path(cr);
  FillV(cr, by - s * 0.8, by, outer, Darker(outer, 0.2));
  cairo_move_to(cr, cx - s * 0.12, by);
  cairo_curve_to(cr, cx - s * 0.16, by - s * 0.2, cx + sway * 0.5, by - s * 0.35, cx + sway * 0.5, by - s * 0.5 * hgt);
  cairo_curve_to(cr, cx + s * 0.06, by - s * 0.3, cx + s * 0.16, by - s * 0.2, cx + s * 0.12, by);
  cairo_close_path(cr);
  FillV(cr, by - s * 0.5, by, pal::kWhite, inner);
}

void Shard(cairo_t* cr, double s, Rgb c, int shape) {
  std::vector<double> pts;
  if (shape == 0)
    pts = {s * 0.15, s * 0.3, s * 0.75, s * 0.15, s * 0.9, s * 0.65, s * 0.35, s * 0.85};
  else if (shape == 1)
    pts = {s * 0.2, s * 0.2, s * 0.85, s * 0.35, s * 0.6, s * 0.85, s * 0.1, s * 0.7};
  else
    pts = {s * 0.5, s * 0.05, s * 0.8, s * 0.55, s * 0.5, s * 0.95, s * 0.2, s * 0.55};
  Polygon(cr, pts);
  Shade(cr, c, 0, s, std::max(1.0, s * 0.06));
}

void Spark(cairo_t* cr, double s, Rgb c) {
  Glow(cr, s / 2, s / 2, s / 2, c, 0.8, 0.2);
  StarPath(cr, s / 2, s / 2, s * 0.45, s * 0.06, 4, 45);
  SetRgb(cr, pal::kWhite);
  cairo_fill(cr);
}

void BrownieTransform(cairo_t* cr, int frame) {
  // the evil brownie shrinks into light and comes out good
  const double t = frame / 11.0;
  Glow(cr, 100, 100, 40 + 60 * std::sin(t * kPi), Hex(0xfff6c0), 0.9 * std::sin(t * kPi) + 0.1);
  CreatureOpts o;
  o.feet = true;
  if (t < 0.5) {
    o.body = Mix(Hex(0x8a5530), pal::kWhite, t * 1.6);
    o.top = Top::Horns;
    o.face.angry = true;
    o.face.mouth = 5;
  } else {
    o.body = Mix(pal::kWhite, Hex(0xb07a44), (t - 0.5) * 2);
    o.top = Top::Leaf;
    o.face.mouth = 4;
  }
  const double r = 46 - 22 * std::sin(t * kPi);
  Creature(cr, 100, 104, r, o);
  for (int k = 0; k < 8; ++k) {
    double a = k * kPi / 4 + t * 3;
    Sparkle(cr, 100 + std::cos(a) * (40 + 40 * t), 100 + std::sin(a) * (40 + 40 * t), 7, pal::kGold);
  }
}

}  // namespace

void AddEffects(Registry& r) {
  r.Anim("IMAGE_FLASH", kDir + "flash.png", 64, 64, 14, Flash).Mid();
  r.Image("IMAGE_LIGHT", kDir + "light.png", 64, 64, Light).Mid();
  r.Image("IMAGE_SHADOW", kDir + "box_shadow.png", 64, 64, BoxShadow).Mid();
  r.Image("IMAGE_RING", kDir + "ring.png", 128, 128, ExpandingRing).Mid();
  r.Image("IMAGE_TROPHY_LIGHT", kDir + "trophy_light.png", 256, 256, TrophyLight).Mid();
  r.Image("IMAGE_BEAM", kDir + "beam.png", 64, 256, Beam).Mid();
  r.Image("IMAGE_BUBBLE", kDir + "bubble.png", 24, 24, [](cairo_t* cr, int) { Bubble(cr, 24, pal::kWhite); }).Mid();
  r.Image("IMAGE_BUBBLE_BLUE", kDir + "bubble_blue.png", 24, 24,
          [](cairo_t* cr, int) { Bubble(cr, 24, Hex(0x6fc4ec)); })
      .Mid();
  r.Image("IMAGE_DOT", kDir + "dot.png", 8, 8, [](cairo_t* cr, int) { Glow(cr, 4, 4, 4, pal::kWhite, 1.0, 0.4); })
      .Mid();
  r.Image("IMAGE_CIRCLE", kDir + "circle.png", 64, 64, [](cairo_t* cr, int) {
    cairo_arc(cr, 32, 32, 26, 0, 2 * kPi);
    Stroke(cr, pal::kWhite, 6, 0.3);
    cairo_arc(cr, 32, 32, 26, 0, 2 * kPi);
    Stroke(cr, pal::kWhite, 2.5, 0.9);
  }).Mid();
  r.Image("IMAGE_ISKRA", kDir + "spark.png", 32, 32, [](cairo_t* cr, int) { Spark(cr, 32, Hex(0xffd860)); }).Mid();
  r.Anim("IMAGE_EXPL_ISKRA", kDir + "spark_burst.png", 32, 32, 8, [](cairo_t* cr, int f) {
    double s = 12 + 20 * std::sin((f + 1) / 9.0 * kPi);
    cairo_translate(cr, 16 - s / 2, 16 - s / 2);
    Spark(cr, s, Hex(0xffb040));
  }).Mid();
  r.Anim("IMAGE_SMOKE", kDir + "smoke_puff.png", 64, 64, 8, SmokePuff).Mid().Speed(80);
  r.Image("IMAGE_SMOKE01", kDir + "smoke_01.png", 64, 64,
          [](cairo_t* cr, int) { Smoke(cr, 64, 901, 0.8, Hex(0xd8d8d8)); })
      .Mid();
  r.Image("IMAGE_SMOKE02", kDir + "smoke_02.png", 64, 64,
          [](cairo_t* cr, int) { Smoke(cr, 64, 902, 0.8, Hex(0x9a8aa8)); })
      .Mid();
  r.Image("IMAGE_PARTICLE", kDir + "particle.png", 32, 32,
          [](cairo_t* cr, int) { Glow(cr, 16, 16, 16, pal::kWhite, 1.0, 0.2); })
      .Mid();
  r.Image("IMAGE_PARTICLE_01", kDir + "particle_01.png", 16, 16,
          [](cairo_t* cr, int) { Glow(cr, 8, 8, 8, pal::kWhite, 1.0, 0.35); })
      .Mid();
  r.Image("IMAGE_PARTICLE_02", kDir + "particle_02.png", 32, 32, [](cairo_t* cr, int) {
    cairo_arc(cr, 16, 16, 10, 0, 2 * kPi);
    SetRgb(cr, pal::kWhite, 0.9);
    cairo_fill(cr);
    Glow(cr, 16, 16, 16, pal::kWhite, 0.6);
  }).Mid();
  r.Image("IMAGE_STAR_01", kDir + "star_01.png", 32, 32, [](cairo_t* cr, int) { Star(cr, 16, 17, 14, pal::kGold, 1.2); })
      .Mid();
  r.Image("IMAGE_STAR_02", kDir + "star_02.png", 32, 32,
          [](cairo_t* cr, int) { Star(cr, 16, 17, 14, Hex(0xfff6c0), 1.2); })
      .Mid();
  r.Image("IMAGE_STAR_022", kDir + "star_022.png", 24, 24,
          [](cairo_t* cr, int) { Star(cr, 12, 13, 10, Hex(0xfff6c0), 1.0); })
      .Mid();
  r.Image("IMAGE_STAR_03", kDir + "star_03.png", 32, 32, [](cairo_t* cr, int) { Sparkle(cr, 16, 16, 15, pal::kWhite); })
      .Mid();
  r.Image("IMAGE_STAR_04", kDir + "star_04.png", 32, 32, [](cairo_t* cr, int) { Sparkle(cr, 16, 16, 15, pal::kGold); })
      .Mid();
  r.Image("IMAGE_SPARKLE01", kDir + "sparkle01.png", 32, 32,
          [](cairo_t* cr, int) { Sparkle(cr, 16, 16, 15, Hex(0xbfeaff)); })
      .Mid();
  r.Image("IMAGE_SPARKLE_01", kDir + "sparkle_01.png", 24, 24,
          [](cairo_t* cr, int) { Sparkle(cr, 12, 12, 11, Hex(0xfff2a0)); })
      .Mid();
  r.Anim("IMAGE_FLAME", kDir + "flame.png", 48, 48, 8,
         [](cairo_t* cr, int f) { Flame(cr, f, 48, Hex(0xff8a2a), Hex(0xffd860)); })
      .Mid()
      .Speed(70);
  r.Anim("IMAGE_FLAME3", kDir + "flame3.png", 32, 32, 8,
         [](cairo_t* cr, int f) { Flame(cr, f, 32, Hex(0xff6a2a), Hex(0xffc040)); })
      .Mid()
      .Speed(70);
  r.Anim("IMAGE_FLAME4", kDir + "flame4.png", 32, 32, 8,
         [](cairo_t* cr, int f) { Flame(cr, f, 32, Hex(0x6ab8ff), Hex(0xe0f4ff)); })
      .Mid()
      .Speed(70);
  r.Image("IMAGE_SNOW", kDir + "snowflake.png", 16, 16, [](cairo_t* cr, int) {
    for (int k = 0; k < 3; ++k) {
      double a = k * kPi / 3;
      cairo_move_to(cr, 8 - std::cos(a) * 7, 8 - std::sin(a) * 7);
      cairo_line_to(cr, 8 + std::cos(a) * 7, 8 + std::sin(a) * 7);
      Stroke(cr, pal::kWhite, 1.6);
    }
  }).Mid();
  r.Image("IMAGE_RAIN", kDir + "rain.png", 6, 28, [](cairo_t* cr, int) {
    cairo_move_to(cr, 3, 2);
    cairo_line_to(cr, 3, 26);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 28);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.8, 0.9, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.8, 0.9, 1, 0.9);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
  }).Mid();
  r.Image("IMAGE_WATER_DROP", kDir + "water_drop.png", 12, 16, [](cairo_t* cr, int) {
    cairo_move_to(cr, 6, 1);
    cairo_curve_to(cr, 10, 7, 11, 10, 11, 11);
    cairo_arc(cr, 6, 11, 5, 0, kPi);
    cairo_curve_to(cr, 1, 10, 2, 7, 6, 1);
    Shade(cr, Hex(0x8fdaf4), 1, 16, 1.0);
  }).Mid();
  r.Image("IMAGE_WATERFALL", kDir + "waterfall.png", 32, 32,
          [](cairo_t* cr, int) { Smoke(cr, 32, 903, 0.8, Hex(0xd8f4ff)); })
      .Mid();
  r.Image("IMAGE_GEYSIR", kDir + "geyser.png", 48, 48, [](cairo_t* cr, int) { Smoke(cr, 48, 904, 0.9, pal::kWhite); })
      .Mid();
  r.Anim("IMAGE_COIN", kDir + "coin.png", 24, 24, 8, [](cairo_t* cr, int f) { Coin(cr, 12, 12, 10, f / 8.0); })
      .Mid()
      .Speed(70);
  r.Image("IMAGE_BRICKS", kDir + "bricks.png", 24, 24, [](cairo_t* cr, int) {
    RoundRect(cr, 2, 6, 20, 12, 2);
    Shade(cr, Hex(0xd9a35e), 6, 18, 1.2);
  }).Mid();
  r.Image("IMAGE_BRICK_PART", kDir + "brick_part.png", 16, 16,
          [](cairo_t* cr, int) { Shard(cr, 16, Hex(0xd9a35e), 0); })
      .Mid();
  r.Image("IMAGE_BRICK_PART2", kDir + "brick_part2.png", 16, 16,
          [](cairo_t* cr, int) { Shard(cr, 16, Hex(0xc98a4e), 1); })
      .Mid();
  r.Image("IMAGE_ICE_PART", kDir + "ice_part.png", 16, 16, [](cairo_t* cr, int) { Shard(cr, 16, Hex(0xbfeaf7), 1); })
      .Mid();
  r.Image("IMAGE_CRYSTALL_PART", kDir + "crystal_part.png", 16, 16,
          [](cairo_t* cr, int) { Shard(cr, 16, Hex(0xb98cff), 2); })
      .Mid();
  const uint32_t gems[4] = {0xe0473d, 0x4cbb47, 0x3f74db, 0xa557cc};
  for (int k = 0; k < 4; ++k) {
    Rgb c = Hex(gems[k]);
    r.Image("IMAGE_GEM_0" + std::to_string(k + 1), kDir + "gem_0" + std::to_string(k + 1) + ".png", 24, 24,
            [c](cairo_t* cr, int) { Gem(cr, 12, 12, 10, c); })
        .Mid();
  }
  r.Anim("IMAGE_BROWNIE_TRANSFORM", kDir + "brownie_transform.png", 200, 200, 12, BrownieTransform).Mid().Speed(120);
}

}  // namespace kelp::art
