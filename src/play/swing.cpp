#include "play/swing.h"

namespace kelp {

int TSwing::Start(float) { return 0; }
int TSwing::Stop() { return 0; }
int TSwing::Init() { return 0; }
int TSwing::BlinkUpdate() { return 0; }
int TSwing::UpdateTop(float) { return 0; }
int TSwing::UpdateCreatures(float) { return 0; }
int TSwing::Update(float) { return 0; }
int TSwing::Draw() { return 0; }

}  // namespace kelp
