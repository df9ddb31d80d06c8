// Checks the data set the build makes and bundles, from the program folder
// the game runs in: every scope of the resource list loads, every id the code
// binds or fetches is there with the kind it is used as, every dialog the
// story opens is a well-formed block, every font can draw every text, and
// every language entry the game reads is written. Each test lists every
// problem it finds, not only the first.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/frame_clock.h"
#include "framework/core/numbers.h"
#include "framework/core/random.h"
#include "framework/core/utf8.h"
#include "framework/files/language.h"
#include "framework/files/strings.h"
#include "framework/files/text_file.h"
#include "framework/files/xml.h"
#include "framework/media/bmfont.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "platform/image.h"
#include "platform/message_box.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;

// Scopes in the order start-up loads them; the intro comic loads "Comics" later.
const char* const kScopes[] = {"Init", "Menu", "Map", "Village", "Village2", "Music", "Comics"};

// Sounds and music the game plays by id.
const char* const kSoundIds[] = {
    "SOUND_BLOCK_ARMOR", "SOUND_BLOCK_ELECTRO", "SOUND_BLOCK_ICE", "SOUND_BLOCK_RELEASE", "SOUND_BLOCK_REMOVE_01",
    "SOUND_BLOCK_REMOVE_02", "SOUND_BLOCK_REMOVE_03", "SOUND_BLOCK_REMOVE_04", "SOUND_BONUS_EXPLOSION",
    "SOUND_BONUS_PARABOMB", "SOUND_BONUS_RESIZE", "SOUND_BOSS", "SOUND_BRICK_EXPLOSION", "SOUND_BRICK_FALL",
    "SOUND_BT_CLICK", "SOUND_BUILD_ROAD", "SOUND_BUILD_START", "SOUND_CHEST", "SOUND_CHEST_COINS",
    "SOUND_CLOCK_WARNING", "SOUND_COMICS_CLICK", "SOUND_COMICS_EXPLOSION", "SOUND_COMICS_STONE_01",
    "SOUND_COMICS_STONE_02", "SOUND_COMPLETE_CLOCK", "SOUND_COMPLETE_COINS", "SOUND_COMPLETE_STARS",
    "SOUND_DIALOG_PRINT", "SOUND_FLOOR", "SOUND_FLYING_TEXT", "SOUND_PARAZITE_CAPTURE", "SOUND_PARAZITE_CLICK",
    "SOUND_PARAZITE_REMOVE", "SOUND_PARAZITE_REMOVE_VILLAGE", "SOUND_PORTAL", "SOUND_PUSHER", "SOUND_RAY",
    "SOUND_RAY_END", "SOUND_RAY_START", "SOUND_REDLINE_WARNING", "SOUND_RED_LINE", "SOUND_SCORE_COUNT",
    "SOUND_SLIDE_IN", "SOUND_SLIDE_OUT", "SOUND_THERMOMETER", "SOUND_TROLLEY_OUT", "SOUND_TROPHY",
};
const char* const kMusicIds[] = {"MUSIC_CREDITS", "MUSIC_GAME",    "MUSIC_LEVEL_COMPLETE",
                                 "MUSIC_MAP",     "MUSIC_MENU",    "MUSIC_VILLAGE"};

// Pictures fetched by id that no binding table names, with the scope that must hold them.
struct ScopedId {
  const char* id;
  const char* scope;
};
const ScopedId kFetchedImages[] = {
    {"IMAGE_GUI_WSL", "init"}, {"IMAGE_GUI_WSR", "init"}, {"IMAGE_CURSOR_BUSY", "init"},
    {"IMAGE_GUI_DIALOG_REDRICE_BIG", "menu"},
};

