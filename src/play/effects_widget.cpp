#include "play/effects_widget.h"

#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "platform/graphics_state.h"
#include "world/game_interface.h"

namespace kelp {

Ref<TEffectsWidget> TEffectsWidget::Create() {
  auto w = New<TEffectsWidget>();
  w->Modal = 0;
  w->Fadeable = 0;
  w->MouseSensetive = 0;
  w->Resize(0, 0, VirtualWidth, VirtualHeight);
  if (WidgetManager) WidgetManager->AddWidget(w);
  return w;
}

void TEffectsWidget::AddEmitter(const Ref<TEmitter>& emitter) {
  if (emitter) Emitters.AddLast(emitter);
}

int TEffectsWidget::Update(float dt) {
  particles = StepEmitters(Emitters, dt, [this](const Ref<TEmitter>& e) { AddEmitter(e); });
  return 0;
}

int TEffectsWidget::Draw() {
  PushGraphicsState();
  platform::SetAlpha(1.0f);
  for (const Ref<TEmitter>& emitter : Emitters)
    if (!emitter->cutable) emitter->Draw(1.0f);
  PopGraphicsState();
  return 0;
}

int TEffectsWidget::RemovedFromManager() {
  for (const Ref<TEmitter>& emitter : Emitters) emitter->Particles.Clear();
  Emitters.Clear();
  return 0;
}

}  // namespace kelp
