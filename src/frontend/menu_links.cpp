#include "frontend/menu_links.h"

#include "frontend/main_menu.h"

namespace kelp {

TMenuLinks MenuLinks;

void SetMenuUserInput(int enabled) {
  if (MenuLinks.SetUserInput) {
    MenuLinks.SetUserInput(enabled);
  } else if (MainMenuScreen) {
    MainMenuScreen->UserInputEnabled = enabled;
  }
}

void RebuildMenuGreeting() {
  if (MenuLinks.RebuildGreeting) MenuLinks.RebuildGreeting();
}

}  // namespace kelp
