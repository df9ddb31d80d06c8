// A level's scenery: the place its stage stands for on its island, drawn
// behind the level's ledges so that the road through the campaign changes
// from stage to stage. Each stage has a row of the tables below (time of
// day, far horizon, the things standing about); positions and shapes come
// from a generator seeded with the stage, so a stage looks the same in
// every build and each of its levels shares it.
//
// Only the play field between the side panels is drawn. The sky is left
// mostly clear (the level's sky and clouds show through, tinted by the time
// of day); everything below the horizon is opaque. A veil over the land
// keeps it quieter than the boxes and ledges in front of it.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The play field the side panels leave open, with a little to spare under them.
constexpr double kFieldX0 = 176, kFieldX1 = 592, kBottom = 600;
constexpr double kFieldW = kFieldX1 - kFieldX0;

enum class Time { Morning, Noon, Afternoon, Dust, Sunset, Dusk, Night, Overcast, Snowfall, Twilight, Dawn, Doom };
enum class Far { Dunes, Mesas, Pyramids, Canyon, Ridge, Mountains, Glacier, Sea, Crags };

// Things standing about, as bits of a stage's row.
enum : unsigned {
  kCacti = 1u << 0,
  kPalms = 1u << 1,
  kArches = 1u << 2,
  kColumns = 1u << 3,
  kObelisks = 1u << 4,
  kHoodoos = 1u << 5,
  kTents = 1u << 6,
  kDeadTrees = 1u << 7,
  kZiggurat = 1u << 8,
  kPond = 1u << 9,
  kPines = 1u << 10,
  kIceSpires = 1u << 11,
  kIgloos = 1u << 12,
  kAurora = 1u << 13,
  kFlakes = 1u << 14,
  kTower = 1u << 15,
  kMast = 1u << 16,
  kBoulders = 1u << 17,
  kFrozenFall = 1u << 18,
};

struct Place {
  Time time;
  Far far;
  unsigned things;
  double horizon;  // y of the far horizon's foot
};

// Desert stages 1-18: from a fresh morning among dunes through the old
// ruins, into the dust of the bad lands, to the night of the airship.
const Place kDesertPlaces[18] = {
    {Time::Morning, Far::Dunes, kCacti | kBoulders, 360},
    {Time::Morning, Far::Dunes, kPalms | kPond, 350},
    {Time::Noon, Far::Mesas, kArches | kCacti, 340},
    {Time::Noon, Far::Mesas, kHoodoos | kCacti, 330},
    {Time::Noon, Far::Dunes, kColumns | kPalms, 355},
    {Time::Afternoon, Far::Pyramids, kPalms | kObelisks, 345},
    {Time::Afternoon, Far::Canyon, kHoodoos | kBoulders, 320},
    {Time::Afternoon, Far::Mesas, kObelisks | kColumns, 340},
    {Time::Sunset, Far::Dunes, kTents | kPalms, 360},
    {Time::Sunset, Far::Pyramids, kZiggurat | kCacti, 350},
    {Time::Dust, Far::Ridge, kDeadTrees | kBoulders, 340},
    {Time::Dust, Far::Mesas, kZiggurat | kDeadTrees, 335},
    {Time::Dust, Far::Canyon, kHoodoos | kDeadTrees, 315},
    {Time::Sunset, Far::Ridge, kArches | kColumns, 345},
    {Time::Sunset, Far::Canyon, kPond | kPalms | kBoulders, 325},
    {Time::Dusk, Far::Dunes, kColumns | kObelisks, 355},
    {Time::Dusk, Far::Ridge, kTower | kDeadTrees, 335},
    {Time::Night, Far::Dunes, kMast | kTents, 360},
};

// Snow stages 19-36: bright woods after the flight, lakes and glaciers,
// storms, the lights of the long night, and the dark peaks at the end.
const Place kSnowPlaces[18] = {
    {Time::Morning, Far::Mountains, kPines | kBoulders, 340},
    {Time::Noon, Far::Glacier, kIceSpires | kBoulders, 330},
    {Time::Afternoon, Far::Mountains, kIgloos | kPines, 350},
    {Time::Overcast, Far::Sea, kPond | kIceSpires, 360},
    {Time::Noon, Far::Crags, kArches | kBoulders, 325},
    {Time::Overcast, Far::Ridge, kColumns | kDeadTrees, 345},
    {Time::Dawn, Far::Sea, kIgloos | kIceSpires, 355},
    {Time::Snowfall, Far::Mountains, kDeadTrees | kFlakes, 340},
    {Time::Afternoon, Far::Crags, kArches | kPines, 330},
    {Time::Snowfall, Far::Glacier, kPines | kFlakes, 335},
    {Time::Sunset, Far::Mountains, kFrozenFall | kPines, 320},
    {Time::Sunset, Far::Ridge, kColumns | kIceSpires, 345},
    {Time::Twilight, Far::Glacier, kIgloos | kAurora, 350},
    {Time::Twilight, Far::Crags, kIceSpires | kAurora, 330},
    {Time::Night, Far::Mountains, kPines | kAurora | kFlakes, 340},
    {Time::Night, Far::Crags, kTower | kDeadTrees, 325},
    {Time::Doom, Far::Crags, kTower | kIceSpires | kFlakes, 320},
    {Time::Dawn, Far::Mountains, kPines | kIgloos, 345},
};

// The light of a time of day: a tint over the sky (alpha at its top and at
// the horizon), the colour the land takes and how much, the sun or moon.
struct Light {
  Rgb skyTop, skyLow;
  double skyTopAlpha, skyLowAlpha;
  Rgb grade;
  double gradeAlpha;
  Rgb haze;
  Rgb sun;
  double sunY;  // 0 for none
  bool moon, stars;
};

