#pragma once
// The position-based (Verlet) physics of the game: circles (particles) joined
// by distance constraints into groups, thick segments (statics) and radial
// forces. One step per frame advances the world by the fixed TIMESTEP.
//
// Ownership: the engine's lists hold every object; a group also owns its
// particle and constraint chains (frstp/nxt, frstc/nxt), so a group taken out
// of the engine's lists keeps its body. Back references (Physics, grp) are
// plain pointers, cleared when the engine or the group goes away.
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "physics/circle_sweep.h"
#include "physics/constraint_order.h"
#include "physics/pair_lanes.h"
#include "platform/stream.h"

namespace kelp {

class TPhysEngine;
class TPhysEngine_Particle;
class TPhysEngine_Constraint;
class TPhysEngine_Group;
class TPhysEngine_Static;
class TForce;
class TStaticNode;  // a waypoint of the static paths (world/)
class ContactListener;
struct StepArrays;

// Where a world or group file comes from: a path or an already open stream.
struct PhysicsSource {
  PhysicsSource(const char* p) : path(p ? p : "") {}
  PhysicsSource(std::string p) : path(std::move(p)) {}
  template <class S, class = std::enable_if_t<std::is_base_of_v<platform::Stream, S>>>
  PhysicsSource(std::shared_ptr<S> s) : stream(std::move(s)) {}
  std::string path;
  platform::StreamRef stream;
};

// The given stream, else the named file from disk or the pak archive; null when there is none.
platform::StreamRef OpenPhysicsSource(const PhysicsSource& source);

class TPhysEngine_Particle : public Object {
 public:
  // What the step copies every step comes first, in as few cache lines as
  // it takes: a full field holds thousands of particles.
  float x = 0, y = 0;
  float ox = 0, oy = 0;
  float tx = 0, ty = 0;
  float mass = 1.0f;
  float friction = 0.75f;
  float radius = 8.0f;
  int inactive = 0;
  int col_occured = 0;
  float col_friction = 0;
  int static_ = 0;
  int breakable = 0;
  int underwater = 0;
  int sticky = 0;
  int dusty = 0;

 private:
  friend class TPhysEngine;
  // Its place in the running step's arrays; valid only where the arrays
  // name this particle at that place.
  uint32_t slot_ = 0;

 public:
  Ref<TPhysEngine_Particle> nxt;
  TPhysEngine_Group* grp = nullptr;
  TPhysEngine* Physics = nullptr;
  std::string name;
  int WaterDrop = 0;
  float sticky_strength = 4.0f;

  static Ref<TPhysEngine_Particle> Create(TPhysEngine_Group* group, float x, float y, TPhysEngine* engine);
  static Ref<TPhysEngine_Particle> Find(const TPhysEngine_Group* group, const std::string& name);
  virtual void Move(float dx, float dy);
  virtual void Rename(const std::string& name);
  virtual void Position(float x, float y);
  virtual void Translate(float dx, float dy);
  virtual void Remove();
  virtual void Del();

  // The constraints that end at this particle, kept by the constraints
  // themselves so the duplicate test of Create does not scan the whole world.
  std::vector<TPhysEngine_Constraint*> joints;
  std::vector<TPhysEngine_Particle*> partners;  // the other end of each joint

  ~TPhysEngine_Particle() override;
};

class TPhysEngine_Constraint : public Object {
 public:
  // What the step copies every step comes first, in one cache line or two.
  int ctype = 0;
  float length = 0;
  float stiffness = 1.0f;
  uint8_t temporary = 0;
  Ref<TPhysEngine_Particle> p1, p2;
  TPhysEngine* Physics = nullptr;
  std::string name;
  Ref<TPhysEngine_Constraint> nxt;
  TPhysEngine_Group* grp = nullptr;

  // Its place in the engine's Constraints, so that glue leaves in one step.
  ObjectList<TPhysEngine_Constraint>::Link place;

  ~TPhysEngine_Constraint() override;
  static Ref<TPhysEngine_Constraint> Create(TPhysEngine_Group* group, const Ref<TPhysEngine_Particle>& p1,
                                            const Ref<TPhysEngine_Particle>& p2, TPhysEngine* engine);
  static Ref<TPhysEngine_Constraint> Find(const TPhysEngine_Group* group, const std::string& name);
  virtual void Rename(const std::string& name);
  virtual void Remove();
  virtual void Del();

