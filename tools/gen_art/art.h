#pragma once
// The art generator: every picture the game names, drawn with cairo in one
// flat cartoon style. Each area file registers its pictures (id, file, cell
// size, frames, handle and a function that draws one frame); main.cpp renders
// them, writes the files and the manifest the resource-list assembler reads.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelp::art {

// ---------------------------------------------------------------- registry

enum class Kind { Image, Anim, File };

// Draws frame `frame` of a picture into the cell (0, 0)-(w, h).
using DrawFn = std::function<void(cairo_t*, int frame)>;

struct Art {
  std::string id;
  Kind kind = Kind::Image;
  std::string path;  // relative to the program folder, lower case
  int w = 0, h = 0;  // cell size
  int frames = 1;
  bool mid = false;  // handle at the centre
  int hx = 0, hy = 0;
  int speed = -1;     // animation speed in ms per frame, -1 = the player's default
  bool jpeg = false;  // written as JPEG (opaque)
  std::string scope;  // resource scope the id belongs to ("" for files)
  DrawFn draw;

  Art& Mid() { mid = true; return *this; }
  Art& Handle(int x, int y) { mid = false; hx = x; hy = y; return *this; }
  Art& Frames(int n) { frames = n; if (n > 1 && kind == Kind::Image) kind = Kind::Anim; return *this; }
  Art& Speed(int ms) { speed = ms; return *this; }
  Art& Jpeg() { jpeg = true; return *this; }
};

class Registry {
 public:
  // A resource picture (image, or an animation strip once Frames(n > 1) is set).
  Art& Image(const std::string& id, const std::string& path, int w, int h, DrawFn fn);
  // An animation strip even with one frame.
  Art& Anim(const std::string& id, const std::string& path, int w, int h, int frames, DrawFn fn);
  // A picture the game opens by path, not through the resource list.
  Art& File(const std::string& id, const std::string& path, int w, int h, DrawFn fn);
  std::vector<Art>& All() { return arts_; }

 private:
  std::vector<Art> arts_;
};

// The ids the game names, with their resource scope.
struct RequiredId {
  const char* id;
  const char* scope;
};
const std::vector<RequiredId>& RequiredIds();

// Area registrations.
void AddBoxes(Registry& r);
void AddPlayfield(Registry& r);
void AddInterface(Registry& r);
void AddGui(Registry& r);
void AddMenus(Registry& r);
void AddVillage(Registry& r);
void AddVillagers(Registry& r);
void AddBuildings(Registry& r);
void AddVillageMaps(Registry& r);
void AddTrophies(Registry& r);
void AddDialogs(Registry& r);
void AddEffects(Registry& r);
void AddComics(Registry& r);
void AddFiles(Registry& r);

// ---------------------------------------------------------------- colours