Light LightOf(Time t, bool snow) {
  const Rgb haze = snow ? Hex(0xdfe9f6) : Hex(0xf2dcb8);
  switch (t) {
    case Time::Morning:
      return {Hex(0xa8d0f0), Hex(0xffd9b0), 0.0, 0.35, Hex(0xffe6c8), 0.10, haze, Hex(0xfff1c8), 250, false, false};
    case Time::Noon:
      return {Hex(0x4a90e0), Hex(0xd8ecff), 0.15, 0.1, Hex(0xffffff), 0.0, haze, Hex(0xfffbe8), 70, false, false};
    case Time::Afternoon:
      return {Hex(0x6aa0dc), Hex(0xffe0a0), 0.1, 0.3, Hex(0xffd890), 0.12, haze, Hex(0xfff0b0), 150, false, false};
    case Time::Dust:
      return {Hex(0xb08060), Hex(0xd8a070), 0.45, 0.6, Hex(0xb06a50), 0.22, Hex(0xd0a080), Hex(0xffe0b0), 120, false,
              false};
    case Time::Sunset:
      return {Hex(0x7a5aa8), Hex(0xff9a50), 0.35, 0.6, Hex(0xff8a50), 0.2, Hex(0xf0b090), Hex(0xffd060), 270, false,
              false};
    case Time::Dusk:
      return {Hex(0x2a2a6a), Hex(0xc0609a), 0.6, 0.55, Hex(0x6a4a9a), 0.3, Hex(0x9a80b0), Hex(0xffb080), 300, false,
              true};
    case Time::Night:
      return {Hex(0x0a1030), Hex(0x2a3a70), 0.8, 0.7, Hex(0x1a2a60), 0.45, Hex(0x4a5a8a), Hex(0xf4f0d8), 90, true,
              true};
    case Time::Overcast:
      return {Hex(0xb0b8c4), Hex(0xdde2ea), 0.55, 0.5, Hex(0xb8c0cc), 0.15, Hex(0xd8dee8), Hex(0xffffff), 0, false,
              false};
    case Time::Snowfall:
      return {Hex(0x9aa4b8), Hex(0xd0d8e4), 0.6, 0.6, Hex(0xa0acc0), 0.2, Hex(0xd4dbe6), Hex(0xffffff), 0, false,
              false};
    case Time::Twilight:
      return {Hex(0x1a2a5a), Hex(0x6a7ab8), 0.7, 0.55, Hex(0x4a5aa0), 0.35, Hex(0x7a8ac0), Hex(0xe8f0ff), 100, true,
              true};
    case Time::Doom:  // the last night: a red glow under the peaks
      return {Hex(0x140a28), Hex(0x8a3050), 0.85, 0.7, Hex(0x4a2050), 0.45, Hex(0x6a4070), Hex(0xff8060), 290, false,
              true};
    case Time::Dawn:
      return {Hex(0x7a90c8), Hex(0xffc0b0), 0.3, 0.5, Hex(0xffc8c0), 0.15, Hex(0xf0d8e0), Hex(0xfff0d0), 280, false,
              false};
  }
  return {};
}

// The island's colours: far rock, near rock, ground, plant.
struct Colours {
  Rgb far, rock, ground, ground2, plant;
};

Colours ColoursOf(bool snow, bool evil, Far far) {
  if (!snow && !evil && far == Far::Canyon)  // red rock
    return {Hex(0xd89a78), Hex(0xc0704a), Hex(0xeec08c), Hex(0xd49868), Hex(0x4da843)};
  if (snow && evil) return {Hex(0x6a6a98), Hex(0x7c7ca8), Hex(0xd0d0e6), Hex(0xa0a0c8), Hex(0x3a5a5a)};
  if (snow) return {Hex(0xa6bedc), Hex(0x9fb2c8), Hex(0xf2f7fd), Hex(0xcfdff0), Hex(0x2f7d4a)};
  if (evil) return {Hex(0xa0705a), Hex(0x9a5a48), Hex(0xd0a070), Hex(0xa87250), Hex(0x5a6a3a)};
  return {Hex(0xe0b080), Hex(0xc98850), Hex(0xf0d090), Hex(0xd8aa62), Hex(0x4da843)};
}

// A hill line across the field, y = base - amp * waves.
void HillPath(cairo_t* cr, double base, double amp, Rng& rng, double bottom) {
  const double ph1 = rng.Uniform(0, 6.28), ph2 = rng.Uniform(0, 6.28);
  const double f1 = rng.Uniform(1.0, 2.0), f2 = rng.Uniform(3.0, 5.0);
  cairo_move_to(cr, kFieldX0, bottom);
  for (int i = 0; i <= 40; ++i) {
    const double t = i / 40.0;
    cairo_line_to(cr, kFieldX0 + kFieldW * t, base - amp * (0.65 * std::sin(t * f1 * kPi + ph1) + 0.35 * std::sin(t * f2 * kPi + ph2)));
  }
  cairo_line_to(cr, kFieldX1, bottom);
  cairo_close_path(cr);
}

void Snowcap(cairo_t* cr, double px, double py, double w, double h) {
  cairo_move_to(cr, px, py);
  cairo_line_to(cr, px + w * 0.5, py + h);
  cairo_line_to(cr, px + w * 0.25, py + h * 0.8);
  cairo_line_to(cr, px, py + h * 1.05);
  cairo_line_to(cr, px - w * 0.22, py + h * 0.75);
  cairo_line_to(cr, px - w * 0.5, py + h);
  cairo_close_path(cr);
  SetRgb(cr, pal::kSnow);
  cairo_fill(cr);
}

// ---------------------------------------------------------------- the far horizon

