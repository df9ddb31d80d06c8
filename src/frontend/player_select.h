#pragma once
// The player selection dialog, opened from the main menu: the list of
// players with a selection moved by two arrows (wrapping at both ends), OK
// to play as the selected player, New (at most five players) and Delete
// after a confirmation. Modal; the main menu takes no input while it shows,
// and its greeting is rebuilt when it leaves. Enter acts as OK, Escape as
// Cancel. Every choice acts once the dialog has slid out.
#include "framework/ui/dialog.h"

namespace kelp {

class TButtonWidget;
class TListbox;
class TMessageBox;
class TWidgetUpdater;

class TUserOptions : public TDialogStatic {
 public:
  static constexpr int MaxProfiles = 5;
  static constexpr int DeleteBoxID = 1;   // the delete confirmation
  static constexpr int TooManyBoxID = 2;  // "no room for another player"

  int Button_OK_ID = 1;
  int Button_CANCEL_ID = 2;
  int Button_NEW_ID = 3;
  int Button_DELETE_ID = 4;
  int Button_ARROW_UP_ID = 5;
  int Button_ARROW_DOWN_ID = 6;
  Ref<TButtonWidget> BUTTON_OK, BUTTON_CANCEL, Button_NEW, Button_DELETE, Button_ARROW_UP, Button_ARROW_DOWN;
  Ref<TListbox> User_ListBox;  // Selected is 1-based
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  Ref<TMessageBox> DeleteMessageBox;

  int AddedToManager() override;
  int RemovedFromManager() override;
  int Update(float dt) override;
  int DePress(int id) override;
  int Resize(int px, int py, int width, int height) override;
  int SetPosition(int px, int py) override;
  virtual int StartShow();
  virtual int StartHiding();
  // Lists the players in Profiles order; the current player's row is selected.
  void RefreshList();
  // Removes the selected player (file and all); nothing when no row is selected.
  void DeleteUser();
  // Plays as the selected player (SetUser) and leaves; a missing row changes nothing.
  void OK();
  void CANCEL();

 private:
  int acted_ = 0;
};

// Opens the dialog centred above the top edge and slides it in.
Ref<TUserOptions> ShowUserOptions();

}  // namespace kelp
