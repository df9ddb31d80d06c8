#pragma once
// The particle effects of the game: their descriptions and the particle
// pictures they name.
#include <cairo.h>

#include <string>
#include <vector>

namespace kelp::fx {

struct ParticleImage {
  const char* id;    // resource id (our own, "IMAGE_FX_...")
  const char* file;  // base name under data/img/fx/
  int w, h;
  void (*draw)(cairo_t*, int w, int h);
};
const std::vector<ParticleImage>& ParticleImages();
bool WriteParticleImage(const ParticleImage& img, const std::string& path);

// One effect description; the defaults are those of the effect file format.
struct Fx {
  std::string id;
  std::vector<std::string> images;  // Image, Image2 .. Image5
  int blend = 3;                    // 3 alpha, 4 additive light
  float gen = 0;                    // particles per second
  int timeout = 0, delay = 0;
  float life[2] = {0, 0};
  float posX[2] = {0, 0}, posY[2] = {0, 0};
  float speedX[2] = {0, 0}, speedY[2] = {0, 0};
  float dir[2] = {0, 0}, speed[2] = {0, 0};
  float rotation[2] = {0, 0};
  float scaleX[2] = {1, 1};
  float scale[4] = {1, 1, 1, 1};
  float alpha[2] = {1, 0};
  int rgb0[3] = {255, 255, 255}, rgb1[3] = {255, 255, 255};
  float gravX = 0, gravY = 0;
  int glowing = 0;
  std::string child;
  int trajectory = 0;
  int salute = 0;
  std::string saluteEmitter = "0";
  int shadow = 0, shadowMin = 0, shadowMax = 0;
  int zigzag = 0;
  float zigzagRadiusDt = 0, zigzagRadiusMin = 0, zigzagSpeed = 0;
  int userDraw = 0;
  float magnet[6] = {0, 0, 0, 0, 0, 0};
  float animSpeed[2] = {0, 0}, frame[2] = {0, 0};
  int animDir = 0;
  std::vector<std::string> heritage;

  // Chainable setters for compact tables.
  Fx& Img(std::initializer_list<const char*> ids) { images.assign(ids.begin(), ids.end()); return *this; }
  Fx& Add() { blend = 4; return *this; }
  Fx& Gen(float perSecond, int timeoutMs = 0, int delayMs = 0) { gen = perSecond; timeout = timeoutMs; delay = delayMs; return *this; }
  Fx& Life(float a, float b) { life[0] = a; life[1] = b; return *this; }
  Fx& Pos(float x0, float x1, float y0, float y1) { posX[0] = x0; posX[1] = x1; posY[0] = y0; posY[1] = y1; return *this; }
  Fx& Vel(float x0, float x1, float y0, float y1) { speedX[0] = x0; speedX[1] = x1; speedY[0] = y0; speedY[1] = y1; return *this; }
  Fx& Dir(float a, float b) { dir[0] = a; dir[1] = b; return *this; }
  Fx& Speed(float a, float b) { speed[0] = a; speed[1] = b; return *this; }
  Fx& Spin(float a, float b) { rotation[0] = a; rotation[1] = b; return *this; }
  Fx& Size(float a, float b) { scaleX[0] = a; scaleX[1] = b; return *this; }
  // Start and end of the size curve (a particle covers half the way in its life).
  Fx& Grow(float s, float e) { scale[0] = scale[2] = s; scale[1] = scale[3] = e; return *this; }
  Fx& Grow(float s, float e, float s2, float e2) { scale[0] = s; scale[1] = e; scale[2] = s2; scale[3] = e2; return *this; }
  Fx& Fade(float a0, float a1) { alpha[0] = a0; alpha[1] = a1; return *this; }
  Fx& Rgb(int r, int g, int b) { rgb0[0] = rgb1[0] = r; rgb0[1] = rgb1[1] = g; rgb0[2] = rgb1[2] = b; return *this; }
  Fx& Rgb(int r0, int g0, int b0, int r1, int g1, int b1) {
    rgb0[0] = r0; rgb0[1] = g0; rgb0[2] = b0; rgb1[0] = r1; rgb1[1] = g1; rgb1[2] = b1; return *this;
  }
  Fx& Gravity(float x, float y) { gravX = x; gravY = y; return *this; }
  Fx& Glowing() { glowing = 1; return *this; }
  Fx& Child(const char* name) { child = name; return *this; }
  Fx& Wave() { trajectory = 1; return *this; }
  Fx& Salute(const char* emitter) { salute = 1; saluteEmitter = emitter; return *this; }
  Fx& Shadow(int a, int b) { shadow = 1; shadowMin = a; shadowMax = b; return *this; }
  Fx& Zigzag(float radiusMin, float radiusDt, float speedDeg) {
    zigzag = 1; zigzagRadiusMin = radiusMin; zigzagRadiusDt = radiusDt; zigzagSpeed = speedDeg; return *this;
  }
  Fx& Magnet(float x, float y, float speedV, float force, float timeoutMs) {
    magnet[0] = 1; magnet[1] = x; magnet[2] = y; magnet[3] = speedV; magnet[4] = force; magnet[5] = timeoutMs; return *this;
  }
  Fx& Inherit(std::initializer_list<const char*> channels) { heritage.assign(channels.begin(), channels.end()); return *this; }
};

std::vector<Fx> AllEffects();
std::string EffectXml(const Fx& fx);
// "EFFECT_STARS_02_child" -> "stars_02_child"
std::string EffectFileName(const std::string& id);

}  // namespace kelp::fx