// Animation strips and the frames the code draws from them.
struct FrameNeed {
  const char* id;
  int frames;
};
const FrameNeed kStrips[] = {
    // box colours: frame = the box's state, 6 its blink
    {"IMAGE_BLOCK_RED", 7}, {"IMAGE_BLOCK_GREEN", 7}, {"IMAGE_BLOCK_BLUE", 7}, {"IMAGE_BLOCK_ORANGE", 7},
    {"IMAGE_BLOCK_PURPLE", 7}, {"IMAGE_BLOCK_BROWN", 7}, {"IMAGE_BLOCK_SKY", 7},
    // armour glint, chests and ice by armour left
    {"IMAGE_BLOCK_STEEL", 4}, {"IMAGE_BLOCK_GOLD", 4}, {"IMAGE_CHEST_01", 2}, {"IMAGE_CHEST_02", 3},
    {"IMAGE_BLOCK_ICE", 3},
    // speaker portraits: eyes open, two blink frames, shade
    {"DIALOG_REDRICE", 4}, {"DIALOG_ELLO", 4}, {"DIALOG_NAMELESSONE", 4}, {"DIALOG_ORBUS", 4}, {"DIALOG_YETI", 4},
    {"DIALOG_MECHANICUS", 4}, {"DIALOG_PARAZITE", 4}, {"DIALOG_BROWNIE_FULL", 4}, {"DIALOG_BROWNIE", 4},
    {"DIALOG_BROWNIE_GOOD", 4},
    // emotion bubbles grow until frame 5
    {"IMAGE_EM_HAPPY", 6}, {"IMAGE_EM_HOME", 6}, {"IMAGE_EM_SLEEP", 6}, {"IMAGE_EM_QUEST", 6}, {"IMAGE_EM_TAVERN", 6},
    {"IMAGE_EM_TREES", 6}, {"IMAGE_EM_UNHAPPY", 6}, {"IMAGE_EM_MAGIC", 6}, {"IMAGE_EM_MARKET", 6},
    {"IMAGE_EM_SCHOOL", 6}, {"IMAGE_EM_TELESCOPE", 6},
    // buttons: frame 0 normal, 1 under the mouse
    {"IMAGE_GUI_BT_OK", 2}, {"IMAGE_GUI_BT_CANCEL", 2}, {"IMAGE_GUI_BT_YES", 2}, {"IMAGE_GUI_BT_NO", 2},
    {"DIALOG_BT_SKIP", 2}, {"DIALOG_BT_CLOSE", 2}, {"IMAGE_BUTTON_PLAY", 2}, {"IMAGE_BUTTON_RETRY", 2},
    {"IMAGE_BUTTON_SKIP", 2}, {"IMAGE_GUI_BUTTON_BACK", 2}, {"IMAGE_GAMEMENU_BT_RESUME", 2},
    {"IMAGE_GAMEMENU_BT_OPTIONS", 2}, {"IMAGE_GAMEMENU_BT_TOISLAND", 2}, {"IMAGE_GAMEMENU_BT_MAINMENU", 2},
    {"IMAGE_GAMEMENU_BT_HELP", 2}, {"IMAGE_MAINMENU_BUTTON_START", 2}, {"IMAGE_MAINMENU_BUTTON_OPTIONS", 2},
    {"IMAGE_MAINMENU_BUTTON_SCORES", 2}, {"IMAGE_MAINMENU_BUTTON_QUIT", 2},
    // animations played through the animated-image player
    {"IMAGE_LAZER", 1}, {"IMAGE_MAINMENU_EYE", 1}, {"IMAGE_BROWNIE_TRANSFORM", 1}, {"IMAGE_GUI_ARROW", 1},
    {"IMAGE_GUI_SCROLL_LEFT", 1}, {"IMAGE_GUI_SCROLL_RIGHT", 1},
};

// Dialogs the story opens, by kind, and the fewest phrases the scripts rely on.
const int kLevelDialogs[] = {1004, 1005, 1006, 1009, 1010, 1012, 1013, 1017, 1018, 1022, 1023, 1026,
                             1027, 1033, 1034, 1035, 1036, 1039, 1040, 1045, 1046, 1049, 1050, 2006,
                             2007, 2008, 2012, 2015, 2029, 2030, 2031, 2035, 2036, 2037, 2038, 2039};
const int kVillageDialogs[] = {1001, 1002, 1003, 1007, 1008, 1011, 1014, 1015, 1016, 1019, 1020, 1021, 1024, 1025,
                               1028, 1029, 1030, 1031, 1032, 1037, 1038, 1041, 1042, 1043, 1044, 1047, 1048, 1051,
                               2001, 2002, 2003, 2004, 2005, 2009, 2010, 2011, 2013, 2014, 2016, 2017, 2018, 2019,
                               2020, 2021, 2022, 2024, 2025, 2026, 2027, 2028, 2032, 2034, 2040};
const int kComicDialogs[] = {3001, 3002, 3003, 3004, 3005, 3006, 3007, 3008, 3009, 3010, 3011};
const std::map<int, int> kMinPhrases = {{1004, 8}, {2006, 7}, {1024, 3}, {1047, 3}};

const char* const kLevelSpeakers[] = {"Redrice", "Ello"};
const char* const kVillageSpeakers[] = {"Redrice",  "Ello",     "NamelessOne", "Orbus",      "Brownie1", "Brownie2",
                                        "Brownie3", "Snowball", "Mechanicus",  "Parazite", "Empty"};
