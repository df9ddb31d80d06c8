#pragma once
// The texts of the story dialogs, read once at start-up from
// "data/lang/Dialogs.dat": entry id - 1001 holds the text of dialog id.
#include "framework/files/language.h"

namespace kelp {

extern TextTable DialogTexts;

// Each block opens at a line holding "<Dialog id=N>" and ends at the next line
// holding "</Dialog>"; the lines between are joined as they are. A block with
// an id below 1001 or beyond any sane count is left out with a log line; a
// smaller id after a larger one never drops the later dialogs.
void LoadDialogs();
void LoadDialogs(TextStream& text);

}  // namespace kelp
