#include "play/tutorial.h"

namespace kelp {

Ref<TTutorial> TutorialHint;

// The hints come with the tutorial.
void TTutorial::StartHiding2() {}

}  // namespace kelp
