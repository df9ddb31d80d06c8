#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/input.h"

namespace {

using namespace platform;

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    ResetInput();
    ResetAppState();
  }
  void TearDown() override {
    ResetInput();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
  }

  static void PushKey(SDL_Scancode sc, SDL_Keycode sym, bool down, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = sc;
    e.key.keysym.sym = sym;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  }
  static void PushText(const char* text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text, sizeof(e.text.text));
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  }
  static void PushButton(Uint8 sdl_button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = sdl_button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  }
};

struct KeyCase {
  SDL_Scancode scancode;
  SDL_Keycode keycode;
  int vk;
};

std::vector<KeyCase> GameKeys() {
  std::vector<KeyCase> cases = {
      {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 8},
      {SDL_SCANCODE_RETURN, SDLK_RETURN, 13},
      {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 13},
      {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 27},
      {SDL_SCANCODE_SPACE, SDLK_SPACE, 32},
      {SDL_SCANCODE_LEFT, SDLK_LEFT, 37},
      {SDL_SCANCODE_UP, SDLK_UP, 38},
      {SDL_SCANCODE_RIGHT, SDLK_RIGHT, 39},
      {SDL_SCANCODE_DOWN, SDLK_DOWN, 40},
      {SDL_SCANCODE_DELETE, SDLK_DELETE, 46},
      {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, 160},
      {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, 161},
      {SDL_SCANCODE_EQUALS, SDLK_EQUALS, 187},
      {SDL_SCANCODE_MINUS, SDLK_MINUS, 189},
      {SDL_SCANCODE_0, SDLK_0, 48},
      {SDL_SCANCODE_KP_0, SDLK_KP_0, 96},
  };
  for (int i = 0; i < 9; ++i) {
    cases.push_back({SDL_Scancode(SDL_SCANCODE_1 + i), SDL_Keycode(SDLK_1 + i), 49 + i});
    cases.push_back({SDL_Scancode(SDL_SCANCODE_KP_1 + i), SDL_Keycode(SDLK_KP_1 + i), 97 + i});
  }
  for (int i = 0; i < 26; ++i) cases.push_back({SDL_Scancode(SDL_SCANCODE_A + i), SDL_Keycode(SDLK_a + i), 65 + i});
  for (int i = 0; i < 12; ++i) cases.push_back({SDL_Scancode(SDL_SCANCODE_F1 + i), SDL_Keycode(SDLK_F1 + i), 112 + i});
  return cases;
}

TEST_F(InputTest, EveryKeyTheGameNamesMapsToItsVirtualKeyCode) {
  for (const KeyCase& c : GameKeys()) {
    SCOPED_TRACE(testing::Message() << "scancode " << c.scancode << " vk " << c.vk);
    PushKey(c.scancode, c.keycode, true);
    PollEvents();
    EXPECT_TRUE(KeyDown(c.vk));
    EXPECT_EQ(KeyHit(c.vk), 1);
    PushKey(c.scancode, c.keycode, false);
    PollEvents();
    EXPECT_FALSE(KeyDown(c.vk));
    EXPECT_FALSE(AnyKeyDown());
  }
}

TEST_F(InputTest, LettersFollowTheLayoutAndFallBackToThePosition) {
  // AZERTY: the key in the position of Q types "a".
  PushKey(SDL_SCANCODE_Q, SDLK_a, true);
  // A Cyrillic layout: the key types a non-Latin character; the position decides.
  PushKey(SDL_SCANCODE_D, SDL_Keycode(0x432), true);
  PollEvents();
  EXPECT_EQ(KeyHit('A'), 1);
  EXPECT_EQ(KeyHit('Q'), 0);
  EXPECT_EQ(KeyHit('D'), 1);
}

