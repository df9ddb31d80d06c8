#pragma once
// The tutorial hint: an arrow slides in from the left edge toward a spot,
// a one-line help text stands to its left and a pulsing ring may circle the
// spot. One hint at a time, the global TutorialHint (made at start-up); the
// story dialogs, the village panel, the upgrade dialog and the villagers
// create, hide and remove hints through it.
//
// Hint ids: 1 "press PLAY" (the panel's play button blinks), 2 an arrow
// without text (the level dialogs), 3 "press BUILD" (the panel's build button
// blinks), 4 "start building" (the upgrade dialog's build button blinks), 5
// the trophy room, 6 white text alone. The texts are GameTexts entries 18,
// 21, 22, 26 and 31.
//
// Ownership: the arrow, its text and its ring live in the widget manager
// until the arrow's slide-out or fade-out ends (they leave together);
// TTutorial keeps only the newest arrow.
#include <functional>
#include <string>

#include "framework/core/object.h"
#include "framework/ui/controls.h"

namespace kelp {

class THelpText;
class TWidgetUpdater;

// The pulsing ring of a hint; drawn in canvas coordinates, centred half an
// image into its rectangle (which is twice the image).
class TCircle : public TImageWidget {
 public:
  float scale = 1.0f;
  float scale_speed = 0.01f;
  int scale_state = 0;  // 0 rising to 1.1, 1 falling to 0.9
  float alpha = 0.5f;
  float alpha_speed = 0.03f;
  int alpha_state = 0;  // 0 rising past 1, 1 falling below 0.5
  int over = 0;         // the hint is fading out
  float over_alpha = 1.0f;

  static Ref<TCircle> Create(const platform::ImageRef& image, int x, int y, int add);
  int Update(float dt) override;
  int Draw() override;
};

class TArrow : public TAnimImageWidget {
 public:
  Ref<THelpText> HelpText;
  Ref<TCircle> Circle;
  int tx = 0, ty = 0;  // where the arrow rests
  Ref<TWidgetUpdater> Updater;
  float alpha = 1.0f;
  float alpha_speed = 0.04f;
  int state = 0;  // 0 normal, 1 fading out
  int hided = 0;  // put away by Hide
  std::string text;
  int only_text = 0;

  // x, y in the 800-wide canvas; an x below 0 makes a left-pointing arrow
  // resting 120 pixels further right.
  static Ref<TArrow> Create(int x, int y, int circle);
  int Update(float dt) override;
  int Draw() override;
  int RemovedFromManager() override;
  void StartShow();
  void StartHiding();   // slides out to the right
  void StartHiding2();  // fades out
  void Hide();
  void Show();
  // The text is shown (and kept for Show).
  void SetText(const std::string& t);

 private:
  int playing_ = 0;
};

class TTutorial : public Object {
 public:
  int id = 0;     // 0 none
  int state = 0;  // 0 just created, 1 text set, 2 hiding
  Ref<TArrow> Arrow;
  int x = 0, y = 0;  // the target point; x includes CanvasOffsetX

  void Create(int id, int x, int y, int circle);
  void Update(float dt);
  void Draw() {}
  void StartHiding();
  void StartHiding2();
  // 1: the arrow leaves the widget manager with its text and ring.
  void SetHided(int flag);
  void Hide();
  void Show();
};

extern Ref<TTutorial> TutorialHint;

// The button a hint makes blink (hint 1 the panel's play button, 3 its build
// button, 4 the upgrade dialog's build button), filled by the village; null
// when there is none.
extern std::function<Ref<TButtonWidget>(int hintId)> TutorialButton;

}  // namespace kelp
