// The villagers: eight direction frames per kind (frame f faces the angle
// (f - 4) x 45 degrees, screen y down: 4 right, 6 toward the viewer, 0 left,
// 2 away), drawn with the feet at the handle; and their thought bubbles.
#include <cmath>

#include "art.h"

namespace kelp::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::string kDir = "data/img/villages/creatures/";
constexpr int kW = 56, kH = 64;

struct Folk {
  const char* id;
  const char* file;
  Rgb body;
  Top top;
  int mouth;
  bool angry;
  double size;  // body radius
};

void Villager(cairo_t* cr, const Folk& k, int frame) {
  // direction: 0 left, 1 up-left, 2 up, 3 up-right, 4 right, 5 down-right, 6 down, 7 down-left
  static const double kFacing[8] = {-1.0, -0.6, 2, 0.6, 1.0, 0.55, 0.0, -0.55};
  const bool back = frame >= 1 && frame <= 3;
  const bool mirror = frame == 0 || frame == 7 || frame == 1;
  cairo_save(cr);
  if (mirror) {
    cairo_translate(cr, kW, 0);
    cairo_scale(cr, -1, 1);
  }
  double facing = std::fabs(kFacing[frame]);
  if (back) facing = 2;
  CreatureOpts o;
  o.body = k.body;
  o.top = k.top;
  o.facing = facing;
  o.face.look_x = back ? 0 : facing;
  o.face.mouth = k.mouth;
  o.face.angry = k.angry;
  o.squash = 0.95;
  const double r = k.size;
  // feet at the bottom centre (28, 60)
  Creature(cr, kW / 2.0 + (back && frame != 2 ? 3 : 0), 60 - r * 1.02, r, o);
  cairo_restore(cr);
}

void Bubble(cairo_t* cr, Icon icon, Rgb c, int frame) {
  // the bubble pops up over six frames and settles with a little bounce
  static const double kScale[6] = {0.35, 0.7, 1.08, 0.96, 1.02, 1.0};
  const double s = kScale[frame];
  cairo_save(cr);
  cairo_translate(cr, 6, 40);
  cairo_scale(cr, s, s);
  cairo_translate(cr, -6, -40);
  cairo_arc(cr, 5, 40, 3, 0, 2 * kPi);
  cairo_arc(cr, 11, 33, 4.5, 0, 2 * kPi);
  SetRgb(cr, pal::kWhite);
  cairo_fill_preserve(cr);
  Stroke(cr, Hex(0x8a9ab0), 1.2);
  Ellipse(cr, 25, 18, 16, 14);
  SetRgb(cr, pal::kWhite);
  cairo_fill_preserve(cr);
  Stroke(cr, Hex(0x8a9ab0), 1.5);
  DrawIcon(cr, icon, 25, 18, 19, c);
  cairo_restore(cr);
}

}  // namespace

void AddVillagers(Registry& r) {
  const Folk kinds[] = {
      {"IMAGE_VILLAGE_CREATURE_YELLOW", "yellow", BoxRgb(kOrange), Top::Tuft, 0, false, 19},
      {"IMAGE_VILLAGE_CREATURE_BLUE", "blue", BoxRgb(kBlue), Top::Antenna, 0, false, 19},
      {"IMAGE_VILLAGE_CREATURE_GREEN", "green", BoxRgb(kGreen), Top::Leaf, 0, false, 19},
      {"IMAGE_VILLAGE_CREATURE_RED", "red", BoxRgb(kRed), Top::Ears, 0, false, 19},
      {"IMAGE_VILLAGE_CREATURE_PURPLE", "purple", BoxRgb(kPurple), Top::Spikes, 0, false, 19},
      {"IMAGE_VILLAGE_CREATURE_BROWN", "brown", BoxRgb(kBrown), Top::Ears, 0, false, 19},
      {"IMAGE_VILLAGE_CREATURE_SKY", "sky", BoxRgb(kSky), Top::Antenna, 0, false, 19},
      {"IMAGE_VILLAGE_ORBUS", "orbus", Hex(0xb89ad8), Top::Crown, 2, false, 21},
      {"IMAGE_VILLAGE_YETI", "yeti", Hex(0xe9f1f8), Top::Horns, 4, false, 22},
      {"IMAGE_VILLAGE_PARAZITE", "parasite", Hex(0x7f6f9a), Top::Spikes, 5, true, 19},
      {"IMAGE_VILLAGE_BROWNIE_FULL", "brownie_full", Hex(0x8a5530), Top::Horns, 5, true, 22},
      {"IMAGE_VILLAGE_BROWNIE", "brownie", Hex(0x9a6236), Top::Horns, 3, true, 20},
      {"IMAGE_VILLAGE_BROWNIE_GOOD", "brownie_good", Hex(0xb07a44), Top::Leaf, 4, false, 20},
      {"IMAGE_VILLAGE_ELITE", "elite", Hex(0x8d9aa8), Top::Crown, 2, true, 20},
  };
  for (const Folk& k : kinds) {
    Folk v = k;
    r.Anim(k.id, kDir + k.file + ".png", kW, kH, 8, [v](cairo_t* cr, int f) { Villager(cr, v, f); })
        .Handle(kW / 2, 60);
  }

  struct Em {
    const char* id;
    const char* file;
    Icon icon;
    Rgb c;
  };
  const Em ems[] = {
      {"IMAGE_EM_HAPPY", "happy", Icon::Happy, pal::kGold},       {"IMAGE_EM_HOME", "home", Icon::Home, pal::kWhite},
      {"IMAGE_EM_SLEEP", "sleep", Icon::Sleep, pal::kWhite},      {"IMAGE_EM_QUEST", "quest", Icon::Quest, pal::kGold},
      {"IMAGE_EM_TAVERN", "tavern", Icon::Tavern, pal::kGold},    {"IMAGE_EM_TREES", "trees", Icon::Trees, pal::kLeaf},
      {"IMAGE_EM_UNHAPPY", "unhappy", Icon::Unhappy, pal::kWhite}, {"IMAGE_EM_SCHOOL", "school", Icon::School, pal::kWhite},
      {"IMAGE_EM_MARKET", "market", Icon::Market, pal::kGold},    {"IMAGE_EM_TELESCOPE", "telescope", Icon::Telescope, pal::kWhite},
      {"IMAGE_EM_MAGIC", "magic", Icon::Magic, pal::kGold},
  };
  for (const Em& e : ems) {
    Em v = e;
    r.Anim(e.id, kDir + "em_" + e.file + ".png", 44, 44, 6, [v](cairo_t* cr, int f) { Bubble(cr, v.icon, v.c, f); })
        .Handle(2, 44)
        .Speed(60);
  }
}

}  // namespace kelp::art