TEST_F(InputTest, KeyHitCountsPressesAndAutoRepeatAddsNone) {
  PushKey(SDL_SCANCODE_SPACE, SDLK_SPACE, true);
  PushKey(SDL_SCANCODE_SPACE, SDLK_SPACE, true, /*repeat=*/true);
  PushKey(SDL_SCANCODE_SPACE, SDLK_SPACE, true, /*repeat=*/true);
  PushKey(SDL_SCANCODE_SPACE, SDLK_SPACE, false);
  PushKey(SDL_SCANCODE_SPACE, SDLK_SPACE, true);
  PollEvents();
  EXPECT_TRUE(KeyDown(32));
  EXPECT_EQ(KeyHit(32), 2);
  EXPECT_EQ(KeyHit(32), 0) << "a query clears the count";
  EXPECT_TRUE(KeyDown(32)) << "a query leaves the held state";
}

// The presses of one frame in their order, each with the text the system
// typed with it: as X sends "Tess1" typed at once, the second s taken for a
// repeat and Shift held over the e.
TEST_F(InputTest, KeyPressesKeepTheirOrderAndTheirText) {
  PushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true);
  PushKey(SDL_SCANCODE_T, SDLK_t, true);
  PushText("T");
  PushKey(SDL_SCANCODE_T, SDLK_t, false);
  PushKey(SDL_SCANCODE_E, SDLK_e, true);
  PushText("e");
  PushKey(SDL_SCANCODE_E, SDLK_e, false);
  PushKey(SDL_SCANCODE_S, SDLK_s, true);
  PushText("s");
  PushKey(SDL_SCANCODE_S, SDLK_s, true, /*repeat=*/true);
  PushText("s");
  PushKey(SDL_SCANCODE_S, SDLK_s, false);
  PushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false);
  PushKey(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, true);
  PushKey(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, true, /*repeat=*/true);
  PushKey(SDL_SCANCODE_1, SDLK_1, true);
  PushText("1");
  PushText("\xc3\xa9");  // an input method's text, with no press
  PollEvents();
  // Injected presses type as a US keyboard, with the injected Shift.
  InjectKey(VK_LSHIFT, true);
  InjectKey('Z', true);
  InjectKey('2', true);
  InjectKey(VK_LSHIFT, false);
  InjectKey('Y', true);
  InjectKey('Y', true, /*repeat=*/true);
  InjectKey(VK_NUMPAD0 + 7, true);

  struct Want {
    int vk;
    std::string text;
    bool repeat;
  };
  const std::vector<Want> want = {
      {VK_LSHIFT, "", false}, {'T', "T", false}, {'E', "e", false}, {'S', "s", false},
      {'S', "s", true},       {VK_BACK, "", false}, {VK_BACK, "", true}, {'1', "1", false},
      {0, "\xc3\xa9", false}, {VK_LSHIFT, "", false}, {'Z', "Z", false}, {'2', "", false},
      {'Y', "y", false},      {'Y', "y", true},  {VK_NUMPAD0 + 7, "7", false}};
  const std::vector<KeyPress> got = TakeKeyPresses();
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].vk, want[i].vk) << i;
    EXPECT_EQ(got[i].text, want[i].text) << i;
    EXPECT_EQ(got[i].repeat, want[i].repeat) << i;
  }
  EXPECT_TRUE(TakeKeyPresses().empty()) << "a read clears the queue";
  EXPECT_EQ(KeyHit('S'), 1) << "the hit counts are read apart from the queue; a repeat adds no hit";

  // Nobody reading: only the latest are kept. A flush drops them.
  for (size_t i = 0; i < kMaxKeyPresses + 5; ++i) {
    InjectKey(i % 2 ? 'Q' : 'W', true);
    InjectKey(i % 2 ? 'Q' : 'W', false);
  }
  const std::vector<KeyPress> kept = TakeKeyPresses();
  ASSERT_EQ(kept.size(), kMaxKeyPresses);
  EXPECT_EQ(kept.back().vk, 'W') << "the latest press is kept";
  InjectKey('E', true);
  FlushKeys();
  EXPECT_TRUE(TakeKeyPresses().empty());
}

