#pragma once
// Random but plausible input for the soak: a player who moves the mouse a
// lot, clicks buttons more often than empty space, sometimes drags, types a
// few keys and now and then leaves the window. Everything goes through the
// platform layer's injection, as the system's events would.
#include <cstdint>
#include <random>
#include <string>

namespace soak {

class SoakInput {
 public:
  explicit SoakInput(uint32_t seed) : rng_(seed) {}

  // One frame's input. Call once per frame, before the frame is updated.
  void Step();

  // What was done so far, for the summary.
  struct Counts {
    long moves = 0, clicks = 0, button_clicks = 0, drags = 0, keys = 0, focus_losses = 0;
  };
  const Counts& counts() const { return counts_; }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  void MoveTo(float x, float y);
  void PressAt(float x, float y, int hold);
  bool ClickSomeWidget();
  void PressKey();

  std::mt19937 rng_;
  Counts counts_;
  float x_ = 400.0f, y_ = 300.0f;
  int held_ = 0;          // frames until the left button is let go
  bool dragging_ = false;
  float drag_dx_ = 0.0f, drag_dy_ = 0.0f;
  int key_down_ = 0;      // a key to let go next frame
  int unfocused_ = 0;     // frames until the focus comes back
};

}  // namespace soak
