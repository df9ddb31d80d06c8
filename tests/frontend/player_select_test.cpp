// The player selection dialog driven through its buttons and boxes: the
// arrows wrap, OK changes the player and "user.dat", New stops at five
// players, and deleting asks first and ends at the name box when nobody is left.
#include "frontend/player_select.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/files/language.h"
#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/mouse.h"
#include "frontend/profile.h"
#include "frontend/profile_file.h"
#include "frontend/save_folder.h"
#include "platform/files.h"
#include "platform/input.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "test_font.h"

namespace kelp {
namespace {

class PlayerSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    platform::ResetInput();
    setenv("APPDATA", appdata.path().c_str(), 1);
    InitWidgetManager();
    Mouse = New<TMouse>();
    Player = New<TPlayer>();
    FontPopup = FontUserlist = testsupport::MakeFont();
    ImageGuiMessageBox = platform::CreateImage(400, 250);
    GameTexts.Resize(30);
    ShowUserOptionsHook = [this] { ++reopened_; };
  }
  void TearDown() override {
    platform::ResetInput();
    testsupport::ResetFrontendRooms();
  }

  void Players(std::initializer_list<const char*> names) {
    for (const char* n : names) TProfile::Create(n, 1);
    Player->Profile = Profiles.First();
  }
  // Runs a widget's frames until it leaves the manager (or a bound).
  static void Run(const Ref<TWidget>& w) {
    for (int i = 0; i < 600 && WidgetManager->Contains(w.get()); ++i) w->Update(1.0f);
  }
  template <class T>
  static Ref<T> Top() {
    Ref<T> found;
    for (const Ref<TWidget>& w : WidgetManager->WidgetsList)
      if (auto t = As<T>(w)) found = t;
    return found;
  }

  testenv::TempDir appdata;
  int reopened_ = 0;
};

TEST_F(PlayerSelection, TheArrowsWrapAtBothEnds) {
  struct Case {
    int players, from, id, to;
  };
  const Case cases[] = {{3, 1, 5, 3}, {3, 3, 6, 1}, {3, 2, 5, 1}, {3, 2, 6, 3}, {1, 1, 5, 1}, {1, 1, 6, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.players) + " players, from " + std::to_string(c.from));
    Profiles.Clear();
    for (int i = 0; i < c.players; ++i) TProfile::Create("P" + std::to_string(i), 0);
    const Ref<TUserOptions> d = ShowUserOptions();
    d->User_ListBox->Selected = c.from;
    d->DePress(c.id);
    EXPECT_EQ(d->User_ListBox->Selected, c.to);
    WidgetManager->RemoveWidget(d);
  }
}

TEST_F(PlayerSelection, OKPlaysAsTheSelectedPlayerAndRemembersIt) {
  Players({"Ann", "Bob", "Cid"});
  const Ref<TUserOptions> d = ShowUserOptions();
  EXPECT_EQ(d->User_ListBox->Selected, 1) << "the current player's row";
  d->DePress(d->Button_ARROW_DOWN_ID);
  d->DePress(d->Button_ARROW_DOWN_ID);
  d->DePress(d->Button_OK_ID);
  Run(d);
  EXPECT_FALSE(WidgetManager->Contains(d.get()));
  EXPECT_EQ(Player->Profile->name, "Cid");
  EXPECT_EQ(testenv::ReadFile(UserDatPath()), UserDatBytes("Cid"));
}

TEST_F(PlayerSelection, NewStopsAtFivePlayers) {
  Players({"A1", "A2", "A3", "A4"});
  Ref<TUserOptions> d = ShowUserOptions();
  d->DePress(d->Button_NEW_ID);
  Run(d);
  EXPECT_TRUE(Top<TInputBox2>()) << "room for a fifth";
  WidgetManager->RemoveWidget(Top<TInputBox2>());

  TProfile::Create("A5", 1);
  d = ShowUserOptions();
  d->DePress(d->Button_NEW_ID);
  Run(d);
  EXPECT_FALSE(Top<TInputBox2>());
  const Ref<TMessageBox> box = Top<TMessageBox>();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->ID, TUserOptions::TooManyBoxID);
  const int before = reopened_;
  box->DePress(TMessageBox::Button_0_ID);
  Run(box);
  EXPECT_EQ(reopened_, before + 1) << "the player dialog comes back";
}

TEST_F(PlayerSelection, DeletingAsksFirst) {
  Players({"Ann", "Bob"});
  const Ref<TUserOptions> d = ShowUserOptions();
  d->DePress(d->Button_DELETE_ID);
  Run(d);
  Ref<TMessageBox> box = d->DeleteMessageBox;
  ASSERT_TRUE(box);
  box->DePress(TMessageBox::Button_2_ID);  // no
  Run(box);
  EXPECT_EQ(Profiles.Count(), 2u);
  EXPECT_EQ(reopened_, 1) << "a fresh dialog with the same players";

  const Ref<TUserOptions> again = ShowUserOptions();
  again->DePress(again->Button_DELETE_ID);
  Run(again);
  box = again->DeleteMessageBox;
  ASSERT_TRUE(box);
  box->DePress(TMessageBox::Button_1_ID);  // yes
  Run(box);
  EXPECT_EQ(Profiles.Count(), 1u);
  EXPECT_FALSE(platform::IsFile(GetProfileFolder() + "Ann.dat"));
  EXPECT_EQ(Player->Profile->name, "Bob");
  EXPECT_EQ(reopened_, 2);
}

TEST_F(PlayerSelection, DeletingTheOnlyPlayerLeadsToTheNameBox) {
  Players({"Ann"});
  const Ref<TUserOptions> d = ShowUserOptions();
  d->DePress(d->Button_DELETE_ID);
  Run(d);
  const Ref<TMessageBox> box = d->DeleteMessageBox;
  ASSERT_TRUE(box);
  box->DePress(TMessageBox::Button_1_ID);
  Run(box);
  EXPECT_TRUE(Profiles.IsEmpty());
  EXPECT_FALSE(Player->Profile);
  EXPECT_TRUE(Top<TInputBox2>());
  EXPECT_EQ(reopened_, 0) << "no empty player list";
  EXPECT_FALSE(WidgetManager->Contains(d.get()));
}

}  // namespace
}  // namespace kelp