void FarHorizon(cairo_t* cr, Far far, double y, const Colours& c, bool snow, Rng& rng) {
  switch (far) {
    case Far::Dunes:
      for (int k = 0; k < 2; ++k) {
        HillPath(cr, y - 20 + 22 * k, 16 - 4 * k, rng, kBottom);
        FillV(cr, y - 40, y + 60, Lighter(c.far, 0.1 + 0.1 * (1 - k)), c.ground2);
      }
      break;
    case Far::Mesas:
    case Far::Canyon: {
      const bool canyon = far == Far::Canyon;
      double x = kFieldX0 - 20;
      cairo_move_to(cr, kFieldX0, kBottom);
      while (x < kFieldX1 + 20) {
        const double w = rng.Uniform(40, 110), top = y - rng.Uniform(canyon ? 60 : 20, canyon ? 140 : 80);
        const bool flat = rng.Uniform(0, 1) < 0.6;
        cairo_line_to(cr, x, y);
        cairo_line_to(cr, x + 8, top + 6);
        cairo_line_to(cr, x + 14, top);
        if (!flat) cairo_line_to(cr, x + w * 0.5, top - 10);
        cairo_line_to(cr, x + w - 14, top);
        cairo_line_to(cr, x + w - 8, top + 6);
        cairo_line_to(cr, x + w, y);
        x += w + rng.Uniform(canyon ? 0 : 10, canyon ? 10 : 60);
      }
      cairo_line_to(cr, kFieldX1 + 20, kBottom);
      cairo_close_path(cr);
      FillV(cr, y - 140, y + 40, Lighter(c.rock, 0.2), c.far);
      if (canyon) {  // the layers of the rock
        for (double ly = y - 110; ly < y; ly += 18) {
          cairo_rectangle(cr, kFieldX0, ly, kFieldW, 5);
          SetRgb(cr, Darker(c.rock, 0.1), 0.25);
          cairo_fill(cr);
        }
      }
      HillPath(cr, y + 10, 6, rng, kBottom);
      FillV(cr, y, y + 60, c.ground2, c.ground);
      break;
    }
    case Far::Pyramids: {
      HillPath(cr, y, 8, rng, kBottom);
      FillV(cr, y - 20, y + 60, Lighter(c.far, 0.15), c.ground2);
      const int n = 2 + rng.Int(0, 1);
      for (int k = 0; k < n; ++k) {
        const double cx = kFieldX0 + kFieldW * (0.2 + 0.6 * k / std::max(1, n - 1)) + rng.Uniform(-30, 30);
        const double h = rng.Uniform(50, 95), base = y + rng.Uniform(-4, 6);
        Polygon(cr, {cx - h * 1.1, base, cx, base - h, cx + h * 1.1, base});
        FillV(cr, base - h, base, Lighter(c.rock, 0.25), c.far);
        Polygon(cr, {cx, base - h, cx + h * 1.1, base, cx + h * 0.2, base});
        SetRgb(cr, Darker(c.rock, 0.3), 0.3);
        cairo_fill(cr);
      }
      break;
    }
    case Far::Ridge:
    case Far::Mountains:
    case Far::Crags: {
      const bool crags = far == Far::Crags;
      for (int row = 0; row < 2; ++row) {
        double x = kFieldX0 - 40 + rng.Uniform(0, 40);
        cairo_move_to(cr, kFieldX0 - 40, kBottom);
        cairo_line_to(cr, kFieldX0 - 40, y);
        std::vector<double> peaks;
        while (x < kFieldX1 + 40) {
          const double w = rng.Uniform(crags ? 30 : 60, crags ? 70 : 140);
          const double top = y - rng.Uniform(crags ? 70 : 40, crags ? 170 : (far == Far::Ridge ? 90 : 160)) * (1 - 0.35 * row);
          cairo_line_to(cr, x + w * 0.5, top);
          peaks.insert(peaks.end(), {x + w * 0.5, top, w});
          cairo_line_to(cr, x + w, y - rng.Uniform(0, 20));
          x += w * rng.Uniform(0.6, 0.9);
        }
        cairo_line_to(cr, kFieldX1 + 40, kBottom);
        cairo_close_path(cr);
        const Rgb col = row == 0 ? Lighter(c.far, 0.15) : c.far;
        FillV(cr, y - 170, y + 40, Lighter(col, 0.2), col);
        if (snow || far == Far::Mountains)
          for (size_t i = 0; i + 2 < peaks.size(); i += 3)
            Snowcap(cr, peaks[i], peaks[i + 1], peaks[i + 2] * 0.5, std::min(40.0, (y - peaks[i + 1]) * 0.35));
      }
      HillPath(cr, y + 8, 6, rng, kBottom);
      FillV(cr, y, y + 60, c.ground2, c.ground);
      break;
    }
    case Far::Glacier: {
      HillPath(cr, y - 50, 30, rng, kBottom);
      FillV(cr, y - 90, y, Hex(0xe8f4ff), Hex(0xb8d4ee));
      // crevasses
      for (int k = 0; k < 7; ++k) {
        const double x = rng.Uniform(kFieldX0, kFieldX1), yy = y - rng.Uniform(5, 40);
        Polygon(cr, {x, yy, x + 4, yy + rng.Uniform(8, 20), x + 8, yy});
        SetRgb(cr, Hex(0x7aa8d8), 0.7);
        cairo_fill(cr);
      }
      HillPath(cr, y + 8, 8, rng, kBottom);
      FillV(cr, y, y + 60, c.ground2, c.ground);
      break;
    }
    case Far::Sea: {
      cairo_rectangle(cr, kFieldX0, y - 30, kFieldW, 60);
      FillV(cr, y - 30, y + 30, Hex(0x5a8ab8), Hex(0x8ab4d8));
      for (int k = 0; k < 3; ++k) {  // icebergs
        const double x = rng.Uniform(kFieldX0 + 30, kFieldX1 - 30), w = rng.Uniform(25, 60), h = w * rng.Uniform(0.5, 0.9);
        Polygon(cr, {x - w / 2, y - 30, x - w * 0.3, y - 30 - h * 0.7, x - w * 0.05, y - 30 - h, x + w * 0.25,
                     y - 30 - h * 0.6, x + w / 2, y - 30});
        FillV(cr, y - 30 - h, y - 30, pal::kWhite, Hex(0xc0dcf4));
      }
      for (int k = 0; k < 6; ++k) {
        const double x = rng.Uniform(kFieldX0, kFieldX1), yy = rng.Uniform(y - 25, y + 25);
        cairo_move_to(cr, x, yy);
        cairo_line_to(cr, x + rng.Uniform(15, 40), yy);
        Stroke(cr, pal::kWhite, 1.5, 0.5);
      }
      HillPath(cr, y + 26, 8, rng, kBottom);
      FillV(cr, y + 10, y + 70, c.ground2, c.ground);
      break;
    }
  }
}

