#pragma once
// The one mouse of the game: the pointer in virtual coordinates, its motion
// each frame, the button states, and the pointer's look: the system pointer
// or the game's own cursor picture. The game's cursor moves by the pointer's
// motion times a sensitivity; in a window it hands the pointer back to the
// system at the window's edge and takes it again when the pointer returns.
// Also the small window operations used when the window opens.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "framework/core/object.h"
#include "platform/image.h"
#include "platform/input.h"

namespace kelp {

class TAnimImage;

// The options the mouse follows; the options code sets them.
extern float MouseSensitivity;  // 0..1; the mouse's sensitivity is this + 0.5
extern int CustomCursor;        // 1: the game's own cursor picture
// 1 while the window is full screen; set when the window opens.
extern int FullScreenMode;

// A cursor picture: a plain image, an animated image, or none.
using TCursorImage = std::variant<std::monostate, platform::ImageRef, Ref<TAnimImage>>;

class TMouse : public Object {
 public:
  int ID = 0;       // kind of the current cursor; Init with the same kind does nothing
  int custom = 0;   // the game's cursor picture is in use (system pointer hidden)
  int system = 0;   // forces the system pointer
  int old_custom = 0;
  int hided = 0;
  int out = 0;      // in a window: the pointer is outside and the system's
  TCursorImage image;
  float x = 0.0f, y = 0.0f;
  float dx = 0.0f, dy = 0.0f;
  float x0 = 0.0f, dx0 = 0.0f;
  float sensivity = 1.0f;
  int Bt1Down = 0, Bt2Down = 0;
  int Bt1Up = 0, Bt2Up = 0;    // released since the last press, until Flush
  int Bt1Hit = 0, Bt2Hit = 0;  // presses since the previous update, however short
  int FreeMove = 1;            // 0 keeps the position on the screen

  void Flush();
  void DefaultInit();
  void BusyInit();
  void SystemInit();
  void CustomInit();
  void SetSens(float value);
  // Selects the cursor: the picture resource (unless `system`), else the
  // system cursor of that id. Nothing when kind is the one in force.
  void Init(int systemCursor, const std::string& picture, int kind);
  // Once a frame, with the frame factor.
  void Update(float factor);
  void Hide();
  void Show();
  void Center();
  void Move(float x, float y);
  void Position(float x, float y);
  // The game's cursor picture at (x, y); nothing with the system pointer.
  void Draw();

 private:
  // The pointer was free (pause, no focus): its next position is no motion.
  bool resync_ = false;
  // What the buttons did since the last update, quick clicks included.
  platform::ButtonLatch button1_{1}, button2_{2};
};

// Cursor kinds.
enum : int { CURSOR_KIND_FORBIDDEN = 0, CURSOR_KIND_NORMAL = 1, CURSOR_KIND_HAND = 2, CURSOR_KIND_BUSY = 3,
             CURSOR_KIND_SYSTEM = 20 };

extern Ref<TMouse> Mouse;

// Start-up's cursor: the game's own picture or the system pointer as the
// options say, the options' sensitivity, and the pointer at the centre.
void InitCursor();

// Hides the pointer and forgets every key and button hit so far.
void HideCursorFlushInput();

// The window's icon from the first picture of an icon file (or, when that
// cannot be read, the PNG of the same name beside it).
void SetWindowIconFromFile(const std::string& file);
// The first picture of an icon file (PNG or 24/32-bit bitmap entries); null
// when the bytes are no icon file or the picture is damaged.
platform::PixmapRef ReadIconFile(const std::vector<uint8_t>& bytes);
void CenterActiveWindow();
void CenterWindow();
// The system pointer's look, by Windows cursor id.
void SetClassCursor(int systemCursor);

}  // namespace kelp
