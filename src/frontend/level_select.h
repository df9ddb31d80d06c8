#pragma once
// The level select: replays any level already reached, in either game mode,
// outside the campaign. Ten thumbnails a page on a 4 x 3 grid (the middle of
// the bottom row holds the frame), the three best results of the selected
// level in the chosen mode, play (or a double click), a random reached level,
// back, and page arrows. A game started here is a level-select game: the
// running level's CustomLevel is set and nothing is saved to the profile.
//
// Only real levels are shown: the last page is the one holding the last
// pack, and no icon stands for a level without a pack.
#include <string>

#include "framework/ui/text_ink.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TBMFont;
class TButtonWidget;
class TCheckbox;
class TImageWidget;
class TLevelRecord;
class TLevelSelect;
class TWidgetUpdater;

// "data/img/gui/level_select/NNN.jpg": the level's thumbnail, three digits.
std::string LevelThumbnailPath(int level);
// Whether the icon of a level is locked for a profile at savedLevel (the level
// the campaign stands at) with or without the campaign completed: open only
// below the saved level, or every level once completed; 68-70 and levels
// without a pack stay locked.
bool LevelIconLocked(int level, int savedLevel, int completed, int levelCount);
// The random button draws from 1 to this; 0 locks it (nothing reached yet).
int RandomLevelTop(int savedLevel, int completed, int levelCount);
// The index of the last page, the one holding the last level (0 without levels).
int LevelSelectLastPage(int levelCount);
// The page after a step of delta (-1 or 1), wrapping over 0..lastPage.
int WrapPage(int page, int delta, int lastPage);

class TLevelIcon : public TWidget {
 public:
  static constexpr TextInk kInk = kInkOnCream;  // the level number, on the border's tag
  int id = 0;  // level number; 0 for an empty cell
  platform::ImageRef Image;
  uint8_t Locked = 1;
  Ref<TLevelRecord> NormalRecord, RelaxedRecord;
  Ref<TWidgetUpdater> Updater;
  int start_x = 0, start_y = 0, target_x = 0, target_y = 0;
  int ShowTime = 0, HideTime = 0;
  int sound = 0;  // the landing sound has played
  int TranslateX = 0, TranslateY = 0;
  float OverAlpha = 0.0f, OverAlphaSpeed = 1.0f;
  int AlphaState = 0;
  int IsDown = 0;
  TLevelSelect* Listener = nullptr;  // the screen owns its icons
  int PressedTime = -100000;

  int Update(float dt) override;
  int Draw() override;
  int MouseDown(int button) override;
  int MouseUp(int button) override;
  int DePress(int id) override;
  // Shows another level: thumbnail, lock and records.
  void Change(int level);
  void StartShow();
  void StartHiding();
  bool Shown() const;   // landed, and 100 ms since
  bool Hidden() const;  // slid out, and 50 ms since

 private:
  int landed_ = 0;  // game clock of the landing or the end of the slide-out; 0 while moving
};

class TLevelSelect : public TWidget {
 public:
  static constexpr TextInk kInk = kInkOnCream;  // the texts, on the frame's parchment
  static constexpr int BUTTON_PLAY_ID = 1;
  static constexpr int BUTTON_RANDOM_ID = 2;
  static constexpr int BUTTON_BACK_ID = 3;
  static constexpr int CB_NORMAL_ID = 6;
  static constexpr int CB_RELAXED_ID = 7;
  int BUTTON_ARROW_L_ID = 4, BUTTON_ARROW_R_ID = 5;

  Ref<TButtonWidget> BUTTON_PLAY, BUTTON_RANDOM, BUTTON_BACK, BUTTON_ARROW_L, BUTTON_ARROW_R;
  Ref<TCheckbox> CB_NORMAL, CB_RELAXED;
  Ref<TImageWidget> Back;
  platform::ImageRef Image;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int MainMenu = 0;  // 1 opened from the main menu, 0 from the island map
  Ref<TBMFont> Font;
  std::string LevelText, NamesText, ScoresText;
  Ref<TLevelIcon> Icon[10];
  int page = 0;
  int pages = 0;  // the last page
  int SelectedID = 0;
  int RandomLevel = 0;
  int GameMode = 0;  // the mode the check boxes show
  platform::ImageRef LockedImage, BorderImage, SelectorImage;  // shared by the icons

  int Update(float dt) override;
  int Draw() override;
  int SetPosition(int px, int py) override;
  int Resize(int px, int py, int width, int height) override;
  int DePress(int id) override;
  int CheckBoxChecked(int id, int state) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetHided(int flag) override;
  void LoadPage(int page);
  // Starts the selected level as a level-select game; false when it would not start.
  bool Start();
  void StartShow();
  void StartHiding();
  // Makes the icon the selected one and fills the texts with its records.
  void Select(TLevelIcon* icon);

  TLevelIcon* Selected = nullptr;  // one of Icon, or null
};

Ref<TLevelSelect> ShowLevelSelect(int mainMenu);

}  // namespace kelp
