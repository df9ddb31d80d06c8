#pragma once
// The trolleys that bring boxes in along the bottom of the play field. A
// trolley is a set of line statics moved as one (its floor and two side
// walls) and the boxes assigned to it. It rolls in from the left, stands
// for its time with a clock, rolls out to the right taking the boxes still
// on it, and the next one rolls in; copies refill the line for ever.
//
// The level's "_trolley.xml" holds one tag a line: "<trolleys>", then one
// "<trolley id= time=/>" line per trolley (time in ms, doubled in the
// relaxed mode).
#include <string>

#include "framework/core/geometry.h"
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "physics/engine.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TBlock;
class TImpulse;
class TLight;
class TSectorImage;

class TTrolley : public Object {
 public:
  static constexpr int HIDDEN = -1, ARRIVING = 0, STANDING = 1, LEAVING = 2, GONE = 3;

  ObjectList<TBlock> Blocks;                           // the boxes of this trolley
  float angle = 0.0f;                                  // wheel rotation, [0, 360)
  Ref<TImpulse> Impulse;                               // the settling wobble while standing; stepped by the trolley
  ObjectList<TPhysEngine_Static> Static;               // floor and the two walls
  Ref<TPhysEngine_Static> TrolleyFloor;                // also the first of Static; its (x1, y1) anchors the drawing
  float x = 0.0f, y = 0.0f;                            // distance moved so far
  float dx = 0.0f, dy = 0.0f, _dx = 0.0f, _dy = 0.0f;  // the load offset
  Ref<TVector> velocity;                               // motion per frame
  Ref<TVector> accel;                                  // per frame factor
  int state = HIDDEN;
  int hided = 0;  // 1 while out of the physics engine
  int ID = 0;     // position in the sequence, 1-based
  int InTime = 0;
  int OutTime = 0;
  int StayTime = 10000;
  int dust = 0;
  int dust_time = 0;
  platform::ImageRef Clock;
  Ref<TSectorImage> ClockShadow;  // the elapsed part of the stay
  platform::ImageRef ClockPip;
  platform::ImageRef ClockArrow;
  float ClockAngle = 0.0f;  // 0..360
  Ref<TLight> ClockLight;   // the red warning light, null until lit

  // A new trolley with the same stay and copies of this one's boxes.
  virtual Ref<TTrolley> Copy();

  // The first hidden trolley with this ID; null for none or id <= 0.
  static Ref<TTrolley> Search(int id);
  // A new trolley (ID = ++TrolleyCount) at the load offset, appended.
  static Ref<TTrolley> Create(const std::string& name);
  static void UpdateTrolley(float frameFactor);
  static void DrawTrolleyBack();
  static void DrawTrolleyFront();
  // Reads the level's "_trolley.xml" and makes its trolleys in file order.
  static int LoadTrolley(const platform::StreamRef& stream);
  // The same content as an XML document (no relaxed-mode doubling).
  static int LoadTrolleyNew(const platform::StreamRef& stream);
  // The ID of the first trolley holding the box, else 0.
  static int TrolleyBlock(const TBlock* block);
  // After the boxes are loaded: copies of every trolley but the first, all
  // hidden, then trolley 1 brought in.
  static void Reset();

  // Out of the engine and the list; the rest are numbered again from 1.
  virtual void del();
  // Takes the statics and the boxes' bodies out of the engine.
  virtual void hide();
  // Puts them back, each once.
  virtual void unhide();

  // Brings in the hidden trolley with this ID.
  static void Set(int id);
  // Appends the box to the Blocks of the first trolley with this ID.
  static void AddTrolleyBlock(int id, const Ref<TBlock>& block);
  // Deletes every trolley and its boxes.
  static void Clear();

  // Builds the floor and walls at the offset; stay 10000, hidden.
  virtual void Load(float x, float y);
  virtual void Add(int x1, int y1, int x2, int y2);
  virtual void AddBlock(const Ref<TBlock>& block);
  virtual void Move(float dx, float dy);
  virtual void Update(float frameFactor);
  virtual void DrawBack();
  virtual void DrawFront();

 private:
  int carriedOff_ = 0;  // boxes this trolley took off the field while leaving
  void Leave();
  void UpdateLeaving();
};

// Every trolley of the level, in creation order.
extern ObjectList<TTrolley> Trolleys;
// The trolley in play (the last one brought in), or null.
extern Ref<TTrolley> CurrentTrolley;
// Subtracted from GameTime for all trolley timing; pauses and time freezes add to it.
extern int TrolleyTimeOffset;
extern int TrolleyCount;
// Set when a standing trolley lights its warning; cleared by any trolley's del.
extern int TrolleyWarningShown;

}  // namespace kelp