struct Rgb {
  double r, g, b;
};
constexpr Rgb Hex(uint32_t v) {
  return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // toward white
Rgb Darker(Rgb c, double t);   // toward black
void SetRgb(cairo_t* cr, Rgb c, double a = 1.0);

// The nine box colours, as the game names them (green, red, blue, orange,
// purple, grey, brown, sky, ice), in a softer shade than the light colours.
enum BoxColor { kGreen, kRed, kBlue, kOrange, kPurple, kGrey, kBrown, kSky, kIce, kBoxColorCount };
Rgb BoxRgb(int c);
const char* BoxName(int c);
// The seven colours a playing box can have (green, red, blue, orange, purple, brown, sky).
Rgb PlayRgb(int i);

// Shared palette.
namespace pal {
constexpr Rgb kInk = Hex(0x2b2233);       // outlines of dark things, text outline
constexpr Rgb kWhite = Hex(0xffffff);
constexpr Rgb kCream = Hex(0xfff4d6);
constexpr Rgb kWood = Hex(0xb7793f);
constexpr Rgb kWoodDark = Hex(0x7a4a22);
constexpr Rgb kParchment = Hex(0xf3dfa8);
constexpr Rgb kStone = Hex(0x9c9a92);
constexpr Rgb kMetal = Hex(0x8e9aa6);
constexpr Rgb kGold = Hex(0xf2c230);
constexpr Rgb kSand = Hex(0xeecb83);
constexpr Rgb kSnow = Hex(0xeef6ff);
constexpr Rgb kSea = Hex(0x2f8fc4);
constexpr Rgb kLeaf = Hex(0x4da843);
constexpr Rgb kButton = Hex(0x43a047);
constexpr Rgb kButtonBlue = Hex(0x2f7fd0);
constexpr Rgb kButtonRed = Hex(0xd2473c);
constexpr Rgb kButtonGold = Hex(0xe6a623);
constexpr Rgb kText = Hex(0x4a2f1a);
}  // namespace pal

// ---------------------------------------------------------------- randomness

// Small deterministic generator; seed it from the id so each picture is stable.
struct Rng {
  uint32_t s;
  explicit Rng(uint32_t seed) : s(seed ? seed : 0x9e3779b9u) {}
  explicit Rng(const std::string& text);
  uint32_t Next();
  double Uniform(double a, double b);  // [a, b)
  int Int(int a, int b);               // [a, b]
};

// ---------------------------------------------------------------- paths

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void StarPath(cairo_t* cr, double cx, double cy, double ro, double ri, int points, double rot_deg = -90);
void Polygon(cairo_t* cr, const std::vector<double>& xy);  // closed

// ---------------------------------------------------------------- painting

// Fills the current path with a gentle top-to-bottom gradient around `base`
// (lighter at y0, darker at y1) and strokes it with a darker soft outline.
// The path is consumed. outline <= 0 skips the stroke.
void Shade(cairo_t* cr, Rgb base, double y0, double y1, double outline = 2.0, double alpha = 1.0);
// Plain fill with a vertical gradient between two colours; consumes the path.
void FillV(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
// Stroke the current path in a colour; consumes the path.
void Stroke(cairo_t* cr, Rgb c, double width, double alpha = 1.0);
// A soft radial glow (additive-friendly: colour fading to transparent).
void Glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha = 1.0, double core = 0.0);
// A soft dark shadow ellipse.
void ShadowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.3);
// A white gloss highlight in the upper part of a rounded rectangle.
void Gloss(cairo_t* cr, double x, double y, double w, double h, double r, double alpha = 0.35);

// ---------------------------------------------------------------- text

enum Align { kLeft, kCenter, kRight };
// Bold "DejaVu Sans" text with an optional outline; y is the vertical middle of capitals.
void Text(cairo_t* cr, const std::string& s, double x, double y, double size, Align align, Rgb fill,
          Rgb outline = pal::kInk, double outline_w = 0.0);
double TextWidth(cairo_t* cr, const std::string& s, double size);
// Largest size <= max_size at which the text fits max_w.
double FitSize(cairo_t* cr, const std::string& s, double max_size, double max_w);

// ---------------------------------------------------------------- faces and creatures

struct FaceOpts {
  double look_x = 0, look_y = 0;  // pupil offset, -1..1
  int blink = 0;                  // 0 open, 1 half, 2 closed
  int mouth = 0;                  // 0 smile, 1 open (ouch/wow), 2 flat, 3 frown, 4 grin, 5 fangs
  bool ouch = false;              // squeezed eyes
  bool angry = false;             // slanted brows
  bool cheeks = true;
  Rgb eye_white = pal::kWhite;
  Rgb pupil = Hex(0x24202a);
};
// Two big eyes and a mouth centred on (cx, cy), scaled by s (s = 1 is about 40 px wide).
void Face(cairo_t* cr, double cx, double cy, double s, const FaceOpts& f);

