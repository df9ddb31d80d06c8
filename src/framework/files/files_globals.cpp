#include "framework/files/files_globals.h"

#include "framework/files/language.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/files/strings.h"
#include "framework/files/xml.h"

namespace kelp {

void ResetFilesGlobals() {
  GameTexts = TextTable();
  TrophyTexts = TextTable();
  UpgradeTexts = TextTable();
  LanguageCode = "eng";
  ResetPakState();
  PakPath = "data/data.pak";
  PhraseBank = nullptr;
  XMLFileId = 0;
  CloseLog();
}

}  // namespace kelp
