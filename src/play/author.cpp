#include "play/author.h"

namespace kelp {

int AuthorPositions[6][2] = {};

void TAuthor::Init() {
  static constexpr int kPlaces[6][2] = {{-70, -80}, {-140, 40}, {-70, 160}, {70, -100}, {500, 500}, {600, 600}};
  for (int i = 0; i < 6; ++i) {
    AuthorPositions[i][0] = kPlaces[i][0];
    AuthorPositions[i][1] = kPlaces[i][1];
  }
}

}  // namespace kelp
