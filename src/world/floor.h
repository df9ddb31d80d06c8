#pragma once
// The moving floor: line statics of the level's world that shift a little
// every frame (as a rule upward, pushing the pile toward the red line). Each
// removed box makes it sink back for a second. Loaded from the level's
// "_floor.xml": a line <floor dy=...> then <element x1= y1= x2= y2=> lines
// naming world statics by their end points.
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "physics/engine.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TFloor : public Object {
 public:
  ObjectList<TPhysEngine_Static> Static;  // the world statics that move with it
  float x = 0.0f, y = 0.0f;               // distance moved so far
  float dx = 0.0f, dy = 0.0f;             // motion per frame factor now
  float _dx = 0.0f, _dy = 0.0f;           // motion restored after a slow-down
  int Slow = 0;
  int SlowStartTime = 0;
  int SlowLifeTime = 1000;
  int DustTime = 0;
  platform::ImageRef Image;  // "IMAGE_FLOOR"
  platform::ImageRef Leg;    // "IMAGE_FLOOR_LEG"
  int sound = 0;             // 1 once the floor sound has been started

  virtual void Init(float dx, float dy);
  // A new static of the world's engine (friction 0.1) that moves with the floor.
  virtual void Add(int x1, int y1, int x2, int y2);
  virtual void Move(float dx, float dy);
  // Motion (dx, the larger of dy and the current dy) for SlowLifeTime ms.
  virtual void SlowDown(float dx, float dy);
  virtual void Update(float frameFactor);
  virtual void Draw();
  // Lets go of the statics (they stay in the engine).
  virtual void Remove();

  static Ref<TFloor> Create(float dx, float dy);
  // Null for an unreadable file, a first tag other than "floor", or elements
  // that match no static of the world: a floor with nothing to move is no floor.
  static Ref<TFloor> Load(const platform::StreamRef& stream);
  static Ref<TFloor> Load(const std::string& path);
  // The same content as an XML document; no relaxed-mode doubling.
  static Ref<TFloor> LoadNew(const platform::StreamRef& stream);
};

}  // namespace kelp
