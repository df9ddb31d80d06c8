#pragma once
// The texts of the story dialogs, read once at start-up from
// "data/lang/Dialogs.dat": entry id - 1001 holds the text of dialog id.
#include <string>

#include "framework/files/language.h"

namespace kelp {

extern TextTable DialogTexts;

// Each block opens at a line holding "<Dialog id=N>" and ends at the next line
// holding "</Dialog>"; the lines between are joined as they are, and the rest
// of both tag lines is dropped. A block whose opener has no ">" or whose id is
// not a number of 1001 or more (or is beyond any sane count) is left out with
// a log line; a smaller id after a larger one never drops the later dialogs;
// a block still open at the end is dropped. A missing file leaves the table
// as it was (every dialog empty).
void LoadDialogs();
void LoadDialogs(TextStream& text);

// The text of dialog id: "" for an id the file does not define, including ids
// below 1001 and beyond the table.
const std::string& DialogText(int id);

}  // namespace kelp
