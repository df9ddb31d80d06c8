// Buttons, cursors, sliders, check boxes, the loading screen and the dialog
// frames with their baked-in captions.
#include <cmath>
#include <cstdio>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/gui/";

// A button strip: frames normal, hover, pressed.
void AddButton(Registry& r, const std::string& id, const std::string& file, int w, int h, const std::string& label,
               Rgb c) {
  r.Anim(id, kDir + "buttons/" + file + ".png", w, h, 3,
         [w, h, label, c](cairo_t* cr, int f) { Button(cr, w, h, label, c, f); });
}
// A single-frame button picture in one state (the locked or hover look).
void AddButtonImage(Registry& r, const std::string& id, const std::string& file, int w, int h,
                    const std::string& label, Rgb c, int state) {
  r.Image(id, kDir + "buttons/" + file + ".png", w, h,
          [w, h, label, c, state](cairo_t* cr, int) { Button(cr, w, h, label, c, state); });
}

// An icon button with a small caption underneath (village panel).
void PanelButton(cairo_t* cr, double w, double h, Icon icon, const std::string& label, Rgb c, int state) {
  Button(cr, w, h, "", c, state);
  const double dy = state == 2 ? 1.5 : 0;
  Rgb ic = state == 3 ? Hex(0xd0d0d0) : pal::kWhite;
  DrawIcon(cr, icon, w * 0.27, h * 0.46 + dy, h * 0.52, icon == Icon::Trophy ? pal::kGold : ic);
  double ts = FitSize(cr, label, 12, w * 0.56);
  Text(cr, label, w * 0.64, h * 0.45 + dy, ts, kCenter, ic, Darker(c, 0.6), 1.2);
  // The lock sits on the icon's corner: the label must stay whole.
  if (state == 3) DrawIcon(cr, Icon::Lock, 11, h - 13, 14, pal::kGold);
}

void IconButton(cairo_t* cr, double w, double h, Icon icon, Rgb c, int state) {
  const double r = std::min(w, h) / 2 - 3;
  RoundButton(cr, w / 2, h / 2 - 1, r, c, state);
  DrawIcon(cr, icon, w / 2, h / 2 - 1 + (state == 2 ? 1.5 : 0), r * 1.15, state == 3 ? Hex(0xd0d0d0) : pal::kWhite);
}

// ---------------------------------------------------------------- cursors

void CursorArrow(cairo_t* cr, int) {
  Polygon(cr, {2, 2, 2, 24, 8, 19, 12, 28, 16, 26, 12, 17, 20, 17});
  Shade(cr, pal::kWhite, 2, 28, 2.0);
  Polygon(cr, {5, 8, 5, 18, 9, 15});
  SetRgb(cr, Hex(0x8fd0ff), 0.6);
  cairo_fill(cr);
}

void CursorHand(cairo_t* cr, int) {
  // pointing finger, tip at (12, 2)
  RoundRect(cr, 9, 2, 7, 16, 3.5);
  Shade(cr, Hex(0xffe0b8), 2, 18, 1.6);
  RoundRect(cr, 7, 12, 19, 16, 6);
  Shade(cr, Hex(0xffe0b8), 12, 28, 1.6);
  for (double x : {16.0, 20.5}) {
    cairo_move_to(cr, x, 13);
    cairo_line_to(cr, x, 18);
    Stroke(cr, Hex(0xb07a50), 1.2);
  }
}

void CursorNo(cairo_t* cr, int) {
  cairo_arc(cr, 16, 16, 12, 0, 2 * kPi);
  Stroke(cr, Hex(0x5a1010), 6.5);
  cairo_arc(cr, 16, 16, 12, 0, 2 * kPi);
  Stroke(cr, Hex(0xe0473d), 4.5);
  cairo_move_to(cr, 8, 8);
  cairo_line_to(cr, 24, 24);
  Stroke(cr, Hex(0x5a1010), 6.5);
  cairo_move_to(cr, 8, 8);
  cairo_line_to(cr, 24, 24);
  Stroke(cr, Hex(0xe0473d), 4.5);
}

void CursorBusy(cairo_t* cr, int) {
  Polygon(cr, {8, 4, 24, 4, 24, 7, 17, 16, 24, 25, 24, 28, 8, 28, 8, 25, 15, 16, 8, 7});
  Shade(cr, Hex(0xe8f4ff), 4, 28, 1.8);
  Polygon(cr, {11, 24, 21, 24, 16, 19});
  SetRgb(cr, Hex(0xf2b52c));
  cairo_fill(cr);
  for (double y : {3.0, 27.0}) {
    RoundRect(cr, 6, y - 1.5, 20, 3, 1.5);
    Shade(cr, Hex(0xb07a44), y - 2, y + 2, 1.0);
  }
}

// ---------------------------------------------------------------- small widgets