 private:
  friend class TPhysEngine;
  // Create with the rest length given (the step measures it in its arrays).
  static Ref<TPhysEngine_Constraint> Join(TPhysEngine_Group* group, const Ref<TPhysEngine_Particle>& p1,
                                          const Ref<TPhysEngine_Particle>& p2, TPhysEngine* engine, float length);
};

// What the game keeps on a body. The engine neither reads nor writes these
// fields; they ride on the group so that the box logic finds them with the
// body. The contact lists and parasite timers are filled by the level
// world's contact listener and emptied by the box logic.
struct GroupGameFields {
  int fall2 = 0;
  int water = 0;       // the body is the water surface
  int class_ = 0;      // the box class (world/block.h); 0 for a body that is no box
  int boss_class = 0;  // the boss kind of a boss box
  // Same class and both released, parasite kinds, any box, bonus boxes.
  ObjectList<TPhysEngine_Group> CollideList, CollideList2, CollideList3, CollideListBonus;
  int inClosedList = 0, inOpenList = 0, CollidedObjects = 0;  // the chain search
  int ParaziteOnBoard = 0;
  int ParaziteOnBoardTime = 0;
  int ParaziteUpdTime = 0;
  int ActiveStartTime = 0;
  int Active = 0, Death = 0, Released = 0;

  void ClearContacts();
};

class TPhysEngine_Group : public Object, public GroupGameFields {
 public:
  TPhysEngine* Physics = nullptr;
  // Set to 1 when a particle of the group moves more than 15 in one move;
  // the engine never clears it (the game does).
  int fall = 0;
  std::string name = "group";
  int docollisions = 0;
  float radius = 0;
  int centerx = 0, centery = 0;
  int selfcollision = 0;
  Ref<TPhysEngine_Particle> frstp;
  Ref<TPhysEngine_Constraint> frstc;

  ~TPhysEngine_Group() override;
  virtual void Del();
  static Ref<TPhysEngine_Group> Create(TPhysEngine* engine);
  static Ref<TPhysEngine_Group> Find(const std::string& name, const TPhysEngine* engine);
  virtual void Move(float dx, float dy);
  virtual void Reset();
  virtual void Rename(const std::string& name);
  virtual void Position(float x, float y, int stop);
  virtual void Translate(float dx, float dy);
  virtual void Remove();
  // Writes the group file; 1 when written, 0 otherwise.
  virtual int Save(const std::string& path, int overwrite);
  virtual void Scale(float f);
  virtual void Turn(float angle);
  virtual void Rotate(float angle);

  // Centre of the particles' extent (radii not counted); false when empty.
  bool ComputeCenter();
};

// What the game keeps on a static: where a moving platform is on its path,
// obstacles and their hit points, a parasite lying on it, the ray bonus. The
// engine neither reads nor writes these.
struct StaticGameFields {
  Ref<TStaticNode> Node, NextNode;
  int turn = 0;
  int obstacle = 0, hp = 0;
  uint8_t Parazite = 0;
  int RayApply = 0, RayTime = 0;
};

class TPhysEngine_Static : public Object, public StaticGameFields {
 public:
  // Non-zero: the static is part of the moving platform of that path, and
  // the engine sets `blocked` when a particle is pressed deep into it.
  int path = 0;
  int blocked = 0;
  float ox = 0, oy = 0;  // the centre of its platform, kept by the path update; Position is relative to it
  TPhysEngine* Physics = nullptr;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  float minx = 0, maxx = 0, miny = 0, maxy = 0;
  float dx = 0, dy = 0;
  float radius = 0;
  float friction = 0;

  static Ref<TPhysEngine_Static> Create(float x1, float y1, float x2, float y2, float friction, float radius,
                                        int add, TPhysEngine* engine);
  virtual void Move(float dx, float dy);
  virtual void Position(float x, float y);
  virtual void Update();
  virtual void Remove();
};

class TForce : public Object {
 public:
  TPhysEngine* Physics = nullptr;
  int x = 0, y = 0;
  float strength = 0;
  float radius = 0;
  int birth = 0;
  int life = 0;
  int death = 0;
  int constant = 0;

  virtual void Update();
  // Adds this force's push on the point (px, py) to (fx, fy).
  virtual void Force(int px, int py, float& fx, float& fy, int underwater);
  static Ref<TForce> Create(int x, int y, float radius, float strength, int life, TPhysEngine* engine,
                            int constant);
};

class TPhysEngine : public Object {
 public:
  static constexpr int PULLPUSH = 0, PULL = 1, PUSH = 2;
  static constexpr int SLEEPSTOPPED = 1, SLEEPOUTOFRANGE = 2;
  // The most glue (temporary constraints made by contacts) one particle
  // holds; further contacts make none, so however high boxes pile (crushed
  // into a heap where every particle touches dozens) the glue stays bounded.
  static constexpr size_t kMostGlue = 3;

