#include "play/tutorial.h"

namespace kelp {

Ref<TTutorial> TutorialHint;

}  // namespace kelp
