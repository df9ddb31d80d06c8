#pragma once
// The name entry box: a modal dialog sliding in above the main menu where the
// player types a new profile name of up to 8 letters and digits. On OK it
// makes the profile and greets the player, or says that the name is taken.
#include <functional>
#include <string>

#include "framework/ui/dialog.h"
#include "framework/ui/text_ink.h"

namespace kelp {

class TBMFont;
class TButtonWidget;
class TWidgetUpdater;

// What the name box needs of the front end, installed by it.
// A profile of that name exists (compared as the profiles compare names).
extern std::function<bool(const std::string& name)> ProfileNameTakenHook;
// Makes the profile, makes it the current user and shows the greeting in the main menu.
extern std::function<void(const std::string& name, const std::string& greeting)> CreateProfileHook;
// The box opened from the main menu has gone: the menu takes input again.
extern std::function<void()> NameBoxClosedHook;

// The blinking caret.
class TBlinkLine : public Object {
 public:
  int height = 0;
  int state = 0;  // 0 fading out, 1 fading in
  float alpha = 1.0f;
  float speed = 0.04f;

  static Ref<TBlinkLine> Create(float height);
  int Update(float dt);
  int Draw(int x, int y);
};

// The typed text, on the boxes' dark slot.
inline constexpr TextInk kInputInk = kInkOnDark;

class TInputBox2 : public TDialogStatic {
 public:
  static constexpr int MaxNameLength = 8;

  std::string Name;
  int ID = 0;
  Ref<TBlinkLine> Line;
  int Button_OK_ID = 1;
  Ref<TButtonWidget> Button_OK;
  Ref<TBMFont> Font;
  int options = 0;  // 0: back to the main menu when the box goes; else the player selection
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int UpdTime = 0, PauseTime = 100;
  std::string add;  // the character being added to Name

  int Resize(int px, int py, int width, int height) override;
  int SetPosition(int px, int py) override;
  int RemovedFromManager() override;
  int AddedToManager() override;
  int DePress(int id) override;
  int Draw() override;
  int Update(float dt) override;
  virtual int OK();
  virtual int StartShow();
  virtual int StartHiding();

 private:
  void PlaceButton();
  void Type();
};

// The general text box no screen of the game opens: OK (or Enter) reports
// InputFinished(ID, Name), Cancel (or Escape) InputFinished(ID, ""), each at
// the end of the slide-out; an empty text is accepted.
class TInputBox : public TDialogStatic {
 public:
  std::string Name;
  WeakRef<TWidget> Listener;
  int ID = 0;
  Ref<TBlinkLine> Line;
  int Button_OK_ID = 1;
  int Button_CANCEL_ID = 2;
  Ref<TButtonWidget> Button_OK;
  Ref<TButtonWidget> BUTTON_CANCEL;
  Ref<TBMFont> Font;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int UpdTime = 0, PauseTime = 100;
  std::string add;

  int Resize(int px, int py, int width, int height) override;
  int SetPosition(int px, int py) override;
  int RemovedFromManager() override;
  int AddedToManager() override;
  int DePress(int id) override;
  int Draw() override;
  int Update(float dt) override;
  virtual int OK();
  virtual int CANCEL();
  virtual int StartShow();
  virtual int StartHiding();

 private:
  void PlaceButtons();
  int reported_ = 0;
};

// Slides in a box whose text starts as `prompt`; id comes back with the answer.
Ref<TInputBox> ShowInputBox(int id, const Ref<TWidget>& listener, const std::string& prompt);

// "Hello <name>!" and the second line, as the main menu shows them.
std::string NameGreeting(const std::string& name);

Ref<TInputBox2> ShowInputBox2(int options);

extern Ref<TBMFont> FontUserlist;  // the name list text, bound by the game at start-up

}  // namespace kelp
