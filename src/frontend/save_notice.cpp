#include "frontend/save_notice.h"

#include <set>

#include "framework/files/language.h"
#include "framework/ui/message_box.h"
#include "framework/ui/widget.h"

namespace kelp {

namespace {

std::set<int> g_shown;

}  // namespace

void TellPlayer(SaveNoticeText text, const std::string& detail) {
  if (!WidgetManager || !ImageGuiMessageBox || !g_shown.insert(text).second) return;
  ShowMessageBox(0, nullptr, GameTexts[text] + "\\n" + detail, 1, "IMAGE_GUI_BT_OK", "", 0);
}

void ResetSaveNotices() { g_shown.clear(); }

}  // namespace kelp
