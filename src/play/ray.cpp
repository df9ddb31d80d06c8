#include "play/ray.h"

namespace kelp {

// The beam itself comes with the ray bonus.
void TRay::Draw() {}

}  // namespace kelp
