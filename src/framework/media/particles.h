#pragma once
// Particle effects: a TEffect is the shared description read from an effect
// file (one per effect id, owned by the resource manager); a TEmitter is one
// live instance at a position that spawns, moves, ages and draws TParticles.
// Times are GameTime milliseconds; speeds are per unit of the frame factor dt.
// Directions: Dir moves a point by (sin Dir, cos Dir), 0 down, 90 right.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TAnimImage;
class TEmitter;

// Enabled, x, y, speed, force, timeout. One array per effect, shared by every
// emitter and particle of it, so an owner moving the target moves them all.
using TMagnet = std::array<float, 6>;
using TMagnetRef = std::shared_ptr<TMagnet>;

// Turns a mover at (x, y), heading `dir` at `speed` on top of its own velocity
// (vx, vy), towards the magnet once it is enabled and its timeout since
// timeStart has passed. True when the mover has arrived.
bool SteerToMagnet(const TMagnetRef& magnet, int timeStart, float x, float y, float vx, float vy, float dt,
                   float& dir, float& speed);

// One of an effect's images: a plain image, or the id of an animated-image
// resource (every particle then plays its own TAnimImage of it), or neither.
struct TEffectImage {
  platform::ImageRef image;
  std::string animId;
  bool Empty() const { return !image && animId.empty(); }
};

class TEffect : public Object {
 public:
  TEffect();

  float GenSpeed = 0.0f;  // particles per second
  int Blend = 0;
  int TimeDelay = 0;
  int TimeOut = 0;  // 0 or less: forever
  int Lifetime[2] = {0, 0};
  float PosX[2] = {0, 0}, PosY[2] = {0, 0};
  float SpeedX[2] = {0, 0}, SpeedY[2] = {0, 0};
  float ScaleX[2] = {1, 1}, ScaleY[2] = {1, 1};
  float Scale[4] = {1, 1, 1, 1};  // start, end, start2, end2
  float alpha[2] = {0, 0};
  float GravitationX = 0.0f, GravitationY = 0.0f;
  TEffectImage Image[5];
  int Images = 0;  // index of the last extra image present
  float Dir[2] = {0, 0};
  float Speed[2] = {0, 0};
  Ref<TColor> Color;
  int ShadowEnabled = 0;
  float Shadow[2] = {0, 0};
  float AnimSpeed[2] = {0, 0};
  float Frame[2] = {0, 0};
  int AnimDir = 0;
  float Rotation[2] = {0, 0};
  std::string ChildName;
  int Trajectory = 0;
  int Salute = 0;
  std::string SaluteEmitter = "0";
  std::vector<std::string> Heritage;
  int Glowing = 0;
  int ZigZag = 0;
  float ZigZag_Radius_dt = 0.0f, ZigZag_Radius_min = 0.0f, ZigZag_speed = 0.0f;
  int UserDraw = 0;
  TMagnetRef Magnet;

  // Reads an effect file from the stream (or the named file through the
  // archive). What the file lacks takes the default; a file that cannot be
  // opened, holds no element or is cut short gives null and a log line.
  static Ref<TEffect> Load(platform::Stream& stream, const std::string& name = "<stream>");
  static Ref<TEffect> Load(const std::string& path);

  // Set once a missing child effect has been logged, so a spawn loop logs it once.
  bool childMissingLogged = false;
};

class TParticle : public Object {
 public:
  float x = 0, y = 0;
  float _x = 0, _y = 0;
  float ox = 0, oy = 0;
  float SpeedX = 0, SpeedY = 0;
  float ScaleX = 1, ScaleY = 1, Scale = 1, StartScale = 1, EndScale = 1;
  TMagnetRef Magnet;
  float GravitationX = 0, GravitationY = 0;
  int Lifetime = 0;
  int Blend = 3;
  int TimeStart = 0;
  // The image, or the particle's own player of an animated image.
  platform::ImageRef Image;
  Ref<TAnimImage> Anim;
  float Dir = 0, Speed = 0;
  Ref<TColor> Color;
  int AnimDir = 0;  // 1 = backward
  int Shadow = 0, ShadowOffcet = 0;
  int Frame = 0, updTime = 0, AnimSpeed = 0;
  float angle = 0, angleSpeed = 0;
  int Smokie = 0, SmokeDensity = 0, SmokeWait = 0;
  int Salute = 0;
  std::string SaluteEmitter;
  int Smoke = 0;  // draw with additive blend
  int Trajectory = 0, TrajectoryAngle = 0;
  Ref<TEmitter> Child;
  int Hidden = 0;
  int Glowing = 0;
  float GlowingAlpha = 0.2f;
  int ToDraw = 0, Death = 0;

  // Draw shift: how far the emitter moved since this particle's birth.
  void Position(float px, float py);
  void Update(float dt);
  void Draw(float scale);
};

class TEmitter : public Object {
 public:
  static constexpr int LINEAR = 0;
  static constexpr int SINUSOID = 1;

  float GenSpeed = 0.0f;
  int BorderRect[4] = {0, 0, 0, 0};  // x, y, width, height; all 0 = none
  int cutable = 0;
  Ref<TEffect> Config;
  ObjectList<TParticle> Particles;
  float x = 0, oldX = 0, y = 0, oldY = 0;
  float _x = 0, _y = 0;
  int TimeStart = 0;
  int TimeLeft = 0;
  int GenerationStop = 0;
  int Death = 0;
  int Pause = 0;
  TMagnetRef Magnet;
  int Magneted = 0;
  int OldTime = 0;
  Ref<TEffect> Parent;
  int DrawUnder = 0, DrawOver = 0;
  float zigzag_radius = 0, t = 0, zigzag_speed = 0;

  // A null effect (a missing resource) gives an emitter that is born dead:
  // it never spawns and its Death is set, so the owner drops it.
  static Ref<TEmitter> Create(float x, float y, const Ref<TEffect>& effect, int drawUnder);
  void cut() { cutable = 1; }
  void uncut() { cutable = 0; }
  void Update(float dt);
  void RemoveParticle(const Ref<TParticle>& p);
  void PositionParticles(float px, float py);
  void Draw(float scale);

  // Nesting level: 0 for an owner's emitter, 1 for a particle's child, ...
  int depth = 0;

 private:
  void SpawnParticle();
  void DropParticle(TParticle& p);
};

// Particles of child emitters carry no children of their own: a child effect
// naming itself (or a cycle of effects) would otherwise multiply without end.
constexpr int MaxChildDepth = 1;
// Most particles one emitter spawns in one update; ticks beyond are dropped.
constexpr int MaxSpawnsPerUpdate = 1000;

// The glow halo drawn behind glowing particles ("IMAGE_FLASH").
extern platform::ImageRef ParticleGlowImage;

}  // namespace kelp