void Checkbox(cairo_t* cr, bool on) {
  RoundRect(cr, 3, 4, 26, 26, 6);
  SetRgb(cr, Hex(0x5a3a1a));
  cairo_fill(cr);
  RoundRect(cr, 3, 2, 26, 26, 6);
  FillV(cr, 2, 28, pal::kWhite, Hex(0xe8e0cc));
  RoundRect(cr, 3, 2, 26, 26, 6);
  Stroke(cr, Hex(0x7a4a22), 2.0);
  if (on) DrawIcon(cr, Icon::Check, 17, 13, 24, Hex(0x4cbb47));
}

void Track(cairo_t* cr, bool full) {
  RoundRect(cr, 1, 3, 228, 14, 7);
  if (full) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 230, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.3, 0.72, 0.28);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.95, 0.75, 0.2);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Stroke(cr, Hex(0x3a5a20), 1.5);
    RoundRect(cr, 4, 4, 222, 5, 2.5);
    SetRgb(cr, pal::kWhite, 0.35);
    cairo_fill(cr);
  } else {
    FillV(cr, 3, 17, Hex(0x4a3424), Hex(0x6b4a34));
    RoundRect(cr, 1, 3, 228, 14, 7);
    Stroke(cr, Hex(0x2a1a10), 1.5);
  }
}

void Marker(cairo_t* cr, bool on) {
  if (on) {
    Glow(cr, 14, 15, 15, Hex(0xfff3a0), 0.9, 0.4);
    return;
  }
  RoundRect(cr, 4, 1, 20, 28, 8);
  Shade(cr, Hex(0xe6a623), 1, 29, 2.0);
  for (double y : {10.0, 15.0, 20.0}) {
    cairo_move_to(cr, 9, y);
    cairo_line_to(cr, 19, y);
    Stroke(cr, Hex(0x8a5a10), 1.4, 0.8);
  }
}

void Badge(cairo_t* cr, int n) {
  cairo_arc(cr, 16, 16, 14, 0, 2 * kPi);
  Shade(cr, Hex(0xe0473d), 2, 30, 2.0);
  char label[8];
  std::snprintf(label, sizeof(label), "x%d", n);
  Text(cr, label, 16, 16, 13, kCenter, pal::kWhite, Hex(0x6a1a14), 1.2);
}

