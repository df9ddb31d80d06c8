// Every particle effect the game names. Speeds are pixels per frame at the
// target rate, directions degrees (0 down, 90 right, 180 up, 270 left), times
// milliseconds. A particle covers half of its size curve in its lifetime.
// Bursts stop by themselves (a time-out); effects that burn on (smoke, fire,
// water, weather) are stopped by their owners.
#include <cctype>
#include <sstream>

#include "effects.h"

namespace kelp::fx {

namespace {

constexpr const char* DOT = "IMAGE_FX_DOT";
constexpr const char* GLOW = "IMAGE_FX_GLOW";
constexpr const char* SPARK = "IMAGE_FX_SPARK";
constexpr const char* STAR = "IMAGE_FX_STAR";
constexpr const char* SMOKE = "IMAGE_FX_SMOKE";
constexpr const char* DUST = "IMAGE_FX_DUST";
constexpr const char* RING = "IMAGE_FX_RING";
constexpr const char* DROP = "IMAGE_FX_DROP";
constexpr const char* BUBBLE = "IMAGE_FX_BUBBLE";
constexpr const char* FLAME = "IMAGE_FX_FLAME";
constexpr const char* FLAKE = "IMAGE_FX_FLAKE";
constexpr const char* CHIP = "IMAGE_FX_CHIP";
constexpr const char* STREAK = "IMAGE_FX_STREAK";
constexpr const char* FOOTPRINT = "IMAGE_FX_FOOTPRINT";
constexpr const char* BOLT = "IMAGE_FX_BOLT";

Fx E(const char* id) {
  Fx f;
  f.id = id;
  return f;
}

// ------------------------------------------------------------ shared shapes

Fx Sparks(const char* id, int r0, int g0, int b0, int r1, int g1, int b1, float count, float speedMax) {
  return E(id).Img({SPARK}).Add().Gen(count * 12.5f, 80).Life(250, 550).Dir(0, 360).Speed(speedMax * 0.4f, speedMax)
      .Gravity(0, 0.12f).Grow(1.1f, 0.2f).Size(0.6f, 1.1f).Rgb(r0, g0, b0, r1, g1, b1);
}

Fx Ring(const char* id, int r0, int g0, int b0, int r1, int g1, int b1, float grow) {
  return E(id).Img({RING}).Add().Gen(30, 50).Life(380, 380).Grow(0.3f, grow).Fade(0.9f, 0).Rgb(r0, g0, b0, r1, g1, b1);
}

Fx DustPuff(const char* id, int r, int g, int b, float count, int timeout) {
  return E(id).Img({DUST, SMOKE}).Gen(count * 1000.0f / static_cast<float>(timeout), timeout).Life(450, 850)
      .Pos(-6, 6, -4, 4).Dir(0, 360).Speed(0.4f, 1.8f).Spin(-2, 2).Grow(0.5f, 2.6f).Fade(0.65f, 0)
      .Gravity(0, -0.01f).Rgb(r, g, b, r - 30, g - 30, b - 30);
}

Fx RisingSmoke(const char* id, int r0, int g0, int b0, int r1, int g1, int b1, float rate, float size) {
  return E(id).Img({SMOKE}).Gen(rate).Life(1100, 1800).Pos(-4, 4, -2, 2).Dir(165, 195).Speed(0.35f, 0.8f)
      .Spin(-0.8f, 0.8f).Grow(0.25f * size, 2.2f * size).Fade(0.55f, 0).Gravity(0.004f, -0.002f)
      .Rgb(r0, g0, b0, r1, g1, b1);
}

Fx Chips(const char* id, std::initializer_list<const char*> images, int r, int g, int b, float count) {
  return E(id).Img(images).Gen(count * 10, 100).Life(700, 1100).Pos(-8, 8, -8, 8).Dir(100, 260).Speed(2, 5)
      .Spin(-9, 9).Gravity(0, 0.25f).Grow(1, 0.8f).Size(0.7f, 1.2f).Fade(1, 0.6f).Rgb(r, g, b).Shadow(2, 4);
}

Fx StarBurst(const char* id, int r0, int g0, int b0, int r1, int g1, int b1, float count, int timeout) {
  return E(id).Img({STAR}).Add().Gen(count * 1000.0f / static_cast<float>(timeout), timeout).Life(500, 900)
      .Dir(0, 360).Speed(1, 3).Spin(-4, 4).Grow(1, 0.15f).Size(0.5f, 1.1f).Rgb(r0, g0, b0, r1, g1, b1);
}

Fx Splash(const char* id, float count, float up) {
  return E(id).Img({DROP, DOT}).Gen(count * 12.5f, 80).Life(600, 900).Pos(-12, 12, -2, 0).Dir(150, 210)
      .Speed(up * 0.5f, up).Gravity(0, 0.25f).Size(0.5f, 1.0f).Grow(1, 0.7f).Fade(0.95f, 0.2f)
      .Rgb(225, 240, 255, 170, 210, 245);
}

Fx Bubbles(const char* id, float rate, float size) {
  return E(id).Img({BUBBLE}).Gen(rate).Life(1500, 2600).Pos(-15, 15, -4, 4).Dir(176, 184).Speed(0.5f, 1.1f).Wave()
      .Size(0.4f * size, 0.9f * size).Grow(0.7f, 1.3f).Fade(0.85f, 0).Rgb(220, 240, 255);
}

Fx Coins(const char* id, std::initializer_list<const char*> images, float count) {
  // The coins burst out of the chest, then the magnet pulls them to the money counter.
  return E(id).Img(images).Gen(count * 2.5f, 400).Life(4000, 4000).Pos(-10, 10, -10, 10).Dir(120, 240)
      .Speed(3, 5.5f).Spin(-6, 6).Magnet(110, 150, 3, 1.6f, 350).Grow(1, 0.9f).Fade(1, 1).Rgb(255, 255, 255);
}

Fx Flames(const char* id, float rate, float size, int r1, int g1, int b1) {
  return E(id).Img({FLAME}).Add().Gen(rate).Life(380, 700).Pos(-9 * size, 9 * size, -2, 2).Dir(172, 188)
      .Speed(0.7f, 1.4f).Spin(-0.35f, 0.35f).Size(0.7f * size, 1.1f * size).Grow(1, 0.2f).Fade(0.55f, 0)
      .Rgb(255, 190, 70, r1, g1, b1);
}

Fx Embers(const char* id, float rate) {
  return E(id).Img({DOT}).Add().Gen(rate).Life(700, 1300).Pos(-10, 10, -4, 0).Dir(165, 195).Speed(0.8f, 1.8f).Wave()
      .Size(0.12f, 0.25f).Grow(1, 0.3f).Fade(1, 0).Rgb(255, 220, 120, 255, 90, 20);
}

Fx Waterfall(const char* id, float width, float rate) {
  return E(id).Img({DROP, SMOKE, DOT}).Gen(rate).Life(700, 1100).Pos(-width, width, -3, 3).Dir(-6, 6)
      .Speed(1.5f, 3).Gravity(0, 0.12f).Spin(-1, 1).Size(0.3f, 0.7f).Grow(0.8f, 2.0f).Fade(0.7f, 0)
      .Rgb(235, 245, 255, 200, 225, 250);
}

Fx BuildDust(const char* id, int r, int g, int b, int timeout) {
  return E(id).Img({DUST, SMOKE}).Gen(25, timeout).Life(900, 1500).Pos(-45, 45, -8, 8).Dir(150, 210)
      .Speed(0.2f, 0.8f).Spin(-1, 1).Grow(0.6f, 3).Fade(0.55f, 0).Rgb(r, g, b, r - 25, g - 25, b - 25);
}

}  // namespace

std::vector<Fx> AllEffects() {
  std::vector<Fx> v;

  // ---- boxes, bonuses and explosions
  v.push_back(E("EFFECT_BOX_EXPLODE").Life(1500, 2000).Pos(-8, 8, -8, 8).Dir(110, 250).Speed(3, 6).Spin(-7, 7)
                  .Gravity(0, 0.3f).Fade(1, 0.5f).Shadow(4, 7));  // the motion of the flying box corners
  v.push_back(DustPuff("EFFECT_BOX_EXPLODE_DUST", 235, 225, 205, 18, 90));
  v.push_back(Sparks("EFFECT_BOX_EXPLODE_SPARKS", 255, 220, 90, 255, 80, 0, 28, 7));
  v.push_back(Sparks("EFFECT_EXPL_ISKRA", 255, 230, 110, 255, 70, 0, 36, 9));
  v.push_back(Sparks("EFFECT_EXPL_ISKRA2", 170, 220, 255, 40, 110, 255, 30, 8));
  v.push_back(Ring("EFFECT_EXPL_CIRCLE", 255, 235, 160, 255, 120, 40, 5.5f));
  v.push_back(Ring("EFFECT_EXPL_CIRCLE2", 210, 235, 255, 90, 160, 255, 4.5f));
  v.push_back(E("EFFECT_EXPL_01").Img({SMOKE}).Add().Gen(400, 100).Life(380, 650).Dir(0, 360).Speed(0.6f, 2.6f)
                  .Spin(-3, 3).Grow(0.4f, 2.8f).Fade(0.7f, 0).Rgb(255, 190, 70, 200, 40, 0));
  v.push_back(E("EFFECT_EXPL_02").Img({SMOKE}).Gen(200, 150).Life(900, 1400).Dir(0, 360).Speed(0.3f, 1.3f)
                  .Spin(-1.5f, 1.5f).Grow(0.6f, 3.2f).Fade(0.6f, 0).Gravity(0, -0.015f).Rgb(95, 85, 80, 60, 60, 62));
  v.push_back(E("EFFECT_BONUS_FREEZE").Img({FLAKE, STAR}).Add().Gen(400, 150).Life(650, 1100).Dir(0, 360)
                  .Speed(1, 4).Spin(-5, 5).Size(0.7f, 1.4f).Grow(1.2f, 0.4f).Rgb(215, 245, 255, 110, 190, 255));
  v.push_back(E("EFFECT_BONUS_FREEZE_ADDON").Img({SMOKE}).Gen(60, 600).Life(800, 1300).Pos(-15, 15, -15, 15)
                  .Dir(0, 360).Speed(0.2f, 0.8f).Spin(-1, 1).Grow(0.5f, 2.6f).Fade(0.5f, 0).Rgb(215, 240, 255));
  v.push_back(E("EFFECT_FREEZE01").Img({SMOKE}).Gen(8).Life(900, 1400).Pos(-22, 22, -22, 22).Dir(170, 190)
                  .Speed(0.1f, 0.4f).Spin(-0.6f, 0.6f).Grow(0.4f, 1.6f).Fade(0.45f, 0).Rgb(205, 235, 255));
  v.push_back(E("EFFECT_FREEZE02").Img({STAR, FLAKE}).Add().Gen(6).Life(500, 900).Pos(-24, 24, -24, 24)
                  .Dir(170, 190).Speed(0.1f, 0.5f).Spin(-3, 3).Size(0.4f, 0.8f).Grow(0.5f, 1.4f)
                  .Rgb(200, 240, 255, 120, 200, 255));
  v.push_back(Chips("EFFECT_BRICK", {"IMAGE_BRICK_PART", "IMAGE_BRICK_PART2"}, 255, 255, 255, 14));
  v.push_back(Chips("EFFECT_BRICK1", {CHIP}, 190, 95, 60, 10).Size(0.5f, 0.9f));
  v.push_back(DustPuff("EFFECT_BRICK2", 215, 175, 140, 12, 100));
  v.push_back(Chips("EFFECT_BRICK3", {"IMAGE_BRICK_PART", "IMAGE_BRICK_PART2", CHIP}, 255, 255, 255, 18).Speed(3, 6.5f));
  v.push_back(Coins("EFFECT_COINS", {"IMAGE_COIN"}, 12));
  v.push_back(Coins("EFFECT_GEMS", {"IMAGE_GEM_01", "IMAGE_GEM_02", "IMAGE_GEM_03", "IMAGE_GEM_04"}, 6));
  v.push_back(E("EFFECT_COINS_LIGHT").Img({GLOW}).Add().Gen(12, 900).Life(500, 700).Pos(-6, 6, -6, 6)
                  .Grow(0.6f, 3).Fade(0.8f, 0).Rgb(255, 230, 130, 255, 190, 60));
  v.push_back(E("EFFECT_COINS_VILLAGE").Img({"IMAGE_COIN"}).Gen(25, 500).Life(900, 1300).Pos(-10, 10, -6, 6)
                  .Dir(145, 215).Speed(3, 5.5f).Spin(-6, 6).Gravity(0, 0.22f).Fade(1, 0.3f).Rgb(255, 255, 255));
  v.push_back(E("EFFECT_STONE_01").Magnet(110, 40, 6, 1.5f, 600));  // only its magnet settings are used

  // ---- ray, claw, electricity
  v.push_back(E("EFFECT_RAY").Img({DOT, STAR}).Add().Gen(45).Life(2500, 2500).Pos(-60, 60, -30, 30).Dir(0, 360)
                  .Speed(0.5f, 1.5f).Size(0.3f, 0.7f).Magnet(400, 100, 7, 2.5f, 0).Fade(0.9f, 0.9f)
                  .Rgb(190, 230, 255, 120, 190, 255));
  v.push_back(E("EFFECT_SPARKING").Img({SPARK}).Add().Gen(30).Life(200, 450).Dir(-35, 35).Speed(1, 3)
                  .Gravity(0, 0.15f).Size(0.4f, 0.8f).Grow(1, 0.3f).Rgb(255, 225, 100, 255, 90, 0));
  v.push_back(E("EFFECT_SPARKING2").Img({SPARK, BOLT}).Add().Gen(40).Life(120, 260).Pos(-6, 6, -6, 6).Dir(0, 360)
                  .Speed(1.5f, 3.5f).Size(0.4f, 0.8f).Grow(1, 0.4f).Rgb(220, 240, 255, 100, 160, 255));
  v.push_back(E("EFFECT_SPARKING3").Img({STAR}).Add().Gen(20).Life(300, 600).Pos(-10, 10, -10, 10).Dir(0, 360)
                  .Speed(0.3f, 1).Spin(-5, 5).Size(0.4f, 0.8f).Grow(1, 0.2f).Rgb(230, 245, 255, 130, 200, 255));
  v.push_back(E("EFFECT_SPARKING4").Img({GLOW}).Add().Gen(15).Life(250, 450).Pos(-4, 4, -4, 4).Grow(0.3f, 1.4f)
                  .Fade(0.7f, 0).Rgb(170, 215, 255, 80, 140, 255));
  v.push_back(E("EFFECT_ELECTRO").Img({BOLT, SPARK}).Add().Gen(14).Life(80, 160).Pos(-3, 3, -3, 3).Dir(0, 360)
                  .Speed(0.3f, 1).Spin(-40, 40).Size(0.4f, 0.8f).Fade(1, 0.2f).Rgb(200, 230, 255, 120, 170, 255));

  // ---- stars, texts, rewards
  v.push_back(E("EFFECT_FLYINGTEXT").Img({STAR, DOT}).Add().Gen(60, 300).Life(300, 600).Pos(-8, 8, -8, 8)
                  .Dir(0, 360).Speed(0.3f, 1.2f).Size(0.3f, 0.6f).Grow(1, 0.2f).Rgb(255, 240, 160, 255, 180, 60));
  v.push_back(E("EFFECT_STARS_01").Img({STAR}).Add().Gen(8).Life(600, 1100).Pos(-40, 40, -40, 40).Spin(-2, 2)
                  .Size(0.3f, 0.7f).Grow(0.2f, 2).Fade(1, 0).Rgb(255, 250, 220, 255, 210, 120));
  v.push_back(E("EFFECT_STARS_02").Img({STAR}).Add().Gen(8, 800).Life(700, 950).Dir(130, 230).Speed(2, 4)
                  .Gravity(0, 0.1f).Spin(-5, 5).Size(0.6f, 0.9f).Child("EFFECT_STARS_02_child")
                  .Rgb(255, 245, 200, 255, 200, 90));
  v.push_back(E("EFFECT_STARS_02_child").Img({DOT}).Add().Gen(30).Life(200, 400).Speed(0, 0.3f).Dir(0, 360)
                  .Size(0.2f, 0.35f).Grow(1, 0.2f).Fade(0.8f, 0).Rgb(255, 230, 150, 255, 160, 60));
  v.push_back(StarBurst("EFFECT_STARS_04", 255, 250, 200, 255, 200, 80, 24, 200));
  v.push_back(StarBurst("EFFECT_STARS_05", 255, 255, 230, 170, 220, 255, 14, 300).Dir(150, 210).Gravity(0, -0.02f));
  v.push_back(E("EFFECT_TIME_BONUS").Img({STAR, DOT}).Add().Gen(50, 700).Life(600, 1000).Pos(-20, 20, -20, 20)
                  .Dir(160, 200).Speed(0.8f, 2.2f).Spin(-4, 4).Size(0.4f, 0.9f).Grow(1, 0.2f)
                  .Rgb(200, 240, 255, 110, 190, 255));
  v.push_back(E("EFFECT_SALUTE").Img({SPARK}).Add().Gen(3).Life(900, 1300).Pos(-120, 120, 0, 0).Dir(170, 190)
                  .Speed(5.5f, 7.5f).Gravity(0, 0.08f).Size(0.6f, 0.9f).Fade(1, 0.8f).Salute("EFFECT_SALUTE_PART")
                  .Rgb(255, 240, 200, 255, 180, 90));
  v.push_back(E("EFFECT_SALUTE_PART").Img({SPARK, DOT}).Add().Gen(500, 90).Life(700, 1200).Dir(0, 360)
                  .Speed(1.5f, 4).Gravity(0, 0.045f).Size(0.4f, 0.8f).Grow(1, 0.3f).Rgb(255, 220, 120, 255, 120, 60));
  v.push_back(E("EFFECT_TROPHY_01").Img({GLOW, STAR}).Add().Gen(6).Life(900, 1500).Pos(-30, 30, -30, 30)
                  .Spin(-1, 1).Size(0.2f, 0.5f).Grow(0.3f, 2).Fade(0.7f, 0).Rgb(255, 240, 190, 255, 210, 120));
  v.push_back(StarBurst("EFFECT_TROPHY_STAR_01", 255, 250, 220, 255, 210, 110, 20, 400).Speed(0.5f, 2));

  // ---- water
  v.push_back(Splash("EFFECT_WATER", 18, 6));
  v.push_back(Splash("EFFECT_WATER2", 10, 3.5f).Img({DOT, SMOKE}).Grow(0.6f, 1.8f));
  v.push_back(Bubbles("EFFECT_WATER_BUBBLE", 4, 1));
  v.push_back(Bubbles("EFFECT_BUBBLE", 3, 0.7f).Pos(-6, 6, -2, 2));
  v.push_back(Waterfall("EFFECT_WATERFALL", 14, 40));
  v.push_back(Waterfall("EFFECT_WATERFALL2", 22, 55));
  v.push_back(Waterfall("EFFECT_WATERFALL3", 10, 30));
  v.push_back(E("EFFECT_WATERFALL4").Img({SMOKE}).Gen(18).Life(900, 1500).Pos(-30, 30, -5, 5).Dir(150, 210)
                  .Speed(0.3f, 0.8f).Spin(-0.6f, 0.6f).Grow(0.5f, 2.4f).Fade(0.45f, 0).Rgb(235, 245, 255));
  v.push_back(E("EFFECT_GEYSIR_01").Img({DROP, DOT}).Gen(90).Life(900, 1300).Pos(-6, 6, 0, 0).Dir(174, 186)
                  .Speed(6, 9).Gravity(0, 0.2f).Size(0.5f, 1.1f).Fade(0.95f, 0.3f).Rgb(225, 240, 255, 180, 215, 250));
  v.push_back(E("EFFECT_GEYSIR_02").Img({SMOKE}).Gen(25).Life(900, 1500).Pos(-10, 10, -4, 4).Dir(165, 195)
                  .Speed(1, 2.5f).Spin(-1, 1).Grow(0.4f, 2.6f).Fade(0.55f, 0).Rgb(240, 248, 255));

  // ---- dust and smoke
  v.push_back(DustPuff("EFFECT_DUST", 225, 205, 170, 10, 80));
  v.push_back(DustPuff("EFFECT_FLOOR_DUST", 215, 195, 160, 16, 400).Pos(-90, 90, -3, 3).Dir(150, 210));
  v.push_back(DustPuff("EFFECT_PAR_EXPLODE_DUST", 175, 230, 125, 16, 90));
  v.push_back(RisingSmoke("EFFECT_SMOKE", 200, 200, 200, 150, 150, 155, 10, 1));
  v.push_back(RisingSmoke("EFFECT_SMOKE4", 170, 165, 160, 110, 110, 115, 14, 1.3f));
  v.push_back(RisingSmoke("EFFECT_SMOKE01", 130, 70, 150, 55, 35, 70, 5, 0.8f));  // parasite smoke
  v.push_back(E("EFFECT_SMOKE02").Img({DOT}).Add().Gen(5).Life(500, 900).Pos(-16, 16, -16, 16).Dir(165, 195)
                  .Speed(0.3f, 0.9f).Size(0.2f, 0.45f).Grow(1, 0.2f).Rgb(170, 255, 120, 120, 60, 200));
  v.push_back(RisingSmoke("EFFECT_SMOKE01_VILLAGE", 130, 70, 150, 55, 35, 70, 5, 0.6f));
  v.push_back(E("EFFECT_SMOKE02_VILLAGE").Img({DOT}).Add().Gen(5).Life(500, 900).Pos(-10, 10, -12, 6)
                  .Dir(165, 195).Speed(0.3f, 0.8f).Size(0.15f, 0.35f).Grow(1, 0.2f).Rgb(170, 255, 120, 120, 60, 200));
  v.push_back(RisingSmoke("EFFECT_SMOKE_PIPE_BIG", 235, 235, 235, 190, 190, 195, 6, 1.1f));
  v.push_back(RisingSmoke("EFFECT_SMOKE_PIPE_LITTLE", 235, 235, 235, 190, 190, 195, 4, 0.7f));
  v.push_back(RisingSmoke("EFFECT_ZEPPELIN_SMOKE", 215, 210, 205, 160, 160, 165, 12, 0.8f).Dir(60, 90));
  v.push_back(RisingSmoke("EFFECT_PORTAL_SMOKE", 200, 180, 220, 120, 100, 140, 20, 1.5f).Dir(0, 360).Speed(0.4f, 1.5f));

  // ---- fire
  v.push_back(Flames("EFFECT_FIRE_BODY", 24, 1.0f, 220, 40, 0));
  v.push_back(Flames("EFFECT_FIRE_BODY2", 18, 0.6f, 255, 120, 10));
  v.push_back(RisingSmoke("EFFECT_FIRE_SMOKE", 120, 115, 110, 80, 80, 85, 6, 0.9f).Pos(-8, 8, -30, -24));
  v.push_back(RisingSmoke("EFFECT_FIRE_SMOKE2", 140, 135, 130, 90, 90, 95, 4, 0.6f).Pos(-6, 6, -22, -16));
  v.push_back(Embers("EFFECT_FIRE_SPARKS", 6));
  v.push_back(Embers("EFFECT_FIRE_SPARKS2", 4).Size(0.08f, 0.18f));

  // ---- portal and parasites
  v.push_back(E("EFFECT_PORTAL_01").Img({DOT, STAR}).Add().Gen(10).Life(900, 1400).Pos(-4, 4, -4, 4).Dir(0, 360)
                  .Speed(0.3f, 0.9f).Zigzag(8, 0.05f, 6).Size(0.3f, 0.6f).Grow(1, 0.3f).Rgb(200, 150, 255, 90, 200, 255));
  v.push_back(E("EFFECT_PORTAL_02").Img({STAR}).Add().Gen(14).Life(800, 1300).Pos(-25, 25, -10, 10).Dir(170, 190)
                  .Speed(0.5f, 1.3f).Spin(-4, 4).Size(0.3f, 0.7f).Grow(1, 0.2f).Rgb(230, 200, 255, 140, 120, 255));
  v.push_back(E("EFFECT_PORTAL_03").Img({RING}).Add().Gen(2).Life(900, 900).Grow(0.2f, 4).Fade(0.7f, 0)
                  .Rgb(190, 140, 255, 90, 170, 255));
  v.push_back(E("EFFECT_PARAZITE_CLICK").Img({STAR, DOT}).Add().Gen(200, 60).Life(300, 500).Dir(0, 360)
                  .Speed(1, 3).Size(0.3f, 0.6f).Grow(1, 0.2f).Rgb(210, 255, 160, 120, 220, 80));
  v.push_back(E("EFFECT_PARAZITE_EXPLODE").Img({DROP, DOT}).Gen(250, 100).Life(500, 800).Dir(0, 360).Speed(2, 5)
                  .Gravity(0, 0.2f).Size(0.5f, 1).Grow(1, 0.6f).Fade(1, 0.2f).Rgb(150, 235, 90, 90, 160, 40));
  v.push_back(E("EFFECT_PARAZITE_ADD").Img({DOT}).Add().Gen(60, 500).Life(500, 800).Dir(0, 360).Speed(0.5f, 1.5f)
                  .Zigzag(5, 0.3f, 12).Size(0.3f, 0.6f).Grow(1, 0.2f).Rgb(140, 255, 100, 90, 200, 60));

  // ---- village building
  v.push_back(E("EFFECT_BEAM").Img({STREAK}).Add().Gen(10).Life(500, 800).Pos(-30, 30, 0, 0).Dir(180, 180)
                  .Speed(2.5f, 4.5f).Size(0.8f, 1.6f).Fade(0.7f, 0).Rgb(255, 245, 200, 255, 220, 140));
  v.push_back(E("EFFECT_BEAM_SNOW").Img({STREAK}).Add().Gen(10).Life(500, 800).Pos(-30, 30, 0, 0).Dir(180, 180)
                  .Speed(2.5f, 4.5f).Size(0.8f, 1.6f).Fade(0.7f, 0).Rgb(220, 240, 255, 150, 200, 255));
  v.push_back(StarBurst("EFFECT_AFTER_BEAM", 255, 250, 220, 255, 220, 140, 30, 1200).Pos(-40, 40, -20, 10)
                  .Dir(165, 195).Speed(0.4f, 1.4f));
  v.push_back(E("EFFECT_UPGRADE_BUILD_BEFORE").Img({STAR, DOT}).Add().Gen(10).Life(700, 1200).Pos(-45, 45, -20, 10)
                  .Dir(165, 195).Speed(0.3f, 1.1f).Spin(-3, 3).Size(0.3f, 0.7f).Grow(1, 0.2f)
                  .Rgb(255, 245, 200, 255, 200, 100));
  v.push_back(E("EFFECT_UPGRADE_BUILD_BEFORE2").Img({GLOW}).Add().Gen(4).Life(900, 1300).Pos(-10, 10, -5, 5)
                  .Grow(0.8f, 4).Fade(0.4f, 0).Rgb(255, 235, 180));
  v.push_back(E("EFFECT_UPGRADE_BUILD_SNOW").Img({FLAKE, STAR}).Add().Gen(10).Life(700, 1200).Pos(-45, 45, -20, 10)
                  .Dir(165, 195).Speed(0.3f, 1.1f).Spin(-3, 3).Size(0.4f, 0.8f).Grow(1, 0.2f)
                  .Rgb(230, 245, 255, 150, 200, 255));
  v.push_back(E("EFFECT_UPGRADE_BUILD_SNOW2").Img({GLOW}).Add().Gen(4).Life(900, 1300).Pos(-10, 10, -5, 5)
                  .Grow(0.8f, 4).Fade(0.4f, 0).Rgb(200, 230, 255));
  v.push_back(BuildDust("EFFECT_UPGRADE_BUILD", 225, 205, 170, 1200));
  v.push_back(BuildDust("EFFECT_UPGRADE_BUILD_UNDER", 205, 185, 150, 1200).Pos(-50, 50, 0, 6).Dir(90, 270));
  v.push_back(BuildDust("EFFECT_UPGRADE_BUILD_ROAD2", 215, 195, 160, 1500).Pos(-60, 60, -4, 4));
  v.push_back(Chips("EFFECT_UPGRADE_BRICKS", {"IMAGE_BRICK_PART", "IMAGE_BRICK_PART2", CHIP}, 255, 255, 255, 4)
                  .Gen(12, 800).Pos(-30, 30, -10, 10));

  // ---- weather and footprints
  v.push_back(E("EFFECT_SNOW").Img({FLAKE, DOT}).Gen(22).Life(9000, 11000).Pos(-520, 520, -20, 0).Dir(-12, 12)
                  .Speed(0.5f, 1.1f).Wave().Spin(-1, 1).Size(0.3f, 0.9f).Fade(0.95f, 0.7f).Rgb(255, 255, 255));
  v.push_back(E("EFFECT_RAIN").Img({STREAK}).Gen(110).Life(900, 1200).Pos(-520, 520, -20, 0).Dir(6, 12)
                  .Speed(10, 14).Size(0.5f, 0.9f).Fade(0.5f, 0.35f).Rgb(200, 212, 235));
  v.push_back(E("EFFECT_PATH").Img({FOOTPRINT}).Gen(20, 60).Life(3500, 3500).Fade(0.6f, 0).Rgb(170, 185, 210));
  return v;
}

std::string EffectFileName(const std::string& id) {
  std::string s = id.rfind("EFFECT_", 0) == 0 ? id.substr(7) : id;
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string EffectXml(const Fx& f) {
  std::ostringstream o;
  auto range = [&o](const char* tag, const float (&r)[2]) {
    o << "  <" << tag << " min=\"" << r[0] << "\" max=\"" << r[1] << "\"/>\n";
  };
  o << "<?xml version=\"1.0\"?>\n<effect name=\"" << f.id << "\">\n";
  o << "  <Image value=\"" << (f.images.empty() ? "0" : f.images[0]) << "\" blend=\"" << f.blend << "\"/>\n";
  static const char* const kExtra[4] = {"Image2", "Image3", "Image4", "Image5"};
  for (size_t k = 1; k < f.images.size() && k <= 4; ++k)
    o << "  <" << kExtra[k - 1] << " value=\"" << f.images[k] << "\"/>\n";
  o << "  <GenSpeed value=\"" << f.gen << "\"/>\n";
  o << "  <TimeOut value=\"" << f.timeout << "\"/>\n";
  o << "  <TimeDelay value=\"" << f.delay << "\"/>\n";
  range("LifeTime", f.life);
  range("PosX", f.posX);
  range("PosY", f.posY);
  range("SpeedX", f.speedX);
  range("SpeedY", f.speedY);
  range("Dir", f.dir);
  range("Speed", f.speed);
  range("Rotation", f.rotation);
  range("ScaleX", f.scaleX);
  range("ScaleY", f.scaleX);
  o << "  <Scale start=\"" << f.scale[0] << "\" end=\"" << f.scale[1] << "\" start2=\"" << f.scale[2] << "\" end2=\""
    << f.scale[3] << "\"/>\n";
  o << "  <Alpha start=\"" << f.alpha[0] << "\" end=\"" << f.alpha[1] << "\"/>\n";
  o << "  <Red start=\"" << f.rgb0[0] << "\" end=\"" << f.rgb1[0] << "\"/>\n";
  o << "  <Green start=\"" << f.rgb0[1] << "\" end=\"" << f.rgb1[1] << "\"/>\n";
  o << "  <Blue start=\"" << f.rgb0[2] << "\" end=\"" << f.rgb1[2] << "\"/>\n";
  o << "  <GravitationX value=\"" << f.gravX << "\"/>\n";
  o << "  <GravitationY value=\"" << f.gravY << "\"/>\n";
  if (f.glowing) o << "  <Glowing enabled=\"1\"/>\n";
  if (!f.child.empty()) o << "  <Child name=\"" << f.child << "\"/>\n";
  if (f.trajectory) o << "  <Trajectory id=\"" << f.trajectory << "\"/>\n";
  if (f.salute) o << "  <Salute enabled=\"1\" emitter=\"" << f.saluteEmitter << "\"/>\n";
  if (f.shadow)
    o << "  <Shadow enabled=\"1\" min=\"" << f.shadowMin << "\" max=\"" << f.shadowMax << "\"/>\n";
  if (f.zigzag)
    o << "  <ZigZag enabled=\"1\" radius_dt=\"" << f.zigzagRadiusDt << "\" radius_min=\"" << f.zigzagRadiusMin
      << "\" speed=\"" << f.zigzagSpeed << "\"/>\n";
  if (f.userDraw) o << "  <UserDraw enabled=\"1\"/>\n";
  if (f.magnet[0] != 0)
    o << "  <Magnet enabled=\"1\" x=\"" << f.magnet[1] << "\" y=\"" << f.magnet[2] << "\" speed=\"" << f.magnet[3]
      << "\" force=\"" << f.magnet[4] << "\" timeout=\"" << f.magnet[5] << "\"/>\n";
  if (f.animSpeed[1] != 0) range("AnimSpeed", f.animSpeed);
  if (f.frame[1] != 0) range("Frame", f.frame);
  if (f.animDir) o << "  <AnimDir rand=\"1\"/>\n";
  if (!f.heritage.empty()) {
    o << "  <Heritage>\n";
    for (const std::string& h : f.heritage) o << "    <channel name=\"" << h << "\"/>\n";
    o << "  </Heritage>\n";
  }
  o << "</effect>\n";
  return o.str();
}

}  // namespace kelp::fx
