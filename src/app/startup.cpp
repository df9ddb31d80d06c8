#include "app/startup.h"

#include <malloc.h>

#include <cctype>
#include <cstdio>

#include "app/frame_loop.h"
#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/frame_clock.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/core/startup_settings.h"
#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/files/strings.h"
#include "framework/files/xml.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/fade.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/dialog.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget.h"
#include "frontend/credits.h"
#include "frontend/help.h"
#include "frontend/level_record.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/options.h"
#include "frontend/options_dialog.h"
#include "frontend/profile.h"
#include "frontend/profile_hooks.h"
#include "frontend/save_folder.h"
#include "frontend/scores.h"
#include "music/music_module.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/single_instance.h"
#include "platform/system.h"
#include "platform/window.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "play/author.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/play_hooks.h"
#include "world/effects/effects_hooks.h"
#include "play/player.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "play/tutorial.h"
#include "village/story_links.h"
#include "village/trophy_room.h"
#include "village/village.h"
#include "village/village_save.h"
#include "world/block.h"
#include "world/level.h"
#include "world/resource_bindings.h"
#include "world/static_path.h"
#include "world/world.h"

namespace kelp {

std::vector<std::string> AppArguments;
std::string AppTitle;
std::string SplashConfigFile = "screenbranding\\config.xml";
std::string LoadingText;
int SplashWaits = 1;
int StartVillageStage = 0;

namespace {

constexpr int kTitleEntry = 53;
constexpr int kMaxStartLevel = 99;  // the stage and island table has 100 rows
constexpr int kLoadingFrameMs = 18;  // one frame tick
int g_ran = 0;
int g_loadingShown = 0;  // counter value of the last loading screen shown

// The subsystems below the front end reach the running level and the screens
// through these links.
void LinkSubsystems() {
  InitVillageStory();
  VillageStory.SavedStage = [] {
    const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
    return data ? data->Stage : 0;
  };
  // A continued game: the running game takes the saved level (and its
  // stage) first, then the whole save comes back into the live village.
  VillageStory.RestoreSaved = [] {
    const Ref<TProfile> profile = Player ? Player->Profile : nullptr;
    if (!profile || !profile->data) return 0;
    if (profile->data->Level >= 1) TLevel::SetLevel(profile->data->Level);
    if (GameScreen) GameScreen->Stage = profile->data->Stage;
    return profile->LoadData();
  };
  VillageStory.SetGameCompleted = [] {
    if (Player && Player->Profile && Player->Profile->data) Player->Profile->data->GameCompleted = 1;
  };
  VillageStory.SaveProfile = [] {
    if (Player && Player->Profile && GameScreen && !GameScreen->CustomLevel) Player->Profile->Save();
  };
  LevelLinks.LoadVillage = [](int island) {
    if (VillageScreen) VillageScreen->Load(island);
  };
  LevelLinks.ProfileProgress = [](int& completed, int& saved) {
    const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
    completed = data ? data->GameCompleted : 0;
    saved = data ? data->Level : 0;
  };
  LevelLinks.ShowVillage = ShowVillageOrMap;
  LevelLinks.BetweenLevels = ReturnToMapBetweenLevels;
  LevelLinks.EndLevelSelect = [] {
    const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
    if (data && VillageScreen) VillageScreen->Load(data->Island);
    if (GameScreen) {
      GameScreen->SetHided(1);
      GameScreen->CustomLevel = 0;
    }
    if (MainMenuScreen) MainMenuScreen->SetHided(0);
    if (Mouse) Mouse->Show();
  };
  GameLinks.GetSkill = [](float& skill) {
    const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
    if (!data) return false;
    skill = data->Skill;
    return true;
  };
  GameLinks.SetSkill = [](float skill) {
    if (Player && Player->Profile && Player->Profile->data) Player->Profile->data->Skill = skill;
  };
  GameLinks.ShowMainMenu = [] {
    if (MainMenuScreen) MainMenuScreen->SetHided(0);
  };
  GameLinks.ShowVillage = ShowVillageOrMap;
  GameLinks.ReloadProfile = [] {
    const Ref<TGameData> data = Player && Player->Profile ? Player->Profile->data : nullptr;
    if (data && VillageScreen) VillageScreen->Load(data->Island);
  };
  GameLinks.AddScore = AddScore;
  GameLinks.ShowOptions = [] { ShowOptions(1); };
  GameLinks.RecordLevel = [](int level, int gameMode, int score) {
    const std::string name = Player && Player->Profile ? Player->Profile->name : std::string();
    TLevelRecord::SetRecord(level, gameMode, name, score);
    TLevelRecord::Save();
  };
  GameLinks.RestartSave = [] {
    if (!Player || !Player->Profile) return;
    if (const Ref<TGameData> data = Player->Profile->data) {
      const int completed = data->GameCompleted;
      data->EraseData();
      data->GameCompleted = completed;
    }
    Player->Profile->Save();
  };
  GameLinks.ShowCredits = [] { ShowCredits(); };
  GameLinks.ShowHelp = [] { ShowHelp(); };
  CurrentPlayerName = [] { return Player && Player->Profile ? Player->Profile->name : std::string(); };
  ClickSoundHook = [](const std::string& sound, float volume, int repeat) {
    return PlaySoundEffect(sound, volume, repeat);
  };
  UpdateFrameHook = UpdateFrame;
  ExitGameHook = ExitGame;
  InitEffectsHooks();
  InitPlayHooks();
  InstallProfileHooks();
  VillageSaveLinks.Save = SaveVillageBlock;
  VillageSaveLinks.Load = LoadVillageBlock;
  VillageSaveLinks.Erase = EraseVillage;
}

void SelectGraphicsBackend() {
  GraphicsDriverChoice = UseOpenGL ? 0 : 2;
  if (UseDirect3D7) GraphicsDriverChoice = 1;
  platform::SetGraphicsBackend(GraphicsDriverChoice == 0   ? platform::Backend::OpenGL
                               : GraphicsDriverChoice == 1 ? platform::Backend::Software
                                                           : platform::Backend::Default);
}

// Loaders report damaged files through the debug output: every start keeps
// their lines in the log, and a debug start shows them on stderr as well.
void ReceiveDebugOutput(const std::string& message) {
  const bool warning = message.find("WARNING") != std::string::npos;
  if (LogIsOpen() && DebugMode) std::fprintf(stderr, "%s\n", message.c_str());
  WriteLog(message, warning ? LOG_WARNING : LOG_ERROR);  // stderr too while no log is open
}

// Without its data the game would run blind: name what is missing and stop.
bool DataPresent() {
  std::string missing;
  if (!platform::IsFolder("data"))
    missing = "the data folder \"data\"";
  else if (!OpenPakStream("res.xml") && !OpenPakStream("data/res.xml"))
    missing = "the resource list \"res.xml\"";
  if (missing.empty()) return true;
  const std::string text = "The game cannot start: " + missing + " is missing beside the program. Please install the game again.";
  WriteLog(text, LOG_ERROR);
  std::fprintf(stderr, "%s\n", text.c_str());
  platform::MessageBox(AppTitle, text);
  CloseLog();
  platform::ReleaseSingleInstance();
  platform::ExitProcess(2);
  return false;
}

bool OpenWindow() {
  const int ok = FullScreen ? TOptions::SetFullScreen() : TOptions::SetWindowed();
  if (ok) return true;
  // Without a canvas nothing can be shown: say so and stop instead of running blind.
  const std::string text = "The game window cannot be opened.";
  WriteLog(text, LOG_ERROR);
  platform::MessageBox(AppTitle, text);
  CloseLog();
  platform::ReleaseSingleInstance();
  platform::ExitProcess(1);
  return false;
}

platform::ImageRef LoadSplashImage(const std::string& path) {
  platform::StreamRef s = OpenPakStream(path);
  return s ? platform::LoadImage(*s) : nullptr;
}

void ShowLogo(const platform::ImageRef& image, int time, float scale, int skip) {
  float alpha = 0.0f;
  int state = 0;
  int holdStart = 0;
  for (;;) {
    platform::Cls();
    platform::SetAlpha(alpha);
    platform::SetScale(scale, scale);
    platform::DrawImage(image, static_cast<float>(VirtualCenterX), static_cast<float>(VirtualCenterY));
    platform::Flip(true);
    if (skip && (platform::AnyKeyDown() || platform::MouseHit(1) || platform::MouseHit(2))) state = 2;
    if (state == 0) {
      alpha += 0.02f;
      if (alpha >= 1.0f) {
        alpha = 1.0f;
        state = SplashWaits ? 1 : 2;
        holdStart = platform::Millisecs();
      }
    } else if (state == 1) {
      if (platform::Millisecs() > holdStart + time) state = 2;
    } else {
      alpha -= 0.02f;
      if (alpha <= 0.0f) return;
    }
    if (!FrameTimer) FrameTimer = std::make_unique<platform::FrameTimer>(55);
    FrameTimer->Wait();
  }
}

}  // namespace

bool ParseLevelArgument(const std::string& text, int& level) {
  const std::string t = Trim(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i < t.size() && t[i] == '%') {
    base = 2;
    ++i;
  }
  if (i == t.size()) return false;
  for (; i < t.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    const bool ok = base == 16 ? std::isxdigit(c) != 0 : base == 2 ? (c == '0' || c == '1') : std::isdigit(c) != 0;
    if (!ok) return false;
  }
  if (t.size() > 12) return false;  // far beyond any level
  const long long v = ToLong(t);
  if (v < -1000000 || v > 1000000) return false;
  level = static_cast<int>(v);
  return true;
}

void ReadCommandLine(const std::vector<std::string>& args) {
  std::vector<std::string> a;
  for (const std::string& s : args) a.push_back(Lower(s));
  if (a.size() >= 2 && a[1] == "debug") DebugMode = 1;
  if (DebugMode && a.size() >= 3 && a[2] == "village") {
    int stage = 0;
    StartVillageStage = a.size() >= 4 && ParseLevelArgument(a[3], stage) && stage >= 1 && stage <= 36 ? stage : 2;
  } else if (DebugMode && a.size() >= 3) {
    int level = 0;
    if (ParseLevelArgument(a[2], level) && level >= 1 && level <= kMaxStartLevel) {
      StartLevel = level;
    } else {
      std::fprintf(stderr, "Start level \"%s\" is not a level from 1 to %d; starting at level 1\n",
                   args[2].c_str(), kMaxStartLevel);
    }
  }
  if (a.size() >= 2) {
    if (a[1] == "ogl") UseOpenGL = 1;
    if (a[1] == "dx7") UseDirect3D7 = 1;
  }
  if (a.size() >= 3 && a[2] == "16") ColorDepth = 16;
}

void ResetStartup() {
  g_ran = 0;
  g_loadingShown = 0;
}

int ModuleEntry(int argc, char** argv) {
  static int entered = 0;
  if (entered) return 0;
  entered = 1;
  AppArguments.assign(argv, argv + argc);
  platform::EnterProgramFolder();
  GameMain();
  return 0;
}

void GameMain() {
  if (g_ran) return;
  g_ran = 1;
  // Here, not in main(): the benchmarks that run the game in their own
  // process get the same allocator as the game.
  // Pictures are large and many are let go once their textures hold them:
  // each in its own mapping goes back to the system when freed, where the
  // allocator's growing threshold would keep them in a fragmented heap.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);

  // 1. The music module.
  InitAudioStreamModule();
  InitTrackerModule();
  InitOggStreamModule();
  InitMp3StreamModule();

  // 2. The framework.
  InitColors();
  ResManager = New<TResManager>();
  PakDirectory.Clear();
  PakDirectoryLoaded = 0;
  FrameSync = New<TFrameSync>();
  FPSCounter = New<TFPSCounter>();
  Mouse = New<TMouse>();
  InitWidgetManager();

  // 3. The shared containers, empty.
  for (int& c : ReleasedClasses) c = 0;
  VisualsList.Clear();
  Profiles.Clear();
  LevelRecords.Clear();

  // 4. 5. Box colours, the world and the screen fade.
  CreateBlockColors();
  World = New<TWorld>();
  ScreenFade = New<TFade>();
  ScreenFade->Constant = 1;
  VisualsList.AddLast(ScreenFade);

  // 6. Story dialogs' speakers and the phrase lists.
  DialogTexts = TextTable(1);
  TAuthor::Init();
  PhraseBank = New<TStrings>();
  PhraseBank->LoadStrings();

  // 7. The level's objects.
  Player = New<TPlayer>();
  InGameInterface = New<TInGameInterface>();
  RedLine = New<TRedLine>();
  Thermometer = New<TThermometer>();
  CurrentLevel = New<TLevel>();
  for (auto& row : LevelStageIsland) row[0] = row[1] = 0;
  PakEntries.Clear();
  PackFiles.Clear();

  // 8. The language tables.
  TrophyTexts = TextTable(1);
  UpgradeTexts = TextTable(1);
  GameTexts = TextTable(1);
  LoadLanguageTables();

  // 9.
  TutorialHint = New<TTutorial>();
  LevelStaticPath = TStaticPath::Create();
  ActiveSounds.Clear();
  PausedChannels.clear();

  // 10. The title; a missing string table must not leave the window and the lock nameless.
  AppTitle = GameTexts[kTitleEntry];
  if (AppTitle.empty()) AppTitle = "Kelp";
  platform::SetWindowTitle(AppTitle);

  // 11. 12.
  ReadCommandLine(AppArguments);
  LoadDialogs();

  // 13. One instance: a second start brings the first one forward and ends.
  if (!platform::AcquireSingleInstance(GetSaveFolder(), AppTitle)) {
    EndProgram();
    return;
  }

  // 14. 15. 16. Audio, hooks, frame rate.
  AudioAvailable = platform::SetAudioDriver("DirectSound") ? 1 : 0;
  LoopHook = OnFrame;
  LoopStartHook = OnFocusChange;
  CloseHook = ExitGame;
  LinkSubsystems();
  FrameSync->TargetFPS = 60.0f;
  FrameTimer = std::make_unique<platform::FrameTimer>(55);

  // 17. - 21.
  if (DebugMode) GameVersion += " DEBUG";
  const platform::DesktopMode desktop = platform::GetDesktopMode();
  DesktopWidth = desktop.width;
  DesktopHeight = desktop.height;
  DesktopDepth = desktop.depth;
  DesktopRefreshRate = desktop.refresh;
  DetectScreenAspect();
  SeedRnd(platform::Millisecs());
  SelectGraphicsBackend();

  // 22. - 26. Log, records, base resources, options, window.
  OpenLog(GetSaveFolder());
  SetDebugOutputHook(ReceiveDebugOutput);
  TLevelRecord::Load();
  if (!DataPresent()) return;
  LoadBaseResources();
  TOptions::LoadOptions();
  if (!OpenWindow()) return;

  // 27. 28.
  platform::SetMaskColor(255, 0, 255);
  InitCursor();

  // 29. The five top screens.
  VillageScreen = New<TVillageMode>();
  TrophyRoomScreen = New<TTrophyRoom>();
  GameScreen = New<TGame>();
  MainMenuScreen = New<TMainMenu>();
  MapScreen = New<TMapMode>();

  // 30. 31. Splash, then the resource scopes.
  platform::FlushMouse();
  platform::FlushKeys();
  Mouse->Hide();
  ShowSplash();
  platform::FlushMouse();
  platform::FlushKeys();
  LoadResourceGroups();
  Mouse->Show();

  // 32.
  StartGame();
  platform::ReleaseSingleInstance();
}

void LoadBaseResources() {
  WriteLogHeader(GameVersion);
  if (!ReadResourceList("res.xml")) ReadResourceList("data/res.xml");
  ResManager->LoadScope("Init");
  BindInitResources();
  for (platform::ImageRef* image : {&ImageLight, &ImageShadow, &ImageHoverup})
    if (*image) (*image)->MidHandle();
  ParticleGlowImage = ResManager->GetImage("IMAGE_FLASH");
  SideBarLeft = ResManager->GetImage("IMAGE_GUI_WSL");
  SideBarRight = ResManager->GetImage("IMAGE_GUI_WSR");
  TLevel::CountLevels();
  InGameInterface->Load();
}

void ShowSplash() {
  Ref<sdXMLnode> root = ParseXMLFile(SplashConfigFile);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetScale(1.0f, 1.0f);
  platform::SetAlpha(0.0f);
  if (SplashWaits) platform::Delay(1500);
  for (sdXMLnode* node = root ? root->firstchild : nullptr; node; node = node->NextNode) {
    if (Lower(node->Tag) != "logo") continue;
    const platform::ImageRef image = LoadSplashImage(GetAttr(node, "image"));
    if (!image) continue;
    image->MidHandle();
    platform::SetClearColor(GetAttrInt(node, "r", 0), GetAttrInt(node, "g", 0), GetAttrInt(node, "b", 0));
    // A logo without a scale is drawn at its own size, not at 0 (invisible for its whole time).
    ShowLogo(image, GetAttrInt(node, "time", 0), GetAttrFloat(node, "scale", 1.0f), GetAttrInt(node, "skip", 0) & 0xFF);
    HideCursorFlushInput();
  }
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  platform::SetColor(255, 255, 255);
  platform::SetClearColor(0, 0, 0);
  platform::FlushKeys();
}

void LoadResourceGroups() {
  LoadingText = PhraseBank ? PhraseBank->GetLoad() : "";
  g_loadingShown = platform::Millisecs() - kLoadingFrameMs;
  ResManager->DrawLoading = DrawLoadingProgress;
  ResManager->ResetLoadingPanel();
  for (const char* scope : {"Menu", "Map", "Village", "Village2", "Music"}) ResManager->LoadingPanelAddScope(scope);
  ResManager->LoadScope("Menu");
  BindMenuResources();
  ResManager->LoadScope("Map");
  BindMapResources();
  ResManager->LoadScope("Village");
  BindVillageResources();
  ResManager->LoadScope("Village2");
  BindVillage2Resources();
  ResManager->LoadScope("Music");
  BindMusicResources();
  ResManager->DrawLoading = nullptr;
}

void DrawLoadingProgress(float percent) {
  GameTime = platform::Millisecs();
  // Hundreds of small resources each showing a frame would cost more time
  // than loading them: at most one frame a tick, and the last step always.
  if (percent < 99.9f && GameTime - g_loadingShown < kLoadingFrameMs) return;
  g_loadingShown = GameTime;
  const float p = percent < 0.0f ? 0.0f : percent > 100.0f ? 100.0f : percent;
  platform::SetOrigin(static_cast<float>(CanvasOffsetX), 0.0f);
  platform::SetBlend(platform::ALPHABLEND);
  platform::DrawImage(ImageLoadingText, 306.0f, 500.0f);
  platform::DrawImage(ImageLoadingEmpty, 300.0f - 103.0f, 300.0f - 58.0f);
  if (ImageLoadingFull) {
    platform::SetViewport(300 + CanvasOffsetX, 300, Int(ImageLoadingFull->Width() * p / 100.0f),
                          ImageLoadingFull->Height());
    platform::DrawImage(ImageLoadingFull, 300.0f, 300.0f);
    platform::SetViewport(0, 0, VirtualWidth, VirtualHeight);
  }
  platform::SetColor(255, 255, 255);
  if (FontComics) {
    SetBMFont(FontComics);
    DrawTextBox(100, 540, LoadingText, 600, 1, 1);
  }
  platform::Flip(false);
  platform::PollEvents();
}

void StartGame() {
  for (const Ref<TWidget>& screen : std::initializer_list<Ref<TWidget>>{MapScreen, MainMenuScreen, VillageScreen,
                                                                         TrophyRoomScreen, GameScreen}) {
    screen->Resize(0, 0, 800, 600);
    WidgetManager->AddWidget(screen);
  }
  if (StartLevel > 1 && StartLevel > LevelCount) {
    WriteLog("Start level " + std::to_string(StartLevel) + " does not exist; starting at level 1", LOG_WARNING);
    StartLevel = 1;
  }
  TLevel::SetLevel(StartLevel);
  MapScreen->SetHided(1);
  TrophyRoomScreen->SetHided(1);
  VillageScreen->SetHided(1);
  VillageScreen->PlayTime = GameTime;
  TProfile::LoadProfiles();
  if (StartVillageStage) {
    // A debug start in the village at a campaign stage: the level before it
    // was just won. Nothing is restored or saved.
    StartLevel = 0;
    for (int level = 1; level <= LevelCount; ++level)
      if (TLevel::GetInfo(level, 0) == StartVillageStage) {
        TLevel::SetLevel(level);
        break;
      }
    GameScreen->Stage = StartVillageStage;
    GameScreen->SetHided(1);
    MainMenuScreen->SetHided(1);
    VillageScreen->Load(StageIsland(StartVillageStage));
    VillageScreen->SetHided(0);
  } else if (StartLevel == 1) {
    GameScreen->SetHided(1);
    MainMenuScreen->SetHided(0);
  } else {
    // A debug start: the current player's progress is moved to the level.
    // Without a profile there is no progress to move; the level starts all the same.
    const Ref<TProfile> profile = Player->Profile;
    if (profile) {
      if (!profile->data) profile->data = New<TGameData>();
      profile->data->EraseData();
      profile->data->Level = StartLevel;
      profile->data->Stage = TLevel::GetInfo(StartLevel, 0);
    }
    TLevel::SetLevel(StartLevel);
    if (profile) profile->Save();
    MainMenuScreen->SetHided(1);
    GameScreen->SetHided(0);
    if (!GameScreen->Start()) {
      // Asked for this level by name: say why it does not run instead of
      // falling back to the menu unseen.
      std::fprintf(stderr, "Level %d could not be loaded (its pack is missing or damaged); see the log\n",
                   StartLevel);
      EndProgram(1);
      return;
    }
  }
  RunApplication();
  if (AppRunning) EndProgram();  // after a frame limit; EndProgram itself stops the loop otherwise
}

}  // namespace kelp
