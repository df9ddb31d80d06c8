// Profiles and their files: which files load and which are put aside, what a
// save writes and reads back, saves that are cut off or cannot be written,
// "user.dat", and removal by the profile's own file.
#include "frontend/profile.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "framework/core/startup_settings.h"
#include "frontend/profile_file.h"
#include "frontend/save_folder.h"
#include "platform/files.h"
#include "play/player.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "world/village_state.h"

namespace kelp {
namespace {

// Little-endian bytes for hand-made files.
struct Bytes {
  std::string s;
  Bytes& Byte(int v) {
    s += static_cast<char>(v);
    return *this;
  }
  Bytes& Int(int32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    return *this;
  }
  Bytes& Float(float v) {
    int32_t bits;
    std::memcpy(&bits, &v, 4);
    return Int(bits);
  }
  Bytes& Short(const std::string& text) {
    Byte(static_cast<int>(text.size()));
    s += text;
    return *this;
  }
  Bytes& Raw(const std::string& more) {
    s += more;
    return *this;
  }
};

// A header with every field set: mode relaxed, stage 4, level 11, snow, skill
// 0.625, 12345 points, 678 coins, day phase 3, not completed, 2 skips.
Bytes Header(int gameMode = 1, int island = 2, float skill = 0.625f) {
  Bytes b;
  b.Int(gameMode).Int(4).Int(11).Int(island).Float(skill).Int(12345).Int(678).Int(3).Int(0).Byte(2);
  return b;
}

// A village block with one villager (housed), one building and one trophy.
std::string SmallVillage() {
  Bytes b;
  b.Int(40);  // ParaziteDamage
  b.Int(1);   // one villager
  b.Int(7).Int(100).Int(200).Float(1.5f).Int(3).Raw(std::string("A\0d\0a\0", 6));
  for (int i = 0; i < 8; ++i) b.Int(i);
  b.Int(6).Raw("tavern").Int(0);
  b.Int(1).Int(6).Raw("tavern").Int(0).Int(1).Int(7).Int(1).Int(7);  // one building
  b.Int(1).Int(5).Raw("first").Int(1).Int(0);                         // one trophy
  b.Int(2).Int(3);                                                    // portal, broken gate
  return b.s;
}

std::string File(const std::string& version, const std::string& name, const std::string& rest) {
  Bytes b;
  b.Short(version).Short(name).Raw(rest);
  return b.s;
}

std::string GoodFile(const std::string& name) {
  return File("ver. 1.35", name, Bytes().Byte(1).Raw(Header().s).Raw(SmallVillage()).s);
}

class ProfileFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetFrontendRooms();
    setenv("APPDATA", appdata.path().c_str(), 1);
    Player = New<TPlayer>();
  }
  void TearDown() override { testsupport::ResetFrontendRooms(); }

  static std::string Folder() { return GetProfileFolder(); }
  static void Put(const std::string& file, const std::string& bytes) { testenv::WriteFile(Folder() + file, bytes); }
  static std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (const Ref<TProfile>& p : Profiles) out.push_back(p->name);
    return out;
  }
  static std::string Current() { return Player->Profile ? Player->Profile->name : "-"; }

  testenv::TempDir appdata;
};

struct LoadCase {
  const char* what;
  std::string bytes;
  bool listed;
  const char* aside;  // the suffix the file is put aside with, or "" when it stays
};

