// Story dialogs: the speakers' portraits (frames 0 eyes open, 1 half shut,
// 2 shut, 3 the shade laid over a silent speaker), the window, portrait and
// trophy frames, the glow and the speech cloud of the level dialogs.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/dialogs/";

enum class Who { Redrice, Ello, Nameless, Orbus, Yeti, Mechanicus, Parasite, BrownieFull, Brownie, BrownieGood };

void Speaker(cairo_t* cr, Who who, double w, double h, int blink) {
  const double cx = w / 2, cy = h * 0.56, r = std::min(w, h) * 0.36;
  CreatureOpts o;
  o.feet = false;
  o.face.blink = blink;
  switch (who) {
    case Who::Redrice: DrawHero(cr, 0, cx, cy, r, blink, 0.15); return;
    case Who::Ello: DrawHero(cr, 1, cx, cy, r, blink, -0.15); return;
    case Who::Nameless:
      o.body = Hex(0x3f7f8a);
      o.top = Top::None;
      o.face.mouth = 2;
      o.face.eye_white = Hex(0xd8fff4);
      Creature(cr, cx, cy, r, o);
      // a hood
      cairo_move_to(cr, cx - r * 1.1, cy + r * 0.2);
      cairo_curve_to(cr, cx - r * 1.2, cy - r * 1.5, cx + r * 1.2, cy - r * 1.5, cx + r * 1.1, cy + r * 0.2);
      cairo_curve_to(cr, cx + r * 0.8, cy - r * 0.9, cx - r * 0.8, cy - r * 0.9, cx - r * 1.1, cy + r * 0.2);
      Shade(cr, Hex(0x4a3a6a), cy - r * 1.3, cy + r * 0.2, 2.0);
      return;
    case Who::Orbus:
      o.body = Hex(0xb89ad8);
      o.top = Top::Crown;
      o.face.mouth = 2;
      Creature(cr, cx, cy, r, o);
      // a white beard
      cairo_move_to(cr, cx - r * 0.5, cy + r * 0.35);
      cairo_curve_to(cr, cx - r * 0.4, cy + r * 1.2, cx + r * 0.4, cy + r * 1.2, cx + r * 0.5, cy + r * 0.35);
      cairo_curve_to(cr, cx + r * 0.2, cy + r * 0.5, cx - r * 0.2, cy + r * 0.5, cx - r * 0.5, cy + r * 0.35);
      Shade(cr, pal::kWhite, cy + r * 0.35, cy + r * 1.1, 1.5);
      return;
    case Who::Yeti:
      o.body = Hex(0xe9f1f8);
      o.top = Top::Horns;
      o.face.mouth = 4;
      Creature(cr, cx, cy, r, o);
      return;
    case Who::Mechanicus:
      o.body = Hex(0x9aa8b6);
      o.top = Top::Antenna;
      o.face.mouth = 2;
      o.face.eye_white = Hex(0xfff2a0);
      o.face.cheeks = false;
      Creature(cr, cx, cy, r, o);
      RoundRect(cr, cx - r * 0.7, cy - r * 0.45, r * 1.4, r * 0.16, r * 0.06);
      Shade(cr, Hex(0x6b4423), cy - r * 0.45, cy - r * 0.29, 1.5);
      for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, cx + side * r * 1.0, cy, r * 0.2, 0, 2 * kPi);
        Shade(cr, pal::kGold, cy - r * 0.2, cy + r * 0.2, 1.5);
      }
      return;
    case Who::Parasite:
      o.body = Hex(0x7f6f9a);
      o.top = Top::Spikes;
      o.face.mouth = 5;
      o.face.angry = true;
      o.face.eye_white = Hex(0xfff0a0);
      Creature(cr, cx, cy, r, o);
      return;
    case Who::BrownieFull:
      o.body = Hex(0x8a5530);
      o.top = Top::Horns;
      o.face.mouth = 5;
      o.face.angry = true;
      o.squash = 1.12;
      Creature(cr, cx, cy, r * 1.05, o);
      return;
    case Who::Brownie:
      o.body = Hex(0x9a6236);
      o.top = Top::Horns;
      o.face.mouth = 3;
      o.face.angry = true;
      o.squash = 1.15;
      Creature(cr, cx, cy, r, o);
      return;
    case Who::BrownieGood:
      o.body = Hex(0xb07a44);
      o.top = Top::Leaf;
      o.face.mouth = 4;
      Creature(cr, cx, cy, r, o);
      return;
  }
}

void Portrait(cairo_t* cr, Who who, double w, double h, int frame) {
  if (frame < 3) {
    Speaker(cr, who, w, h, frame);
    return;
  }
  // the shade: the speaker's silhouette in one flat colour
  cairo_push_group(cr);
  Speaker(cr, who, w, h, 0);
  cairo_pattern_t* mask = cairo_pop_group(cr);
  SetRgb(cr, Hex(0x30303a));
  cairo_mask(cr, mask);
  cairo_pattern_destroy(mask);
}

void WindowFrame(cairo_t* cr, int) { Panel(cr, 0, 0, 440, 210, PanelStyle::Parchment); }

void PortraitFrame(cairo_t* cr, int) {
  cairo_arc(cr, 64, 66, 60, 0, 2 * kPi);
  SetRgb(cr, Hex(0x000000), 0.25);
  cairo_fill(cr);
  cairo_arc(cr, 64, 64, 60, 0, 2 * kPi);
  Shade(cr, pal::kWood, 4, 124, 3.0);
  cairo_arc(cr, 64, 64, 50, 0, 2 * kPi);
  FillV(cr, 14, 114, Hex(0xcfe8f8), Hex(0x9fc8e8));
  cairo_arc(cr, 64, 64, 50, 0, 2 * kPi);
  Stroke(cr, pal::kGold, 2.5);
}

