#include "play/thermometer.h"

#include "framework/media/particles.h"

namespace kelp {

Ref<TThermometer> Thermometer;

int TThermometer::Init() { return 0; }
int TThermometer::Update(float) { return 0; }
int TThermometer::Draw() { return 0; }
void TThermometer::Reset() { CurValue = 0.0f; }

}  // namespace kelp
