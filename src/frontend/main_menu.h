#pragma once
// The main menu: the first screen shown, made once at start-up as
// MainMenuScreen. A small physics scene ("data/world/menu.xml") in which two
// ropes carry the four buttons (start, options, scores, quit) as textured
// quads on particles, so they swing, and the mouse pushes them with a
// constant force. Around it: a tiled sky, clouds, an occasional zeppelin,
// hopping creatures, the foreground layer with a pulsing light, the swaying
// logo, an eye that looks once when the mouse comes near, the version, a
// line about the hovered button, a greeting for the player and a link to the
// player selection.
//
// The buttons answer only once there is a current player: without one the
// name box opens as soon as the menu has faded in. A scene missing a rope,
// a button or the logo is logged and shown without that piece.
#include <functional>
#include <string>
#include <vector>

#include "framework/ui/widget.h"
#include "frontend/menu_flyers.h"
#include "platform/image.h"

namespace kelp {

class TAnimImage;
class TForce;
class THelpText;
class THyperLink;
class TMainMenu;
class TPhysButton;
class TPhysEngine;
class TPhysEngine_Group;
class TPhysLogo;

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
  TMainMenu();

  Ref<TPhysEngine> Physics;
  Ref<TForce> Force;  // the mouse's push; the one force of Physics while shown
  Ref<TPhysEngine_Group> LeftRope, RightRope;
  std::vector<Ref<TPhysButton>> Buttons;  // start, options, scores, quit (those the scene has)
  int Button_START_ID = 1;
  int Button_OPTIONS_ID = 2;
  int Button_SCORES_ID = 3;
  int Button_QUIT_ID = 4;
  int Button_LEVEL_ID = 5;
  int USER_LINK_ID = 6;
  Ref<THyperLink> UserLink;
  Ref<TPhysLogo> Logo;
  platform::ImageRef LogoPortal;  // "data/logo.png" when present
  platform::ImageRef Layer, Rope, Light, Bon, Sky;
  TPhysButton* SelectedButton = nullptr;
  TPhysButton* SelectedButtonOld = nullptr;
  int CloudGenTime = 0;
  int CloudGenSpeed = 3000;
  Ref<THelpText> HelpText;  // what the hovered button does
  Ref<THelpText> UserText;  // the greeting; made once, with HelpText, when the menu joins the manager
  Ref<TAnimImage> Eye;
  int EyeShoot = 0;
  int UserInputEnabled = 1;
  Ref<TMenuZeppelin> Zeppelin;
  int ZeppelinGenSpeed = 30000;
  int ZeppelinGenTime = 0;
  float LightAlpha = 0.0f;
  float LightSpeed = 0.0f;
  Ref<TMainMenuUpdater> MainMenuUpdater;
  int PressedID = 0;  // where the menu goes once faded out
  TMenuCreatures MenuCreatures;

  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int AddedToManager() override;
  int SetHided(int flag) override;
  virtual void StartShow();
  virtual void StartHiding();
  virtual void Load();
  virtual void UserInput();
  // Empties the scene: buttons, logo, ropes, the mouse force and the polygon animations.
  virtual void Clear();
  TPhysButton* ButtonAt(int px, int py);
  virtual void PressButton(TPhysButton& button);
  // A button of the scene's group `name`; null (logged) when the scene lacks it.
  Ref<TPhysButton> AddButton(const std::string& name, int id);
  void ShowQuitBox();
  // Fades the menu out; once dark it goes where id says (Button_START_ID:
  // the game, Button_LEVEL_ID: the level select). The texts and the link
  // leave at once.
  void LeaveFor(int id);
  // Shows the greeting for the player of that name (none for "").
  void SetGreeting(const std::string& name);
};

extern Ref<TMainMenu> MainMenuScreen;

// The exit routine of the frame loop, installed by start-up.
extern std::function<int()> ExitGameHook;

}  // namespace kelp
