#include "frontend/map.h"

namespace kelp {

Ref<TMapMode> MapScreen;

}  // namespace kelp
