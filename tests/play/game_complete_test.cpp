// The game-complete picture: a click counts only once it has faded in, and
// its fade-out ends in the high scores, the fresh save and the credits, in
// that order.
#include "play/game_complete.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play_scene.h"

namespace play_test {
namespace {

class GameComplete : public PlayScene {};

TEST_F(GameComplete, AClickAfterTheFadeInEndsTheGameInOrder) {
  std::vector<std::string> calls;
  GameLinks.AddScore = [&] { calls.push_back("scores"); };
  GameLinks.RestartSave = [&] { calls.push_back("save"); };
  GameLinks.ShowCredits = [&] { calls.push_back("credits"); };
  const Ref<TGameComplete> screen = ShowGameComplete();
  EXPECT_TRUE(screen->Image) << "the closing picture is part of the data";
  EXPECT_EQ(ScreenFade->alpha, 1.0f) << "it starts dark";

  auto click = [this] {
    platform::InjectMouseButton(1, true);
    Frame();
    platform::InjectMouseButton(1, false);
    Frame();
  };
  click();
  EXPECT_EQ(screen->hiding, 0) << "a click before the picture is fully shown is ignored";
  ASSERT_TRUE(FramesUntil([] { return ScreenFade->alpha == 0.0f; }, 200));
  click();
  EXPECT_EQ(screen->hiding, 1);
  EXPECT_TRUE(calls.empty()) << "nothing before the fade-out ends";
  ASSERT_TRUE(FramesUntil([&] { return !calls.empty(); }, 100));
  EXPECT_EQ(calls, (std::vector<std::string>{"scores", "save", "credits"}));
  EXPECT_EQ(Count<TGameComplete>(), 0);
  Frame(5);
  EXPECT_EQ(calls.size(), 3u) << "once";
}

}  // namespace
}  // namespace play_test