// ---------------------------------------------------------------- things

void Cactus(cairo_t* cr, double x, double y, double h, Rng& rng) {
  const Rgb green = Hex(0x4f9a4a);
  const double w = h * 0.14;
  RoundRect(cr, x - w / 2, y - h, w, h, w / 2);
  Shade(cr, green, y - h, y, 1.4);
  for (int side = -1; side <= 1; side += 2) {
    if (rng.Uniform(0, 1) < 0.25) continue;
    const double ay = y - h * rng.Uniform(0.35, 0.6), reach = w * 1.2, up = h * rng.Uniform(0.25, 0.4);
    cairo_move_to(cr, x, ay);
    cairo_line_to(cr, x + side * reach, ay);
    cairo_line_to(cr, x + side * reach, ay - up);
    Stroke(cr, Darker(green, 0.35), w * 0.8 + 2);
    cairo_move_to(cr, x, ay);
    cairo_line_to(cr, x + side * reach, ay);
    cairo_line_to(cr, x + side * reach, ay - up);
    Stroke(cr, green, w * 0.8);
  }
  cairo_move_to(cr, x - w * 0.15, y - h + w * 0.5);
  cairo_line_to(cr, x - w * 0.15, y - 2);
  Stroke(cr, Lighter(green, 0.3), 1.2, 0.6);
}

void Boulder(cairo_t* cr, double x, double y, double r, Rgb rock, bool snow) {
  Ellipse(cr, x, y - r * 0.55, r * 1.3, r * 0.7);
  Shade(cr, rock, y - r * 1.2, y, 1.4);
  if (snow) {
    Ellipse(cr, x - r * 0.1, y - r * 1.0, r * 0.9, r * 0.28);
    SetRgb(cr, pal::kSnow);
    cairo_fill(cr);
  }
}

void Arch(cairo_t* cr, double x, double y, double w, double h, Rgb rock, bool snow) {
  const double leg = w * 0.24;
  cairo_move_to(cr, x - w / 2, y);
  cairo_curve_to(cr, x - w / 2 - 6, y - h * 0.6, x - w * 0.45, y - h, x, y - h);
  cairo_curve_to(cr, x + w * 0.45, y - h, x + w / 2 + 6, y - h * 0.6, x + w / 2, y);
  cairo_line_to(cr, x + w / 2 - leg, y);
  cairo_curve_to(cr, x + w / 2 - leg, y - h * 0.55, x + w * 0.15, y - h * 0.72, x, y - h * 0.72);
  cairo_curve_to(cr, x - w * 0.15, y - h * 0.72, x - w / 2 + leg, y - h * 0.55, x - w / 2 + leg, y);
  cairo_close_path(cr);
  Shade(cr, rock, y - h, y, 1.6);
  if (snow) {
    cairo_move_to(cr, x - w * 0.4, y - h * 0.85);
    cairo_curve_to(cr, x - w * 0.3, y - h * 1.04, x + w * 0.3, y - h * 1.04, x + w * 0.4, y - h * 0.85);
    cairo_curve_to(cr, x + w * 0.2, y - h * 0.94, x - w * 0.2, y - h * 0.94, x - w * 0.4, y - h * 0.85);
    SetRgb(cr, pal::kSnow);
    cairo_fill(cr);
  }
}

void Column(cairo_t* cr, double x, double y, double h, Rgb stone, bool snow, bool broken) {
  const double w = h * 0.16;
  const double top = y - h;
  cairo_rectangle(cr, x - w * 0.8, y - w * 0.35, w * 1.6, w * 0.35);
  Shade(cr, stone, y - w * 0.35, y, 1.2);
  if (broken) {
    Polygon(cr, {x - w / 2, y - w * 0.35, x - w / 2, top + w, x - w * 0.1, top + w * 0.4, x + w * 0.15, top + w * 1.2,
                 x + w / 2, top + w * 0.7, x + w / 2, y - w * 0.35});
  } else {
    cairo_rectangle(cr, x - w / 2, top + w * 0.4, w, h - w * 0.75);
  }
  Shade(cr, stone, top, y, 1.2);
  for (int k = -1; k <= 1; k += 2) {  // flutes
    cairo_move_to(cr, x + k * w * 0.2, top + w * 1.3);
    cairo_line_to(cr, x + k * w * 0.2, y - w * 0.5);
    Stroke(cr, Darker(stone, 0.3), 1.0, 0.5);
  }
  if (!broken) {
    cairo_rectangle(cr, x - w * 0.8, top, w * 1.6, w * 0.45);
    Shade(cr, stone, top, top + w * 0.45, 1.2);
    if (snow) {
      RoundRect(cr, x - w * 0.9, top - w * 0.25, w * 1.8, w * 0.35, w * 0.15);
      SetRgb(cr, pal::kSnow);
      cairo_fill(cr);
    }
  } else {
    // its fallen drum
    RoundRect(cr, x + w * 0.8, y - w * 0.9, w * 1.8, w * 0.9, w * 0.2);
    Shade(cr, stone, y - w * 0.9, y, 1.2);
  }
}

