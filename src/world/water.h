#pragma once
// The water surface of the levels that have one: a row of points across the
// lower play field whose heights follow a damped wave equation, stepped every
// few frames and interpolated in between. Both ends are pushed in bursts to
// keep waves running; box particles that touch the surface splash once and
// disturb it, particles below it are buoyed up, and fish jump now and then.
#include <vector>

#include "framework/core/geometry.h"
#include "framework/core/object.h"

namespace kelp {

class TEmitter;

class TWater : public Object {
 public:
  std::vector<TVector> cH;  // drawn surface: y the height offset, x its change per frame
  std::vector<TVector> H0;  // previous wave step (x the column's x, y the height offset)
  std::vector<TVector> H;   // current wave step
  std::vector<TVector> H1;  // next wave step, being computed
  float DampingCoef = 0.95f;
  int todo = 0;        // 1 when a wave step is due
  int count = 0;       // frames since the last wave step
  int steps = 9;       // frames between wave steps
  int WaterLevel = 0;  // y of the undisturbed surface
  float WaveSize = 0.8f;
  float WaveSpeed = 25.0f;  // end pushes in one burst
  int WavePeriod = 450;     // ms of calm between bursts
  int FishTime = 0;
  int FishGenTime = 6000;
  Ref<TEmitter> Effect;  // bubble emitter, set by level loading
  int WaveGenTime = 0;
  int WaveGenNum = 0;
  int WaveGen = 1;  // 1: end pushes enabled

  // Pairs (x0 + k * step, a small random height) for k = 0..count.
  static std::vector<int> WaterArray(float x0, float step, int count);
  // One surface point per pair of the array; the surface at y `level`.
  static Ref<TWater> Create(const std::vector<int>& points, int level);
  virtual void Update(float frameFactor);
  virtual void Draw();
  // Disturbs point i (its previous height moves by v); outside the field nothing.
  virtual void Set(int i, float v);
  virtual void Remove();

  int Points() const { return static_cast<int>(H.size()); }
  // The y of the drawn surface at point i.
  float SurfaceY(int i) const { return cH[static_cast<size_t>(i)].y + static_cast<float>(WaterLevel); }

 private:
  void WaveStep();
  void Splashes();
  void Buoyancy();
};

}  // namespace kelp
