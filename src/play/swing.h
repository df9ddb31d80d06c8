#pragma once
// The seesaw on the left panel with Redrice and Ello at its ends. While the
// claw moves it rocks, and each end that hits a stop throws the creature at
// the other end into the air; when the claw stops it levels out. Owned by
// the in-game interface, which starts, stops, steps and draws it.
#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TSwing : public Object {
 public:
  platform::ImageRef Top;      // "IMAGE_SWING_TOP", drawn at both ends
  platform::ImageRef c1, c1b;  // "IMAGE_REDRICE" and its blink: creature 1, left
  platform::ImageRef c2, c2b;  // "IMAGE_ELLO" and its blink: creature 2, right
  int c1_Blink = 0, c1_BlinkTime = 0;
  int c2_Blink = 0, c2_BlinkTime = 0;
  int lx = -4;
  float ly = 0.0f;  // miny..maxy
  int rx = 106;
  float ry = 0.0f;
  int miny = 452, maxy = 475;
  float dy = 0.0f;  // tilt rate: ly grows and ry shrinks by dy x dt a frame
  float def_jump_impulse = -7.0f;
  float def_g_force = 0.3f;
  float c1_x = 0.0f, c1_y = 0.0f, c2_x = 0.0f, c2_y = 0.0f;
  float c1_scale = 0.45f, c2_scale = 0.45f;
  float c1_jump_h = 0.0f, c2_jump_h = 0.0f;  // negative is up
  float c1_jump_impulse = 0.0f, c2_jump_impulse = 0.0f;
  int c1_jump_state = 0, c2_jump_state = 0;  // 0 resting, 1 launch requested, 2 flying
  float c1_g_force = 0.0f, c2_g_force = 0.0f;
  float c1_jump_scale = 1.0f, c2_jump_scale = 1.0f;  // vertical squash
  float c1_scale_dy = 0.0f, c2_scale_dy = 0.0f;      // sag after a landing
  float c1_dx = 0.0f, c2_dx = 0.0f;                  // sideways drift of a jump
  int state = 0;  // 0 level, 1 rocking, 2 levelling out

  // Called each frame while the claw moves: the launch impulse follows the
  // claw's speed, and a level or levelling swing starts to rock.
  int Start(float impulse);
  // Called while the claw stands still: with an end at a stop and nobody in
  // the air, the swing levels out.
  int Stop();
  // Images (they may be missing: nothing is drawn then), blink times, rest pose.
  int Init();
  int BlinkUpdate();
  int UpdateTop(float dt);
  int UpdateCreatures(float dt);
  int Update(float dt);
  int Draw();
};

}  // namespace kelp
