#pragma once
// The running level as start-up makes it, headless, on the data set the build
// made: the program folder of the build entered, the "Init" resources loaded
// once per program, the level's objects and screens made fresh for each test,
// a set clock, a seeded generator and a widget manager holding the level
// screen. Frame() runs one frame of the frame loop without drawing it (Draw()
// draws one); input goes in through the platform layer.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "framework/core/color.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/media/fade.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/window.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/play_hooks.h"
#include "play/player.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "play/tutorial.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "world/block.h"
#include "world/brick.h"
#include "world/effects/chain_lights.h"
#include "world/effects/effects_hooks.h"
#include "world/effects/electro.h"
#include "world/game_interface.h"
#include "world/handle.h"
#include "world/level.h"
#include "world/obstacle.h"
#include "world/pusher.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/trolley.h"
#include "world/world.h"

namespace play_test {

using namespace kelp;
namespace fs = std::filesystem;

class PlayScene : public ::testing::Test {
 protected:
  // The "Init" resources and the language tables are read once; each test
  // starts from every room's start values with them put back in place.
  static void SetUpTestSuite() {
    old_ = new fs::path(fs::current_path());
    fs::current_path(KELP_DATA_ROOT);
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
    testsupport::ResetPlayRooms();
    ASSERT_TRUE(ReadResourceList("res.xml"));
    ResManager->LoadScope("Init");
    LoadLanguageTables();
    loaded_ = new Ref<TResManager>(ResManager);
    texts_ = new TextTable(GameTexts);
    testsupport::ResetPlayRooms();
  }

  static void TearDownTestSuite() {
    delete loaded_;
    delete texts_;
    platform::CloseGraphics();
    fs::current_path(*old_);
    delete old_;
  }

  void SetUp() override {
    testsupport::ResetPlayRooms();
    ResManager = *loaded_;
    BindInitResources();
    CreateBlockColors();
    GameTexts = *texts_;
    setenv("APPDATA", appdata_.path().c_str(), 1);
    platform::ResetInput();
    SeedRnd(7);
    GameTime = clock.now;
    FrameSync = New<TFrameSync>();
    Mouse = New<TMouse>();
    ScreenFade = New<TFade>();
    ScreenFade->Constant = 1;
    VisualsList.AddLast(ScreenFade);
    InitEffectsHooks();
    InitPlayHooks();

    World = New<TWorld>();
    Player = New<TPlayer>();
    InGameInterface = New<TInGameInterface>();
    InGameInterface->Load();
    RedLine = New<TRedLine>();
    Thermometer = New<TThermometer>();
    TutorialHint = New<TTutorial>();
    CurrentLevel = New<TLevel>();
    LevelStaticPath = TStaticPath::Create();
    TLevel::CountLevels();
    GameScreen = New<TGame>();
    GameScreen->Resize(0, 0, 800, 600);
    WidgetManager->AddWidget(GameScreen);
    GameScreen->SetHided(1);
  }

  void TearDown() override {
    GameScreen->SetHided(1);
    testsupport::ResetPlayRooms();
    platform::ResetInput();
  }

 public:
  // Shows the level screen on level n (as a debug start does) and starts it.
  int StartLevel(int n) {
    TLevel::SetLevel(n);
    GameScreen->SetHided(0);
    return GameScreen->Start();
  }

  // What the red line does when its sweep has passed: the round begins.
  static void EndSweep() {
    GameScreen->PauseState = 0;
    GameScreen->Pause(0);
  }

  // One frame of the frame loop, 18 ms after the last, not drawn.
  void Frame(int n = 1) {
    for (int i = 0; i < n; ++i) {
      clock.Advance(18);
      GameTime = platform::Millisecs() - PausedTotal;
      if (Mouse) Mouse->Update(1.0f);
      WidgetManager->Update(1.0f);
      platform::PollEvents();
    }
  }

  // Frames until the condition holds, at most `limit`; true when it held.
  bool FramesUntil(const std::function<bool()>& condition, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (condition()) return true;
      Frame();
    }
    return condition();
  }

  void Draw() {
    platform::Cls();
    WidgetManager->Draw();
  }

  // Moves the clock on without a frame.
  void Wait(int ms) {
    clock.Advance(ms);
    GameTime = platform::Millisecs() - PausedTotal;
  }

  static void Key(int vk) {
    platform::InjectKey(vk, true);
    platform::InjectKey(vk, false);
  }

  // The number of widgets of a kind in the widget manager.
  template <class T>
  static int Count() {
    int n = 0;
    for (const auto& w : WidgetManager->WidgetsList)
      if (dynamic_cast<T*>(w.get())) ++n;
    return n;
  }
  template <class T>
  static Ref<T> Find() {
    for (const auto& w : WidgetManager->WidgetsList)
      if (auto t = std::dynamic_pointer_cast<T>(w)) return t;
    return nullptr;
  }

  testenv::FakeClock clock;

 private:
  testenv::TempDir appdata_;
  static inline fs::path* old_ = nullptr;
  static inline Ref<TResManager>* loaded_ = nullptr;
  static inline TextTable* texts_ = nullptr;
};

}  // namespace play_test
