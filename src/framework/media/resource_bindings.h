#pragma once
// After a resource scope loads, its binder looks up a fixed list of ids once
// and keeps each object in a global of its own, so that drawing code reaches
// the objects it uses every frame without a lookup by id. An id that is not
// found leaves its global null (after the manager's "Not found" line); an id
// registered several times binds one of its entries, picked at binding time.
// The game's tables live with the game; this is the mechanism they share.
#include <span>
#include <vector>

#include "framework/core/object.h"
#include "framework/media/resources.h"
#include "platform/image.h"

namespace kelp {

class TBMFont;
class TEffect;

enum TBindKind { BIND_IMAGE, BIND_FONT, BIND_EFFECT };

// One row of a binding table: fetched with GetImage, GetBMFont or GetEffect
// and stored in the global the row points at (none for rows kept by the table).
struct TBinding {
  TBindKind kind;
  const char* id;
  platform::ImageRef* image = nullptr;
  Ref<TBMFont>* font = nullptr;
  Ref<TEffect>* effect = nullptr;
};

// Binds every row of the table in order. Rows without a global keep their
// object in `kept`, alive as a global would keep it. Nothing without a
// resource manager.
void BindTable(std::span<const TBinding> table, std::vector<TResData>& kept);

}  // namespace kelp
