#pragma once
// The main menu: the first screen shown, made once at start-up as
// MainMenuScreen. This version draws the sky, the foreground layer with its
// pulsing light, the logo, the four menu buttons in a column and the
// version; Escape asks whether to quit, and "yes" fades out and leaves
// through the exit routine.
#include <functional>
#include <vector>

#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage;
class TMainMenu;

class TMainMenuUpdater : public Object {
 public:
  TMainMenu* menu = nullptr;
  int state = 0;  // 0 idle, 1 showing, 2 hiding
  int Death = 0;  // the fade-out has finished

  static Ref<TMainMenuUpdater> Create(TMainMenu* menu);
  void StartShow();
  void StartHiding();
  void Update(float dt);
  void UpdateShowing(float dt);
  void UpdateHiding(float dt);
  int IsDeath() const { return Death; }
  int IsHiding() const { return state == 2; }
  int IsShowing() const { return state == 1; }
};

class TMainMenu : public TWidget {
 public:
  // A menu button: its strip (frame 0 normal, 1 hover, 2 pressed) and its
  // place on the 800-wide canvas.
  struct TMenuButton {
    int ID = 0;
    Ref<TAnimImage> Anim;
    float x = 0.0f, y = 0.0f;
    int isDown = 0, isOver = 0, wasOver = 0, Hit = 0;
    float OverAlphaSpeed = 0.1f, OverAlpha = 0.0f;
  };

  std::vector<TMenuButton> Buttons;  // start, options, scores, quit
  int Button_START_ID = 1;
  int Button_OPTIONS_ID = 2;
  int Button_SCORES_ID = 3;
  int Button_QUIT_ID = 4;
  int Button_LEVEL_ID = 5;
  int USER_LINK_ID = 6;
  platform::ImageRef Logo;
  platform::ImageRef Layer;
  platform::ImageRef Light;
  platform::ImageRef Sky;
  TMenuButton* SelectedButton = nullptr;
  TMenuButton* SelectedButtonOld = nullptr;
  int UserInputEnabled = 1;
  float LightAlpha = 0.0f;
  float LightSpeed = 0.0f;
  Ref<TMainMenuUpdater> MainMenuUpdater;
  int PressedID = 0;

  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int SetHided(int flag) override;
  virtual void StartShow();
  virtual void StartHiding();
  virtual void Load();
  virtual void UserInput();
  virtual void Clear();
  TMenuButton* ButtonAt(int px, int py);
  virtual void PressButton(TMenuButton& button);
  void ShowQuitBox();
  // Fades the menu out; once dark it goes where id says (Button_START_ID:
  // the game, Button_LEVEL_ID: the level select).
  void LeaveFor(int id);
};

extern Ref<TMainMenu> MainMenuScreen;

// The exit routine of the frame loop, installed by start-up.
extern std::function<int()> ExitGameHook;

}  // namespace kelp
