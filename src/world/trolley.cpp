#include "world/trolley.h"

#include "world/block.h"

namespace kelp {

ObjectList<TTrolley> Trolleys;
Ref<TTrolley> CurrentTrolley;
int TrolleyTimeOffset = 0;
int TrolleyCount = 0;

void TTrolley::AddTrolleyBlock(int id, const Ref<TBlock>& block) {
  if (!block) return;
  for (const auto& t : Trolleys) {
    if (t->ID != id) continue;
    t->AddBlock(block);
    return;
  }
}

int TTrolley::TrolleyBlock(const TBlock* block) {
  for (const auto& t : Trolleys)
    if (t->Blocks.Contains(block)) return t->ID;
  return 0;
}

// The trolleys' motion, drawing and file come with their own change; until
// then no level has one.
void TTrolley::UpdateTrolley(float) {}
void TTrolley::DrawTrolleyBack() {}
void TTrolley::DrawTrolleyFront() {}
int TTrolley::LoadTrolley(const platform::StreamRef&) { return 0; }
void TTrolley::Reset() {}

void TTrolley::Clear() {
  Trolleys.Clear();
  CurrentTrolley = nullptr;
  TrolleyCount = 0;
}

void TTrolley::AddBlock(const Ref<TBlock>& block) {
  if (block) Blocks.AddLast(block);
}

}  // namespace kelp
