#pragma once
// The decorated frame around the play field: sky, clouds and backdrop, the
// panels, the gears, rope and wheels that turn with the claw, the swing, the
// level clock, the pipe, the platform, the stone and the red line. It has no
// widget: the world's drawing calls Draw with a layer number between its own
// images, and the level screen calls Update once a frame after the player.
// Made and loaded once at start-up (before any window); SetVillage re-skins it.
#include "framework/core/object.h"
#include "platform/image.h"

namespace kelp {

class TBMFont;
class TSwing;
class TAnimImage;
class TSectorImage;
class TLight;

class TInGameInterface : public Object {
 public:
  Ref<TSwing> SwingTop;
  int SwingX = 45, SwingY = 312;  // anchor of the rope, wheels and body
  int SwingState = 0;
  Ref<TAnimImage> Gears;  // turns with the claw
  int GearsX = 42, GearsY = 0;
  int GearsState = 0;
  Ref<TAnimImage> RightGears;  // shown with the frame of Gears
  int RightGearsX = 760, RightGearsY = 0;
  int RightGearsState = 0;
  platform::ImageRef LeftPanel;
  int LeftPanelX = 0, LeftPanelY = 0;
  platform::ImageRef RightPanel;
  int RightPanelX = 560, RightPanelY = 0;
  platform::ImageRef RightPanelBack;
  platform::ImageRef LevelScore;  // the plate under the score
  Ref<TAnimImage> Rope;
  platform::ImageRef Body;
  platform::ImageRef Platform;
  platform::ImageRef BigWheel;
  float bw_angle = 0.0f;  // degrees
  platform::ImageRef Wheel;
  float w_angle = 0.0f;
  Ref<TSectorImage> ClockShadow;  // the level's time check sets its sector and angle
  int ClockTime = 0;
  platform::ImageRef ClockPip;
  platform::ImageRef ClockArrow;
  Ref<TLight> ClockLight;  // made by the level's time check, or null
  platform::ImageRef ClockCap;  // the clock face of the relaxed mode
  platform::ImageRef Back;  // the level background, chosen by the level
  platform::ImageRef Sky;   // tiled behind everything
  int CloudGenTime = 0;
  int CloudGenSpeed = 3000;  // ms between cloud checks
  int CloudInit = 0;  // 1 once the level's first clouds are made; the level start clears it

  // The backdrop by the current level and the panels by the current village.
  int SetVillage();
  // The side panels of an island (1 desert, 2 snow); others keep the panels.
  void SetPanels(int island);
  // Fetches the images and makes the swing; needs the "Init" scope loaded.
  int Load();
  // Wheels, rope and swing follow the claw's speed.
  int UpdateSwing(float dt);
  // The gears step one frame each period, backwards for a claw moving left.
  int UpdateGears();
  // Swing, gears, polygon animations, red line, clouds and the clock light.
  int Update(float dt);
  // The parts of the frame in one drawing layer, -2 to 3; other layers draw nothing.
  int Draw(int layer);
  // Between these, the level frame leaves undrawn what the side panels will
  // cover: the viewport narrows to the columns they leave showing, and the
  // layer of each panel widens it again once the panel is drawn. EndFrame
  // gives the whole viewport back.
  void BeginFrame();
  void EndFrame();

 private:
  // The frame's viewport narrowed by the panels of the layers above `layer`.
  void ClipAbove(int layer);
  bool framing_ = false;
  int frame_vx_ = 0, frame_vy_ = 0, frame_vw_ = 0, frame_vh_ = 0;
  // Fetched once: a missing one would otherwise be reported every frame.
  platform::ImageRef Pipe, Holders, Stone;  // "IMAGE_TRUBA", "IMAGE_PROGRESSBAR_HOLDERS", "IMAGE_STONE"
  Ref<TBMFont> HelpFont;                    // "FONT_HELP", left set after layer 2
};

extern Ref<TInGameInterface> InGameInterface;

}  // namespace kelp
