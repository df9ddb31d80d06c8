#pragma once
// The brick wall some levels have: a grid of bricks drawn over the play
// field that exploding boxes chip away. It is not part of the physics world.
#include "framework/object.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TAnimImage;

class TBrick : public Object {
 public:
  int empty = 0;  // 1 for a hole
  platform::ImageRef Image;
  Ref<TAnimImage> Anim;
  int wall_x = 0, wall_y = 0;
  float angle = 0.0f;
  float x = 0.0f, y = 0.0f;
  float dy = 0.0f;
  float imp = 0.0f;
  int impulse_flag = 0;
  int max_hp = 0, hp = 0;

  static void DrawBricks();
  // Reads the level's "_bricks.xml"; 1 when a wall was read.
  static int Load(const platform::StreamRef& stream);
  static void Clear();
  // Takes damage off the bricks at the point.
  static void Hit(float x, float y, int damage);
};

}  // namespace kelp
