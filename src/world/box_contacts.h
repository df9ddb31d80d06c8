#pragma once
// What a contact between bodies means for the boxes. The level world's engine
// reports its contacts here (TWorld sets it), and the box logic reads the
// result from the groups: the contact lists (same colour, parasite kinds,
// any box, bonus boxes), the parasite contact kind and time, the time of an
// active box's first contact, and the fall flags of released boxes.
#include "physics/contacts.h"

namespace kelp {

// The listener of every level world's engine; it keeps no state of its own.
ContactListener& BoxContacts();

}  // namespace kelp
