#pragma once
// The high-score table: the eight best players of each game mode, kept in
// "scores.dat" in the save folder as 32 scrambled strings, row by row:
// normal name, normal score, relaxed name, relaxed score. A scrambled string
// is an int32 character count, then per character a random byte r (1..10)
// and an int32 of twice the character code minus r.
//
// A missing file is written with a default table first; a damaged or
// truncated one is replaced by the defaults with a log line. Writes go
// through a temporary file, so an interrupted write keeps the old table.
#include <string>

#include "framework/ui/widget.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TButtonWidget;
class TWidgetUpdater;

// [row 0..7, best first][0 normal, 1 relaxed][0 name, 1 score as decimal text]
extern std::string HighScores[8][2][2];

class TScores : public TWidget {
 public:
  static constexpr int Button_OK_ID = 1;
  static constexpr int ArrowL_ID = 2;
  static constexpr int ArrowR_ID = 3;

  platform::ImageRef Image;  // "IMAGE_SCORES_FRAME"
  platform::ImageRef Normal, Relaxed;
  int state = 0;  // the mode shown
  Ref<TButtonWidget> Button_OK, ArrowL, ArrowR;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;

  static void WriteString3(platform::Stream& s, const std::string& text);
  // False for a string cut short, longer than any table holds, or holding a
  // character that is not printable text.
  static bool ReadString3(platform::Stream& s, std::string& text);
  // The table to "scores.dat"; false when it could not be written.
  static bool WriteScores();
  static bool WriteScores(platform::Stream& s);
  // "scores.dat" into the table: the defaults are written first when it is
  // missing, and replace it when it is damaged.
  static void ReadScores();
  static bool ReadScores(platform::Stream& s);
  // The default table: eight invented names per mode, 1000 down to 300
  // (normal) and 500 down to 150 (relaxed).
  static void DefaultScores();

  int AddedToManager() override;
  int RemovedFromManager() override;
  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int SetPosition(int px, int py) override;
  int Resize(int px, int py, int width, int height) override;
  int SetHided(int flag) override;
  virtual int StartShow();
  virtual int StartHiding();
};

// Enters the current player's total into the table of the running game's
// mode (below any row with an equal score; not again when the same name
// already stands there with the same score), then writes "scores.dat" and
// "records.dat". Nothing without a current profile.
void AddScore();
// Enters (name, score) into the table of the mode as AddScore does; the row
// it took, or -1.
int InsertScore(int mode, const std::string& name, int score);

Ref<TScores> ShowScores();

// The path of "scores.dat" in the save folder.
std::string ScoresPath();

}  // namespace kelp
