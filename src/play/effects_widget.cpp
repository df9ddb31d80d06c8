#include "play/effects_widget.h"

namespace kelp {

Ref<TEffectsWidget> TEffectsWidget::Create() { return New<TEffectsWidget>(); }
void TEffectsWidget::AddEmitter(const Ref<TEmitter>& emitter) {
  if (emitter) Emitters.AddLast(emitter);
}
int TEffectsWidget::Update(float) { return 0; }
int TEffectsWidget::Draw() { return 0; }
int TEffectsWidget::RemovedFromManager() {
  Emitters.Clear();
  return 0;
}

}  // namespace kelp
