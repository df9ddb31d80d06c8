// The playing pieces: colour boxes with their faces, the parasite and boss
// boxes, bonus boxes, armour overlays, the broken pieces and the creatures
// that jump out of a removed box.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/game/blocks/";

// A colour box: frame = face state (0 plain, 1-4 looking up/left/down/right, 5 ouch, 6 blink).
void ColourBox(cairo_t* cr, int colour, int frame, double size) {
  Rgb c = BoxRgb(colour);
  BoxBody(cr, 2, 2, size - 4, size - 4, c);
  BoxFace(cr, 2, 2, size - 4, size - 4, frame, c);
}

enum class Boss { Parasite, Yeti, EvilYeti, Elite, SmallElite, BrownieFull, Brownie, Grey };

// A boss picture is stretched over `e` times its corner particles' spread
// while its body spans 1.5 times it, so the box takes 1.5 / e of the picture
// and horns and plumes get the margin.
double BossSpread(Boss b) {
  switch (b) {
    case Boss::Parasite: return 1.6;
    case Boss::Yeti: return 2.0;
    case Boss::EvilYeti: return 2.3;
    case Boss::Elite:
    case Boss::SmallElite:
    case Boss::BrownieFull: return 1.7;
    case Boss::Brownie: return 1.6;
    default: return 1.5;
  }
}