void TutorialArrow(cairo_t* cr, int frame) {
  const double dx = 5 * std::sin(frame * 2 * kPi / 8);
  cairo_save(cr);
  cairo_translate(cr, dx, 0);
  Polygon(cr, {4, 14, 44, 14, 44, 4, 74, 22, 44, 40, 44, 30, 4, 30});
  Shade(cr, Hex(0x4cbb47), 4, 40, 2.5);
  Polygon(cr, {8, 17, 44, 17, 44, 10, 60, 20});
  SetRgb(cr, pal::kWhite, 0.35);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Ring(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb c, double w) {
  for (int k = 3; k >= 1; --k) {
    Ellipse(cr, cx, cy, rx, ry);
    Stroke(cr, c, w * k, 0.25 * (4 - k));
  }
}

void SideBar(cairo_t* cr, bool left) {
  // a carved wooden pillar with kelp winding up it; the canvas-facing edge is x 320 (left) or 0 (right)
  cairo_rectangle(cr, 0, 0, 320, 600);
  FillV(cr, 0, 600, Hex(0x2c4a5e), Hex(0x18303e));
  Rng rng(left ? 81u : 82u);
  for (int k = 0; k < 40; ++k) {
    cairo_arc(cr, rng.Uniform(0, 320), rng.Uniform(0, 600), rng.Uniform(1, 3), 0, 2 * kPi);
    SetRgb(cr, Hex(0x9fd8f0), rng.Uniform(0.15, 0.35));
    cairo_fill(cr);
  }
  const double px = left ? 296 : 24;
  cairo_rectangle(cr, px - 20, 0, 40, 600);
  Shade(cr, pal::kWood, 0, 600, 2.0);
  for (double y = 30; y < 600; y += 60) {
    cairo_rectangle(cr, px - 22, y, 44, 8);
    Shade(cr, pal::kGold, y, y + 8, 1.2);
  }
  cairo_move_to(cr, px, 600);
  for (double y = 600; y >= 0; y -= 10) cairo_line_to(cr, px + 26 * std::sin(y / 45.0), y);
  Stroke(cr, Hex(0x2f8f4a), 6.0);
  for (double y = 560; y > 0; y -= 45) {
    double x = px + 26 * std::sin(y / 45.0);
    Ellipse(cr, x + 10, y, 10, 4);
    Shade(cr, Hex(0x5fae4a), y - 4, y + 4, 1.0);
  }
}

// ---------------------------------------------------------------- dialog frames

void MessageBox(cairo_t* cr, int) {
  Panel(cr, 0, 0, 404, 240, PanelStyle::Parchment);
  DrawIcon(cr, Icon::Quest, 200, 42, 34, pal::kGold);
}

void GameMenuBox(cairo_t* cr, int) { Panel(cr, 0, 0, 304, 334, PanelStyle::Wood, "Paused"); }

void HelpFrame(cairo_t* cr, int) {
  Panel(cr, 0, 0, 544, 564, PanelStyle::Parchment, "How to play");
  const Rgb ink = Hex(0x5a3a1a);
  // 1: drop boxes with the claw
  RoundRect(cr, 30, 56, 230, 200, 12);
  SetRgb(cr, Hex(0xcfe8f8));
  cairo_fill(cr);
  cairo_rectangle(cr, 40, 72, 210, 6);
  SetRgb(cr, Hex(0x8d9aa8));
  cairo_fill(cr);
  RoundRect(cr, 130, 78, 30, 22, 8);
  Shade(cr, Hex(0xe6a623), 78, 100, 1.5);
  BoxBody(cr, 128, 108, 34, 34, BoxRgb(kRed));
  BoxFace(cr, 128, 108, 34, 34, 0, BoxRgb(kRed));
  DrawIcon(cr, Icon::ArrowDown, 145, 168, 26, Hex(0x4cbb47));
  for (int i = 0; i < 4; ++i) {
    int c = i == 1 ? kBlue : kGreen;
    BoxBody(cr, 70 + i * 38, 200, 34, 34, BoxRgb(c));
    BoxFace(cr, 70 + i * 38, 200, 34, 34, 0, BoxRgb(c));
  }
  Text(cr, "Move the claw, click to drop", 145, 270, 13, kCenter, ink);
  // 2: three of a colour pop
  RoundRect(cr, 284, 56, 230, 200, 12);
  SetRgb(cr, Hex(0xfdecc8));
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {
    BoxBody(cr, 310 + i * 40, 150, 36, 36, BoxRgb(kBlue));
    BoxFace(cr, 310 + i * 40, 150, 36, 36, i == 1 ? 4 : 0, BoxRgb(kBlue));
  }
  for (int k = 0; k < 5; ++k) Sparkle(cr, 320 + k * 30, 120 + (k % 2) * 14, 8, pal::kGold);
  Text(cr, "3 of a colour set them free!", 399, 270, 13, kCenter, ink);
  // 3: the red line and the tube
  RoundRect(cr, 30, 300, 230, 180, 12);
  SetRgb(cr, Hex(0xf8d8d0));
  cairo_fill(cr);
  cairo_move_to(cr, 44, 360);
  cairo_line_to(cr, 246, 360);
  Stroke(cr, Hex(0xe0473d), 4.0);
  BoxBody(cr, 130, 340, 34, 34, BoxRgb(kPurple));
  BoxFace(cr, 130, 340, 34, 34, 5, BoxRgb(kPurple));
  Text(cr, "Stay below the red line", 145, 455, 13, kCenter, ink);
  RoundRect(cr, 284, 300, 230, 180, 12);
  SetRgb(cr, Hex(0xdaf4d4));
  cairo_fill(cr);
  RoundRect(cr, 388, 320, 24, 120, 10);
  SetRgb(cr, Hex(0x2a3448));
  cairo_fill(cr);
  RoundRect(cr, 391, 370, 18, 67, 8);
  SetRgb(cr, Hex(0x6ad65a));
  cairo_fill(cr);
  Text(cr, "Fill the tube to win", 399, 455, 13, kCenter, ink);
}

void OptionsFrame(cairo_t* cr, int) {
  Panel(cr, 0, 0, 344, 452, PanelStyle::Wood, "Options");
  const Rgb ink = Hex(0x5a3a1a);
  Text(cr, "Music", 60, 106, 15, kLeft, ink);
  Text(cr, "Sound", 60, 169, 15, kLeft, ink);
  Text(cr, "Mouse speed", 60, 234, 15, kLeft, ink);
  Text(cr, "Full screen", 90, 302, 14, kLeft, ink);
  Text(cr, "Wide screen", 90, 337, 14, kLeft, ink);
  Text(cr, "Game cursor", 90, 372, 14, kLeft, ink);
}

void NameFrame(cairo_t* cr, int) {
  Panel(cr, 0, 0, 264, 190, PanelStyle::Parchment, "Your name");
  // A dark slot: the name is typed in the white list font.
  RoundRect(cr, 30, 72, 198, 40, 10);
  FillV(cr, 72, 112, Hex(0x3e2614), Hex(0x5a3a20));
  RoundRect(cr, 30, 72, 198, 40, 10);
  Stroke(cr, Hex(0xc99a56), 2.0);
}

void UserFrame(cairo_t* cr, int) {
  Panel(cr, 0, 0, 334, 324, PanelStyle::Wood, "Players");
  // A dark board: the names are in the white list font.
  RoundRect(cr, 50, 96, 206, 116, 10);
  FillV(cr, 96, 212, Hex(0x3e2614), Hex(0x5a3a20));
  RoundRect(cr, 50, 96, 206, 116, 10);
  Stroke(cr, Hex(0xc99a56), 2.0);
}

void ModeFrame(cairo_t* cr, int) { Panel(cr, 0, 0, 262, 212, PanelStyle::Wood, "Game mode"); }

void ScoresFrame(cairo_t* cr, int) {
  Panel(cr, 0, 0, 384, 462, PanelStyle::Parchment, "High scores");
  for (int i = 1; i <= 8; ++i) {
    double y = 80 + 35 * i;
    if (i % 2) {
      RoundRect(cr, 36, y - 2, 306, 30, 8);
      SetRgb(cr, Hex(0xe8c98a), 0.45);
      cairo_fill(cr);
    }
  }
  for (int i = 1; i <= 3; ++i) {
    double y = 80 + 35 * i + 13;
    cairo_arc(cr, 30, y, 6, 0, 2 * kPi);
    Shade(cr, i == 1 ? pal::kGold : i == 2 ? Hex(0xc8d0d8) : Hex(0xd08a4a), y - 6, y + 6, 1.0);
  }
}

void Caption(cairo_t* cr, double w, double h, const std::string& s, Rgb c, Align align) {
  double ts = FitSize(cr, s, h * 0.7, w - 8);
  double x = align == kLeft ? 4 : align == kRight ? w - 4 : w / 2;
  // A near-black rim wide enough to show past the letters' smoothed edge:
  // the captions stand on light parchment and on busy pictures.
  Text(cr, s, x, h / 2, ts, align, c, Darker(c, 0.88), std::max(2.2, ts * 0.12));
}

void CompleteFrame(cairo_t* cr, int) {
  Panel(cr, 0, 0, 334, 452, PanelStyle::Parchment, "Level complete!");
  for (int i = 0; i < 5; ++i) {
    StarPath(cr, 92 + 40 * i, 380, 17, 8, 5);
    SetRgb(cr, Hex(0xc9a870), 0.6);
    cairo_fill(cr);
  }
}

void GameOver(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 800, 600);
  FillV(cr, 0, 600, Hex(0x2a2440), Hex(0x5a3a5a));
  Landscape(cr, 800, 600, 250, Land::DesertEvil, 66);
  // rain streaks
  Rng rng(67);
  for (int k = 0; k < 120; ++k) {
    double x = rng.Uniform(0, 800), y = rng.Uniform(0, 600);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x - 4, y + 16);
    Stroke(cr, Hex(0xb0c0e0), 1.2, 0.35);
  }
  // a sad heap of boxes
  for (int i = 0; i < 5; ++i) {
    int c = (i * 3) % 7;
    double x = 290 + i * 46 - (i > 2 ? 115 : 0), y = i > 2 ? 300 : 346;
    BoxBody(cr, x, y, 44, 44, BoxRgb(c == 5 ? kSky : c));
    FaceOpts f;
    f.mouth = 3;
    f.look_y = 1;
    f.blink = 1;
    Face(cr, x + 22, y + 24, 0.85, f);
  }
  cairo_rectangle(cr, 0, 0, 800, 600);
  cairo_pattern_t* v = cairo_pattern_create_radial(400, 300, 200, 400, 300, 520);
  cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0, 0.55);
  cairo_set_source(cr, v);
  cairo_fill(cr);
  cairo_pattern_destroy(v);
}

