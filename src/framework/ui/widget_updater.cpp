#include "framework/ui/widget_updater.h"

#include "framework/media/canvas_placement.h"
#include "framework/media/impulse.h"
#include "framework/media/sound.h"
#include "framework/ui/widget.h"

namespace kelp {

int TAccelObject::Update(float dt, float& value, int dir) {
  if (!Stopped) {
    accel += SpeedAccel;
    float v = value + dt * accel * static_cast<float>(dir);
    if ((v >= Target && dir == 1) || (v <= Target && dir == -1)) {
      v = Target;
      Stopped = 1;
      impulse = ObjectImpulse;
    }
    value = v;
    return 0;
  }
  if (!impulse) {
    Death = 1;
    return 0;
  }
  impulse->Update(dt);
  value = Target + impulse->impulse_strength;
  if (impulse->Death) {
    impulse = nullptr;
    value = Target;
  }
  return 0;
}

Ref<TWidgetUpdater> TWidgetUpdater::Create(const Ref<TWidget>& widget, int sound) {
  auto u = New<TWidgetUpdater>();
  u->Widget = widget;
  u->sound = sound;
  if (widget) widget->Slider = u;
  return u;
}

int TWidgetUpdater::Init(int horizontal, int vertical, float accelIn, float accelOut) {
  x = horizontal;
  y = vertical;
  const Ref<TWidget> w = Widget.lock();
  const int width = w ? w->_width : 0, height = w ? w->_height : 0;
  if (horizontal) {
    pos0 = static_cast<float>(VirtualCenterX - width / 2);
    pos1 = static_cast<float>(-width);
  }
  if (vertical) {
    pos0 = static_cast<float>(VirtualCenterY - height / 2);
    pos1 = static_cast<float>(-height);
  }
  accel0 = accelIn;
  accel1 = accelOut;
  return 0;
}

int TWidgetUpdater::StartShow(float bounceScale, float bounceAttenuation, float bounceSpeed) {
  State = 1;
  Accel = New<TAccelObject>();
  Accel->SpeedAccel = accel0;
  Accel->Target = pos0;
  if (bounceScale != 0.0f) {
    Accel->ObjectImpulse = TImpulse::CreateImpulse(bounceScale, bounceAttenuation, bounceSpeed, 1);
    if (Accel->ObjectImpulse) {
      Accel->ObjectImpulse->started = 0;
      // The slide steps its bounce itself; in the effects list as well it
      // would run twice as fast, or be cleared away in the middle.
      ReleaseFromVisuals(Accel->ObjectImpulse);
    }
  }
  if (sound) {
    StopSoundEffect("SOUND_SLIDE_OUT");
    PlaySoundEffect("SOUND_SLIDE_IN", 0.0f, 1);
  }
  return 0;
}

int TWidgetUpdater::StartHiding() {
  State = 2;
  Accel = New<TAccelObject>();
  Accel->SpeedAccel = accel1;
  Accel->Target = pos1;
  if (sound) {
    StopSoundEffect("SOUND_SLIDE_IN");
    PlaySoundEffect("SOUND_SLIDE_OUT", 0.0f, 1);
  }
  return 0;
}

int TWidgetUpdater::Update(float dt) {
  if (State == 1) return UpdateShowing(dt);
  if (State == 2) return UpdateHiding(dt);
  return 0;
}

int TWidgetUpdater::UpdateShowing(float dt) {
  const Ref<TWidget> w = Widget.lock();
  if (!w || !Accel) return 0;
  if (x) Accel->Update(dt, w->_x, Dir);
  if (y) Accel->Update(dt, w->_y, Dir);
  if (Accel->ObjectImpulse && Accel->Stopped) Accel->ObjectImpulse->started = 1;
  return 0;
}

int TWidgetUpdater::UpdateHiding(float dt) {
  const Ref<TWidget> w = Widget.lock();
  if (!w || !Accel) return 0;
  if (x) Accel->Update(dt, w->_x, -Dir);
  if (y) Accel->Update(dt, w->_y, -Dir);
  if (Accel->IsDeath()) Death = 1;
  return 0;
}

}  // namespace kelp
