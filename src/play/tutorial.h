#pragma once
// The tutorial hint shown over the first levels.
#include "framework/core/object.h"

namespace kelp {

class TTutorial : public Object {};

extern Ref<TTutorial> TutorialHint;

}  // namespace kelp