void BossBox(cairo_t* cr, Boss b, double size, bool blink) {
  const double w = size * 1.5 / BossSpread(b) * 0.96, m = (size - w) / 2;
  FaceOpts f;
  f.blink = blink ? 2 : 0;
  Rgb body{};
  switch (b) {
    case Boss::Parasite: body = Hex(0x6f7f3e); break;
    case Boss::Yeti: body = Hex(0xe9f1f8); break;
    case Boss::EvilYeti: body = Hex(0x6d4b8e); break;
    case Boss::Elite:
    case Boss::SmallElite: body = Hex(0x7d8a99); break;
    case Boss::BrownieFull: body = Hex(0x8a5530); break;
    case Boss::Brownie: body = Hex(0x9a6236); break;
    default: body = BoxRgb(kGrey); break;
  }
  const double cx = size / 2;
  // things sticking out behind the box
  if (b == Boss::Yeti || b == Boss::EvilYeti) {
    // big curled horns reaching into the margin
    const Rgb horn = b == Boss::Yeti ? Hex(0xd9c49a) : Hex(0x9a3a4a);
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(cr, cx + side * w * 0.22, m + w * 0.22);
      cairo_curve_to(cr, cx + side * w * 0.4, m - w * 0.1, cx + side * w * 0.62, m - w * 0.16,
                     cx + side * w * 0.66, m - w * 0.02);
      cairo_curve_to(cr, cx + side * w * 0.58, m - w * 0.06, cx + side * w * 0.46, m + w * 0.02,
                     cx + side * w * 0.42, m + w * 0.28);
      cairo_close_path(cr);
      Shade(cr, horn, m - w * 0.16, m + w * 0.28, 2.0);
    }
  }
  BoxBody(cr, m, m + w * 0.06, w, w * 0.94, body);
  if (b == Boss::Yeti || b == Boss::EvilYeti) {
    // fur tufts along the top
    for (int i = 0; i < 6; ++i) {
      double x = m + w * (0.12 + i * 0.15);
      Polygon(cr, {x - w * 0.07, m + w * 0.16, x, m + w * 0.04, x + w * 0.07, m + w * 0.16});
      SetRgb(cr, Lighter(body, 0.25));
      cairo_fill(cr);
    }
    // face patch
    Ellipse(cr, cx, m + w * 0.58, w * 0.32, w * 0.27);
    Shade(cr, b == Boss::Yeti ? Hex(0x9fc6e6) : Hex(0x3e2a55), m + w * 0.3, m + w * 0.85, 1.5);
    f.mouth = b == Boss::Yeti ? 4 : 5;
    f.angry = b == Boss::EvilYeti;
    if (b == Boss::EvilYeti) f.eye_white = Hex(0xffd2d2);
  } else if (b == Boss::Elite || b == Boss::SmallElite) {
    // helmet band with a plume
    RoundRect(cr, m + w * 0.06, m + w * 0.12, w * 0.88, w * 0.26, w * 0.08);
    Shade(cr, Hex(0xb8c3ce), m + w * 0.12, m + w * 0.38, 2.0);
    for (int i = 0; i < 5; ++i) {
      cairo_arc(cr, m + w * (0.16 + i * 0.17), m + w * 0.25, w * 0.025, 0, 2 * kPi);
      SetRgb(cr, Hex(0x5a6470));
      cairo_fill(cr);
    }
    cairo_move_to(cr, cx, m + w * 0.12);
    cairo_curve_to(cr, cx - w * 0.05, m - w * 0.05, cx + w * 0.25, m - w * 0.04, cx + w * 0.3, m + w * 0.05);
    cairo_curve_to(cr, cx + w * 0.18, m + w * 0.03, cx + w * 0.1, m + w * 0.08, cx, m + w * 0.12);
    Shade(cr, Hex(0xd23c3c), m - w * 0.05, m + w * 0.12, 1.5);
    f.angry = true;
    f.mouth = 2;
  } else if (b == Boss::Parasite || b == Boss::Grey) {
    // slime drips and spots
    for (int i = 0; i < 4; ++i) {
      double x = m + w * (0.18 + i * 0.21);
      double len = w * (0.1 + 0.07 * ((i * 7) % 3));
      cairo_move_to(cr, x - w * 0.05, m + w * 0.08);
      cairo_line_to(cr, x - w * 0.03, m + w * 0.08 + len);
      cairo_arc(cr, x, m + w * 0.08 + len, w * 0.03, kPi, 2 * kPi);
      cairo_line_to(cr, x + w * 0.05, m + w * 0.08);
      cairo_close_path(cr);
      SetRgb(cr, Hex(0x8a3fb0), 0.85);
      cairo_fill(cr);
    }
    for (int i = 0; i < 3; ++i) {
      Ellipse(cr, m + w * (0.2 + 0.3 * i), m + w * (0.82 - 0.05 * (i % 2)), w * 0.05, w * 0.035);
      SetRgb(cr, Darker(body, 0.3), 0.6);
      cairo_fill(cr);
    }
    f.angry = true;
    f.mouth = 5;
    f.eye_white = b == Boss::Parasite ? Hex(0xfff0a0) : pal::kWhite;
    if (b == Boss::Parasite) {
      // tentacles under the box
      for (int i = 0; i < 3; ++i) {
        double x = m + w * (0.25 + 0.25 * i);
        cairo_move_to(cr, x - w * 0.05, m + w * 0.95);
        cairo_curve_to(cr, x - w * 0.08, m + w * 1.0, x + w * 0.06, m + w * 0.98, x + w * 0.02, m + w * 0.93);
        Stroke(cr, Darker(body, 0.3), w * 0.05);
      }
    }
  } else {
    // brownies: a cracked, grumpy box; the full one is swollen
    cairo_move_to(cr, m + w * 0.7, m + w * 0.1);
    cairo_line_to(cr, m + w * 0.62, m + w * 0.22);
    cairo_line_to(cr, m + w * 0.72, m + w * 0.3);
    cairo_line_to(cr, m + w * 0.66, m + w * 0.4);
    Stroke(cr, Darker(body, 0.5), w * 0.02);
    f.angry = true;
    f.mouth = b == Boss::BrownieFull ? 5 : 3;
    if (b == Boss::BrownieFull) {
      for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, m + w * (0.2 + 0.3 * i), m + w * 0.16, w * 0.05, 0, 2 * kPi);
        Shade(cr, Hex(0xd98a3a), m + w * 0.1, m + w * 0.22, 1.2);
      }
    }
  }
  f.pupil = Hex(0x1c1820);
  Face(cr, cx, m + w * 0.56, w / 44.0, f);
}