TEST_F(InputTest, FlushClearsHitsAndHeldKeys) {
  InjectKey(27, true);
  InjectKey('A', true);
  InjectKey('A', false);
  FlushKeys();
  EXPECT_EQ(KeyHit(27), 0);
  EXPECT_EQ(KeyHit('A'), 0);
  EXPECT_FALSE(KeyDown(27));
  EXPECT_FALSE(AnyKeyDown());
  // A key still held after the flush is not seen again through auto-repeat.
  InjectKey(27, true, /*repeat=*/true);
  EXPECT_FALSE(KeyDown(27));
  EXPECT_EQ(KeyHit(27), 0);
}

TEST_F(InputTest, GenericModifierFollowsEitherSide) {
  PushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true);
  PushKey(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, true);
  PushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false);
  PushKey(SDL_SCANCODE_LCTRL, SDLK_LCTRL, true);
  PollEvents();
  EXPECT_TRUE(KeyDown(16)) << "right Shift still held";
  EXPECT_EQ(KeyHit(16), 1);
  EXPECT_TRUE(KeyDown(17));
  PushKey(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, false);
  PollEvents();
  EXPECT_FALSE(KeyDown(16));
}

TEST_F(InputTest, OutOfRangeKeyCodesAreNeverDown) {
  InjectKey(192, true);
  InjectKey(0, true);
  EXPECT_FALSE(KeyDown(192));
  EXPECT_EQ(KeyHit(192), 0);
  EXPECT_EQ(KeyHit(-1), 0);
  EXPECT_FALSE(AnyKeyDown());
}

TEST_F(InputTest, MouseButtonsMapLeftRightMiddleToOneTwoThree) {
  const struct {
    Uint8 sdl;
    int game;
  } cases[] = {{SDL_BUTTON_LEFT, 1}, {SDL_BUTTON_RIGHT, 2}, {SDL_BUTTON_MIDDLE, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.game);
    PushButton(c.sdl, true);
    PollEvents();
    for (int b = 1; b <= 3; ++b) EXPECT_EQ(MouseDown(b), b == c.game);
    EXPECT_EQ(MouseHit(c.game), 1);
    EXPECT_EQ(MouseHit(c.game), 0);
    PushButton(c.sdl, false);
    PollEvents();
    EXPECT_FALSE(MouseDown(c.game));
  }
}

TEST_F(InputTest, MouseHitsCountEveryPressAndFlushClearsThem) {
  for (int i = 0; i < 3; ++i) {
    PushButton(SDL_BUTTON_LEFT, true);
    PushButton(SDL_BUTTON_LEFT, false);
  }
  PushButton(SDL_BUTTON_RIGHT, true);
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  SDL_PushEvent(&wheel);
  PollEvents();
  EXPECT_EQ(MouseWheel(), 2);
  EXPECT_EQ(MouseWheel(), 0);
  EXPECT_EQ(MouseHit(1), 3);
  FlushMouse();
  EXPECT_EQ(MouseHit(2), 0);
  EXPECT_FALSE(MouseDown(2));
}

TEST_F(InputTest, MousePositionIsVirtualAndRelativeMotionAccumulates) {
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 120;
  motion.motion.y = 45;
  SDL_PushEvent(&motion);
  PollEvents();
  EXPECT_FLOAT_EQ(MouseX(), 120.0f);
  EXPECT_FLOAT_EQ(MouseY(), 45.0f);

  // The game's own cursor: read the motion from the centre, then recentre.
  SetRelativeMouse(true);
  MoveMouse(400.0f, 300.0f);
  InjectMouseMotion(7.0f, -3.0f);
  InjectMouseMotion(3.0f, 1.0f);
  EXPECT_FLOAT_EQ(MouseX() - 400.0f, 10.0f);
  EXPECT_FLOAT_EQ(MouseY() - 300.0f, -2.0f);
  MoveMouse(400.0f, 300.0f);
  EXPECT_FLOAT_EQ(MouseX(), 400.0f);
  EXPECT_TRUE(RelativeMouse());
}

