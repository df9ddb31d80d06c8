#pragma once
// The ray bonus: the crane claw turned into a laser for a while. While the
// player holds the fire control a beam runs straight down from the claw and
// burns the topmost box under it (after half a second of contact) or wears
// down an obstacle segment in its way. The claw keeps the active ray
// (THandle::Ray), updates and draws it, and drops it when it ends; the ray is
// not in the effects list. Its times run on the level clock, so a pause never
// counts as firing or as contact.
#include "framework/core/object.h"
#include "framework/media/visuals.h"

namespace kelp {

class TAnimImage;
class TElectro;
class TEmitter;

// A glow of the ray: at the claw's muzzle (class 0) or at the point of impact (class 1).
class TRayLight : public Object {
 public:
  static constexpr int OFF = 0, GROWING = 1, HOLDING = 2, READY = 3, SHRINKING = 4;

  float x = 0.0f, y = 0.0f;
  int state = OFF;
  int PulseState = 0;
  float Scale = 0.0f, MaxScale = 2.0f, CurrentScale = 0.0f;
  float Speed = 0.15f, ScaleSpeed = 0.1f;
  int UpdTime = 0;
  int class_ = 0;

  static Ref<TRayLight> Create(int lightClass);
  void Update(float dt);
  void Draw();
};

class TRay : public TVisuals {
 public:
  static constexpr int IDLE = 0, CHARGING = 1, FIRING = 2;

  Ref<TAnimImage> Image;  // "IMAGE_LAZER"
  Ref<TRayLight> Light;   // muzzle
  Ref<TRayLight> Light2;  // impact
  int state = IDLE;       // set from the fire control: 1 pressed, 0 released
  Ref<TElectro> Electro;  // the beam
  int UpdTime = 0;        // the last spark burst
  int RayTime = 0;        // ms fired so far
  int RayUpdTime = 0;
  int RayLifeTime = 30000;
  Ref<TEmitter> Effect;  // set by the creator; its magnet follows the claw

  // Takes the claw over: hides its arcs and destroys the box it holds.
  static Ref<TRay> Create();
  // When the firing time is used up the ray removes itself and the claw lets go of it.
  void Update(float dt) override;
  void Draw() override;
  // The time bar over the claw.
  void DrawOver();
  // Ends the ray and gives the claw new arcs.
  void Remove();

 private:
  // Clears every contact of boxes and obstacle segments.
  static void ClearContacts();
  // Burns at the target; true when the 500 ms of contact are over.
  bool Burn(int& contact, float x, float y, int now);
};

}  // namespace kelp
