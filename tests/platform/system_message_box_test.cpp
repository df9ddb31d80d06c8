#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/message_box.h"
#include "platform/system.h"

namespace {

using namespace platform;

TEST(MessageBox, HandlerInterceptsTheBoxAndGivesTheAnswer) {
  std::string seen_title, seen_text;
  MessageButtons seen_buttons = MessageButtons::Ok;
  SetMessageBoxHandler([&](const std::string& title, const std::string& text, MessageButtons buttons) {
    seen_title = title;
    seen_text = text;
    seen_buttons = buttons;
    return 1;
  });
  EXPECT_EQ(MessageBox("Kelp", "Quit?", MessageButtons::YesNo), 1);
  EXPECT_EQ(seen_title, "Kelp");
  EXPECT_EQ(seen_text, "Quit?");
  EXPECT_EQ(seen_buttons, MessageButtons::YesNo);
  SetMessageBoxHandler(nullptr);
}

TEST(MessageBox, WithoutADisplayTheTextGoesToTheLogAndTheAnswerIsTheFirstButton) {
  ASSERT_STREQ(std::getenv("SDL_VIDEODRIVER"), "dummy");
  std::string logged;
  SetMessageLog([&](const std::string& line) { logged += line; });
  EXPECT_EQ(MessageBox("Network", "Unable to connect", MessageButtons::OkCancel), 0);
  EXPECT_EQ(logged, "Network: Unable to connect");
  SetMessageLog(nullptr);
}

TEST(System, ExitGoesThroughTheExitFunction) {
  int code = -1;
  SetExitFunction([&](int c) { code = c; });
  ExitProcess(3);
  EXPECT_EQ(code, 3);
  SetExitFunction(nullptr);
}

TEST(SystemDeathTest, ExitEndsTheProcessWithTheCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ExitProcess(7), testing::ExitedWithCode(7), "");
}

TEST(System, LocalTimeTextUsesEnglishNamesInAnyLocale) {
  const char* old_tz = std::getenv("TZ");
  const std::string saved = old_tz ? old_tz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  // 2025-03-07 09:05:02 UTC
  EXPECT_EQ(LocalTimeText("%d %b %Y. %H:%M:%S", 1741338302), "07 Mar 2025. 09:05:02");
  if (old_tz) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