void LoadingFrame(cairo_t* cr, int) {
  // a plaque with the empty groove the bar fills at (103, 58)
  RoundRect(cr, 6, 20, 394, 100, 22);
  Shade(cr, pal::kWood, 20, 120, 3.0);
  RoundRect(cr, 18, 32, 370, 76, 14);
  FillV(cr, 32, 108, Hex(0xf5e1b5), Hex(0xe0c48e));
  RoundRect(cr, 99, 54, 208, 24, 10);
  SetRgb(cr, Hex(0x4a3424));
  cairo_fill(cr);
  BoxBody(cr, 36, 46, 44, 44, BoxRgb(kRed));
  BoxFace(cr, 36, 46, 44, 44, 4, BoxRgb(kRed));
  BoxBody(cr, 326, 46, 44, 44, BoxRgb(kBlue));
  BoxFace(cr, 326, 46, 44, 44, 2, BoxRgb(kBlue));
}

void LoadingBar(cairo_t* cr, int) {
  RoundRect(cr, 0, 0, 200, 16, 8);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 200, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.3, 0.73, 0.28);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.95, 0.78, 0.2);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  RoundRect(cr, 3, 2, 194, 5, 2.5);
  SetRgb(cr, pal::kWhite, 0.4);
  cairo_fill(cr);
}

void RedScreen(cairo_t* cr, int) {
  cairo_rectangle(cr, 0, 0, 800, 600);
  cairo_pattern_t* v = cairo_pattern_create_radial(400, 300, 150, 400, 300, 500);
  cairo_pattern_add_color_stop_rgba(v, 0, 0.9, 0.05, 0.05, 0);
  cairo_pattern_add_color_stop_rgba(v, 0.6, 0.85, 0.05, 0.05, 0.35);
  cairo_pattern_add_color_stop_rgba(v, 1, 0.6, 0.0, 0.0, 0.85);
  cairo_set_source(cr, v);
  cairo_fill(cr);
  cairo_pattern_destroy(v);
}

}  // namespace