void Obelisk(cairo_t* cr, double x, double y, double h, Rgb stone) {
  const double w = h * 0.13;
  Polygon(cr, {x - w / 2, y, x - w * 0.38, y - h * 0.9, x, y - h, x + w * 0.38, y - h * 0.9, x + w / 2, y});
  Shade(cr, stone, y - h, y, 1.4);
  Polygon(cr, {x, y - h, x + w * 0.38, y - h * 0.9, x + w / 2, y, x + w * 0.1, y});
  SetRgb(cr, Darker(stone, 0.3), 0.3);
  cairo_fill(cr);
  for (int k = 0; k < 4; ++k) {  // carved signs
    const double sy = y - h * (0.35 + 0.12 * k);
    cairo_arc(cr, x - w * 0.05, sy, w * 0.09, 0, 2 * kPi);
    SetRgb(cr, Darker(stone, 0.4), 0.5);
    cairo_fill(cr);
  }
}

void Hoodoo(cairo_t* cr, double x, double y, double h, Rgb rock, Rng& rng) {
  double cy = y;
  const double w = h * 0.2;
  for (int k = 0; k < 4; ++k) {
    const double seg = h * (k == 3 ? 0.16 : 0.28), ww = w * (k == 3 ? 1.5 : rng.Uniform(0.7, 1.0));
    Ellipse(cr, x + rng.Uniform(-2, 2), cy - seg / 2, ww, seg / 2 + 2);
    Shade(cr, k % 2 ? Darker(rock, 0.08) : rock, cy - seg, cy, 1.2);
    cy -= seg * 0.85;
  }
}

void Tent(cairo_t* cr, double x, double y, double w, Rgb cloth) {
  const double h = w * 0.6;
  Polygon(cr, {x - w / 2, y, x, y - h, x + w / 2, y});
  Shade(cr, cloth, y - h, y, 1.4);
  for (int k = 1; k <= 2; ++k) {
    cairo_move_to(cr, x, y - h);
    cairo_line_to(cr, x + (k == 1 ? -1 : 1) * w * 0.25, y);
    Stroke(cr, Darker(cloth, 0.3), 1.5, 0.6);
  }
  Polygon(cr, {x - w * 0.08, y, x, y - h * 0.45, x + w * 0.08, y});
  SetRgb(cr, Darker(cloth, 0.6));
  cairo_fill(cr);
  cairo_move_to(cr, x, y - h);
  cairo_line_to(cr, x, y - h - 10);
  Stroke(cr, pal::kWoodDark, 1.5);
  Polygon(cr, {x, y - h - 10, x + 9, y - h - 7, x, y - h - 4});
  SetRgb(cr, Hex(0xd2473c));
  cairo_fill(cr);
}

void DeadTree(cairo_t* cr, double x, double y, double h, Rgb bark, bool snow, Rng& rng) {
  std::function<void(double, double, double, double, int)> branch = [&](double bx, double by, double a, double len,
                                                                         int depth) {
    const double ex = bx + std::cos(a) * len, ey = by + std::sin(a) * len;
    cairo_move_to(cr, bx, by);
    cairo_line_to(cr, ex, ey);
    Stroke(cr, bark, std::max(1.0, len * 0.12 * (4 - depth) / 3));
    if (snow && depth < 2) {
      cairo_move_to(cr, bx, by - 1.5);
      cairo_line_to(cr, (bx + ex) / 2, (by + ey) / 2 - 1.5);
      Stroke(cr, pal::kSnow, 1.5);
    }
    if (depth >= 3) return;
    branch(ex, ey, a - rng.Uniform(0.3, 0.6), len * rng.Uniform(0.55, 0.7), depth + 1);
    branch(ex, ey, a + rng.Uniform(0.3, 0.6), len * rng.Uniform(0.55, 0.7), depth + 1);
  };
  branch(x, y, -kPi / 2 + rng.Uniform(-0.1, 0.1), h * 0.45, 0);
}

void Ziggurat(cairo_t* cr, double x, double y, double w, Rgb stone) {
  const int steps = 5;
  const double sh = w * 0.09;
  for (int k = 0; k < steps; ++k) {
    const double ww = w * (1 - 0.17 * k);
    cairo_rectangle(cr, x - ww / 2, y - sh * (k + 1), ww, sh);
    Shade(cr, Mix(stone, Darker(stone, 0.2), k / 5.0), y - sh * (k + 1), y - sh * k, 1.2);
  }
  cairo_rectangle(cr, x - w * 0.06, y - sh * steps, w * 0.12, sh * steps);
  SetRgb(cr, Darker(stone, 0.25), 0.5);
  cairo_fill(cr);
}

void Pond(cairo_t* cr, double x, double y, double w, bool snow) {
  Ellipse(cr, x, y, w / 2, w * 0.09);
  if (snow)
    FillV(cr, y - w * 0.09, y + w * 0.09, Hex(0xcfe8fa), Hex(0x9cc8ea));
  else
    FillV(cr, y - w * 0.09, y + w * 0.09, Hex(0x5fb0e0), Hex(0x3a88c0));
  Ellipse(cr, x - w * 0.1, y - w * 0.02, w * 0.25, w * 0.02);
  SetRgb(cr, pal::kWhite, 0.45);
  cairo_fill(cr);
  if (!snow)
    for (int k = 0; k < 5; ++k) {  // reeds at its rim
      const double rx = x - w * 0.45 + k * w * 0.05;
      cairo_move_to(cr, rx, y + w * 0.02);
      cairo_line_to(cr, rx + (k - 2) * 2.0, y - w * 0.12);
      Stroke(cr, Hex(0x4f8a3a), 2.0);
    }
}

