#include "play/brownie_transform.h"

#include "framework/media/anim_image.h"
#include "play/effects_widget.h"
#include "world/effects/blinks.h"
#include "world/effects/fade2.h"

namespace kelp {

Ref<TBrownieTransform> TBrownieTransform::Create() {
  auto t = New<TBrownieTransform>();
  t->Init();
  return t;
}
int TBrownieTransform::Init() { return 0; }
int TBrownieTransform::Update(float) { return 0; }
int TBrownieTransform::Draw() { return 0; }
int TBrownieTransform::AddedToManager() { return 0; }
int TBrownieTransform::RemovedFromManager() { return 0; }

}  // namespace kelp
