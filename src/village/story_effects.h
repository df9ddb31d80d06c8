#pragma once
// Scripted effects of the village story, driven by time and by the village
// dialogs' end scripts: the opening of the desert portal, the earthquake that
// breaks the snow gate, the gate itself, the pulsing skip sign shown while
// villagers walk a scripted path, and the hurry sign of the parasite mode.
// They act on VillageScreen. Clock: stepped by dt, timed on GameTime.
#include "framework/media/visuals.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TEffectsWidget;
class TElectro;
class TEmitter;
class TFade2;
class TImpulse;
class TLight;

// The portal opening: a full-screen widget, ten timed states ending in the
// broken portal and dialog 1032.
class TPortalEffect : public TWidget {
 public:
  Ref<TEffectsWidget> Effects;
  platform::ImageRef Stones;
  float Alpha = 0.0f;
  int PulseState = 0;
  Ref<TLight> Ambient, Flash;
  Ref<TEmitter> Em1, Em2;
  int BirthTime = 0, ShakeTime = 0;
  int state = 0;
  int dx = 0;
  float Shake = 0.0f;
  int StartTime = 0;
  Ref<TFade2> Fade2;
  Ref<TElectro> Electro[3], Electro2[3];

  static Ref<TPortalEffect> Create();
  int Update(float dt) override;
  int Draw() override;
  int AddedToManager() override;
  int RemovedFromManager() override;
};

// The earthquake of the snow village: waits in states 4, 8 and 10 for the
// end scripts of dialogs 2024, 2026 and 2027, which set its state.
class TQuakeEffect : public TVisuals {
 public:
  int BirthTime = 0, ShakeTime = 0;
  int state = 0;
  int StartTime = 0;
  Ref<TFade2> Fade2;

  static Ref<TQuakeEffect> Create();
  void Update(float dt) override;
  void Draw() override;
};

// The snow village's gate: opened on every show, closed again after StayTime.
class TGate : public Object {
 public:
  static constexpr int NEW = 0, OPEN = 1, CLOSED = 2, BROKEN = 3;
  platform::ImageRef Image;
  int state = NEW;
  float x = 290.0f, y = 115.0f;
  int UpdTime = 0;
  int StayTime = 10000;

  static Ref<TGate> Create();
  void Update(int);
  void Open();
  void Close();
  // Breaks with a shake and debris; Broken is the same without (a loaded save).
  void Broke();
  void Broken();
  void Draw();
};

// The pulsing sign while villagers walk a scripted path; a click ends the walks.
class TSkipMove : public TVisuals {
 public:
  platform::ImageRef Image;
  int state = 0;  // 0 growing, 1 shrinking
  float scale = 0.0f;

  static Ref<TSkipMove> Create();
  void Update(float dt) override;
  void Draw() override;
};

// The hurry sign of the parasite mode: grows, swings, waits, shrinks, then
// gives the village its input back with the build, play and trophy buttons locked.
class THurry : public TVisuals {
 public:
  platform::ImageRef Image;
  float scale = 0.0f, scale_speed = 0.04f;
  Ref<TImpulse> Impulse;
  int state = 0;

  static Ref<THurry> Create();
  void Init();
  void Update(float dt) override;
  void Draw() override;
};

}  // namespace kelp
