#include "frontend/profile_hooks.h"

#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "frontend/credits.h"
#include "frontend/main_menu.h"
#include "frontend/menu_links.h"
#include "frontend/player_select.h"
#include "frontend/profile.h"
#include "play/player.h"
#include "world/effects/help_text.h"

namespace kelp {

void InstallProfileHooks() {
  ProfileNameTakenHook = [](const std::string& name) { return TProfile::SearchByName(name) != nullptr; };
  CreateProfileHook = [](const std::string& name, const std::string&) {
    const Ref<TProfile> p = TProfile::Create(name, 1);
    if (!p) return;
    if (Player) Player->Profile = p;
    p->SetUser();
    RebuildMenuGreeting();
  };
  NameBoxClosedHook = [] { SetMenuUserInput(1); };
  ShowUserOptionsHook = [] { ShowUserOptions(); };

  MenuLinks.RebuildGreeting = [] {
    if (MainMenuScreen) MainMenuScreen->SetGreeting(Player && Player->Profile ? Player->Profile->name : "");
  };
  MenuLinks.SetUserInput = [](int enabled) {
    if (!MainMenuScreen) return;
    MainMenuScreen->UserInputEnabled = enabled;
    if (!enabled) return;
    for (const Ref<TWidget>& w : std::initializer_list<Ref<TWidget>>{
             MainMenuScreen->HelpText, MainMenuScreen->UserText, MainMenuScreen->UserLink})
      if (w) w->SetEnable(1);
  };
  MenuLinks.ShowCredits = [] {
    if (MainMenuScreen) MainMenuScreen->SetHided(1);
    ShowCredits();
  };
}

}  // namespace kelp