  float GRAVITY = 100.0f;
  float GRAVITYX = 0;
  float GRAVITYY = 0;
  uint8_t ITERATIONS = 1;
  float TIMESTEP = 0.05f;
  float STOPLIMIT = 0.1f;
  int SLEEPMODE = 0;
  int RANGECENTERX = 0, RANGECENTERY = 0;
  int RANGEWIDTH = 0, RANGEHEIGHT = 0;
  float COLSTOPLIMIT = 0.05f;
  float PHYSICSTIME = 0;
  ObjectList<TPhysEngine_Constraint> Constraints;
  ObjectList<TPhysEngine_Group> Groups;
  ObjectList<TPhysEngine_Particle> Particles;
  ObjectList<TPhysEngine_Static> Statics;
  ObjectList<TForce> Forces;
  float TimeStepOld = 0;
  float TimeStepCoef = 0;
  // Told of every contact; not owned, and it must outlive the engine or be
  // reset first. Null: contacts only push bodies apart.
  ContactListener* Contacts = nullptr;

  TPhysEngine();
  ~TPhysEngine() override;
  TPhysEngine(const TPhysEngine&) = delete;
  TPhysEngine& operator=(const TPhysEngine&) = delete;

  virtual void Del();
  virtual void ClearWorld();
  // Reads one group file into a new group; null on failure or when `name` is
  // not empty and differs from the file's group name.
  virtual Ref<TPhysEngine_Group> LoadGroup(const PhysicsSource& source, const std::string& name);
  // The line-per-element world of the level packs; 1 on success.
  virtual int LoadWorldOld(const PhysicsSource& source);
  // The XML world file; 1 on success.
  virtual int LoadWorld(const PhysicsSource& source);
  virtual int SaveWorld(const std::string& path, int overwrite);
  virtual void Update(float frameFactor);
  virtual void UpdateForces();
  virtual void ParticleCollisions();
  virtual void SatisfyConstraints(float frameFactor);
  virtual void Verlet(float frameFactor);

 private:
  friend class TPhysEngine_Particle;
  friend class TPhysEngine_Constraint;
  void UpdateBounds();
  void InsertConstraint(const Ref<TPhysEngine_Constraint>& c);
  // Called by a constraint about to leave Constraints.
  void ConstraintLeaves(const TPhysEngine_Constraint* c);
  void ForgetObjects();
  // Copies the world into step_ (with the groups in groupScratch_): from the
  // lists when they changed since the last step, else along the copy's own
  // order. Scatter writes the particles back; KeepOrder carries the order of
  // Constraints, with the step's glue, over to the next step.
  void Gather();
  void GatherOrder();
  bool LoadStep();
  void Scatter();
  void KeepOrder();
  bool GlueRoom(uint32_t slot);
  // Glues the particles at group-list places i and j (slots ia, ib) with
  // rest length d, when both still have room; whether a glue was made.
  bool GlueAt(uint32_t i, uint32_t j, uint32_t ia, uint32_t ib, float d);
  void MoveBody(uint32_t slot, float dx, float dy);
  void Push(uint32_t a, uint32_t b, float dx, float dy, float d, float R);
  void SelfCollide(size_t group);
  // The pair pass of groups gi and hi, one pair of particles at a time or
  // measured by lanes; the same results. Whether any pair touched.
  bool OneByOne(size_t gi, size_t hi);
  bool MeasuredPairs(size_t gi, size_t hi);
  // Measured by lanes in the next step, when this one pushed more than
  // kDensePushes times per pair of groups (a pile, rather than a field).
  static constexpr size_t kDensePushes = 1;
  bool dense_ = false;
  size_t pushes_ = 0;
  // Statics as seen by the swept moves of the running step (kept alive here).
  std::vector<Ref<TPhysEngine_Static>> stepStatics_;
  bool inStep_ = false;
  // The particles, constraints and statics as the step works on them; the
  // objects see the results when the step (or the phase called on its own) ends.
  std::unique_ptr<StepArrays> step_;
  bool gathered_ = false;
  std::vector<TForce*> forceScratch_;
  // The glue the relaxation removes is held here until the relaxation ends.
  std::vector<Ref<TPhysEngine_Constraint>> constraintScratch_;
  // Within a step: where glue goes in Constraints, and the slot of the
  // constraint being relaxed (the only one that may leave meanwhile).
  ConstraintOrder order_;
  size_t relaxing_ = static_cast<size_t>(-1);
  std::vector<Ref<TPhysEngine_Group>> groupScratch_;
  std::vector<CircleSweep::Circle> circleScratch_;
  CircleSweep sweep_;
  std::vector<size_t> nearScratch_;
  PairLanes lanes_;
};

}  // namespace kelp
