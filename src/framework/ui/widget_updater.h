#pragma once
// The slide of a dialog: in from above (or from the left) with growing speed,
// a bounce where it comes to rest, and out again the same way. The updater
// writes the widget's _x or _y directly; the dialog places its own controls.
#include "framework/core/object.h"

namespace kelp {

class TImpulse;
class TWidget;

// A value that accelerates toward a target, then plays an optional bounce.
class TAccelObject : public Object {
 public:
  float accel = 5.0f;  // canvas pixels per unit of frame factor
  float SpeedAccel = 0.2f;
  Ref<TImpulse> impulse;  // the bounce being played
  int Stopped = 0;
  float Target = 0.0f;
  Ref<TImpulse> ObjectImpulse;  // the bounce to play on arrival
  int Death = 0;

  int Update(float dt, float& value, int dir);
  int IsDeath() const { return Death; }
};

class TWidgetUpdater : public Object {
 public:
  WeakRef<TWidget> Widget;
  int State = 0;  // 0 idle, 1 showing, 2 hiding
  int x = 0;      // slide along x
  int y = 0;      // slide along y
  float pos0 = 0.0f;  // resting position
  float pos1 = 0.0f;  // off-canvas position
  float accel0 = 0.0f;  // SpeedAccel of the slide-in
  float accel1 = 0.0f;  // SpeedAccel of the slide-out
  Ref<TAccelObject> Accel;
  int Death = 0;  // the slide-out has ended
  int Dir = 1;
  int sound = 0;

  static Ref<TWidgetUpdater> Create(const Ref<TWidget>& widget, int sound);
  int Init(int horizontal, int vertical, float accelIn, float accelOut);
  int StartShow(float bounceScale, float bounceAttenuation, float bounceSpeed);
  int StartHiding();
  int Update(float dt);
  int UpdateShowing(float dt);
  int UpdateHiding(float dt);
  int IsDeath() const { return Death; }
  int IsHiding() const { return State == 2; }
  int IsShowing() const { return State == 1; }
  // Sliding in and not yet at rest (the bounce counts as at rest), or sliding out.
  bool Moving() const { return State == 2 || (State == 1 && Accel && !Accel->Stopped); }
};

}  // namespace kelp