void IceSpire(cairo_t* cr, double x, double y, double h, Rng& rng) {
  const int n = 3 + rng.Int(0, 2);
  for (int k = 0; k < n; ++k) {
    const double hh = h * rng.Uniform(0.45, 1.0), w = h * rng.Uniform(0.1, 0.16);
    const double lean = rng.Uniform(-0.3, 0.3), bx = x + (k - n / 2.0) * w * 0.8;
    const double tx = bx + lean * hh * 0.3, ty = y - hh;
    Polygon(cr, {bx - w / 2, y, tx - w * 0.15, ty + w * 0.5, tx, ty, tx + w * 0.15, ty + w * 0.5, bx + w / 2, y});
    FillV(cr, ty, y, Hex(0xeaf8ff), Hex(0x8cc4ec));
    Polygon(cr, {bx - w / 2, y, tx - w * 0.15, ty + w * 0.5, tx, ty, tx + w * 0.15, ty + w * 0.5, bx + w / 2, y});
    Stroke(cr, Hex(0x5a8ab8), 1.2, 0.8);
    cairo_move_to(cr, tx, ty + 3);
    cairo_line_to(cr, bx - w * 0.1, y - 3);
    Stroke(cr, pal::kWhite, 1.5, 0.7);
  }
}

void Igloo(cairo_t* cr, double x, double y, double r) {
  cairo_arc(cr, x, y, r, kPi, 2 * kPi);
  cairo_close_path(cr);
  Shade(cr, Hex(0xf0f6ff), y - r, y, 1.4);
  for (int k = 1; k <= 2; ++k) {  // the rows of blocks
    const double ry = y - r * 0.33 * k, half = std::sqrt(r * r - (y - ry) * (y - ry));
    cairo_move_to(cr, x - half, ry);
    cairo_line_to(cr, x + half, ry);
    Stroke(cr, Hex(0x9cb8d8), 1.0);
  }
  cairo_arc(cr, x + r * 0.35, y, r * 0.32, kPi, 2 * kPi);
  cairo_close_path(cr);
  SetRgb(cr, Hex(0x3a4a6a));
  cairo_fill(cr);
}

void Tower(cairo_t* cr, double x, double y, double h, Rgb stone) {
  const double w = h * 0.28;
  Polygon(cr, {x - w / 2, y, x - w * 0.42, y - h * 0.85, x - w * 0.5, y - h * 0.85, x - w * 0.5, y - h, x - w * 0.25,
               y - h, x - w * 0.2, y - h * 0.93, x + w * 0.05, y - h * 0.97, x + w * 0.3, y - h * 0.8, x + w * 0.5,
               y - h * 0.86, x + w * 0.42, y - h * 0.6, x + w / 2, y});
  Shade(cr, Darker(stone, 0.35), y - h, y, 1.6);
  for (int k = 0; k < 3; ++k) {  // the dark windows, one lit
    const double wy = y - h * (0.3 + 0.2 * k);
    RoundRect(cr, x - w * 0.08, wy, w * 0.16, h * 0.08, w * 0.08);
    SetRgb(cr, k == 1 ? Hex(0xe05a40) : Hex(0x1a1420));
    cairo_fill(cr);
  }
}

// The airship's mooring mast with its lamp.
void Mast(cairo_t* cr, double x, double y, double h) {
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, x + side * h * 0.12, y);
    cairo_line_to(cr, x + side * h * 0.03, y - h);
    Stroke(cr, Hex(0x4a3a2a), 3.0);
  }
  for (double t = 0.15; t < 0.95; t += 0.15) {
    const double ww = h * (0.12 - 0.09 * t);
    cairo_move_to(cr, x - ww, y - h * t);
    cairo_line_to(cr, x + ww, y - h * (t + 0.15));
    cairo_move_to(cr, x + ww, y - h * t);
    cairo_line_to(cr, x - ww, y - h * (t + 0.15));
    Stroke(cr, Hex(0x5a4a3a), 1.5);
  }
  Glow(cr, x, y - h - 4, 18, Hex(0xffd070), 0.8);
  cairo_arc(cr, x, y - h - 4, 4, 0, 2 * kPi);
  SetRgb(cr, Hex(0xfff0b0));
  cairo_fill(cr);
}

void FrozenFall(cairo_t* cr, double x, double y, double top, double w) {
  Polygon(cr, {x - w * 0.7, top - 12, x + w * 0.7, top - 12, x + w * 0.8, top, x - w * 0.8, top});
  SetRgb(cr, Hex(0x8a96a8));
  cairo_fill(cr);
  cairo_move_to(cr, x - w / 2, top);
  for (int k = 0; k <= 8; ++k) cairo_line_to(cr, x - w / 2 + w * k / 8.0, y - (k % 2) * 10);
  cairo_line_to(cr, x + w / 2, top);
  cairo_close_path(cr);
  FillV(cr, top, y, Hex(0xf4fbff), Hex(0xa8d4f2));
  for (int k = 1; k < 6; ++k) {
    cairo_move_to(cr, x - w / 2 + w * k / 6.0, top + 6);
    cairo_line_to(cr, x - w / 2 + w * k / 6.0 + 2, y - 16);
    Stroke(cr, Hex(0x7ab0dc), 1.5, 0.6);
  }
}