// Bonus boxes, one per bonus class; frame = the bonus animation frame.
void BonusBase(cairo_t* cr, double size, Rgb c) { BoxBody(cr, 2, 2, size - 4, size - 4, c); }

void BonusExplosion(cairo_t* cr, int frame) {
  BonusBase(cr, 64, Hex(0xe0603a));
  cairo_arc(cr, 30, 36, 15, 0, 2 * kPi);
  Shade(cr, Hex(0x3a3a48), 21, 51, 2.0);
  Ellipse(cr, 25, 30, 5, 3.5);
  SetRgb(cr, pal::kWhite, 0.5);
  cairo_fill(cr);
  RoundRect(cr, 34, 16, 8, 7, 2);
  Shade(cr, Hex(0x8e9aa6), 16, 23, 1.2);
  cairo_move_to(cr, 38, 17);
  cairo_curve_to(cr, 40, 10, 46, 12, 47, 8);
  Stroke(cr, Hex(0x7a4a22), 2.0);
  const double flick = 0.6 + 0.4 * std::sin(frame * kPi / 2);
  Glow(cr, 47, 8, 9 * flick + 3, Hex(0xffd24a), 0.9);
  Sparkle(cr, 47, 8, 5 + 3 * flick, Hex(0xfff2a0));
}

void BonusParabomb(cairo_t* cr, int frame) {
  BonusBase(cr, 64, Hex(0x46b0a0));
  const double pulse = 0.5 + 0.5 * std::sin(frame * 2 * kPi / 9);
  Glow(cr, 32, 33, 18 + 6 * pulse, Hex(0xb8ffea), 0.6);
  cairo_arc(cr, 32, 33, 14, 0, 2 * kPi);
  Shade(cr, pal::kWhite, 19, 47, 2.0);
  // a crossed-out parasite blob
  Ellipse(cr, 32, 34, 7, 6);
  SetRgb(cr, Hex(0x8a3fb0));
  cairo_fill(cr);
  cairo_arc(cr, 29.5, 33, 1.4, 0, 2 * kPi);
  cairo_arc(cr, 34.5, 33, 1.4, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite);
  cairo_fill(cr);
  cairo_move_to(cr, 22, 24);
  cairo_line_to(cr, 42, 44);
  Stroke(cr, Hex(0xd23c3c), 3.5);
}

void BonusFreeze(cairo_t* cr, int frame) {
  BonusBase(cr, 64, Hex(0x6fc4ec));
  cairo_arc(cr, 32, 33, 15, 0, 2 * kPi);
  Shade(cr, pal::kWhite, 18, 48, 2.0);
  for (int i = 0; i < 12; ++i) {
    double a = i * kPi / 6;
    cairo_move_to(cr, 32 + std::cos(a) * 11, 33 + std::sin(a) * 11);
    cairo_line_to(cr, 32 + std::cos(a) * 13, 33 + std::sin(a) * 13);
    Stroke(cr, Hex(0x3f74db), 1.3);
  }
  cairo_move_to(cr, 32, 33);
  cairo_line_to(cr, 32, 23);
  cairo_move_to(cr, 32, 33);
  cairo_line_to(cr, 39, 33);
  Stroke(cr, Hex(0x2a3a58), 2.0);
  // snowflake crystals around the clock, twinkling by frame
  for (int k = 0; k < 4; ++k) {
    double a = k * kPi / 2 + kPi / 4;
    double r = (k == frame) ? 5.5 : 3.5;
    Sparkle(cr, 32 + std::cos(a) * 21, 33 + std::sin(a) * 21, r, Hex(0xe8f7ff));
  }
}

void BonusResize(cairo_t* cr, int frame) {
  BonusBase(cr, 64, Hex(0xf08fc0));
  const double d = 3 * std::sin(frame * 2 * kPi / 8);
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_translate(cr, 32, 33);
    cairo_rotate(cr, k * kPi / 2 + kPi / 4);
    Polygon(cr, {6 + d, -4, 13 + d, -4, 13 + d, -8, 21 + d, 0, 13 + d, 8, 13 + d, 4, 6 + d, 4});
    Shade(cr, pal::kWhite, -8, 8, 1.5);
    cairo_restore(cr);
  }
  cairo_arc(cr, 32, 33, 5, 0, 2 * kPi);
  Shade(cr, Hex(0xffe0f0), 28, 38, 1.5);
}

