#pragma once
// The intro comic's interactive page: three creature blocks stand in a small
// physics world of their own on a picture; the player's clicks drop stones,
// push the brownie block and shake the screen, and once the pushed block has
// touched another body a white flash ends the scene.
//
// Ownership: the comic (comics.h) holds the scene while it runs and calls
// Update and Draw each frame; it decides the end (state 2 -> 3) and, at state
// 4, calls Clear and drops it.
// Clock: every time is GameTime in ms.
#include <string>

#include "framework/core/object.h"
#include "physics/engine.h"
#include "platform/image.h"

namespace kelp {

// A box-shaped body of the game's block group file ("data/world/box.xml")
// whose corner particles carry a textured quad.
class TComicsBlock : public Object {
 public:
  Ref<TPhysEngine_Group> Group;
  Ref<TPhysEngine_Particle> Center, Align, UpLeft, UpRight, DownLeft, DownRight;  // DownRight is Align
  platform::ImageRef Image;
  TPhysEngine* Physics = nullptr;

  // Null (logged) when the group file is missing or lacks a corner.
  static Ref<TComicsBlock> Create(float x, float y, TPhysEngine* engine);
  bool Load();
  // Places the corners from a corner file ("upright", "upleft", "downright",
  // "downleft", "center" tag lines with x, y and static); reading stops at
  // the first other tag, so the "<block>" line Save writes first places
  // nothing. 1, also for a missing file (the corners stay where they are).
  int Init(const PhysicsSource& source);
  int Save(const std::string& path) const;
  void Position(float x, float y, int flag);
  void Translate(float dx, float dy);
  void Move(float dx, float dy);
  void Del();
  void Draw() const;
};

class TComicsLevel : public Object {
 public:
  TPhysEngine Physics;
  Ref<TComicsBlock> Ello, Redrice, Brownie;
  Ref<TComicsBlock> Stone01, Stone02, Stone03;
  platform::ImageRef Back;
  int clicks = 0;
  int click_time = 0;
  int Time = 0;  // GameTime of the third counted click; 0 before
  float Alpha = 0.0f;
  int state = 0;  // 1 fading in, 2 running, 3 white flash, 4 finished
  float width = 0.0f;
  float width_speed = 0.0f;
  int width_time = 0;
  float alpha_speed = 0.01f;
  float white_alpha = 0.0f;
  float text_alpha = 0.0f;
  int text_state = 0;  // 0 off, 1 fading in, 2 fading out (pulsing), 3 fading out to stop, 4 stopped

  ~TComicsLevel() override;
  static Ref<TComicsLevel> Create();
  // True once the brownie block has touched another body (or is missing, so
  // that the scene can still end).
  bool BrownieTouched() const;
  void Clear();
  void Update(float dt);
  void Draw();
};

}  // namespace kelp
