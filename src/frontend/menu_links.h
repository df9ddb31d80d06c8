#pragma once
// What the player dialogs and the name box need of the main menu, filled by
// the main menu when it is made. Unset links fall back to the menu's input
// flag alone.
#include <functional>

namespace kelp {

struct TMenuLinks {
  // Rebuilds the greeting line for the current player (none: the menu's own text).
  std::function<void()> RebuildGreeting;
  // 0 while a player dialog or the name box is open; 1 when it has gone (the
  // menu then takes input again and shows its help text, greeting and user link).
  std::function<void(int enabled)> SetUserInput;
  // Hides the main menu and shows the credits (the options dialog's Credits
  // button is locked while this is unset).
  std::function<void()> ShowCredits;
};
extern TMenuLinks MenuLinks;

// Calls the link, or sets MainMenuScreen's UserInputEnabled when it is unset.
void SetMenuUserInput(int enabled);
void RebuildMenuGreeting();

}  // namespace kelp