enum class Top { None, Antenna, Ears, Horns, Tuft, Leaf, Spikes, Crown };
struct CreatureOpts {
  Rgb body = Hex(0x5fb85a);
  Top top = Top::Antenna;
  double facing = 0;  // -1 left .. 0 front .. 1 right; 2 = back view
  bool feet = true;
  bool arms_up = false;
  FaceOpts face;
  double squash = 1.0;  // height / width of the body
};
// A round creature centred at (cx, cy) with radius r.
void Creature(cairo_t* cr, double cx, double cy, double r, const CreatureOpts& o);

// A box of a colour with a face (the playing piece), filling (x, y, w, h).
void BoxBody(cairo_t* cr, double x, double y, double w, double h, Rgb c);
void BoxFace(cairo_t* cr, double x, double y, double w, double h, int state, Rgb c);

// ---------------------------------------------------------------- GUI pieces

enum class PanelStyle { Wood, Parchment, Stone, Metal, Ice, Dark };
// A framed panel; title drawn in its top band when not empty.
void Panel(cairo_t* cr, double x, double y, double w, double h, PanelStyle st, const std::string& title = "");
// A push button in `state` (0 normal, 1 hover, 2 pressed, 3 locked) with its label.
void Button(cairo_t* cr, double w, double h, const std::string& label, Rgb base, int state);
// A round icon button (arrows, crosses) in a state.
void RoundButton(cairo_t* cr, double cx, double cy, double r, Rgb base, int state);

enum class Icon {
  Home, Sleep, Quest, Tavern, Trees, Happy, Unhappy, School, Market, Telescope, Magic,
  Lock, Check, Cross, ArrowLeft, ArrowRight, ArrowUp, ArrowDown, Play, Skip, Close, Trophy,
  Menu, Build, Coin, Back, Refresh, Star
};
void DrawIcon(cairo_t* cr, Icon icon, double cx, double cy, double size, Rgb color);

// ---------------------------------------------------------------- scenery

void Cloud(cairo_t* cr, double cx, double cy, double w, double h, uint32_t seed, double alpha = 1.0);
void Coin(cairo_t* cr, double cx, double cy, double r, double turn = 0.0);  // turn 0..1 spin
void Gem(cairo_t* cr, double cx, double cy, double r, Rgb c);
void Star(cairo_t* cr, double cx, double cy, double r, Rgb c, double outline = 1.5);
void Sparkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha = 1.0);
void Palm(cairo_t* cr, double base_x, double base_y, double height, double lean, uint32_t seed);
void Pine(cairo_t* cr, double base_x, double base_y, double height, bool snowy, uint32_t seed);
enum class Land { Desert, DesertEvil, Snow, Snow2, SnowEvil };
// Hills and ground across (0, top)-(w, h); the part above `top` stays clear.
void Landscape(cairo_t* cr, double w, double h, double top, Land land, uint32_t seed);
void Hut(cairo_t* cr, double x, double y, double w, double h, Rgb wall, Rgb roof, bool snowy, int windows_lit);
// A level's scenery: the place of its stage (1..36) on the desert or the snow
// island, over the play field of an 800 x 600 canvas; the sky stays see-through.
void Scenery(cairo_t* cr, int stage, bool snow);

// Shared pieces drawn in more than one area.
void DrawClockFace(cairo_t* cr, double cx, double cy, double r);
void DrawWheel(cairo_t* cr, double cx, double cy, double r, Rgb rim);
// A hero of the story: 0 Redrice (red), 1 Ello (yellow); blink 0 open, 1 half, 2 shut.
void DrawHero(cairo_t* cr, int hero, double cx, double cy, double r, int blink, double facing = 0);
// The airship in w x h; style 0 plain, 1 patched, 2 with flags, 3 crushed.
void DrawZeppelin(cairo_t* cr, double w, double h, int style);
// The game's emblem (kelp around a claw holding a box) and its "Kelp" wordmark.
void DrawEmblem(cairo_t* cr, double cx, double cy, double s);
void DrawWordmark(cairo_t* cr, double cx, double cy, double size);

}  // namespace kelp::art
