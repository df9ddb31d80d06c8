#pragma once
// Every room the effects tests reach, back to its start values: the village
// and the running level, and all the rooms below them.
#include "reset_rooms.h"

namespace effects_test {

inline void ResetRooms() {
  kelp::ResetVillageGlobals();
  testsupport::ResetPlayRooms();
}

}  // namespace effects_test
