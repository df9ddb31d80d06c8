#pragma once
// The level's physical world: its physics engine, moving floor and water, and
// the order in which the level's machinery is advanced and drawn each frame.
// One object lives for the whole run (World, made at start-up); the level
// loader fills it, the running level updates and draws it and clears it
// between levels. TWorldImage holds the decorative pictures a level places.
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "physics/engine.h"
#include "platform/image.h"

namespace kelp {

class TFloor;
class TWater;

class TWorld : public Object {
 public:
  TWorld();
  Ref<TPhysEngine> Physics;
  float CreaturesToRelease = 0.0f;  // boxes still to be released; set by the level loader
  int CriticalLine = 0;             // the red line's screen y; 200 once a world is loaded
  Ref<TPhysEngine_Group> Rope;      // an optional rope drawn over the scene
  Ref<TPhysEngine_Group> Mill;
  Ref<TPhysEngine_Particle> Center, UpLeft;
  Ref<TFloor> MovingFloor;  // null when the level has none
  Ref<TWater> Water;        // null when the level has none

  // Load the physics world (XML form, or the line form of the level packs).
  // 0 and nothing else changed when the file does not load. On success the
  // pusher, the player's claw and the frame's lamp chains are made; a claw
  // that cannot be made (its group files missing) fails the load too.
  virtual int Load(const PhysicsSource& source);
  virtual int LoadOld(const PhysicsSource& source);
  // Paths, trolleys, water, floor, pushers, one physics step, thermometer.
  virtual void Update(float frameFactor);
  virtual void DrawOver();  // the scene in front of the boxes
  virtual void Draw();      // the scene behind the boxes
  virtual void Clear();

 private:
  int Loaded(int result);
};

extern Ref<TWorld> World;

class TWorldImage : public Object {
 public:
  std::string name;  // file name without folder
  int ID = 0;
  std::string path;
  std::string savepath;
  platform::ImageRef Image;
  float x = 0.0f, y = 0.0f;  // centre
  float scale = 1.0f;
  float alpha = 1.0f;
  float angle = 0.0f;
  int layer = 0;         // 0..4
  int moving_floor = 0;  // 1: rides on the moving floor
  float floor_dy = 0.0f;
  int obstacle = 0;
  int hided = 0;
  // A platform's picture rides with the statics of its path id ("platform"
  // on the image line): the offset from their centre is taken by Init.
  int platform = 0;
  float platform_dx = 0.0f, platform_dy = 0.0f;

  // Takes the image out of WorldImages; the remaining ones are numbered again.
  void Del();
  static void Clear();
  // Loads the picture (with its alpha mask "name_.ext" when there is one) and
  // appends it; null, and nothing added, when no picture loads.
  static Ref<TWorldImage> Create(const std::string& path, float x, float y);
  // Ties the floor-riding images to the moving floor's height and the
  // platform pictures to their platforms' centres.
  static void Init();
  static void Draw(int layer);
  // Where the picture is drawn this frame: (x, y), or riding its floor or platform.
  void Position(float& px, float& py) const;
};

extern ObjectList<TWorldImage> WorldImages;
extern int WorldImageCounter;  // the last ID handed out

}  // namespace kelp
