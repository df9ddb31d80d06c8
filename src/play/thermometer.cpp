#include "play/thermometer.h"

namespace kelp {

Ref<TThermometer> Thermometer;

// The gauge comes with the level interface.
void TThermometer::Update(float) {}
void TThermometer::Draw() {}

}  // namespace kelp
