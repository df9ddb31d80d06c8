#include "play/dialog_texts.h"

#include <cctype>
#include <string>
#include <string_view>

#include "framework/files/log.h"
#include "framework/files/text_file.h"

namespace kelp {

TextTable DialogTexts;

namespace {

constexpr int kFirstDialogId = 1001;
// Far above the dialogs the game has (ids up to about 3000); a larger id is a
// damaged file, not a reason to allocate a table for it.
constexpr int kMaxDialogs = 10000;
const std::string kOpen = "<Dialog id=";
const std::string kClose = "</Dialog>";

// A whole decimal number with optional blanks around it and a sign; false for
// anything else (a quoted id, letters, an empty id, an overflow).
bool ParseId(std::string_view s, int& id) {
  size_t i = 0;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const size_t digits = i;
  long long value = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    value = value * 10 + (s[i++] - '0');
    if (value > 1000000000LL) return false;
  }
  if (i == digits) return false;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  if (i != s.size()) return false;
  id = static_cast<int>(negative ? -value : value);
  return true;
}

void StoreDialog(int id, std::string text) {
  const int index = id - kFirstDialogId;
  if (index >= DialogTexts.Count()) DialogTexts.Resize(index + 1);
  DialogTexts.Set(index, std::move(text));
}

}  // namespace

void LoadDialogs(TextStream& text) {
  bool open = false;
  bool keep = false;  // the open block has a usable id
  int id = 0;
  int lineNo = 0;
  std::string body;
  while (!text.Eof()) {
    const std::string line = text.ReadLine();
    ++lineNo;
    if (!open) {
      const size_t at = line.find(kOpen);
      if (at == std::string::npos) continue;
      open = true;
      body.clear();
      const size_t from = at + kOpen.size();
      const size_t end = line.find('>', from);
      keep = end != std::string::npos && ParseId(std::string_view(line).substr(from, end - from), id) &&
             id >= kFirstDialogId && id - kFirstDialogId < kMaxDialogs;
      if (!keep)
        WriteLog("Dialogs.dat line " + std::to_string(lineNo) + ": the dialog opener \"" + line +
                     "\" has no id from 1001 on; its block is skipped",
                 LOG_WARNING);
    } else if (line.find(kClose) != std::string::npos) {
      if (keep) StoreDialog(id, std::move(body));
      body.clear();
      open = false;
    } else if (keep) {
      body += line;
    }
  }
  if (open && keep) WriteLog("Dialogs.dat: dialog " + std::to_string(id) + " is never closed; dropped", LOG_WARNING);
}

void LoadDialogs() {
  Ref<TextStream> text = TextFileReader::CreateStream("data/lang/Dialogs.dat");
  if (!text) {
    WriteLog("data/lang/Dialogs.dat not found: the story dialogs are left out", LOG_WARNING);
    return;
  }
  LoadDialogs(*text);
}

const std::string& DialogText(int id) {
  // The table gives "" outside itself.
  return DialogTexts[id < kFirstDialogId ? -1 : id - kFirstDialogId];
}

}  // namespace kelp