void AddGui(Registry& r) {
  const Rgb green = pal::kButton, red = pal::kButtonRed, blue = pal::kButtonBlue, gold = pal::kButtonGold;
  AddButton(r, "IMAGE_GUI_BT_OK", "ok", 120, 44, "OK", green);
  AddButton(r, "IMAGE_GUI_BT_CANCEL", "cancel", 120, 44, "Cancel", red);
  AddButton(r, "IMAGE_GUI_BT_YES", "yes", 120, 44, "Yes", green);
  AddButton(r, "IMAGE_GUI_BT_NO", "no", 120, 44, "No", red);
  AddButton(r, "IMAGE_GUI_BT_CREDITS", "credits", 100, 40, "Credits", blue);
  AddButtonImage(r, "IMAGE_GUI_BT_CREDITS_OFF", "credits_off", 100, 40, "Credits", blue, 3);
  AddButton(r, "IMAGE_GAMEMENU_BT_RESUME", "resume", 206, 46, "Resume", green);
  AddButton(r, "IMAGE_GAMEMENU_BT_OPTIONS", "options", 206, 46, "Options", blue);
  AddButton(r, "IMAGE_GAMEMENU_BT_TOISLAND", "to_island", 206, 46, "To the island", gold);
  AddButtonImage(r, "IMAGE_GAMEMENU_BT_TOISLAND_LOCKED", "to_island_locked", 206, 46, "To the island", gold, 3);
  AddButton(r, "IMAGE_GAMEMENU_BT_HELP", "help", 206, 46, "Help", blue);
  AddButton(r, "IMAGE_GAMEMENU_BT_MAINMENU", "main_menu", 206, 46, "Main menu", red);
  AddButton(r, "IMAGE_BUTTON_PLAY", "play", 220, 52, "Play", green);
  AddButtonImage(r, "IMAGE_BUTTON_PLAY_LOCKED", "play_locked", 220, 52, "Play", green, 3);
  AddButton(r, "IMAGE_BUTTON_RANDOM", "random", 130, 52, "Random", gold);
  AddButtonImage(r, "IMAGE_BUTTON_RANDOM_LOCKED", "random_locked", 130, 52, "Random", gold, 3);
  AddButton(r, "IMAGE_BUTTON_BACK", "back", 180, 52, "Back", red);
  AddButton(r, "IMAGE_BUTTON_RETRY", "retry", 190, 60, "Try again", green);
  AddButton(r, "IMAGE_BUTTON_SKIP", "skip", 190, 60, "Skip level", gold);
  AddButtonImage(r, "IMAGE_BUTTON_SKIP_LOCKED", "skip_locked", 190, 60, "Skip level", gold, 3);
  AddButton(r, "IMAGE_MAINMENU_BUTTON_NORMAL", "mode_normal", 200, 44, "Normal", green);
  AddButton(r, "IMAGE_MAINMENU_BUTTON_RELAXED", "mode_relaxed", 200, 44, "Relaxed", blue);
  AddButton(r, "IMAGE_MAINMENU_BUTTON_LEVEL", "mode_level", 200, 44, "Level select", gold);
  AddButton(r, "IMAGE_MAINMENU_BUTTON_NEW", "player_new", 120, 40, "New", green);
  AddButton(r, "IMAGE_MAINMENU_BUTTON_DELETE", "player_delete", 120, 40, "Delete", red);
  AddButton(r, "IMAGE_MAINMENU_BUTTON_SELECT", "player_select", 120, 40, "Select", blue);
  AddButton(r, "IMAGE_MAP_BT_CONTINUE", "map_continue", 150, 48, "Continue", green);
  AddButton(r, "IMAGE_MAP_BT_NEWGAME", "map_new_game", 150, 48, "New game", gold);
  AddButton(r, "IMAGE_MAP_BT_MAINMENU", "map_main_menu", 150, 48, "Main menu", red);
  AddButton(r, "IMAGE_GUI_BUTTON_BACK", "trophy_back", 120, 48, "Back", red);
  for (int on = 0; on < 2; ++on) {
    std::string suffix = on ? "_ON" : "", fs = on ? "_on" : "";
    AddButtonImage(r, "IMAGE_GUI_BT_BACK" + suffix, "back_small" + fs, 120, 44, "Back", red, on);
    AddButtonImage(r, "IMAGE_GUI_BT_BUILD" + suffix, "build" + fs, 180, 50, "Build", green, on);
    r.Image("IMAGE_GUI_ARROWL" + suffix, kDir + "buttons/arrow_left" + fs + ".png", 64, 64,
            [on](cairo_t* cr, int) { IconButton(cr, 64, 64, Icon::ArrowLeft, pal::kButtonGold, on); });
    r.Image("IMAGE_GUI_ARROWR" + suffix, kDir + "buttons/arrow_right" + fs + ".png", 64, 64,
            [on](cairo_t* cr, int) { IconButton(cr, 64, 64, Icon::ArrowRight, pal::kButtonGold, on); });
    r.Image("IMAGE_GUI_CROSS" + suffix, kDir + "buttons/cross" + fs + ".png", 40, 40,
            [on](cairo_t* cr, int) { IconButton(cr, 40, 40, Icon::Cross, pal::kButtonRed, on); });
  }
  AddButtonImage(r, "IMAGE_GUI_BT_BUILD_LOCKED", "build_locked", 180, 50, "Locked", green, 3);
  r.Image("IMAGE_GUI_BT_BUILD_FUNDS", kDir + "buttons/build_funds.png", 180, 50, [](cairo_t* cr, int) {
    Button(cr, 180, 50, "", pal::kButton, 3);
    Coin(cr, 34, 23, 11);
    Text(cr, "Need coins", 104, 23, 17, kCenter, Hex(0xe8e8e8), Hex(0x4a4a4a), 1.3);
  });
  r.Anim("IMAGE_MAINMENU_ARROW_UP", kDir + "buttons/list_up.png", 36, 44, 3,
         [](cairo_t* cr, int f) { IconButton(cr, 36, 44, Icon::ArrowUp, pal::kButtonGold, f); });
  r.Anim("IMAGE_MAINMENU_ARROW_DOWN", kDir + "buttons/list_down.png", 36, 44, 3,
         [](cairo_t* cr, int f) { IconButton(cr, 36, 44, Icon::ArrowDown, pal::kButtonGold, f); });
  r.Anim("DIALOG_BT_SKIP", "data/img/dialogs/bt_skip.png", 32, 32, 3,
         [](cairo_t* cr, int f) { IconButton(cr, 32, 32, Icon::Skip, pal::kButton, f); });
  r.Anim("DIALOG_BT_CLOSE", "data/img/dialogs/bt_close.png", 32, 32, 3,
         [](cairo_t* cr, int f) { IconButton(cr, 32, 32, Icon::Close, pal::kButtonRed, f); });
  r.Image("DIALOG_BT_CLOSE_LOCKED", "data/img/dialogs/bt_close_locked.png", 32, 32,
          [](cairo_t* cr, int) { IconButton(cr, 32, 32, Icon::Close, pal::kButtonRed, 3); });
  r.Anim("IMAGE_GUI_SCROLL_LEFT", kDir + "village/scroll_left.png", 48, 110, 3, [](cairo_t* cr, int f) {
    Button(cr, 48, 110, "", pal::kButtonGold, f);
    DrawIcon(cr, Icon::ArrowLeft, 24, 53 + (f == 2 ? 1.5 : 0), 30, pal::kWhite);
  });
  r.Anim("IMAGE_GUI_SCROLL_RIGHT", kDir + "village/scroll_right.png", 48, 110, 3, [](cairo_t* cr, int f) {
    Button(cr, 48, 110, "", pal::kButtonGold, f);
    DrawIcon(cr, Icon::ArrowRight, 24, 53 + (f == 2 ? 1.5 : 0), 30, pal::kWhite);
  });

  // Village panel buttons: the panel is 108 wide, the buttons sit at x 31.
  struct PB {
    const char* id;
    const char* file;
    Icon icon;
    const char* label;
    Rgb c;
    int state;
  };
  const PB pbs[] = {
      {"IMAGE_GUI_BT_TROPHY", "trophies", Icon::Trophy, "Trophies", blue, 0},
      {"IMAGE_GUI_BT_TROPHY_ON", "trophies_on", Icon::Trophy, "Trophies", blue, 1},
      {"IMAGE_GUI_BT_TROPHY_LOCKED", "trophies_locked", Icon::Trophy, "Trophies", blue, 3},
      {"IMAGE_GUI_BT_MENU", "menu", Icon::Menu, "Menu", red, 0},
      {"IMAGE_GUI_BT_MENU_ON", "menu_on", Icon::Menu, "Menu", red, 1},
      {"IMAGE_GUI_BT_PLAY", "play", Icon::Play, "Play", green, 0},
      {"IMAGE_GUI_BT_PLAY_ON", "play_on", Icon::Play, "Play", green, 1},
      {"IMAGE_GUI_BT_PLAY_LOCKED", "play_locked", Icon::Play, "Play", green, 3},
      {"IMAGE_GUI_BT_BUILD_", "build", Icon::Build, "Build", gold, 0},
      {"IMAGE_GUI_BT_BUILD_ON_", "build_on", Icon::Build, "Build", gold, 1},
      {"IMAGE_GUI_BT_BUILD_LOCKED_", "build_locked", Icon::Build, "Build", gold, 3},
  };
  for (const PB& b : pbs) {
    PB v = b;
    r.Image(b.id, kDir + "village/bt_" + b.file + ".png", 72, 44,
            [v](cairo_t* cr, int) { PanelButton(cr, 72, 44, v.icon, v.label, v.c, v.state); });
  }

  r.Image("IMAGE_GUI_CURSOR_01", kDir + "cursors/arrow.png", 32, 32, CursorArrow).Handle(2, 2);
  r.Image("IMAGE_GUI_CURSOR_02", kDir + "cursors/hand.png", 32, 32, CursorHand).Handle(12, 2);
  r.Image("IMAGE_GUI_CURSOR_03", kDir + "cursors/forbidden.png", 32, 32, CursorNo).Mid();
  r.Image("IMAGE_CURSOR_BUSY", kDir + "cursors/busy.png", 32, 32, CursorBusy).Mid();

  r.Image("IMAGE_GUI_CHECKBOX_ON", kDir + "checkbox_on.png", 32, 32, [](cairo_t* cr, int) { Checkbox(cr, true); });
  r.Image("IMAGE_GUI_CHECKBOX_OFF", kDir + "checkbox_off.png", 32, 32, [](cairo_t* cr, int) { Checkbox(cr, false); });
  r.Image("IMAGE_GUI_SCROLL_EMPTY", kDir + "slider_empty.png", 230, 20, [](cairo_t* cr, int) { Track(cr, false); });
  r.Image("IMAGE_GUI_SCROLL_FULL", kDir + "slider_full.png", 230, 20, [](cairo_t* cr, int) { Track(cr, true); });
  r.Image("IMAGE_GUI_SCROLL_MARKER_OFF", kDir + "slider_marker.png", 28, 30, [](cairo_t* cr, int) { Marker(cr, false); });
  r.Image("IMAGE_GUI_SCROLL_MARKER_ON", kDir + "slider_marker_on.png", 28, 30, [](cairo_t* cr, int) { Marker(cr, true); });
  r.Anim("IMAGE_GUI_ARROW", kDir + "hint_arrow.png", 80, 44, 8, TutorialArrow).Speed(70);
  r.Image("IMAGE_GUI_CIRCLE", kDir + "hint_circle.png", 64, 64,
          [](cairo_t* cr, int) { Ring(cr, 32, 32, 27, 27, Hex(0x7cff6a), 2.2); })
      .Mid();
  r.Image("IMAGE_GUI_HIGHLIGHT", kDir + "village/highlight.png", 72, 36,
          [](cairo_t* cr, int) { Ring(cr, 36, 18, 31, 13, Hex(0xfff08a), 2.0); })
      .Mid();
  r.Image("IMAGE_GUI_LOCK", kDir + "lock.png", 32, 40,
          [](cairo_t* cr, int) { DrawIcon(cr, Icon::Lock, 16, 21, 34, pal::kGold); });
  r.Image("IMAGE_GUI_COINS", kDir + "coins.png", 22, 22, [](cairo_t* cr, int) {
    Coin(cr, 9, 13, 7);
    Coin(cr, 13, 9, 7);
  }).Mid();
  for (int n = 2; n <= 9; ++n)
    r.Image("IMAGE_GUI_N" + std::to_string(n), kDir + "village/badge_" + std::to_string(n) + ".png", 32, 32,
            [n](cairo_t* cr, int) { Badge(cr, n); });
  r.Image("IMAGE_GUI_RED_SCREEN", kDir + "red_screen.png", 800, 600, RedScreen);
  r.Image("IMAGE_GUI_WSL", kDir + "side_left.png", 320, 600, [](cairo_t* cr, int) { SideBar(cr, true); })
      .Handle(320, 0);
  r.Image("IMAGE_GUI_WSR", kDir + "side_right.png", 320, 600, [](cairo_t* cr, int) { SideBar(cr, false); });

  r.Image("IMAGE_LOADING_EMPTY", kDir + "loading/frame.png", 406, 132, LoadingFrame);
  r.Image("IMAGE_LOADING_FULL", kDir + "loading/bar.png", 200, 16, LoadingBar);
  r.Image("IMAGE_LOADING_TEXT", kDir + "loading/text.png", 188, 36,
          [](cairo_t* cr, int) { Caption(cr, 188, 36, "Loading...", pal::kCream, kLeft); });

  r.Image("IMAGE_GUI_MESSAGE_BOX", kDir + "dialogs/message_box.png", 404, 240, MessageBox);
  r.Image("IMAGE_GAMEMENU_MESSAGE_BOX", kDir + "dialogs/pause_menu.png", 304, 334, GameMenuBox);
  r.Image("IMAGE_GAMEMENU_HELP_FRAME", kDir + "dialogs/help.png", 544, 564, HelpFrame);
  r.Image("IMAGE_GUI_OPTIONS", kDir + "dialogs/options.png", 344, 452, OptionsFrame);
  r.Image("IMAGE_MAINMENU_NAME_FRAME", kDir + "dialogs/name.png", 264, 190, NameFrame);
  r.Image("IMAGE_MAINMENU_USER_FRAME", kDir + "dialogs/players.png", 334, 324, UserFrame);
  r.Image("IMAGE_MAINMENU_SELECTOR", kDir + "dialogs/player_selector.png", 200, 30, [](cairo_t* cr, int) {
    RoundRect(cr, 2, 2, 196, 26, 12);
    SetRgb(cr, Hex(0x9a561c));
    cairo_fill_preserve(cr);
    Stroke(cr, Hex(0xf2c230), 2.0);
  }).Mid();
  r.Image("IMAGE_MAINMENU_MODE_FRAME", kDir + "dialogs/game_mode.png", 262, 212, ModeFrame);
  r.Image("IMAGE_SCORES_FRAME", kDir + "dialogs/scores.png", 384, 462, ScoresFrame);
  r.Image("IMAGE_SCORES_NORMAL", kDir + "dialogs/scores_normal.png", 160, 30,
          [](cairo_t* cr, int) { Caption(cr, 160, 30, "Normal", Hex(0x4cbb47), kCenter); })
      .Mid();
  r.Image("IMAGE_SCORES_RELAXED", kDir + "dialogs/scores_relaxed.png", 160, 30,
          [](cairo_t* cr, int) { Caption(cr, 160, 30, "Relaxed", Hex(0x3f9ae0), kCenter); })
      .Mid();

  r.Image("IMAGE_COMPLETE_FRAME", kDir + "complete/frame.png", 334, 452, CompleteFrame);
  struct Cap {
    const char* id;
    const char* file;
    const char* text;
    int w;
  };
  const Cap caps[] = {{"IMAGE_SCORE", "score", "Score", 130},          {"IMAGE_COMBOS", "combos", "Combos", 130},
                      {"IMAGE_MAX_COMBO", "max_combo", "Best combo", 150}, {"IMAGE_ORBICS", "creatures", "Creatures", 140},
                      {"IMAGE_TIME_BONUS", "time_bonus", "Time bonus", 150}, {"IMAGE_TOTAL_SCORE", "total", "Total", 130}};
  for (const Cap& c : caps) {
    std::string text = c.text;
    int w = c.w;
    r.Image(c.id, kDir + "complete/" + c.file + ".png", w, 30,
            [text, w](cairo_t* cr, int) { Caption(cr, w, 30, text, Hex(0xee8a22), kLeft); })
        .Mid();
  }
  r.Image("IMAGE_NO", kDir + "complete/none.png", 80, 30,
          [](cairo_t* cr, int) { Caption(cr, 80, 30, "none", Hex(0xf25a4c), kRight); })
      .Mid();
  r.Image("IMAGE_COINS", kDir + "complete/coins.png", 40, 32, [](cairo_t* cr, int) {
    Coin(cr, 13, 20, 9);
    Coin(cr, 26, 20, 9);
    Coin(cr, 20, 12, 9);
  }).Mid();
  r.Image("IMAGE_STAR", kDir + "complete/star.png", 36, 36, [](cairo_t* cr, int) { Star(cr, 18, 19, 16, pal::kGold, 1.8); })
      .Mid();

  r.Image("IMAGE_GAMEOVER", kDir + "game_over/back.png", 800, 600, GameOver);
  r.Image("IMAGE_GAMEOVER_TEXT_01", kDir + "game_over/level_failed.png", 560, 90,
          [](cairo_t* cr, int) { Caption(cr, 560, 90, "Level failed!", Hex(0xf2b52c), kCenter); })
      .Mid();
  r.Image("IMAGE_GAMEOVER_TEXT_02", kDir + "game_over/game_over.png", 560, 90,
          [](cairo_t* cr, int) { Caption(cr, 560, 90, "Game over", Hex(0xf25a4c), kCenter); })
      .Mid();
  r.Image("IMAGE_SKIP", kDir + "game_over/skip.png", 240, 44, [](cairo_t* cr, int) {
    RoundRect(cr, 2, 2, 236, 40, 18);
    SetRgb(cr, Hex(0x1c1830), 0.6);
    cairo_fill(cr);
    Caption(cr, 240, 44, "Click to skip", pal::kCream, kCenter);
  }).Mid();
  for (int n = 1; n <= 3; ++n) {
    std::string text = n == 1 ? "1 skip left" : std::to_string(n) + " skips left";
    r.Image("IMAGE_SKIP" + std::to_string(n), kDir + "game_over/skips_" + std::to_string(n) + ".png", 200, 30,
            [text](cairo_t* cr, int) { Caption(cr, 200, 30, text, pal::kCream, kCenter); })
        .Mid();
  }
  r.Image("IMAGE_HURRY", kDir + "hurry.png", 320, 90,
          [](cairo_t* cr, int) { Caption(cr, 320, 90, "Hurry up!", Hex(0xf25a4c), kCenter); })
      .Mid();
}

}  // namespace kelp::art