TEST_F(ProfileFiles, EachFileIsLoadedOrPutAsideWhole) {
  const std::string headerOnly = File("ver. 1.35", "Ann", Bytes().Byte(1).Raw(Header().s).s);
  const std::vector<LoadCase> cases = {
      {"good", GoodFile("Ann"), true, ""},
      {"good without game data", File("ver. 1.35", "Ann", Bytes().Byte(0).s), true, ""},
      {"written by a debug run of this version", File("ver. 1.35 DEBUG", "Ann", Bytes().Byte(0).s), true, ""},
      {"empty", "", false, "damaged"},
      {"cut inside the name", GoodFile("Ann").substr(0, 12), false, "damaged"},
      {"cut inside the header", GoodFile("Ann").substr(0, 30), false, "damaged"},
      {"cut inside the village", GoodFile("Ann").substr(0, GoodFile("Ann").size() - 3), false, "damaged"},
      {"header without its village", headerOnly, false, "damaged"},
      {"bytes after the village", GoodFile("Ann") + "xx", false, "damaged"},
      {"bytes after a save without data", File("ver. 1.35", "Ann", "\0zz"), false, "damaged"},
      {"has-data neither 0 nor 1", File("ver. 1.35", "Ann", Bytes().Byte(7).s), false, "damaged"},
      {"another version", File("ver. 1.20", "Ann", Bytes().Byte(0).s), true, "other-version"},
      {"stored name with a path", File("ver. 1.35", "../../x", Bytes().Byte(0).s), false, "damaged"},
      {"stored name with a control character", File("ver. 1.35", "An\x01n", Bytes().Byte(0).s), false, "damaged"},
      {"island 7", File("ver. 1.35", "Ann", Bytes().Byte(1).Raw(Header(1, 7).s).Raw(EmptyVillageBlock()).s), false,
       "damaged"},
      {"game mode 5", File("ver. 1.35", "Ann", Bytes().Byte(1).Raw(Header(5).s).Raw(EmptyVillageBlock()).s), false,
       "damaged"},
      {"skill NaN", File("ver. 1.35", "Ann",
                         Bytes().Byte(1).Raw(Header(1, 2, std::nanf("")).s).Raw(EmptyVillageBlock()).s),
       false, "damaged"},
      {"two billion villagers",
       File("ver. 1.35", "Ann", Bytes().Byte(1).Raw(Header().s).Int(0).Int(0x7fffffff).s), false, "damaged"},
      {"a villager name of two billion units",
       File("ver. 1.35", "Ann",
            Bytes().Byte(1).Raw(Header().s).Int(0).Int(1).Int(1).Int(0).Int(0).Float(1).Int(0x7fffffff).s),
       false, "damaged"},
      {"a negative building count",
       File("ver. 1.35", "Ann", Bytes().Byte(1).Raw(Header().s).Int(0).Int(0).Int(-1).Int(0).Int(0).Int(0).s), false,
       "damaged"},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    testenv::TempDir root;
    setenv("APPDATA", root.path().c_str(), 1);
    Put("Ann.dat", c.bytes);
    Put("Bob.dat", GoodFile("Bob"));
    EXPECT_EQ(TProfile::LoadProfiles(), 1);
    const std::vector<std::string> expected =
        c.listed ? std::vector<std::string>{"Ann", "Bob"} : std::vector<std::string>{"Bob"};
    EXPECT_EQ(Names(), expected) << "the other players carry on";
    if (*c.aside) {
      EXPECT_FALSE(platform::IsFile(Folder() + "Ann.dat"));
      EXPECT_EQ(testenv::ReadFile(Folder() + "Ann.dat." + c.aside), c.bytes) << "kept aside, byte for byte";
    } else {
      EXPECT_EQ(testenv::ReadFile(Folder() + "Ann.dat"), c.bytes);
    }
    const Ref<TProfile> ann = TProfile::SearchByName("Ann");
    if (ann && c.bytes == GoodFile("Ann")) {
      EXPECT_EQ(ann->data->Level, 11);
      EXPECT_EQ(ann->data->Island, 2);
    } else if (ann) {
      EXPECT_EQ(ann->data->Level, 0) << "a new game";
      EXPECT_EQ(ann->data->Skips, 3);
    }
  }
}

TEST_F(ProfileFiles, ASaveReadsBackFieldForField) {
  const Ref<TProfile> p = TProfile::Create("Cleo", 0);
  ASSERT_TRUE(p);
  TGameData& d = *p->data;
  d.GameMode = 1;
  d.Stage = 9;
  d.Level = 27;
  CurrentVillage = 2;  // the island is the village's
  d.Skill = 0.3125f;
  d.DayTime = 5;
  d.GameCompleted = 1;
  d.Skips = 1;
  d.VillageBlock = SmallVillage();
  Player->scores = 99887;
  Player->money = 4321;
  ASSERT_EQ(p->Save(), 1);

  ASSERT_EQ(TProfile::LoadProfiles(), 1);
  const Ref<TProfile> back = TProfile::SearchByName("cleo");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->name, "Cleo");
  const TGameData& b = *back->data;
  EXPECT_EQ(b.GameMode, 1);
  EXPECT_EQ(b.Stage, 9);
  EXPECT_EQ(b.Level, 27);
  EXPECT_EQ(b.Island, 2);
  EXPECT_EQ(b.Skill, 0.3125f);
  EXPECT_EQ(b.Scores, 99887) << "the player's live score is what is saved";
  EXPECT_EQ(b.Money, 4321);
  EXPECT_EQ(b.DayTime, 5);
  EXPECT_EQ(b.GameCompleted, 1);
  EXPECT_EQ(b.Skips, 1);
  EXPECT_EQ(b.VillageBlock, SmallVillage());
  EXPECT_EQ(ProfileFileBytes(GameVersion, "Cleo", &b), testenv::ReadFile(back->path)) << "written again the same";

  Player->money = 0;
  ASSERT_EQ(back->LoadData(), 1);
  EXPECT_EQ(Player->money, 4321);
  EXPECT_EQ(Player->scores, 99887);
}

