#pragma once
// The trolleys that bring boxes in along the bottom of the play field. A
// trolley is a set of line statics moved as one, and the boxes assigned to it.
#include "framework/object.h"
#include "framework/object_list.h"
#include "platform/stream.h"

namespace kelp {

class TBlock;

class TTrolley : public Object {
 public:
  ObjectList<TBlock> Blocks;  // the boxes of this trolley
  int state = -1;             // -1 hidden, 0 arriving, 1 standing, 2 leaving, 3 gone
  int hided = 0;
  int ID = 0;                 // position in the sequence, 1-based

  // Appends the box to the Blocks of the first trolley with this ID.
  static void AddTrolleyBlock(int id, const Ref<TBlock>& block);
  // The ID of the first trolley holding the box, else 0.
  static int TrolleyBlock(const TBlock* block);
  void AddBlock(const Ref<TBlock>& block);

  static void UpdateTrolley(float frameFactor);
  static void DrawTrolleyBack();
  static void DrawTrolleyFront();
  // Reads the level's "_trolley.xml"; 1 when trolleys were read.
  static int LoadTrolley(const platform::StreamRef& stream);
  // Makes the trolleys ready for the level's first one to come in.
  static void Reset();
  // Forgets every trolley.
  static void Clear();
};

// Every trolley of the level, in creation order.
extern ObjectList<TTrolley> Trolleys;
// The trolley in play, or null.
extern Ref<TTrolley> CurrentTrolley;
// Subtracted from GameTime for all trolley timing.
extern int TrolleyTimeOffset;
extern int TrolleyCount;

}  // namespace kelp
