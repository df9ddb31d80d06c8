#pragma once
// Destructible obstacles: groups of line statics of the level's world with
// hit points, shown by world images. Exploding boxes and the ray wear them
// down; as their hit points fall, damage frames replace the picture, and at 0
// they burst and their statics leave the physics engine. Parasite obstacles
// must be destroyed before the level can be won.
//
// The data comes from the loaded world: a static's `obstacle` (> 0) names
// the obstacle it belongs to, its `hp` (when not 0) sets the hit points and
// its `Parazite` flag marks a parasite obstacle; a world image's `obstacle`
// names the obstacle it shows. The damage frames lie beside the picture:
// "name_anim.ext", cells of the picture's size, 2 of them (4 for a parasite).
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "physics/engine.h"
#include "platform/image.h"

namespace kelp {

class TWorldImage;
class TEffect;

class TObstacle : public Object {
 public:
  int id = 0;
  int hp = 10;
  int max_hp = 10;
  ObjectList<TPhysEngine_Static> Statics;
  Ref<TWorldImage> Image;   // its picture, or null
  platform::ImageRef Anim;  // damage frames, or null
  int Frame = 0;
  int Parazite = 0;

  // The first obstacle with this id, or null.
  static Ref<TObstacle> Search(int id);
  // A new obstacle of 10 hit points, appended to Obstacles.
  static Ref<TObstacle> Create(int id);
  static void Clear();
  // Builds the obstacles afresh from the loaded world's statics and images.
  static void Load();
  // Recomputes ParaziteObstacleLeft.
  static void Update();
  // Draws the damage frames of the obstacles of a world-image layer.
  static void Draw(int layer);
  // Every obstacle static whose box the circle (x, y, r) reaches loses
  // `damage`; an obstacle at 0 bursts.
  static void Hit(float x, float y, float r, float damage);
  // The obstacle static the ray from the claw meets first (smallest mid-height
  // below `limit`), or null.
  static Ref<TPhysEngine_Static> RayHit(float limit);

  virtual void AddStatic(int x1, int y1, int x2, int y2);
  virtual void UpdateObstacle(float frameFactor);
  virtual void DrawObstacle(int layer);
  // Bursts: shake, sound, effects; the picture and the statics go, and the
  // obstacle leaves Obstacles. A second call does nothing.
  virtual void Remove();

  // Which damage frame shows, 1-based; 0 while the whole picture does.
  int DamageStage() const;
  // The burst effect of this obstacle in the running level.
  Ref<TEffect> BurstEffect() const;
  // Hides the picture once the hit points fall below where the damage
  // frames take over.
  void ShowDamage();
  bool Removed() const { return removed_; }

 private:
  bool removed_ = false;
};

// Every obstacle of the level.
extern ObjectList<TObstacle> Obstacles;
// 1 while an obstacle with Parazite set exists.
extern int ParaziteObstacleLeft;

}  // namespace kelp