TEST_F(InputTest, LosingTheFocusReleasesHeldKeysAndButtons) {
  InjectKey(37, true);
  InjectMouseButton(1, true);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&e);
  PollEvents();
  EXPECT_FALSE(KeyDown(37));
  EXPECT_FALSE(MouseDown(1));
  EXPECT_EQ(KeyHit(37), 1) << "the press itself is kept";
}

TEST_F(InputTest, ButtonLatchSeesEveryPressAndReleaseBetweenTwoPolls) {
  struct Poll {
    const char* what;
    std::vector<bool> events;  // the left button's presses (true) and releases before the poll
    bool down;
    int presses, releases;
  };
  const Poll polls[] = {
      {"nothing yet", {}, false, 0, 0},
      {"a quick click: pressed and released between two polls", {true, false}, false, 1, 1},
      {"pressed and held", {true}, true, 1, 0},
      {"held", {}, true, 0, 0},
      {"a press while held is none", {true}, true, 0, 0},
      {"released and pressed again", {false, true}, true, 1, 1},
      {"released, then two quick clicks", {false, true, false, true, false}, false, 2, 3},
      {"a release while up is none", {false}, false, 0, 0},
  };
  ButtonLatch latch(1);
  for (const Poll& p : polls) {
    for (bool down : p.events) InjectMouseButton(1, down);
    const ButtonChange c = latch.Poll();
    EXPECT_EQ(c.down, p.down) << p.what;
    EXPECT_EQ(c.presses, p.presses) << p.what;
    EXPECT_EQ(c.releases, p.releases) << p.what;
  }
}

TEST_F(InputTest, ButtonLatchesReadIndependentlyAndForgetWhatWasFlushed) {
  ButtonLatch first(1), second(1), right(2);
  InjectMouseButton(1, true);
  InjectMouseButton(1, false);
  EXPECT_EQ(first.Poll().presses, 1);
  EXPECT_EQ(MouseHit(1), 1) << "a latch leaves the hit count alone";
  const ButtonChange late = second.Poll();
  EXPECT_EQ(late.presses, 1) << "one reader's poll leaves the other's view alone";
  EXPECT_EQ(late.releases, 1);
  EXPECT_EQ(right.Poll().presses, 0);

  ButtonLatch fresh(1);
  EXPECT_EQ(fresh.Poll().presses, 0) << "a new latch starts from now";

  InjectMouseButton(1, true);
  InjectMouseButton(1, false);
  FlushMouse();
  EXPECT_EQ(first.Poll().presses, 0);
  InjectMouseButton(1, true);
  ResetInput();
  EXPECT_EQ(second.Poll().presses, 0);
  EXPECT_EQ(ButtonLatch(9).Poll().presses, 0) << "no such button";

  // A button held while the focus goes elsewhere is released.
  InjectMouseButton(1, true);
  EXPECT_EQ(first.Poll().presses, 1);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&e);
  PollEvents();
  const ButtonChange lost = first.Poll();
  EXPECT_FALSE(lost.down);
  EXPECT_EQ(lost.releases, 1);
}

TEST_F(InputTest, SystemCursorIdsAndPointerVisibilityAreKeptWithoutAWindow) {
  SetSystemCursor(CURSOR_HAND);
  EXPECT_EQ(SystemCursor(), 32649);
  SetSystemCursor(12345);
  EXPECT_EQ(SystemCursor(), 32512) << "unknown ids give the arrow";
  HidePointer();
  EXPECT_FALSE(PointerShown());
  ShowPointer();
  EXPECT_TRUE(PointerShown());
}

TEST(Input, AnyKeyDownSeesCodes1Through191Only) {
  struct Case {
    int vk;
    bool any;
  };
  const Case cases[] = {{0, false}, {1, true}, {65, true}, {191, true}, {192, false}, {255, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.vk);
    ResetInput();
    EXPECT_FALSE(AnyKeyDown());
    InjectKey(k.vk, true);
    EXPECT_EQ(AnyKeyDown(), k.any);
  }
  ResetInput();
}

}  // namespace