TEST_F(ProfileFiles, TheVillageBlockGoesThroughTheVillagesLinks) {
  std::string given;
  VillageSaveLinks.Save = [] { return SmallVillage(); };
  VillageSaveLinks.Load = [&](const std::string& block) {
    given = block;
    return true;
  };
  const Ref<TProfile> p = TProfile::Create("Dot", 1);
  ASSERT_TRUE(p);
  ASSERT_EQ(p->LoadData(), 1);
  EXPECT_EQ(given, SmallVillage());
  VillageSaveLinks.Load = [](const std::string&) { return false; };
  EXPECT_EQ(p->LoadData(), 0) << "a refused block is reported";
}

TEST_F(ProfileFiles, ASaveKilledBeforeItsRenameKeepsTheOldSave) {
  const Ref<TProfile> p = TProfile::Create("Eve", 0);
  p->data->Level = 3;
  ASSERT_EQ(p->Save(), 1);
  const std::string old = testenv::ReadFile(p->path);
  p->data->Level = 4;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const std::string bytes = ProfileFileBytes(GameVersion, "Eve", p->data.get());
    platform::SaveFileAtomic(p->path, [&](platform::Stream& s) {
      s.WriteBytes(bytes.substr(0, bytes.size() / 2));
      s.Flush();
      _exit(0);  // the process dies here, before the rename
      return true;
    });
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child died where it was meant to";
  EXPECT_EQ(testenv::ReadFile(p->path), old);
  ASSERT_EQ(TProfile::LoadProfiles(), 1);
  ASSERT_EQ(Names(), std::vector<std::string>{"Eve"});
  EXPECT_EQ(Profiles.First()->data->Level, 3);
}

TEST_F(ProfileFiles, ASaveThatCannotBeWrittenWholeKeepsTheOldSave) {
  const Ref<TProfile> p = TProfile::Create("Fay", 0);
  ASSERT_EQ(p->Save(), 1);
  const std::string old = testenv::ReadFile(p->path);
  p->data->VillageBlock = SmallVillage();
  // A disk that fills up after 40 bytes.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 40;
  setrlimit(RLIMIT_FSIZE, &small);
  const int result = p->Save();
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(result, 0) << "a failed save says so";
  EXPECT_EQ(testenv::ReadFile(p->path), old);
  EXPECT_EQ(p->Save(), 1) << "and the next one goes through";
}

TEST_F(ProfileFiles, AnUnwritableSaveFolderLeavesTheGameRunningUnsaved) {
  // The profile folder's place is taken by a file: nothing can be made there.
  testenv::WriteFile(appdata / "Kelp", "not a folder");
  EXPECT_EQ(TProfile::LoadProfiles(), 0);
  const Ref<TProfile> p = TProfile::Create("Gus", 1);
  ASSERT_TRUE(p) << "the player can still play";
  EXPECT_EQ(p->Save(), 0);
  EXPECT_EQ(p->SetUser(), 1);
}

TEST_F(ProfileFiles, UserDatChoosesThePlayerWhateverTheLetterCase) {
  Put("Ann.dat", GoodFile("Ann"));
  Put("Bob.dat", GoodFile("Bob"));
  Put("Cid.dat", GoodFile("Cid"));
  testenv::WriteFile(UserDatPath(), Bytes().Short("bob").s);
  TProfile::LoadProfiles();
  EXPECT_EQ(Current(), "Bob");

  platform::DeleteFile(UserDatPath());
  TProfile::LoadProfiles();
  EXPECT_EQ(Current(), "Cid") << "without user.dat, the last by name";

  for (const std::string& bad : {Bytes().Short("../Bob").s, Bytes().Byte(40).Raw("Bob").s, Bytes().Short("Bob").s + "x"}) {
    testenv::WriteFile(UserDatPath(), bad);
    TProfile::LoadProfiles();
    EXPECT_EQ(Current(), "Cid");
    EXPECT_FALSE(platform::IsFile(UserDatPath()));
    EXPECT_TRUE(platform::IsFile(UserDatPath() + ".damaged"));
    platform::DeleteFile(UserDatPath() + ".damaged");
  }

  Profiles.First()->SetUser();
  EXPECT_EQ(testenv::ReadFile(UserDatPath()), Bytes().Short("Ann").s);
}

