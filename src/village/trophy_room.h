#pragma once
// The trophy room and the trophy award.
//
// The room (TrophyRoomScreen, made at start-up, added after the village
// screen) opens from the panel's trophy button: a framed shelf slides in over
// the village sky, whose day keeps running; owned trophies show in colour,
// the others as silhouettes, and the one under the mouse is shown enlarged
// with its description. Back closes it through a fade.
//
// The award (ShowTrophyWidget) is what a village dialog plays when it hands
// a trophy over: a frame slides in from the right, the trophy grows in it
// with a wobble, waits until the dialog closes (skip), rises, and spins away;
// the panel's trophy button starts blinking, and the portal stones are set
// in the desert's portal.
#include <string>

#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TBlink;
class TEffectsWidget;
class TEmitter;
class THelpText;
class TImpulse;
class TTrophy;
class TWidgetUpdater;

class TTrophyRoom : public TWidget {
 public:
  static constexpr int Back_ID = 1;
  platform::ImageRef Form;
  Ref<TImageWidget> Frame;  // its x is the shelf's offset
  platform::ImageRef Sky;
  int CloudGenTime = 0, CloudGenSpeed = 3000;
  int IsDown = 0;
  Ref<TButtonWidget> Back;
  int Back_x = 12, Back_y = 510;
  Ref<TBlink> Effect;
  Ref<TEmitter> Emitter;
  Ref<THelpText> HelpText;
  float hover_alpha = 0.0f;
  int hover_state = 0;  // 1 fading in, 2 fading out
  Ref<TTrophy> Hovered;
  float startX = 0, startY = 0, currentX = 0, currentY = 0;
  float angle = 0, speed = 0, radius = 0;
  int clockwise = 0;
  platform::ImageRef TrophyBack;
  Ref<TWidgetUpdater> Updater;

  int Update(float dt) override;
  int Draw() override;
  int Resize(int px, int py, int width, int height) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int MouseUp(int button) override;
  int MouseDown(int button) override;
  // 0 opens the room over the village, 1 closes it and gives the village back.
  int SetHided(int flag) override;
  void StartShow();
  void StartHiding();

 private:
  void MakeParts();
};

// The award picture: full screen, states 0 waiting for the frame, 1 growing,
// 2 wobbling, 3 waiting for the dialog (skip), 4 rising, 5 flying off, 6 ending.
class TTrophyImage : public TWidget {
 public:
  Ref<TEffectsWidget> Effects;
  std::string name;
  platform::ImageRef image;
  float x = 0, y = 0, dx = 0, dy = 0, angle = 0, angle_speed = 0, scale = 0, scale_speed = 0;
  Ref<TImpulse> impulse;
  int state = 0;
  float shadow = 0;
  Ref<TEmitter> Stars;
  float glow_alpha = 0, glow_speed = 0;
  int glow_state = 0;
  platform::ImageRef Glow;
  int skip = 0;  // the dialog has closed

  static Ref<TTrophyImage> Create(const std::string& imageId);
  int Update(float dt) override;
  int Draw() override;
  int AddedToManager() override;
  int RemovedFromManager() override;
};

// The sliding frame of an award, holding its picture.
class TTrophyWidget : public TWidget {
 public:
  platform::ImageRef Frame;
  std::string name;
  Ref<TTrophyImage> Trophy;
  Ref<TWidgetUpdater> Updater;
  int sound = 0;

  int Update(float dt) override;
  int Draw() override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  // Every award frame and picture leaves the widget manager.
  static void Clear();
  void StartShow();
  void StartHiding();
};

Ref<TTrophyWidget> ShowTrophyWidget(const std::string& imageId);

extern Ref<TTrophyRoom> TrophyRoomScreen;

}  // namespace kelp
