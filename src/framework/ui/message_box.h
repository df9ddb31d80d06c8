#pragma once
// The message box: a modal box with a wrapped text and one button (OK) or two
// (Yes, No) that slides in from above, answers the mouse, Enter and Escape,
// slides out and then reports box id x button id to its listener's DePress.
#include <functional>
#include <string>

#include "framework/media/bmfont.h"
#include "framework/ui/dialog.h"
#include "framework/ui/text_ink.h"

namespace kelp {

class TButtonWidget;
class TWidgetUpdater;

// Opens the player selection dialog; the front end installs it.
extern std::function<void()> ShowUserOptionsHook;

class TMessageBox : public TDialogStatic {
 public:
  static constexpr int Button_0_ID = 15000;  // the single button
  static constexpr int Button_1_ID = 15001;  // first of two
  static constexpr int Button_2_ID = 15002;  // second of two
  static constexpr TextInk kInk = kInkOnCream;  // the text, on the box's cream

  int ID = 0;
  std::string Name;
  WeakRef<TWidget> Listener;
  Ref<TButtonWidget> Button_1;
  Ref<TButtonWidget> Button_2;
  std::string Text;  // backslash-n pairs break lines
  int ButtonsCount = 0;
  std::string ButtonName1, ButtonName2;  // animated images of the buttons
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int options = 0;  // 1, 2: the listener goes away with the box (1 also reopens the player selection)
  int text_y = 0;

  int Update(float dt) override;
  int Draw() override;
  int Resize(int px, int py, int width, int height) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  virtual int StartShow();
  virtual int StartHiding();

 private:
  void PlaceButtons();
  int reported_ = 0;
};

Ref<TMessageBox> ShowMessageBox(int id, const Ref<TWidget>& listener, const std::string& text, int buttonsCount,
                                const std::string& buttonName1, const std::string& buttonName2, int options);

extern platform::ImageRef ImageGuiMessageBox;  // the message box picture, bound by the game at start-up
extern Ref<TBMFont> FontPopup;  // the message box text, bound by the game at start-up

}  // namespace kelp
