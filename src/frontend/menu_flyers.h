#pragma once
// What crosses the main menu now and then: a zeppelin drifting on a wave
// (big ones in front of the clouds, small ones behind), and creatures that
// hop along the ground, rest, blink and hop on.
#include <vector>

#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage;

class TMenuZeppelin : public Object {
 public:
  platform::ImageRef img;
  float x = 0.0f, y = 0.0f, start_y = 0.0f, radius = 0.0f;
  float dx = 0.0f, dy = 0.0f;  // dy: degrees per frame unit of the wave
  float angle = 0.0f;
  int death = 0;  // flown off the right edge
  float scale = 1.0f;

  // A big one (scale 1) from the left edge or a small far one (0.4), at random.
  static Ref<TMenuZeppelin> Create();
  void Update(float dt);
  void Draw() const;
};

class TMenuCreature : public Object {
 public:
  Ref<TAnimImage> Anim;
  float x = 0.0f, y = 565.0f;
  float dx = 0.0f;
  float def_jump_impulse = 0.0f, def_g_force = 0.13f;
  float jump_impulse = 0.0f, g_force = 0.0f;
  float jump_h = 0.0f;
  float jump_scale = 1.0f;
  float scale_dy = 0.0f;  // the squash on landing, relaxing while it rests
  int jumps_num = 0;      // hops before the next rest
  int state = 1;          // 1 take-off, 2 in the air, 3 resting
  int StopTime = 0;       // game clock the rest ends
  int BlinkTime = 0;      // game clock of the next blink
  int death = 0;

  static Ref<TMenuCreature> Create();
  void Update(float dt);
  void Draw() const;
};

// The creatures of the menu and when the next one comes.
class TMenuCreatures {
 public:
  std::vector<Ref<TMenuCreature>> List;
  int NextGroup = 0;  // game clock a group opens
  int NextOne = 0;    // game clock its creature comes; 0 none due

  // The first group 5 to 8 s from now.
  void Start();
  // Makes the creature a group is due, steps every creature and drops those
  // that have hopped off.
  void Update(float dt);
  void Draw() const;
  void Clear() { List.clear(); }
};

}  // namespace kelp