TEST_F(ProfileFiles, OnlyPlainDatFilesWithUsableNamesAreListed) {
  Put("Ann.dat", GoodFile("Ann"));
  Put("Bob.DAT", GoodFile("Bob"));         // the extension is compared exactly
  Put("a\\b.dat", GoodFile("a\\b"));       // a name that is a path on other systems
  Put("ann.dat", GoodFile("ann"));         // the same player in another case
  Put("Zed.dat", GoodFile("Someone"));     // a stored name that is not the file's
  platform::CreateFolder(Folder() + "Dir.dat");
  TProfile::LoadProfiles();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Zed"}));
  EXPECT_TRUE(platform::IsFile(Folder() + "ann.dat")) << "skipped, never touched";
}

TEST_F(ProfileFiles, RemoveDeletesThePlayersOwnFileOnly) {
  Put("Ann.dat", GoodFile("Ann"));
  Put("Bob.dat", GoodFile("Bob"));
  Put("Zed.dat", GoodFile("Ann"));  // claims to be Ann
  testenv::WriteFile(UserDatPath(), Bytes().Short("Bob").s);
  TProfile::LoadProfiles();
  ASSERT_EQ(Names(), (std::vector<std::string>{"Ann", "Bob", "Zed"}));

  TProfile::SearchByName("Zed")->Remove();
  EXPECT_FALSE(platform::IsFile(Folder() + "Zed.dat"));
  EXPECT_TRUE(platform::IsFile(Folder() + "Ann.dat"));
  EXPECT_EQ(Current(), "Bob") << "removing another player keeps the current one";

  TProfile::SearchByName("Bob")->Remove();
  EXPECT_EQ(Current(), "Ann") << "removing the current one makes the last current";
  EXPECT_EQ(testenv::ReadFile(UserDatPath()), Bytes().Short("Ann").s);

  TProfile::SearchByName("Ann")->Remove();
  EXPECT_EQ(Current(), "-");
  EXPECT_TRUE(Profiles.IsEmpty());
}

TEST_F(ProfileFiles, ASaveNeverReplacesAFileItDidNotRead) {
  Put("Hal.dat", "someone's old save");
  const Ref<TProfile> p = TProfile::Create("Hal", 1);
  ASSERT_TRUE(p);
  EXPECT_EQ(testenv::ReadFile(Folder() + "Hal.dat.old"), "someone's old save");
  ASSERT_EQ(p->Save(), 1);
  EXPECT_FALSE(platform::IsFile(Folder() + "Hal.dat.old-2")) << "its own file is replaced in place";
}

TEST_F(ProfileFiles, NamesThatCannotBeFileNamesMakeNoProfile) {
  for (const std::string& bad : {std::string(), std::string("."), std::string(".."), std::string("a/b"),
                                std::string("a\\b"), std::string("tab\there"), std::string(65, 'x'),
                                std::string("\xE6\x97\xA5"), std::string("\xFF")}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(TProfile::Create(bad, 1));
  }
  EXPECT_TRUE(Profiles.IsEmpty());
  EXPECT_TRUE(TProfile::Create("Zo\xC3\xAB", 1)) << "Latin-1 letters are fine";
}

TEST_F(ProfileFiles, EraseStartsANewGameButKeepsTheCampaignFinished) {
  const Ref<TProfile> p = TProfile::Create("Ivy", 0);
  TGameData& d = *p->data;
  d.Level = 30;
  d.Stage = 12;
  d.GameCompleted = 1;
  d.Skips = 0;
  d.VillageBlock = SmallVillage();
  Player->money = 50;
  d.EraseData();
  EXPECT_EQ(d.Level, 0);
  EXPECT_EQ(d.Stage, 0);
  EXPECT_EQ(d.Island, 1);
  EXPECT_EQ(d.Skips, 3);
  EXPECT_EQ(d.GameCompleted, 1);
  EXPECT_TRUE(d.VillageBlock.empty());
  EXPECT_EQ(Player->money, 0);
}

}  // namespace
}  // namespace kelp
