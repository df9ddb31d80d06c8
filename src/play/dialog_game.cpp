#include "play/dialog_game.h"

namespace kelp {

Ref<TDialogGame> TDialogGame::Create(int, int, int) { return nullptr; }

int TDialogGame::Pause(int) { return 0; }

void TDialogGame::Remove() {
  if (WidgetManager) WidgetManager->RemoveWidget(this);
}

}  // namespace kelp
