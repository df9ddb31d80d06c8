#pragma once
// The one player: the crane claw steered by the mouse's horizontal motion,
// the box that hangs in it (the class offered now and the next one, swapped
// with the right button, dropped with the left), and, in the level types
// that have it, the side feed that drops extra boxes in at the right edge.
// Each new box, held or side-fed, arms the pushers. Its fields that the
// level world shares are those of TPlayerState.
//
// Clock: every time here is GameTime in ms. A drop is refused for 600 ms
// after the last drop or level reset; the next box hangs 500 ms after a drop.
// The steering speed is per frame, not scaled by dt.
//
// Ownership: the player owns its claw and its aim image; the held box is
// shared with BlockList, which a side-fed box belongs to alone.
#include <string>

#include "framework/core/typed_global.h"
#include "platform/image.h"
#include "world/player_state.h"

namespace kelp {

class TPlayer : public TPlayerState {
 public:
  float x = 0.0f, y = 0.0f;   // the claw's start: 270, 32
  float acceleration = 0.0f;  // 1 after Load; the steering does not read it
  float speed_y = 0.0f;       // unused
  int FindVector = 0;         // unused
  int time = 0;               // GameTime of the last drop or level reset
  int maxSpeed = 0;           // 14 after Load
  int enable_hover = 0;       // 1: the claw follows the mouse but cannot drop
  int old_scores = 0;         // scores at the last level reset
  int old_money = 0;          // money at the last level reset
  int Controlls = 1;          // steering mode: always the relative mouse
  int AltMouseControl = 0;    // unused
  platform::ImageRef Aim;     // "IMAGE_AIM", drawn under the claw by the level screen
  float dx = 0.0f, dy = 0.0f; // unused
  int Rays = 0;               // unused
  int MaxX = 0, MinX = 0;     // bounds of the connector's x: 540 and 238
  int LastClickClass = 0, LastClass = 0, ClickFlag = 0;  // unused
  int Generate = 0;           // 1 while a side-feed box is announced and not yet delivered
  int GenerateTime = 0;       // GameTime of the announcement
  int LastGenTime = 0;        // GameTime of the last delivered side-feed box
  int WaveCount = 0, Wave = 0;  // reset with the level; otherwise unused
  int MaxWaveCount = 8;         // unused
  int MousePressed = 0;         // cleared by a drop and the level reset; otherwise unused
  int Drop = 0;                 // cleared by a drop; otherwise unused
  float BlockSpeed = 0.0f;      // unused
  int BlockSpeedTime = 0;       // unused
  std::string name;             // unused

  // The first box of a round; nothing while a box is held.
  virtual int Init();
  // Start values and a new claw at rest at x 390; the aim image.
  int Load() override;
  // One frame: steering, swap, holding, drop, ray end, next box, side feed,
  // pointer re-centring. Called once a frame by the level screen.
  virtual int Update(float dt);
  // Drops the held box; nothing without one.
  virtual int ReleaseBox(float dt);
  // The claw (the held box is drawn with the other boxes).
  virtual int Draw();

 private:
  // Hangs a new box under the claw from the offered classes.
  void MakeBox();
  void Steer(float dt);
  void Swap();
  // Keeps the held box pinned under the claw's tips.
  void Hold();
  void SideFeed();
  // A free box in at the right edge; the pushers are armed for it.
  void FeedBox();
};

// The one TPlayer, stored as the level world's PlayerState.
extern TypedGlobal<TPlayer, TPlayerState> Player;

}  // namespace kelp
