#pragma once
// Telling the player that something of theirs could not be read or kept: a
// damaged save put aside, a save of another version, a save folder that
// cannot be written. The caller logs the details; the player sees a message
// box (a notice already shown this run is not shown again, so a folder that
// stays unwritable does not bring a box up at every save).
#include <string>

namespace kelp {

// String.dat entries of the notices.
enum SaveNoticeText : int {
  NOTICE_DAMAGED_SAVE = 70,   // a player's save was damaged and put aside
  NOTICE_OTHER_VERSION = 71,  // a save of another version was put aside
  NOTICE_NOT_SAVED = 72,      // the save folder cannot be written
  NOTICE_DAMAGED_USER = 73,   // "user.dat" was damaged and put aside
};

// Shows the entry's text with `detail` (a file name, a folder) below it, once
// per entry per run. Nothing without a widget manager (tests).
void TellPlayer(SaveNoticeText text, const std::string& detail);

// Forgets which notices were shown (start of a run, tests).
void ResetSaveNotices();

}  // namespace kelp