void Aurora(cairo_t* cr, Rng& rng) {
  for (int band = 0; band < 3; ++band) {
    const Rgb c = band == 1 ? Hex(0xa070e0) : Hex(0x60f0b0);
    const double base = 60 + band * 35 + rng.Uniform(-10, 10), ph = rng.Uniform(0, 6.28);
    for (int i = 0; i < 40; ++i) {
      const double t = i / 40.0, x = kFieldX0 + kFieldW * t;
      const double yy = base + 18 * std::sin(t * 5 + ph);
      cairo_rectangle(cr, x, yy, kFieldW / 40 + 1, 70);
      cairo_pattern_t* p = cairo_pattern_create_linear(0, yy, 0, yy + 70);
      cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, 0);
      cairo_pattern_add_color_stop_rgba(p, 0.3, c.r, c.g, c.b, 0.3 * (0.6 + 0.4 * std::sin(t * 13 + ph)));
      cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
      cairo_set_source(cr, p);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
    }
  }
}

// ---------------------------------------------------------------- placing

// x positions spread over the field: one in each of n slots, jittered.
std::vector<double> Spread(int n, Rng& rng, double margin = 20) {
  std::vector<double> xs;
  const double slot = (kFieldW - 2 * margin) / n;
  for (int k = 0; k < n; ++k) xs.push_back(kFieldX0 + margin + slot * (k + rng.Uniform(0.2, 0.8)));
  return xs;
}

// The things of a stage, far ones (depth 0) small and high, near ones
// (depth 1) bigger and low on the ground.
void Things(cairo_t* cr, unsigned things, int depth, double horizon, const Colours& c, bool snow, bool evil,
            Rng& rng) {
  const double scale = depth == 0 ? 0.55 : 1.0;
  auto groundY = [&](double) { return depth == 0 ? horizon + rng.Uniform(8, 22) : horizon + rng.Uniform(70, 150); };
  const Rgb stone = snow ? Hex(0xb8c4d4) : evil ? Hex(0xb08a78) : Hex(0xe6cfa0);
  if (things & kZiggurat && depth == 0) Ziggurat(cr, kFieldX0 + kFieldW * rng.Uniform(0.3, 0.7), horizon + 12, 150, stone);
  if (things & kMast && depth == 1) Mast(cr, kFieldX0 + kFieldW * rng.Uniform(0.55, 0.8), horizon + 90, 150);
  if (things & kFrozenFall && depth == 0) FrozenFall(cr, kFieldX0 + kFieldW * rng.Uniform(0.35, 0.65), horizon + 4, horizon - 110, 60);
  if (things & kTower && depth == 0) Tower(cr, kFieldX0 + kFieldW * rng.Uniform(0.25, 0.75), horizon + 10, 150, stone);
  if (things & kPond && depth == 1) Pond(cr, kFieldX0 + kFieldW * rng.Uniform(0.35, 0.65), horizon + 70, 170, snow);
  const int n = depth == 0 ? 4 : 3;
  std::vector<double> xs = Spread(n, rng);
  int slot = 0;
  auto next = [&]() { return xs[slot++ % xs.size()] + rng.Uniform(-8, 8); };
  for (unsigned bit = 1; bit <= kFrozenFall; bit <<= 1) {
    if (!(things & bit)) continue;
    const int count = depth == 0 ? 2 : 1;
    for (int k = 0; k < count; ++k) {
      const double x = next(), y = groundY(x), s = scale * rng.Uniform(0.8, 1.15);
      switch (bit) {
        case kCacti: Cactus(cr, x, y, 70 * s, rng); break;
        case kPalms: Palm(cr, x, y, 150 * s, rng.Uniform(-0.35, 0.35), rng.Next()); break;
        case kArches: Arch(cr, x, y, 110 * s, 90 * s, c.rock, snow); break;
        case kColumns: Column(cr, x, y, 120 * s, stone, snow, rng.Uniform(0, 1) < 0.5); break;
        case kObelisks: Obelisk(cr, x, y, 130 * s, stone); break;
        case kHoodoos: Hoodoo(cr, x, y, 110 * s, c.rock, rng); break;
        case kTents: Tent(cr, x, y, 80 * s, k % 2 ? Hex(0xe8d8b0) : Hex(0xd88a5a)); break;
        case kDeadTrees: DeadTree(cr, x, y, 120 * s, snow ? Hex(0x4a4050) : Hex(0x5a4030), snow, rng); break;
        case kPines: Pine(cr, x, y, 130 * s, true, rng.Next()); break;
        case kIceSpires: IceSpire(cr, x, y, 110 * s, rng); break;
        case kIgloos: Igloo(cr, x, y, 36 * s); break;
        case kBoulders: Boulder(cr, x, y, 20 * s, c.rock, snow); break;
        default: break;
      }
    }
  }
}

void Flakes(cairo_t* cr, Rng& rng) {
  for (int k = 0; k < 90; ++k) {
    cairo_arc(cr, rng.Uniform(kFieldX0, kFieldX1), rng.Uniform(0, kBottom), rng.Uniform(1.0, 2.4), 0, 2 * kPi);
    SetRgb(cr, pal::kWhite, rng.Uniform(0.35, 0.7));
    cairo_fill(cr);
  }
}

// The level's sky colour at y (the game's sky picture is this gradient over
// 800 rows, tiled across).
Rgb GameSky(double y) {
  struct Stop {
    double at;
    Rgb c;
  };
  static const Stop kStops[] = {
      {0, {0.25, 0.52, 0.86}}, {0.55, {0.55, 0.78, 0.96}}, {0.85, {0.8, 0.91, 0.99}}, {1, {0.9, 0.95, 1.0}}};
  const double t = std::clamp(y / 800, 0.0, 1.0);
  for (int k = 1; k < 4; ++k)
    if (t <= kStops[k].at) return Mix(kStops[k - 1].c, kStops[k].c, (t - kStops[k - 1].at) / (kStops[k].at - kStops[k - 1].at));
  return kStops[3].c;
}

