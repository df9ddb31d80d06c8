#pragma once
// The crane claw: two physics groups in the level's engine, the claw (two
// tips hanging from a connector particle) and the cable (a chain whose left
// end is fixed near the top-left corner and whose right end rides with the
// connector). The player moves it along the rail, pins the held box under
// its tips and draws it; the claw shows the hold with two electric arcs and
// breaks that link when the box drifts too far.
//
// "data/world/cable.xml" needs particles "particle" (fixed end) and
// "particle(11)" (moving end) and its constraints in chain order from one end
// to the other; "data/world/handle.xml" needs "particle" (right tip),
// "particle(2)" (left tip) and "particle(3)" (the connector).
#include "framework/core/color.h"
#include "framework/core/object.h"
#include "physics/engine.h"
#include "platform/image.h"

namespace kelp {

class TBlock;
class TElectro;
class TRay;

class THandle : public Object {
 public:
  Ref<TPhysEngine_Group> Group;           // the claw, from "data/world/handle.xml"
  Ref<TPhysEngine_Particle> Connector;    // "particle(3)", static: the point the claw is moved by
  Ref<TPhysEngine_Particle> LeftClaw;     // "particle(2)"
  Ref<TPhysEngine_Particle> RightClaw;    // "particle"
  int RenderX = 0, RenderY = 0;
  Ref<TPhysEngine_Group> Cable;           // from "data/world/cable.xml"
  Ref<TPhysEngine_Particle> LeftCablePart;   // "particle", static: the fixed end
  Ref<TPhysEngine_Particle> RightCablePart;  // "particle(11)", static: moved with the connector
  platform::ImageRef CableTex;            // "Image_Cable_Tex"
  Ref<TElectro> LeftElectro, RightElectro;
  WeakRef<TBlock> ElectroBlock;           // the held box the arcs reach to
  Ref<TColor> Color;                      // the lamp's tint
  Ref<TRay> Ray;                          // the ray bonus while it has taken the claw over

  // Takes both groups out of the engine and lets go of the particles and arcs.
  virtual void Remove();
  // Loads both groups and makes the arcs; 0, with nothing left in the
  // engine, when a file or one of its named particles is missing.
  virtual int Load();
  virtual void Position(float x, float y);
  virtual void Translate(float dx, float dy);
  // The per-frame move along the rail: sparks when fast, arcs toward the box.
  virtual void Move(float dx, float dy);
  virtual void DrawCable();
  virtual void Draw();

  // Null when the claw cannot be loaded.
  static Ref<THandle> Create(float x, float y);

 private:
  // The angle of the tips' line (degrees) and their midpoint.
  void Geometry(float& a, float& mx, float& my) const;
};

}  // namespace kelp
