#pragma once
// The story's twelve trophies (a key, a clover, a message, three portal
// stones sharing one place, a zeppelin drawing, an engine stone, a retort, a
// ring, a ray and an armour), in a fixed order in Trophies. The village
// dialogs award them, the trophy room shows them on its shelf, and the save
// game keeps each one's enabled and hide flags by name. Each trophy is also
// a collision layer (its id bit), so the room finds the one under the mouse
// pixel-exactly; when trophies overlap, the higher bit wins.
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/image.h"

namespace kelp {

class TTrophy : public Object {
 public:
  std::string name;
  int id = 0;  // collision layer bit: 2, 4, ... 4096
  int x = 0, y = 0;
  std::string Info;
  platform::ImageRef Image;
  int enabled = 0;
  int hide = 0;

  // Flags for a new or loaded game: none enabled, the later stones hidden.
  static void LoadClear();
  static void Clear();
  // The twelve trophies, the key enabled.
  static void LoadTrophies();
  static void Create(const std::string& name);
  // The shelf at horizontal offset dx.
  static void Draw(float dx);
  // Finds the trophy under the mouse (HoverTrophy).
  static void Update(float dt);
  // By name, any letter case; null when none.
  static Ref<TTrophy> Get(const std::string& name);
  // Awards it (a later portal stone takes the earlier one's place); 0 for an unknown name.
  static int Enable(const std::string& name);
};

extern ObjectList<TTrophy> Trophies;
extern int TrophyCount;
extern Ref<TTrophy> HoverTrophy, PrevHoverTrophy;

}  // namespace kelp
