#include "framework/ui/ui_globals.h"

#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"

namespace kelp {

void ResetUiGlobals() {
  WidgetManager = New<TWidgetManager>();
  UpdateFrameHook = nullptr;
  Mouse = nullptr;
  MouseSensitivity = 0.5f;
  CustomCursor = 0;
  FullScreenMode = 0;
  ClickSoundHook = DefaultClickSoundHook;
  ProfileNameTakenHook = nullptr;
  CreateProfileHook = nullptr;
  NameBoxClosedHook = nullptr;
  ShowUserOptionsHook = nullptr;
  ImageGuiMessageBox = nullptr;
  FontPopup = nullptr;
  FontUserlist = nullptr;
}

}  // namespace kelp
