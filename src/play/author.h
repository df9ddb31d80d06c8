#pragma once
// Speakers of the village story dialogs and the places of their portraits.
#include <string>

#include "framework/core/object.h"

namespace kelp {

class TAuthor : public Object {
 public:
  std::string name;
  int x = 0, y = 0;  // portrait offset from the window's top-left corner

  // Fills AuthorPositions with the six speaker places.
  static void Init();
};

extern int AuthorPositions[6][2];

}  // namespace kelp