// The sky tinted by the time of day down to `bottom`. High up it stays
// see-through, so the level's drifting clouds show (tinted); lower down it
// turns opaque and hides the level's own backdrop, whose hills would stand
// behind this stage's horizon.
void Sky(cairo_t* cr, const Light& light, double bottom) {
  constexpr double kClearTo = 40, kOpaqueFrom = 175;
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, bottom);
  for (double y = 0; y <= bottom; y += 10) {
    const double t = y / bottom;
    const Rgb tint = Mix(light.skyTop, light.skyLow, t);
    const double tintAlpha = light.skyTopAlpha + (light.skyLowAlpha - light.skyTopAlpha) * t;
    const double u = std::clamp((y - kClearTo) / (kOpaqueFrom - kClearTo), 0.0, 1.0);
    const double cover = std::max(u * u * (3 - 2 * u), tintAlpha);
    // Seen over the game's sky, this colour at this cover gives the sky tinted.
    const Rgb sky = GameSky(y);
    Rgb c = tint;
    if (cover > 0) {
      c = {(sky.r * (cover - tintAlpha) + tint.r * tintAlpha) / cover,
           (sky.g * (cover - tintAlpha) + tint.g * tintAlpha) / cover,
           (sky.b * (cover - tintAlpha) + tint.b * tintAlpha) / cover};
    }
    cairo_pattern_add_color_stop_rgba(p, t, c.r, c.g, c.b, cover);
  }
  cairo_rectangle(cr, kFieldX0, 0, kFieldW, bottom);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// Tints what the group drawn so far holds (and nothing else) with a colour.
void TintGroup(cairo_t* cr, Rgb c, double alpha) {
  if (alpha <= 0) return;
  cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
  SetRgb(cr, c, alpha);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

}  // namespace

void Scenery(cairo_t* cr, int stage, bool snow) {
  const int row = std::clamp(snow ? stage - 19 : stage - 1, 0, 17);
  const Place& place = snow ? kSnowPlaces[row] : kDesertPlaces[row];
  const bool evil = snow ? stage >= 34 && stage <= 35 : (stage >= 11 && stage <= 17);
  const Light light = LightOf(place.time, snow);
  const Colours c = ColoursOf(snow, evil, place.far);
  Rng rng(0x5ce7e000u + static_cast<uint32_t>(stage) * 7919u);
  const double horizon = place.horizon;

  cairo_save(cr);
  cairo_rectangle(cr, kFieldX0, 0, kFieldW, kBottom);
  cairo_clip(cr);

  Sky(cr, light, horizon + 40);
  if (light.stars)
    for (int k = 0; k < 40; ++k) {
      cairo_arc(cr, rng.Uniform(kFieldX0, kFieldX1), rng.Uniform(10, horizon - 80), rng.Uniform(0.6, 1.6), 0, 2 * kPi);
      SetRgb(cr, pal::kWhite, rng.Uniform(0.5, 0.95));
      cairo_fill(cr);
    }
  if (place.things & kAurora) Aurora(cr, rng);
  if (light.sunY > 0) {
    const double sx = kFieldX0 + kFieldW * rng.Uniform(0.2, 0.8);
    Glow(cr, sx, light.sunY, light.moon ? 50 : 80, light.sun, light.moon ? 0.35 : 0.6);
    if (light.moon) {  // a crescent: the disc less a disc beside it
      cairo_save(cr);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      cairo_arc(cr, sx, light.sunY, 16, 0, 2 * kPi);
      cairo_new_sub_path(cr);
      cairo_arc(cr, sx + 8, light.sunY - 5, 14, 0, 2 * kPi);
      cairo_clip(cr);
      cairo_arc(cr, sx, light.sunY, 16, 0, 2 * kPi);
      SetRgb(cr, light.sun);
      cairo_fill(cr);
      cairo_restore(cr);
    } else {
      cairo_arc(cr, sx, light.sunY, 24, 0, 2 * kPi);
      SetRgb(cr, light.sun);
      cairo_fill(cr);
    }
  }

  // The land, far to near, each row hazier the farther it stands.
  cairo_push_group(cr);
  cairo_push_group(cr);
  FarHorizon(cr, place.far, horizon, c, snow, rng);
  Things(cr, place.things, 0, horizon, c, snow, evil, rng);
  TintGroup(cr, light.haze, 0.35);
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
  // the near ground
  cairo_push_group(cr);
  HillPath(cr, horizon + 60, 10, rng, kBottom);
  FillV(cr, horizon + 40, kBottom, c.ground, c.ground2);
  for (int k = 0; k < 14; ++k) {  // ripples of sand, drifts of snow
    const double x = rng.Uniform(kFieldX0, kFieldX1), y = rng.Uniform(horizon + 70, kBottom - 10);
    cairo_move_to(cr, x - 20, y);
    cairo_curve_to(cr, x - 8, y - 4, x + 8, y - 4, x + 20, y);
    Stroke(cr, snow ? pal::kWhite : Darker(c.ground2, 0.15), 2.0, 0.5);
  }
  Things(cr, place.things, 1, horizon, c, snow, evil, rng);
  TintGroup(cr, light.haze, 0.12);
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
  if (place.things & kFlakes) Flakes(cr, rng);
  // The time of day over all of it, then the veil that keeps it behind the play.
  TintGroup(cr, light.grade, light.gradeAlpha);
  TintGroup(cr, Mix(light.haze, light.grade, 0.3), 0.18);
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace kelp::art
