#pragma once
// Installs what the name box and the message box (framework/ui) need of the
// profiles: whether a name is taken, making and selecting a new player, the
// way back to the main menu and the player selection; and the main menu's
// links for the player and options dialogs. Called once by start-up.
namespace kelp {

void InstallProfileHooks();

}  // namespace kelp
