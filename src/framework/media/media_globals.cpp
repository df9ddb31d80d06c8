#include "framework/media/media_globals.h"

#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"

namespace kelp {

void ResetMediaGlobals() {
  // The effects go first: an effect may hold a sound, a font or a resource.
  VisualsList.Clear();
  VisualsHooks = TVisualsHooks{};
  PolyAnims().Clear();

  CurrentBMFont = nullptr;

  DesktopAspect = "4:3";
  ScreenWidth = 800;
  ScreenHeight = 600;
  WideLayout = 0;
  ScreenScaleX = ScreenScaleY = 1.0;
  VirtualWidth = 800;
  VirtualHeight = 600;
  VirtualCenterX = ScreenCenterX = 400;
  VirtualCenterY = ScreenCenterY = 300;
  CanvasOffsetX = 0;
  DesktopWidth = DesktopHeight = 0;
  FullScreen = WideScreen = 1;
  ShakeOffsetX = ShakeOffsetY = 0.0f;
  SideBarLeft = SideBarRight = nullptr;

  FadeWidth = 800;
  FadeHeight = 600;
  ScreenFade = nullptr;
  GraphicsStateStack->Clear();
  ParticleGlowImage = nullptr;
  ResManager = New<TResManager>();

  ResetSound();
  UseSoundMixer(nullptr);
  AudioStreamFactory = nullptr;
  SoundVolume = 0.8f;
  MusicVolume = 0.5f;
}

}  // namespace kelp