void SideFrame(cairo_t* cr, int) {
  RoundRect(cr, 4, 2, 84, 208, 16);
  Shade(cr, pal::kWood, 2, 210, 3.0);
  for (double y = 30; y < 200; y += 40) {
    cairo_move_to(cr, 10, y);
    cairo_line_to(cr, 82, y);
    Stroke(cr, pal::kWoodDark, 1.5, 0.3);
  }
}

void TrophyAward(cairo_t* cr, int) {
  Panel(cr, 0, 0, 224, 300, PanelStyle::Wood, "New trophy!");
  Glow(cr, 112, 150, 80, Hex(0xfff0b0), 0.5);
}

void GlowRing(cairo_t* cr, int) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_pattern_t* p = cairo_pattern_create_radial(74, 74, 40, 74, 74, 74);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.95, 0.6, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.45, 1, 0.92, 0.5, 0.9);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.85, 0.4, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 74, 74, 74, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void SpeechCloud(cairo_t* cr, int) {
  // text sits at (20, 20), 220 wide; the skip and close buttons at (170..237, 85..117);
  // the tail points down-left toward the speaker
  cairo_move_to(cr, 40, 118);
  cairo_line_to(cr, 20, 132);
  cairo_line_to(cr, 68, 120);
  cairo_close_path(cr);
  SetRgb(cr, pal::kWhite, 0.95);
  cairo_fill_preserve(cr);
  Stroke(cr, Hex(0x8a9ab0), 2.0);
  RoundRect(cr, 4, 4, 252, 118, 30);
  SetRgb(cr, pal::kWhite, 0.95);
  cairo_fill_preserve(cr);
  Stroke(cr, Hex(0x8a9ab0), 2.0);
  cairo_move_to(cr, 40, 118);
  cairo_line_to(cr, 68, 120);
  Stroke(cr, pal::kWhite, 3.0);
}

void HoppingRedrice(cairo_t* cr, int frame) {
  // frames 0..8 a hop cycle (squash, stretch), frame 9 the blink
  static const double kSquash[10] = {0.9, 0.95, 1.05, 1.1, 1.05, 1.0, 0.95, 0.9, 0.88, 1.0};
  CreatureOpts o;
  o.body = Hex(0xe0473d);
  o.top = Top::Ears;
  o.facing = 0.4;
  o.face.look_x = 0.5;
  o.squash = kSquash[frame];
  o.face.blink = frame == 9 ? 2 : 0;
  o.arms_up = frame >= 2 && frame <= 5;
  Creature(cr, 40, 88 - 30 * o.squash - 4, 30, o);
}

}  // namespace

void AddDialogs(Registry& r) {
  struct P {
    const char* id;
    const char* file;
    Who who;
    int ox, oy;  // picture offset inside the 148 x 148 glow
  };
  const P portraits[] = {
      {"DIALOG_REDRICE", "redrice", Who::Redrice, 32, 32},
      {"DIALOG_ELLO", "ello", Who::Ello, 37, 37},
      {"DIALOG_NAMELESSONE", "nameless_one", Who::Nameless, 23, 25},
      {"DIALOG_ORBUS", "orbus", Who::Orbus, 23, 25},
      {"DIALOG_YETI", "yeti", Who::Yeti, 16, 16},
      {"DIALOG_MECHANICUS", "mechanicus", Who::Mechanicus, 23, 22},
      {"DIALOG_PARAZITE", "parasite", Who::Parasite, 24, 24},
      {"DIALOG_BROWNIE_FULL", "brownie_full", Who::BrownieFull, 19, 8},
      {"DIALOG_BROWNIE", "brownie", Who::Brownie, 21, 5},
      {"DIALOG_BROWNIE_GOOD", "brownie_good", Who::BrownieGood, 23, 22},
  };
  for (const P& p : portraits) {
    const int w = 148 - 2 * p.ox, h = 148 - 2 * p.oy;
    Who who = p.who;
    r.Anim(p.id, kDir + "portrait_" + p.file + ".png", w, h, 4,
           [who, w, h](cairo_t* cr, int f) { Portrait(cr, who, w, h, f); });
  }
  r.Image("DIALOG_FRAME_01", kDir + "window.png", 440, 210, WindowFrame);
  r.Image("DIALOG_FRAME_02", kDir + "portrait_frame.png", 128, 128, PortraitFrame);
  r.Image("DIALOG_FRAME_03", kDir + "side_frame.png", 92, 212, SideFrame);
  r.Image("DIALOG_FRAME_04", kDir + "trophy_frame.png", 224, 300, TrophyAward);
  r.Image("DIALOG_GLOW", kDir + "glow.png", 148, 148, GlowRing);

  r.Image("IMAGE_GUI_DIALOG_CLOUD", "data/img/gui/dialogs/speech_cloud.png", 260, 136, SpeechCloud);
  r.Image("IMAGE_GUI_DIALOG_REDRICE", "data/img/gui/dialogs/portrait_redrice.png", 128, 128,
          [](cairo_t* cr, int) { Speaker(cr, Who::Redrice, 128, 128, 0); });
  r.Image("IMAGE_GUI_DIALOG_ELLO", "data/img/gui/dialogs/portrait_ello.png", 128, 128,
          [](cairo_t* cr, int) { Speaker(cr, Who::Ello, 128, 128, 0); });
  r.Anim("IMAGE_GUI_DIALOG_REDRICE_BIG", "data/img/gui/dialogs/redrice_hopping.png", 80, 90, 10, HoppingRedrice)
      .Handle(40, 86);
}

}  // namespace kelp::art
