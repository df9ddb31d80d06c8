#pragma once
// The pieces of the main menu's physics scene: a button is a textured quad
// whose corners are particles of a group of the scene, so it swings on the
// ropes; the logo swings on its own circle above them. Both find their
// particles by name ("center", "particle(1)" upper left, "particle(2)" upper
// right, "particle(3)" lower left, "particle(4)" lower right).
#include <string>

#include "framework/core/object.h"
#include "physics/engine.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage;

class TPhysButton : public Object {
 public:
  int ID = 0;
  int isDown = 0;   // held down
  int isOver = 0;   // under the mouse this frame
  int wasOver = 0;  // has been under the mouse: keeps the hover frame while it fades
  int Hit = 0;      // 0 idle, 1 armed by a press on the button, 2 held
  Ref<TAnimImage> Anim;  // frame 0 normal, 1 hover, 2 pressed
  Ref<TPhysEngine_Group> Group;
  Ref<TPhysEngine_Particle> Center, UpLeft, UpRight, DownLeft, DownRight;
  float OverAlphaSpeed = 0.1f;
  float OverAlpha = 0.0f;

  void Update(float dt);
  // Finds the five particles in Group; false when the group or one of them is missing.
  bool Load();
  // The quad enlarged 1.3 times about a point 5 above its centre, with the
  // hover or pressed frame over it at OverAlpha.
  void Draw() const;
  // Whether (x, y) lies in the box of one of the group's particles.
  bool Contains(int x, int y) const;
};

class TPhysLogo : public Object {
 public:
  platform::ImageRef Img;
  Ref<TPhysEngine_Group> Group;  // may be null: the logo draws without it
  Ref<TPhysEngine_Particle> Center, UpLeft, UpRight, DownLeft, DownRight;
  int startX = 190, startY = -10;
  float currentX = 190.0f, currentY = -10.0f;
  float angle = 0.0f;
  float speed = 1.5f;
  float radius = 2.0f;

  // Finds the particles and the picture; false when the group or a particle is missing.
  bool Load();
  void Update(float dt);
  // Sways sideways only: x is currentX + currentY.
  void Draw() const;
};

}  // namespace kelp
