#pragma once
// The options dialog and the six options with their file "options.dat" in
// the save folder: sound volume, music volume and mouse sensitivity (floats),
// full screen, wide screen and the game's own cursor (bytes). The options
// themselves are globals of the code that reads them (SoundVolume and
// MusicVolume in sound.h, MouseSensitivity and CustomCursor in mouse.h,
// FullScreen and WideScreen in canvas_placement.h). Also the opening of the
// window in full screen or in a window.
#include <string>

#include "framework/ui/dialog.h"

namespace kelp {

class TButtonWidget;
class TCheckbox;
class TScrollBarH;
class TWidgetUpdater;

class TOptions : public TDialogStatic {
 public:
  static constexpr float DefMusicVol = 0.5f;
  static constexpr float DefSoundVol = 0.8f;
  static constexpr float DefSens = 0.5f;
  static constexpr int DefFullScreen = 1;
  static constexpr int DefWideScreen = 1;
  static constexpr int DefCustomCursor = 0;

  int Button_OK_ID = 1;
  int Button_CANCEL_ID = 2;
  int Button_CREDITS_ID = 3;
  int CB_FullScreen_ID = 4;
  int CB_WideScreen_ID = 44;
  int CB_CustomCursor_ID = 5;
  int Scroll_MUSIC_ID = 6;
  int Scroll_SOUND_ID = 7;
  int Scroll_SENS_ID = 8;
  Ref<TButtonWidget> BUTTON_OK, BUTTON_CANCEL, BUTTON_CREDITS;
  Ref<TCheckbox> CB_FullScreen, CB_WideScreen, CB_CustomCursor;
  Ref<TScrollBarH> Scroll_Music, Scroll_Sound, Scroll_Sens;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;
  int InGame = 0;

  TOptions();
  // The dialog (options_dialog.cpp).
  int Update(float dt) override;
  int Resize(int px, int py, int width, int height) override;
  int SetPosition(int px, int py) override;
  int DePress(int id) override;
  int CheckBoxChecked(int id, int state) override;
  int ScrollBarChanged(int id, float value) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  virtual void OK();
  virtual void CANCEL();
  virtual void StartShow();
  virtual void StartHiding();

  // The options as they were when the dialog opened, which Cancel puts back.
  float OldSoundVolume = 0, OldMusicVolume = 0, OldMouseSensitivity = 0;
  int OldFullScreenMode = 0, OldWideLayout = 0, OldCustomCursor = 0;
  int OldFullScreen = 0, OldWideScreen = 0;
  int OldFullScreenChangePending = 0, OldWideScreenChangePending = 0;

  // Reads the file into the options. A missing or short file is replaced by
  // the defaults and read again; when that cannot be written either, the
  // defaults stay in memory (logged) and 0 is returned. Volumes and the
  // sensitivity are kept within 0..1 (a NaN becomes the default).
  static int LoadOptions();
  // Writes the six current values; 0 when the file could not be written (the
  // old one is then untouched).
  static int SaveOptions();
  static int CreateDefaultConfig();
  // Open the window full screen or windowed for the current desktop and
  // options. A mode that fails is tried again, then once more on the fallback
  // renderer; 0 (logged) when even that fails.
  static int SetFullScreen();
  static int SetWindowed();
};

// The options file's path.
std::string OptionsPath();
// The options as the 15 bytes of the file, and back (false for fewer bytes).
std::string OptionsBytes(float sound, float music, float sens, int full, int wide, int cursor);
bool ParseOptions(const std::string& bytes);

}  // namespace kelp
