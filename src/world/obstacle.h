#pragma once
// Destructible obstacles: world images whose statics take damage from
// exploding boxes and go at 0 hit points.
#include "framework/object.h"

namespace kelp {

class TObstacle : public Object {
 public:
  // Builds the obstacles from the loaded world's statics and images.
  static void Load();
  static void Clear();
  // Draws the obstacles of a world-image layer.
  static void Draw(int layer);
  // Damages the obstacle statics within r of (x, y).
  static void Hit(float x, float y, float r, float damage);
};

}  // namespace kelp
