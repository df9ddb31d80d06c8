#pragma once
// The high-score table: 8 rows of name and score for each game mode.
#include <string>

namespace kelp {

// [row][0 normal, 1 relaxed][0 name, 1 score]
extern std::string HighScores[8][2][2];

// Enters the current player's score into the table of the current game mode
// and writes "scores.dat"; nothing without a current profile.
void AddScore();

}  // namespace kelp