const char* const kColourTags[] = {"Blue", "Red", "Yellow", "Black", "White", "Sky", "Brown", "Green"};

// Language entries the game reads.
std::vector<int> Range(int a, int b) {
  std::vector<int> v;
  for (int i = a; i <= b; ++i) v.push_back(i);
  return v;
}
std::vector<int> GameTextEntries() {
  std::vector<int> v = Range(3, 14);
  for (int i : Range(16, 27)) v.push_back(i);
  for (int i : Range(31, 59)) v.push_back(i);
  return v;
}

const char* const kPhraseLists[] = {"reds",  "yellows", "blues", "greens",    "purples", "browns", "skyes", "happy",
                                    "unhappy", "home",  "sleep", "trees",     "beer",    "empty",  "load",  "quest",
                                    "magic", "school",  "market", "telescope", "yeti",    "names"};

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& s : items) out += "\n  " + s;
  return out;
}

// ---------------------------------------------------------------------------
// The whole resource list, loaded once, as start-up and the comic load it.

struct LoadedData {
  bool listRead = false;
  std::vector<std::string> notFound;      // "Not found" lines while loading
  std::vector<std::string> messageBoxes;  // missing or broken files
  std::map<std::string, std::vector<std::string>> missingByScope;
  Ref<TResManager> manager;  // every scope loaded
};

LoadedData& Data() {
  static LoadedData data = [] {
    LoadedData d;
    platform::SetMessageBoxHandler([&d](const std::string&, const std::string& text, platform::MessageButtons) {
      d.messageBoxes.push_back(text);
      return 0;
    });
    ResManager = New<TResManager>();
    d.listRead = ReadResourceList("res.xml");
    for (const char* scope : kScopes) {
      testing::internal::CaptureStdout();
      ResManager->LoadScope(scope);
      std::istringstream out(testing::internal::GetCapturedStdout());
      for (std::string line; std::getline(out, line);)
        if (line.rfind("Not found", 0) == 0) d.notFound.push_back(std::string(scope) + ": " + line);
    }
    for (const Ref<TRes>& r : ResManager->Resources)
      if (!r->Loaded()) d.missingByScope[r->Scope].push_back(r->Name + " (" + r->FileName + ")");
    platform::SetMessageBoxHandler(nullptr);
    d.manager = ResManager;
    return d;
  }();
  // Each test starts with a fresh manager; the loaded one comes back here.
  ResManager = data.manager;
  return data;
}

class DataCheck : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(chdir(KELP_DATA_ROOT), 0) << "cannot enter " << KELP_DATA_ROOT;
  }
  void SetUp() override { testsupport::ResetWorldRooms(); }
  void TearDown() override { testsupport::ResetWorldRooms(); }
};

const char* KindName(const Ref<TRes>& r) {
  if (As<TResAnimImage>(r)) return "animimage";
  if (As<TResImage>(r)) return "image";
  if (As<TResImageFont>(r)) return "bmfont";
  if (As<TResEffect>(r)) return "effect";
  if (As<TResSound>(r)) return "sound";
  if (As<TResMusic>(r)) return "music";
  return "?";
}

// The registered record of an id (loaded or not), or null.
Ref<TRes> Find(const std::string& id) {
  const std::string lower = Lower(id);
  for (const Ref<TRes>& r : ResManager->Resources)
    if (r->Name == lower) return r;
  return nullptr;
}

