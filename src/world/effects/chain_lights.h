#pragma once
// Rows of red lamps along the level's frame that flare one after another,
// 80 ms apart, while the level waits for the thermometer goal. The lamps keep
// a list of their own, updated, drawn and cleared with the effects list.
#include <cstdint>

#include "framework/core/object.h"
#include "framework/core/object_list.h"

namespace kelp {

class TChainLights : public Object {
 public:
  int ID = 0;     // 1-based place in the list
  int angle = 0;  // drawing rotation
  uint8_t ON = 0;  // brightening
  float alpha = 0.0f;
  int x = 0, y = 0;
  int updTime = 0;    // GameTime of the next flash
  int cycleTime = 0;  // ms between flashes

  static Ref<TChainLights> Create(int x, int y, int angle, int cycle);
  // count + 1 lamps from (x1, y1) towards (x2, y2); 0 (and none) for a count
  // below 1, else 1.
  static int CreateChain(float x1, float y1, float x2, float y2, int count, int extra);
  static void Go();
  // The lamps run on for a second, then fade out.
  static void Stop();
  static void UpdateLights();
  static void DrawLights();
  static void Clear();

  // Takes the lamp out of the list; the others are numbered 1, 2, ... again.
  void Free();

  // Flashes and fades per update, whatever the frame factor.
  void Update();
  void Draw();
};

extern ObjectList<TChainLights> ChainLightsList;
extern int ChainLightsCount;  // lamps made and not freed
extern int ChainLightsOn;
extern uint8_t ChainLightsStopping;
extern int ChainLightsStopTime;

}  // namespace kelp
