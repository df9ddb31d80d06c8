#pragma once
// The bot's hands: one frame of input through the platform layer, as a
// player gives it. It steers the claw with mouse motion, drops with a left
// click, swaps with a right click and reads the story with the space bar.
//
// It looks at the field read-only, as a player looks at the screen: the
// boxes' positions and colours (the world's box list), the statics under
// them, the claw, the held box and the one offered next. It never calls into
// the level.
#include <map>
#include <random>
#include <utility>

#include "framework/core/object.h"

namespace kelp {
class TBlock;
}

namespace bot {

class BotPlayer {
 public:
  explicit BotPlayer(unsigned seed) : rng_(seed) {}

  // The input of one frame; call once a frame before the frame runs.
  void Act();
  // Where the claw is heading, for the trace.
  float Target() const { return target_; }

 private:
  struct Landing {
    float x = 390.0f;
    float score = -1e9f;
  };
  bool Calm();
  void Decide(const kelp::TBlock& held);
  Landing Best(int class_) const;
  void Steer(float x, float target);
  void AimRay(float x);
  void Click(int button);

  std::mt19937 rng_;
  std::map<const kelp::TBlock*, std::pair<float, float>> last_;
  const kelp::TBlock* planned_ = nullptr;
  float target_ = 390.0f;
  float jitter_ = 0.0f;  // a little hand shake per box, different for each seed
  bool wantSwap_ = false;
  int pressed_ = 0;      // the button to let go next frame
  bool firing_ = false;  // the left button held down for the ray
  int keyDown_ = 0;      // the key to let go next frame
  int readWait_ = 0;     // frames until the next look at the dialog
  int calmFrames_ = 0;   // frames the field has been calm
  int stuck_ = 0;        // frames the claw has not moved short of its target
  float lastX_ = 0.0f;
  int waited_ = 0;       // frames spent over the target waiting for calm
};

}  // namespace bot