void BonusRay(cairo_t* cr, int frame) {
  BonusBase(cr, 64, Hex(0x5a64d8));
  const double pulse = 0.5 + 0.5 * std::sin(frame * 2 * kPi / 8);
  Glow(cr, 32, 33, 16 + 8 * pulse, Hex(0xa0f0ff), 0.7);
  Polygon(cr, {36, 12, 22, 36, 31, 36, 27, 54, 43, 28, 34, 28, 40, 12});
  Shade(cr, Hex(0xfff27a), 12, 54, 2.0);
}

void Chest(cairo_t* cr, bool iron, int open) {
  // open: 0 shut, 1 ajar, 2 open
  const Rgb wood = iron ? Hex(0x6b4a2e) : Hex(0xb07a44);
  const Rgb band = iron ? Hex(0xd8b43a) : Hex(0x7d8a99);
  BoxBody(cr, 2, 2, 60, 60, Hex(0xcaa06a));
  RoundRect(cr, 8, 28, 48, 28, 4);
  Shade(cr, wood, 28, 56, 2.0);
  if (open == 2) {
    Ellipse(cr, 32, 27, 22, 6);
    SetRgb(cr, Hex(0x3a2a18));
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) Coin(cr, 18 + i * 7, 25 - (i % 2) * 3, 4.5);
    Glow(cr, 32, 22, 22, Hex(0xfff0a0), 0.5);
  }
  const double lid = open == 1 ? -0.12 : open == 2 ? -0.9 : 0.0;
  cairo_save(cr);
  cairo_translate(cr, 8, 28);
  cairo_rotate(cr, lid);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, -8);
  cairo_curve_to(cr, 4, -18, 44, -18, 48, -8);
  cairo_line_to(cr, 48, 0);
  cairo_close_path(cr);
  Shade(cr, wood, -16, 0, 2.0);
  cairo_rectangle(cr, 20, -15, 8, 15);
  Shade(cr, band, -15, 0, 1.2);
  cairo_restore(cr);
  for (double x : {12.0, 44.0}) {
    cairo_rectangle(cr, x, 28, 7, 28);
    Shade(cr, band, 28, 56, 1.2);
  }
  if (open < 2) {
    RoundRect(cr, 27, 30, 10, 11, 2);
    Shade(cr, band, 30, 41, 1.2);
    cairo_arc(cr, 32, 35, 1.6, 0, 2 * kPi);
    SetRgb(cr, Hex(0x2a1a0a));
    cairo_fill(cr);
  }
  if (open == 1) {
    Glow(cr, 32, 26, 14, Hex(0xfff0a0), 0.7);
    Sparkle(cr, 40, 24, 4, Hex(0xfff6c0));
  }
}

void IceBlock(cairo_t* cr, int cracks) {
  RoundRect(cr, 2, 2, 60, 60, 10);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 60, 62);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.92, 0.98, 1.0, 0.95);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.55, 0.8, 0.95, 0.95);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Stroke(cr, Hex(0x5a9cc8), 2.0);
  // a frozen creature inside
  cairo_save(cr);
  cairo_push_group(cr);
  CreatureOpts o;
  o.body = BoxRgb(kSky);
  o.face.blink = 1;
  o.face.mouth = 2;
  o.feet = false;
  Creature(cr, 32, 35, 15, o);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.45);
  cairo_restore(cr);
  Gloss(cr, 2, 2, 60, 60, 10, 0.55);
  Polygon(cr, {8, 50, 16, 8, 20, 8, 12, 50});
  SetRgb(cr, pal::kWhite, 0.35);
  cairo_fill(cr);
  const double lines[][6] = {{32, 4, 28, 22, 36, 34}, {60, 30, 44, 36, 40, 52}, {4, 40, 18, 38, 26, 60},
                             {48, 4, 44, 16, 52, 24}};
  for (int i = 0; i < cracks * 2 && i < 4; ++i) {
    cairo_move_to(cr, lines[i][0], lines[i][1]);
    cairo_line_to(cr, lines[i][2], lines[i][3]);
    cairo_line_to(cr, lines[i][4], lines[i][5]);
    Stroke(cr, pal::kWhite, 2.2, 0.9);
    cairo_move_to(cr, lines[i][0], lines[i][1]);
    cairo_line_to(cr, lines[i][2], lines[i][3]);
    cairo_line_to(cr, lines[i][4], lines[i][5]);
    Stroke(cr, Hex(0x5a9cc8), 1.0, 0.9);
  }
}

