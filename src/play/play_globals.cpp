#include "play/play_globals.h"

#include "play/author.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "play/game.h"
#include "play/in_game_interface.h"
#include "play/player.h"
#include "play/red_line.h"
#include "play/thermometer.h"
#include "play/tutorial.h"

namespace kelp {

void ResetPlayGlobals() {
  GameScreen = nullptr;
  GameLinks = TGameLinks{};
  Player = nullptr;
  InGameInterface = nullptr;
  RedLine = nullptr;
  Thermometer = nullptr;
  TutorialHint = nullptr;
  TutorialButton = nullptr;
  CurrentPlayerName = nullptr;
  PhraseCounter = 0;
  DialogTexts = TextTable();
  for (auto& place : AuthorPositions) place[0] = place[1] = 0;
}

}  // namespace kelp
