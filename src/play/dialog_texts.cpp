#include "play/dialog_texts.h"

#include <string>

#include "framework/core/numbers.h"
#include "framework/files/log.h"
#include "framework/files/text_file.h"

namespace kelp {

TextTable DialogTexts;

namespace {

constexpr int kFirstDialogId = 1001;
// Far above the dialogs the game has; a larger id is a damaged file, not a
// reason to allocate gigabytes.
constexpr int kMaxDialogs = 100000;

void StoreDialog(int id, std::string text) {
  const int index = id - kFirstDialogId;
  if (index < 0 || index >= kMaxDialogs) {
    WriteLog("Dialogs.dat: dialog id " + std::to_string(id) + " out of range, skipped", LOG_WARNING);
    return;
  }
  if (DialogTexts.Count() < index + 1) DialogTexts.Resize(index + 1);
  DialogTexts.Set(index, std::move(text));
}

}  // namespace

void LoadDialogs(TextStream& text) {
  static const std::string kOpen = "<Dialog id=";
  bool open = false;
  int id = 0;
  std::string body;
  while (!text.Eof()) {
    const std::string line = text.ReadLine();
    if (!open) {
      const size_t at = line.find(kOpen);
      if (at == std::string::npos) continue;
      const size_t from = at + kOpen.size();
      const size_t end = line.find('>', from);
      if (end != std::string::npos) id = ToInt(Trim(line.substr(from, end - from)));
      open = true;
      body.clear();
    } else if (line.find("</Dialog>") != std::string::npos) {
      StoreDialog(id, std::move(body));
      body.clear();
      open = false;
    } else {
      body += line;
    }
  }
}

void LoadDialogs() {
  Ref<TextStream> text = TextFileReader::CreateStream("data/lang/Dialogs.dat");
  if (!text) {
    WriteLog("data/lang/Dialogs.dat not found", LOG_WARNING);
    return;
  }
  LoadDialogs(*text);
}

}  // namespace kelp