// Armour overlay: brackets on the corners and rivets; frames 1-3 run a glint across.
void Armour(cairo_t* cr, Rgb metal, int frame) {
  const double s = 64;
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_translate(cr, s / 2, s / 2);
    cairo_rotate(cr, k * kPi / 2);
    cairo_translate(cr, -s / 2, -s / 2);
    Polygon(cr, {2, 12, 2, 2, 12, 2, 24, 2, 24, 9, 9, 9, 9, 24, 2, 24});
    Shade(cr, metal, 2, 24, 1.5);
    cairo_arc(cr, 6, 6, 2.0, 0, 2 * kPi);
    SetRgb(cr, Lighter(metal, 0.5));
    cairo_fill(cr);
    cairo_restore(cr);
  }
  RoundRect(cr, 3, 3, 58, 58, 12);
  Stroke(cr, metal, 3.0);
  RoundRect(cr, 3, 3, 58, 58, 12);
  Stroke(cr, Lighter(metal, 0.4), 1.0);
  if (frame > 0) {
    cairo_save(cr);
    RoundRect(cr, 1, 1, 62, 62, 12);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    cairo_new_path(cr);
    RoundRect(cr, 1, 1, 62, 62, 12);
    cairo_clip(cr);
    double gx = -20 + frame * 26;
    cairo_pattern_t* p = cairo_pattern_create_linear(gx - 12, 0, gx + 12, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.85);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 0, 64, 64);
    cairo_set_line_width(cr, 7);
    RoundRect(cr, 3, 3, 58, 58, 12);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
}

// One corner piece of a broken box: corner 0 UL, 1 UR, 2 DL, 3 DR.
void BoxPart(cairo_t* cr, int corner, Rgb c) {
  cairo_save(cr);
  cairo_translate(cr, 16, 16);
  if (corner == 1 || corner == 3) cairo_scale(cr, -1, 1);
  if (corner == 2 || corner == 3) cairo_scale(cr, 1, -1);
  cairo_translate(cr, -16, -16);
  cairo_move_to(cr, 3, 30);
  cairo_line_to(cr, 3, 12);
  cairo_arc(cr, 12, 12, 9, kPi, 1.5 * kPi);
  cairo_line_to(cr, 29, 3);
  cairo_line_to(cr, 25, 11);
  cairo_line_to(cr, 29, 17);
  cairo_line_to(cr, 21, 22);
  cairo_line_to(cr, 18, 29);
  cairo_line_to(cr, 10, 26);
  cairo_close_path(cr);
  Shade(cr, c, 3, 30, 1.6);
  cairo_move_to(cr, 7, 24);
  cairo_line_to(cr, 7, 13);
  cairo_arc(cr, 13, 13, 6, kPi, 1.5 * kPi);
  cairo_line_to(cr, 22, 7);
  Stroke(cr, pal::kWhite, 1.5, 0.5);
  cairo_restore(cr);
}

