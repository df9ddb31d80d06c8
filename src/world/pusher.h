#pragma once
// The pusher: a small L-shaped ram of two statics at the top right of the
// play field. Armed by the player with every new box at the claw, it waits
// its reaction time, shoves 60 pixels left with a random acceleration and
// comes back, shoving away whatever lies in its way.
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "physics/engine.h"
#include "platform/image.h"

namespace kelp {

class TPusher : public Object {
 public:
  static constexpr int WAITING = 0, PUSHING = 1, RETURNING = 2;

  ObjectList<TPhysEngine_Static> Static;  // the ram's two statics
  int State = WAITING;
  int Time = 0;               // GameTime when armed or last back home
  float x = 0.0f, y = 0.0f;   // offset from the rest position
  float accel = 0.0f;         // change of curaccel per frame factor (negative)
  float maxaccel = 0.0f;      // bound of curaccel (negative)
  float curaccel = 0.0f;
  float dx = 0.0f, dy = 0.0f;  // velocity; only dx is used
  int Ready = 0;               // 1 when armed
  platform::ImageRef Image;    // "IMAGE_TOLKALKA"
  int ReactionTime = 530;

  virtual void Load();
  virtual void Move(float dx, float dy);
  virtual void Update(float frameFactor);
  virtual void Draw();

  // A pusher resting at (680, 72) from its shape's origin, in Pushers.
  static void Create();
  static void UpdatePusher(float frameFactor);
  static void DrawPusher();
  // Forgets every pusher; their statics stay in the engine.
  static void DeletePusher();
};

extern ObjectList<TPusher> Pushers;

}  // namespace kelp
