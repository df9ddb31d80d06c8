#pragma once
// Animated polygon scenes: textured meshes loaded from XML whose points sway
// on circles. All of them live in one global list and are drawn by layer.
#include <string>
#include <vector>

#include "framework/core/geometry.h"
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TPoint : public Object {
 public:
  float ox = 0.0f, oy = 0.0f;  // rest position
  float x = 0.0f, y = 0.0f;    // current position
  float u = 0.0f, v = 0.0f;
  Ref<TVector> velocity;  // offset from the rest position
  Ref<TVector> scale;     // sway amplitude in x and y
  float anim_speed = 0.0f;  // degrees per unit of the frame factor
  float angle = 0.0f;       // degrees

  static Ref<TPoint> Create();
  void Update(float dt);
};

class TPolyAnim : public Object {
 public:
  ObjectList<TPoint> Points;
  std::vector<float> xyuv;  // rebuilt by every Update
  std::vector<float> xy;    // outline for the debug view
  float x = 0.0f, y = 0.0f;  // mesh offset
  int layer = 0;
  platform::ImageRef Image;

  // Adds the scene's meshes to the global list. Meshes with fewer than three
  // points or without an image are left out with a warning; a file that
  // cannot be read adds nothing.
  static void Load(const std::string& path);
  static void Load(const platform::StreamRef& stream);
  static Ref<TPolyAnim> Create();  // empty, appended to the global list
  static void UpdateAnim(float dt);
  static void DrawAnim(int layer);
  static void DebugDrawAnim();
  static void ClearPoly();

  void AddPoint(const Ref<TPoint>& point);
  void Update(float dt);
  void Draw();
  void DebugDraw();
};

// The global list of polygon animations, made on first use.
ObjectList<TPolyAnim>& PolyAnims();

}  // namespace kelp
