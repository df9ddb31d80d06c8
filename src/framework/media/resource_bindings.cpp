#include "framework/media/resource_bindings.h"

#include "framework/media/bmfont.h"
#include "framework/media/particles.h"

namespace kelp {

void BindTable(std::span<const TBinding> table, std::vector<TResData>& kept) {
  if (!ResManager) return;
  kept.assign(table.size(), TResData());
  for (size_t i = 0; i < table.size(); ++i) {
    const TBinding& row = table[i];
    switch (row.kind) {
      case BIND_IMAGE: {
        platform::ImageRef v = ResManager->GetImage(row.id);
        if (row.image)
          *row.image = std::move(v);
        else if (v)
          kept[i] = std::move(v);
        break;
      }
      case BIND_FONT: {
        Ref<TBMFont> v = ResManager->GetBMFont(row.id);
        if (row.font)
          *row.font = std::move(v);
        else if (v)
          kept[i] = std::move(v);
        break;
      }
      case BIND_EFFECT: {
        Ref<TEffect> v = ResManager->GetEffect(row.id);
        if (row.effect)
          *row.effect = std::move(v);
        else if (v)
          kept[i] = std::move(v);
        break;
      }
    }
  }
}

}  // namespace kelp
