#include "play/thermometer.h"

namespace kelp {

Ref<TThermometer> Thermometer;

}  // namespace kelp
