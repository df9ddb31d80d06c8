// A village saved in the middle of a stage comes back the same after a new
// start and the island map's continue: its villagers, buildings, day phase
// and story state (stage, level, coins, portal, trophies). A save whose
// village block the village refuses is logged, and the village starts its
// stage afresh and saves a sound block in its place.
#include "road_support.h"

#include <sstream>

#include "framework/ui/input_box.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/menu_scene.h"
#include "frontend/profile.h"
#include "frontend/profile_file.h"
#include "frontend/save_folder.h"
#include "village/trophy.h"
#include "world/level.h"

namespace kelp::road {
namespace {

constexpr int kStage = 4;

int FirstLevelOf(int stage) {
  for (int level = 1; level <= LevelCount; ++level)
    if (TLevel::GetInfo(level, 0) == stage) return level;
  return 0;
}

// Everything the save keeps of the live village, one line each.
std::string VillageState() {
  std::ostringstream out;
  const TVillageMode& v = *VillageScreen;
  out << "stage " << GameScreen->Stage << " level " << GameScreen->Level << " island " << CurrentVillage
      << " day " << v.DayTime << " coins " << Player->money << " score " << Player->scores << " portal "
      << v.Portal_state << " damage " << v.ParaziteDamage << "\n";
  for (const Ref<TVillageCreature>& c : VillageCreatures) {
    const Ref<TUpgrade> home = c->Home(), house = c->House();
    out << "villager " << c->ID << " " << c->name << " colour " << c->creature_color << " brainless "
        << c->Brainless << " home " << (home ? home->upgrade_name : "-") << " settled " << c->settled << " in "
        << (c->in_da_house && house ? house->upgrade_name : "-") << "\n";
  }
  for (const std::string& b : Built()) out << "built " << b << "\n";
  for (int kind = 0; kind < 7; ++kind) out << v.Buildings[kind];
  out << "\n";
  for (const Ref<TTrophy>& t : Trophies)
    if (t->enabled) out << "trophy " << t->name << "\n";
  return out.str();
}

class VillageRestore : public Road {
 protected:
  std::string ProfilePath() const { return GetProfileFolder() + "ann.dat"; }

  // A new start that continues the saved game from the map into the village
  // and notes the village as it arrives.
  std::string Continue() {
    Fresh(3000);
    Hand hand;
    std::string arrived;
    int since = 0, step = 0;
    FrameProbe = [&](int) {
      ++since;
      if (hand.Busy()) {
        hand.Step();
        return;
      }
      if (step == 0 && MainMenuScreen->Visible && MainMenuScreen->UserInputEnabled && since > 120) {
        const TPhysButton& start = *MainMenuScreen->Buttons.front();
        hand.Click(X(start.Center->x), start.Center->y);
        step = 1;
      } else if (step == 1 && MapScreen->Visible && since > 200) {
        hand.ClickOn(*MapScreen->Button_CONTINUE);
        step = 2;
      } else if (step == 2 && VillageScreen->Visible) {
        arrived = VillageState();
        platform::InjectAppEvent(platform::AppEvent::CloseRequest);
        step = 3;
      }
    };
    GameMain();
    Close();
    return arrived;
  }
};

TEST_F(VillageRestore, AVillageSavedMidStageComesBackTheSameAndADamagedOneStartsItsStageAfresh) {
  // A new player whose won level has just led into stage 4's village, with
  // coins from the levels before; the player builds, then the game is saved
  // in the middle of the stage.
  Fresh(6000);
  Hand hand;
  VillageHand villageHand(hand);
  villageHand.play = false;
  std::string saved;
  int step = 0, since = 0, builtAt = 0;
  FrameProbe = [&](int) {
    ++since;
    if (hand.Busy()) {
      hand.Step();
      return;
    }
    if (step == 0 && Find<TInputBox2>() && since > 120) {
      for (int vk : {'A', 'N', 'N'}) hand.Key(vk);
      hand.Key(platform::VK_RETURN);
      step = 1;
    } else if (step == 1 && !Find<TInputBox2>() && Player->Profile && MainMenuScreen->UserInputEnabled) {
      Player->money = 3000;
      MainMenuScreen->SetHided(1);
      TLevel::SetLevel(FirstLevelOf(kStage));
      VillageScreen->SetHided(0);
      step = 2;
    } else if (step == 2) {
      villageHand.Act();
      if (FinishedBuildCount > 0 && !builtAt) builtAt = since;
      if (builtAt && since > builtAt + 300 && !VillageDialogActive) {
        VillageScreen->Portal_state = 1;
        TTrophy::Enable("stone_01");
        ASSERT_EQ(Player->Profile->Save(), 1);
        saved = VillageState();
        platform::InjectAppEvent(platform::AppEvent::CloseRequest);
        step = 3;
      }
    }
  };
  GameMain();
  Close();
  ASSERT_EQ(step, 3) << "the village never finished its building";
  ASSERT_NE(saved.find("built "), std::string::npos) << saved;
  ASSERT_NE(saved.find("trophy stone_01"), std::string::npos) << saved;

  EXPECT_EQ(Continue(), saved);

  // The block damaged where only the village can tell (a villager's colour
  // that does not exist): the village refuses it whole and starts stage 4 afresh.
  ProfileFileContent content;
  TGameData data;
  std::string why;
  ASSERT_EQ(ReadProfileFile(testenv::ReadFile(ProfilePath()), GameVersion, content, data, why), ProfileRead::Ok)
      << why;
  const size_t colour = 24 + 4 + 2 * static_cast<unsigned char>(data.VillageBlock[24]);
  data.VillageBlock[colour] = 99;
  testenv::WriteFile(ProfilePath(), ProfileFileBytes(GameVersion, content.name, &data));

  const std::string afresh = Continue();
  EXPECT_NE(testenv::ReadFile(GetSaveFolder() + "log.xml").find("the saved village is refused"), std::string::npos);
  EXPECT_EQ(afresh.substr(0, afresh.find(" island")), saved.substr(0, saved.find(" island")))
      << "the stage and level of the save still hold";
  EXPECT_EQ(afresh.find("built "), std::string::npos) << afresh;
  EXPECT_EQ(afresh.find("trophy stone_01"), std::string::npos) << afresh;
  EXPECT_NE(afresh.find("villager 1000 "), std::string::npos) << "Red is back for the stage: " << afresh;
  EXPECT_NE(afresh.find("villager 2000 "), std::string::npos) << "Ell is back for the stage: " << afresh;
  // The fresh village was saved over the damaged block, which comes back whole next time.
  EXPECT_EQ(Continue(), afresh);
}

}  // namespace
}  // namespace kelp::road