TEST_F(DataCheck, EveryScopeLoadsWithoutMissingFiles) {
  LoadedData& d = Data();
  ASSERT_TRUE(d.listRead) << "res.xml cannot be read in " << KELP_DATA_ROOT;
  std::vector<std::string> problems;
  for (const auto& [scope, names] : d.missingByScope)
    for (const std::string& n : names) problems.push_back("scope " + scope + ": not loaded: " + n);
  for (const std::string& m : d.messageBoxes) problems.push_back("message: " + m);
  for (const std::string& n : d.notFound) problems.push_back(n);
  std::set<std::string> scopes;
  for (const Ref<TRes>& r : ResManager->Resources) scopes.insert(r->Scope);
  for (const char* s : kScopes)
    if (!scopes.count(Lower(s))) problems.push_back(std::string("scope ") + s + " is empty");
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

TEST_F(DataCheck, DataFilesAreNamedInLowerCase) {
  // Paths are lower-cased on registration; a file named otherwise is only found by a slow search.
  ASSERT_TRUE(Data().listRead);
  std::vector<std::string> problems;
  std::set<std::string> seen;
  for (const Ref<TRes>& r : ResManager->Resources) {
    if (!seen.insert(r->FileName).second) continue;
    if (!fs::exists(r->FileName)) problems.push_back(r->Name + ": no file named exactly " + r->FileName);
  }
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

TEST_F(DataCheck, EveryBoundIdExistsInItsScopeWithItsKind) {
  ASSERT_TRUE(Data().listRead);
  struct Table {
    std::span<const TBinding> rows;
    const char* scope;
  };
  const Table tables[] = {{InitBindings(), "init"},         {MenuBindings(), "menu"},
                          {MapBindings(), "map"},           {VillageBindings(), "village"},
                          {Village2Bindings(), "village2"}, {ComicsIntroBindings(), "comics"}};
  std::vector<std::string> problems;
  auto check = [&](const std::string& id, const char* scope, const char* want) {
    const Ref<TRes> r = Find(id);
    if (!r) {
      problems.push_back(id + ": not in res.xml (wanted " + want + " in scope " + scope + ")");
      return;
    }
    const std::string kind = KindName(r);
    const bool ok = std::string(want) == "image" ? (kind == "image" || kind == "animimage") : kind == want;
    if (!ok) problems.push_back(id + ": is " + kind + ", used as " + want);
    if (r->Scope != scope) problems.push_back(id + ": in scope " + r->Scope + ", needed in " + scope);
  };
  for (const Table& t : tables)
    for (const TBinding& row : t.rows)
      check(row.id, t.scope, row.kind == BIND_IMAGE ? "image" : row.kind == BIND_FONT ? "bmfont" : "effect");
  for (const ScopedId& s : kFetchedImages) check(s.id, s.scope, "image");
  for (const char* id : kSoundIds) check(id, "init", "sound");
  for (const char* id : kMusicIds) check(id, "music", "music");
  for (const FrameNeed& f : kStrips) {
    const auto anim = As<TResAnimImage>(Find(f.id));
    if (!anim) {
      problems.push_back(std::string(f.id) + ": must be an animimage of at least " + std::to_string(f.frames) +
                         " frame(s)");
      continue;
    }
    if (anim->FramesNum < f.frames)
      problems.push_back(std::string(f.id) + ": " + std::to_string(anim->FramesNum) + " frame(s), needs " +
                         std::to_string(f.frames));
    if (auto* img = std::get_if<platform::ImageRef>(&anim->Data); img && *img && (*img)->Frames() < f.frames)
      problems.push_back(std::string(f.id) + ": the picture holds only " + std::to_string((*img)->Frames()) +
                         " frame(s)");
  }
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

TEST_F(DataCheck, EffectsFindTheirPicturesAndChildren) {
  ASSERT_TRUE(Data().listRead);
  std::vector<std::string> problems;
  for (const Ref<TRes>& r : ResManager->Resources) {
    if (!As<TResEffect>(r)) continue;
    const Ref<sdXMLnode> root = ParseXMLFile(r->FileName);
    if (!root) continue;  // reported as a file that does not load
    static const char* const kImages[] = {"Image", "Image2", "Image3", "Image4", "Image5"};
    for (const char* tag : kImages) {
      const std::string id = GetChildAttr(root, std::string(tag) + "/", "value", "0");
      if (id == "0") continue;
      const Ref<TRes> pic = Find(id);
      if (!pic || !(As<TResImage>(pic) || As<TResAnimImage>(pic))) {
        problems.push_back(r->Name + ": " + tag + " names " + id + ", which is no picture of res.xml");
        continue;
      }
      // An effect resolves its pictures as it loads: they must load before it.
      const auto order = [](const std::string& scope) {
        for (size_t i = 0; i < std::size(kScopes); ++i)
          if (Lower(kScopes[i]) == scope) return static_cast<int>(i);
        return 99;
      };
      bool before = order(pic->Scope) < order(r->Scope);
      if (pic->Scope == r->Scope)
        for (const Ref<TRes>& x : ResManager->Resources) {
          if (x == pic) before = true;
          if (x == r) break;
        }
      if (!before) problems.push_back(r->Name + ": its picture " + id + " is listed after it");
    }
    const std::string child = GetChildAttr(root, "Child/", "name", "");
    if (!child.empty() && !As<TResEffect>(Find(child)))
      problems.push_back(r->Name + ": child effect " + child + " is not in res.xml");
    if (GetChildAttrInt(root, "Salute/", "enabled") != 0) {
      const std::string burst = GetChildAttr(root, "Salute/", "emitter", "0");
      if (!As<TResEffect>(Find(burst))) problems.push_back(r->Name + ": salute effect " + burst + " is not in res.xml");
    }
  }
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

TEST_F(DataCheck, EffectsSpawnStopAndStayLight) {
  // Every effect runs alone for eight seconds at 60 frames a second: one that
  // generates must show particles, a burst (with a time-out) must end by
  // itself, and none may pile up particles enough to cost the frame rate.
  ASSERT_TRUE(Data().listRead);
  constexpr int kMaxParticles = 250;
  SeedRnd(7);
  std::vector<std::string> problems;
  for (const Ref<TRes>& r : ResManager->Resources) {
    const auto* effect = std::get_if<Ref<TEffect>>(&r->Data);
    if (!As<TResEffect>(r) || !effect || !*effect) continue;
    GameTime = 1000000;
    const Ref<TEmitter> e = TEmitter::Create(400, 300, *effect, 0);
    size_t peak = 0, total = 0;
    for (int frame = 0; frame < 8 * 60 && !e->Death; ++frame) {
      GameTime += 16;
      e->Update(1.0f);
      size_t live = 0;
      for (const Ref<TParticle>& p : e->Particles) {
        ++live;
        if (p->Child) live += static_cast<size_t>(p->Child->Particles.Count());
      }
      peak = std::max(peak, live);
      total += live;
    }
    if ((*effect)->GenSpeed > 0 && total == 0) problems.push_back(r->Name + ": shows no particle");
    if ((*effect)->TimeOut > 0 && !e->Death) problems.push_back(r->Name + ": a burst that does not end");
    if (peak > kMaxParticles) problems.push_back(r->Name + ": " + std::to_string(peak) + " particles at once");
  }
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

// ---------------------------------------------------------------------------
// Language files

std::string ReadText(const std::string& path, bool* found = nullptr) {
  const Ref<TextStream> t = TextFileReader::CreateStream(path, 1);
  if (found) *found = static_cast<bool>(t);
  return t ? t->Text() : std::string();
}

TEST_F(DataCheck, EveryLanguageEntryTheGameReadsIsWritten) {
  LoadLanguageTables();
  std::vector<std::string> problems;
  for (int n : GameTextEntries())
    if (Trim(GameTexts[n]).empty()) problems.push_back("String.dat entry " + std::to_string(n) + " is empty");
  for (int n : Range(1, 14))
    if (n != 2 && n != 3 && Trim(TrophyTexts[n]).empty())
      problems.push_back("Trophy.dat entry " + std::to_string(n) + " is empty");
  for (int n : Range(1, 24))
    if (Trim(UpgradeTexts[n]).empty()) problems.push_back("Upgrades.dat entry " + std::to_string(n) + " is empty");
  if (GameTexts[53] != "Kelp: The Broad Homesteads") problems.push_back("String.dat entry 53 is not the title");
  // The phrase lists as the game reads them, by their backslashed names.
  TStrings phrases;
  phrases.LoadStrings();
  const std::vector<std::string>* lists[] = {
      &phrases.RedArray,   &phrases.YellowArray, &phrases.BlueArray,  &phrases.GreenArray,     &phrases.PurpleArray,
      &phrases.BrownArray, &phrases.SkyArray,    &phrases.HappyArray, &phrases.UnhappyArray,   &phrases.HomeArray,
      &phrases.SleepArray, &phrases.TreesArray,  &phrases.BeerArray,  &phrases.EmptyArray,     &phrases.LoadArray,
      &phrases.QuestArray, &phrases.MagicArray,  &phrases.SchoolArray, &phrases.MarketArray,   &phrases.TelescopeArray,
      &phrases.SnowballArray, &phrases.NamesArray};
  static_assert(std::size(lists) == std::size(kPhraseLists));
  for (size_t i = 0; i < std::size(lists); ++i) {
    if (lists[i]->empty()) problems.push_back(std::string("phrase list ") + kPhraseLists[i] + ".dat is missing or empty");
    for (const std::string& line : *lists[i])
      if (Trim(line).empty()) problems.push_back(std::string("phrase list ") + kPhraseLists[i] + ".dat has a blank line");
  }
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

// The blocks of Dialogs.dat, read by the file's grammar: a block opens at a
// line holding "<Dialog id=" and ends at the next line holding "</Dialog>".
struct Block {
  int id;
  int line;
  std::string text;
};

std::vector<Block> ReadBlocks(std::vector<std::string>& problems) {
  std::vector<Block> blocks;
  bool found = false;
  const std::string text = ReadText("data/lang/Dialogs.dat", &found);
  if (!found) {
    problems.push_back("data/lang/Dialogs.dat is missing");
    return blocks;
  }
  TextStream lines(text, TextFileReader::UTF8);
  bool open = false;
  Block cur{0, 0, ""};
  for (int n = 1; !lines.Eof(); ++n) {
    const std::string line = lines.ReadLine();
    if (!open) {
      const size_t at = line.find("<Dialog id=");
      if (at == std::string::npos) continue;
      const size_t end = line.find('>', at + 11);
      if (end == std::string::npos) {
        problems.push_back("Dialogs.dat line " + std::to_string(n) + ": block without \">\" after its id");
        continue;
      }
      cur = Block{ToInt(line.substr(at + 11, end - at - 11)), n, ""};
      if (line.find('"', at) < end) problems.push_back("Dialogs.dat line " + std::to_string(n) + ": quoted id");
      open = true;
    } else if (line.find("</Dialog>") != std::string::npos) {
      blocks.push_back(cur);
      open = false;
    } else {
      if (line.find("<Dialog id=") != std::string::npos)
        problems.push_back("Dialogs.dat line " + std::to_string(n) + ": a block opens inside dialog " +
                           std::to_string(cur.id));
      cur.text += line;
    }
  }
  if (open) problems.push_back("Dialogs.dat: dialog " + std::to_string(cur.id) + " is never closed");
  return blocks;
}

struct Phrase {
  std::string speaker, content;
};

// Splits a dialog's text as the dialogs do, noting whatever the readers
// would silently drop or mangle.
std::vector<Phrase> SplitPhrases(const Block& b, const std::vector<std::string>& speakers,
                                 std::vector<std::string>& problems) {
  std::vector<Phrase> phrases;
  const std::string where = "dialog " + std::to_string(b.id) + ": ";
  size_t pos = 0;
  while (pos < b.text.size()) {
    size_t open = std::string::npos;
    std::string who;
    for (const std::string& s : speakers) {
      const size_t at = b.text.find("<" + s + ">", pos);
      if (at < open) {
        open = at;
        who = s;
      }
    }
    const std::string stray = Trim(b.text.substr(pos, open == std::string::npos ? std::string::npos : open - pos));
    if (!stray.empty()) problems.push_back(where + "text outside a phrase: \"" + stray.substr(0, 40) + "\"");
    if (open == std::string::npos) break;
    const size_t start = open + who.size() + 2;
    const size_t close = b.text.find("</" + who + ">", start);
    if (close == std::string::npos) {
      problems.push_back(where + "the phrase of " + who + " is never closed");
      break;
    }
    phrases.push_back({who, b.text.substr(start, close - start)});
    pos = close + who.size() + 3;
  }
  for (const Phrase& p : phrases) {
    for (const std::string& s : speakers)
      if (p.content.find("<" + s + ">") != std::string::npos)
        problems.push_back(where + "a speaker tag inside a phrase of " + p.speaker);
    // Inline markup: colour spans closed and not nested, no unknown tags (they would print).
    std::string open;
    for (size_t i = 0; (i = p.content.find('<', i)) != std::string::npos; ++i) {
      const size_t gt = p.content.find('>', i);
      if (gt == std::string::npos) {
        problems.push_back(where + "a lone \"<\" in a phrase of " + p.speaker);
        break;
      }
      const std::string tag = p.content.substr(i + 1, gt - i - 1);
      const bool closing = !tag.empty() && tag[0] == '/';
      const std::string name = closing ? tag.substr(1) : tag;
      if (!closing && (name == "Name" || name == "Pause")) continue;
      if (std::find(std::begin(kColourTags), std::end(kColourTags), name) == std::end(kColourTags)) {
        problems.push_back(where + "unknown tag <" + tag + "> in a phrase of " + p.speaker);
      } else if (!closing) {
        if (!open.empty()) problems.push_back(where + "colour <" + name + "> inside <" + open + ">");
        open = name;
      } else if (name != open) {
        problems.push_back(where + "</" + name + "> closes nothing");
      } else {
        open.clear();
      }
    }
    if (!open.empty()) problems.push_back(where + "colour <" + open + "> is never closed");
  }
  return phrases;
}

TEST_F(DataCheck, EveryDialogTheStoryOpensIsAWellFormedBlock) {
  std::vector<std::string> problems;
  const std::vector<Block> blocks = ReadBlocks(problems);
  std::map<int, const Block*> byId;
  int last = 0;
  for (const Block& b : blocks) {
    if (b.id <= last)
      problems.push_back("Dialogs.dat line " + std::to_string(b.line) + ": dialog " + std::to_string(b.id) +
                         " does not follow " + std::to_string(last) + " (ids must rise)");
    if (b.id < 1001) problems.push_back("Dialogs.dat line " + std::to_string(b.line) + ": id below 1001");
    last = std::max(last, b.id);
    byId[b.id] = &b;
  }
  const std::vector<std::string> level(std::begin(kLevelSpeakers), std::end(kLevelSpeakers));
  const std::vector<std::string> village(std::begin(kVillageSpeakers), std::end(kVillageSpeakers));
  auto checkAll = [&](const int* ids, size_t count, const std::vector<std::string>& speakers, bool isVillage) {
    for (size_t k = 0; k < count; ++k) {
      const int id = ids[k];
      const auto it = byId.find(id);
      if (it == byId.end()) {
        problems.push_back("dialog " + std::to_string(id) + " is missing");
        continue;
      }
      // Split with every speaker known, so that a wrong speaker shows up by name.
      const std::vector<Phrase> phrases = SplitPhrases(*it->second, village, problems);
      int need = 1;
      if (auto m = kMinPhrases.find(id); m != kMinPhrases.end()) need = m->second;
      if (static_cast<int>(phrases.size()) < need)
        problems.push_back("dialog " + std::to_string(id) + ": " + std::to_string(phrases.size()) +
                           " phrase(s), needs " + std::to_string(need));
      std::vector<std::string> who;
      for (const Phrase& p : phrases) {
        if (std::find(speakers.begin(), speakers.end(), p.speaker) == speakers.end())
          problems.push_back("dialog " + std::to_string(id) + ": " + p.speaker + " cannot speak here");
        if (std::find(who.begin(), who.end(), p.speaker) == who.end()) who.push_back(p.speaker);
        if (Trim(p.content).empty()) problems.push_back("dialog " + std::to_string(id) + ": an empty phrase");
      }
      if (isVillage) {
        const auto empty = std::find(who.begin(), who.end(), std::string("Empty"));
        if (who.size() > 6) problems.push_back("dialog " + std::to_string(id) + ": more than six speakers");
        if (who.size() - (empty != who.end() ? 1 : 0) == 0)
          problems.push_back("dialog " + std::to_string(id) + ": no speaker with a portrait");
        if (empty != who.end() && empty + 1 != who.end())
          problems.push_back("dialog " + std::to_string(id) + ": \"Empty\" must be the last speaker to appear");
      }
    }
  };
  checkAll(kLevelDialogs, std::size(kLevelDialogs), level, false);
  checkAll(kVillageDialogs, std::size(kVillageDialogs), village, true);
  checkAll(kComicDialogs, std::size(kComicDialogs), level, false);
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

// ---------------------------------------------------------------------------
// Fonts

TEST_F(DataCheck, EveryFontDrawsEveryCharacterOfTheTexts) {
  ASSERT_TRUE(Data().listRead);
  std::set<uint32_t> codes;
  std::vector<std::string> files = {"data/lang/String.dat", "data/lang/Trophy.dat", "data/lang/Upgrades.dat",
                                    "data/lang/Dialogs.dat"};
  for (const char* list : kPhraseLists) files.push_back(std::string("data/lang/") + list + ".dat");
  for (const std::string& f : files) {
    const std::string text = ReadText(f);
    for (size_t pos = 0; pos < text.size();) {
      const uint32_t c = utf8::Next(text, pos);
      if (c >= 32) codes.insert(c);
    }
  }
  ASSERT_FALSE(codes.empty()) << "no language text found";
  std::vector<std::string> problems;
  int fonts = 0;
  for (const Ref<TRes>& r : ResManager->Resources) {
    if (!As<TResImageFont>(r)) continue;
    ++fonts;
    const auto* font = std::get_if<Ref<TBMFont>>(&r->Data);
    if (!font || !*font) continue;  // reported as not loaded
    std::string missing;
    for (uint32_t c : codes)
      if (!(*font)->FindCode(c)) missing += utf8::Encode(c);
    if (!missing.empty()) problems.push_back(r->Name + " lacks \"" + missing + "\"");
    if ((*font)->Height <= 0) problems.push_back(r->Name + ": no line height");
    for (size_t p = 0; p < (*font)->Pages.size(); ++p)
      if (!(*font)->Pages[p]) problems.push_back(r->Name + ": page " + std::to_string(p) + " did not load");
  }
  EXPECT_GT(fonts, 0);
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

// ---------------------------------------------------------------------------
// Program folder: splash and window icon

TEST_F(DataCheck, SplashLogosAndWindowIconLoad) {
  std::vector<std::string> problems;
  const Ref<sdXMLnode> root = ParseXMLFile("screenbranding/config.xml");
  int logos = 0;
  if (!root) {
    problems.push_back("screenbranding/config.xml is missing or empty");
  } else {
    for (sdXMLnode* c = root->firstchild; c; c = c->NextNode) {
      if (Lower(c->Tag) != "logo") continue;
      ++logos;
      const std::string image = GetAttr(c, "image");
      if (!platform::LoadPixmap(image)) problems.push_back("splash logo " + image + " does not load");
    }
    if (logos == 0) problems.push_back("the splash shows no logo");
  }
  const std::string ico = testenv::ReadFile("Kelp.ico");
  if (ico.size() < 22 || ico[0] != 0 || ico[2] != 1 || ico[4] != 1) {
    problems.push_back("Kelp.ico is missing or not an icon file");
  } else {
    const auto u32 = [&ico](size_t at) {
      return static_cast<uint32_t>(static_cast<unsigned char>(ico[at])) |
             static_cast<uint32_t>(static_cast<unsigned char>(ico[at + 1])) << 8 |
             static_cast<uint32_t>(static_cast<unsigned char>(ico[at + 2])) << 16 |
             static_cast<uint32_t>(static_cast<unsigned char>(ico[at + 3])) << 24;
    };
    const uint32_t size = u32(14), offset = u32(18);
    if (static_cast<uint64_t>(offset) + size > ico.size()) {
      problems.push_back("Kelp.ico: the picture lies beyond the file");
    } else {
      auto s = platform::OpenMemory(std::vector<uint8_t>(ico.begin() + offset, ico.begin() + offset + size));
      const platform::PixmapRef icon = platform::LoadPixmap(*s);
      if (!icon || icon->Width() != 64 || icon->Height() != 64) problems.push_back("Kelp.ico: no 64x64 picture");
    }
  }
  if (!platform::LoadPixmap("Kelp.png")) problems.push_back("Kelp.png beside the icon does not load");
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

// A locked panel button wears a lock; the lock must leave the label whole.
// The label is the light lettering right of the icon in the open button; the
// lock is what turned gold in the locked one.
TEST_F(DataCheck, LockBadgesLeaveTheirButtonsLabelsWhole) {
  struct Rect {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    void Add(int x, int y) {
      x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
    bool Empty() const { return x1 < 0; }
    bool Meets(const Rect& o) const { return !Empty() && !o.Empty() && x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
  };
  const auto channel = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xff); };
  const auto gold = [&](uint32_t p) {
    return (p >> 24) >= 200 && channel(p, 16) >= 200 && channel(p, 8) >= 150 && channel(p, 0) <= 110;
  };
  const auto light = [&](uint32_t p) {
    return (p >> 24) >= 200 && channel(p, 16) >= 235 && channel(p, 8) >= 235 && channel(p, 0) >= 235;
  };
  std::vector<std::string> problems;
  for (const char* name : {"build", "trophies", "play"}) {
    const std::string dir = "data/img/gui/village/bt_";
    const platform::PixmapRef open = platform::LoadPixmap(dir + name + ".png");
    const platform::PixmapRef locked = platform::LoadPixmap(dir + name + "_locked.png");
    if (!open || !locked || open->Width() != locked->Width() || open->Height() != locked->Height()) {
      problems.push_back(std::string(name) + ": the open and locked pictures do not load as a pair");
      continue;
    }
    Rect label, lock;
    for (int y = 0; y < open->Height(); ++y)
      for (int x = 0; x < open->Width(); ++x) {
        if (x >= open->Width() * 45 / 100 && light(open->ReadPixel(x, y))) label.Add(x, y);
        if (gold(locked->ReadPixel(x, y)) && !gold(open->ReadPixel(x, y))) lock.Add(x, y);
      }
    if (label.Empty() || lock.Empty()) {
      problems.push_back(std::string(name) + ": no label or no lock found");
    } else if (label.Meets(lock)) {
      problems.push_back(std::string(name) + ": the lock (" + std::to_string(lock.x0) + "," + std::to_string(lock.y0) +
                         ")-(" + std::to_string(lock.x1) + "," + std::to_string(lock.y1) + ") covers the label (" +
                         std::to_string(label.x0) + "," + std::to_string(label.y0) + ")-(" + std::to_string(label.x1) +
                         "," + std::to_string(label.y1) + ")");
    }
  }
  EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s):" << Join(problems);
}

}  // namespace
}  // namespace kelp
