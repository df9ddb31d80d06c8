#include "frontend/frontend_globals.h"

#include "frontend/level_record.h"
#include "frontend/main_menu.h"
#include "frontend/map.h"
#include "frontend/menu_links.h"
#include "frontend/options_dialog.h"
#include "frontend/profile.h"
#include "frontend/save_notice.h"
#include "frontend/scores.h"

namespace kelp {

void ResetFrontendGlobals() {
  MainMenuScreen = nullptr;
  MapScreen = nullptr;
  VillageEntryOpen = kVillageEntryOpen;
  ExitGameHook = nullptr;
  Profiles.Clear();
  VillageSaveLinks = {};
  MenuLinks = {};
  ResetSaveNotices();
  FullScreenChangePending = 0;
  WideScreenChangePending = 0;
  LevelRecords.Clear();
  for (auto& level : HighScores)
    for (auto& mode : level)
      for (std::string& cell : mode) cell.clear();
}

}  // namespace kelp