void FlyingCreature(cairo_t* cr, int colour_or_yeti, bool face_right, double size) {
  // drawn facing right; the left-facing picture is its mirror image
  if (!face_right) {
    cairo_translate(cr, size, 0);
    cairo_scale(cr, -1, 1);
  }
  CreatureOpts o;
  o.arms_up = true;
  o.face.mouth = 1;
  o.facing = 0.75;
  o.face.look_x = 0.8;
  o.face.look_y = -0.4;
  if (colour_or_yeti < 0) {
    o.body = Hex(0xe9f1f8);
    o.top = Top::Horns;
    o.face.mouth = 4;
  } else {
    o.body = BoxRgb(colour_or_yeti);
    static const Top kTops[kBoxColorCount] = {Top::Leaf,  Top::Ears,   Top::Antenna, Top::Tuft, Top::Spikes,
                                              Top::Tuft,  Top::Ears,   Top::Antenna, Top::None};
    o.top = kTops[colour_or_yeti];
  }
  Creature(cr, size / 2, size * 0.56, size * 0.3, o);
}

}  // namespace

void AddBoxes(Registry& r) {
  struct Col {
    const char* id;
    int colour;
  };
  const Col cols[] = {{"IMAGE_BLOCK_RED", kRed},       {"IMAGE_BLOCK_GREEN", kGreen}, {"IMAGE_BLOCK_BLUE", kBlue},
                      {"IMAGE_BLOCK_ORANGE", kOrange}, {"IMAGE_BLOCK_PURPLE", kPurple},
                      {"IMAGE_BLOCK_BROWN", kBrown},   {"IMAGE_BLOCK_SKY", kSky}};
  for (const Col& c : cols) {
    int colour = c.colour;
    r.Anim(c.id, kDir + "block_" + BoxName(colour) + ".png", 64, 64, 7,
           [colour](cairo_t* cr, int f) { ColourBox(cr, colour, f, 64); })
        .Mid();
  }

  struct B {
    const char* id;
    const char* file;
    Boss boss;
    int size;
  };
  const B bosses[] = {
      {"IMAGE_BLOCK_GREY", "block_grey", Boss::Grey, 64},
      {"IMAGE_BLOCK_BOSS_01", "boss_parasite", Boss::Parasite, 128},
      {"IMAGE_BLOCK_BOSS_YETI", "boss_yeti", Boss::Yeti, 128},
      {"IMAGE_BLOCK_EVIL_YETI", "boss_evil_yeti", Boss::EvilYeti, 128},
      {"IMAGE_BLOCK_BOSS_ELITE", "boss_elite", Boss::Elite, 128},
      {"IMAGE_BLOCK_SMALL_ELITE", "boss_small_elite", Boss::SmallElite, 64},
      {"IMAGE_BLOCK_BROWNIE_FULL", "boss_brownie_full", Boss::BrownieFull, 128},
      {"IMAGE_BLOCK_BROWNIE", "boss_brownie", Boss::Brownie, 128},
  };
  for (const B& b : bosses) {
    for (int blink = 0; blink < 2; ++blink) {
      std::string id = std::string(b.id) + (blink ? "_BLINK" : "");
      std::string file = kDir + b.file + (blink ? "_blink" : "") + ".png";
      Boss boss = b.boss;
      int size = b.size;
      r.Image(id, file, size, size, [boss, size, blink](cairo_t* cr, int) { BossBox(cr, boss, size, blink); }).Mid();
    }
  }

  r.Anim("IMAGE_BONUS_EXPLOSION", kDir + "bonus_explosion.png", 64, 64, 8, BonusExplosion).Mid();
  r.Anim("IMAGE_BONUS_PARABOMB", kDir + "bonus_parabomb.png", 64, 64, 9, BonusParabomb).Mid();
  r.Anim("IMAGE_BONUS_FREEZE", kDir + "bonus_freeze.png", 64, 64, 4, BonusFreeze).Mid();
  r.Anim("IMAGE_BONUS_RESIZE", kDir + "bonus_resize.png", 64, 64, 8, BonusResize).Mid();
  r.Anim("IMAGE_BONUS_RAY", kDir + "bonus_ray.png", 64, 64, 8, BonusRay).Mid();
  // chests and ice show their state by armour: frame 0 is the strongest
  r.Anim("IMAGE_CHEST_01", kDir + "chest_01.png", 64, 64, 2, [](cairo_t* cr, int f) { Chest(cr, false, f); }).Mid();
  r.Anim("IMAGE_CHEST_02", kDir + "chest_02.png", 64, 64, 3, [](cairo_t* cr, int f) { Chest(cr, true, f); }).Mid();
  r.Anim("IMAGE_BLOCK_ICE", kDir + "block_ice.png", 64, 64, 3, [](cairo_t* cr, int f) { IceBlock(cr, f); }).Mid();
  r.Anim("IMAGE_BLOCK_STEEL", kDir + "armour_steel.png", 64, 64, 4,
         [](cairo_t* cr, int f) { Armour(cr, Hex(0x9aa8b6), f); })
      .Mid();
  r.Anim("IMAGE_BLOCK_GOLD", kDir + "armour_gold.png", 64, 64, 4,
         [](cairo_t* cr, int f) { Armour(cr, Hex(0xe8b830), f); })
      .Mid();

  const char* corners[] = {"UL", "UR", "DL", "DR"};
  const char* lower[] = {"ul", "ur", "dl", "dr"};
  for (int k = 0; k < 4; ++k) {
    r.Image(std::string("IMAGE_BOXPART_") + corners[k], kDir + "part_" + lower[k] + ".png", 32, 32,
            [k](cairo_t* cr, int) { BoxPart(cr, k, Hex(0xf1ece2)); })
        .Mid();
    r.Image(std::string("IMAGE_BOXPARTSTEEL_") + corners[k], kDir + "part_steel_" + lower[k] + ".png", 32, 32,
            [k](cairo_t* cr, int) { BoxPart(cr, k, Hex(0x9aa8b6)); })
        .Mid();
    r.Image(std::string("IMAGE_BOXPARTGOLD_") + corners[k], kDir + "part_gold_" + lower[k] + ".png", 32, 32,
            [k](cairo_t* cr, int) { BoxPart(cr, k, Hex(0xe8b830)); })
        .Mid();
  }

  // The creature that jumps out of a removed box, facing the way it flies.
  struct Cr {
    const char* id;
    const char* file;
    int colour;
    bool right;
  };
  const Cr creatures[] = {
      {"IMAGE_CREATURE", "creature_blue", kBlue, true},
      {"IMAGE_CREATURE_BACK", "creature_blue_back", kBlue, false},
      {"IMAGE_CREATURE2", "creature_purple", kPurple, true},
      {"IMAGE_CREATURE2_BACK", "creature_purple_back", kPurple, false},
      {"IMAGE_CREATURE3", "creature_orange", kOrange, true},
      {"IMAGE_CREATURE3_BACK", "creature_orange_back", kOrange, false},
      {"IMAGE_CREATURE4", "creature_green", kGreen, true},
      {"IMAGE_CREATURE4_BACK", "creature_green_back", kGreen, false},
      {"IMAGE_CREATURE5", "creature_red", kRed, true},
      {"IMAGE_CREATURE5_BACK", "creature_red_back", kRed, false},
      {"IMAGE_CREATURE6", "creature_sky", kSky, false},
      {"IMAGE_CREATURE6_BACK", "creature_sky_back", kSky, true},
      {"IMAGE_CREATURE7", "creature_brown", kBrown, false},
      {"IMAGE_CREATURE7_BACK", "creature_brown_back", kBrown, true},
  };
  for (const Cr& c : creatures) {
    int colour = c.colour;
    bool right = c.right;
    r.Image(c.id, kDir + c.file + ".png", 64, 64,
            [colour, right](cairo_t* cr, int) { FlyingCreature(cr, colour, right, 64); })
        .Mid();
  }
  r.Image("IMAGE_CREATURE8", kDir + "creature_yeti.png", 80, 80,
          [](cairo_t* cr, int) { FlyingCreature(cr, -1, true, 80); })
      .Mid();
}

}  // namespace kelp::art
