#include "play/ray.h"

namespace kelp {

Ref<TRay> TRay::Create() { return New<TRay>(); }

// The beam itself comes with the ray bonus.
void TRay::Draw() {}

}  // namespace kelp
