#include "frontend/scores.h"

#include "play/player.h"

namespace kelp {

std::string HighScores[8][2][2];

void AddScore() {
  if (!Player || !Player->Profile) return;
  // Profiles cannot be made yet, so there is no score to enter.
}

}  // namespace kelp
