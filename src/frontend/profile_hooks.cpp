#include "frontend/profile_hooks.h"

#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "frontend/menu_links.h"
#include "frontend/player_select.h"
#include "frontend/profile.h"
#include "play/player.h"

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
}

}  // namespace kelp
