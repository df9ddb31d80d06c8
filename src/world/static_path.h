#pragma once
// Waypoint paths along which a level's moving statics travel. Statics that
// share a non-zero `path` id form one rigid platform that runs back and forth
// along the chain of nodes with that id. The level loader fills the one
// LevelStaticPath from the pack's "_path.dat"; the world advances it first in
// every frame. The editor operations place and link nodes over a running level.
//
// "_path.dat": the line "path" + CR LF, int32 count, then per node int32 _id,
// id, x, y, turn, float32 speed, int32 _id of nxt and of prev (0 for none).
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/stream.h"

namespace kelp {

class TPhysEngine_Static;

class TStaticNode : public Object {
 public:
  int x = 0, y = 0;                  // the platform's centre at this node
  int selectionX = 0, selectionY = 0;  // grab offset while dragged in the editor
  float speed = 0.0f;                // per frame factor, on the leg starting here
  int turn = 0;                      // 1: a platform arriving here reverses
  float radius = 10.0f;              // editor hit size
  int id = 0;                        // the path id
  int _id = 0;                       // node number, unique within a file
  // Neighbours along the chain; the path's Waypoints own the nodes.
  WeakRef<TStaticNode> nxt, prev;
  int nxt_id = 0, prev_id = 0;

  // A node with the next number of the running node counter.
  static Ref<TStaticNode> Create(int x, int y, float speed, int turn, int id);
  // a.nxt = b, b.prev = a; b becomes the editor's selected node.
  static void CreateConnection(const Ref<TStaticNode>& a, const Ref<TStaticNode>& b);
  void Draw();  // editor marker
};

class TStaticPath : public Object {
 public:
  ObjectList<TStaticNode> Waypoints;

  static Ref<TStaticPath> Create();
  // Empties Waypoints and restarts the node counter.
  void Clear();
  // The node after Node for the static's direction, or back the other way at
  // the end of the chain.
  void NextStep(TPhysEngine_Static& s);
  // The whole platform of the static turns back toward the node it came from.
  void BlockStatic(TPhysEngine_Static& s);
  void MoveStatic(TPhysEngine_Static& s, float frameFactor);
  void Update(float frameFactor);
  Ref<TStaticNode> CreateNode(int x, int y, float speed, int turn, int id);

  // The path editor: buttons 1 left, 2 right; key 46 deletes the selected
  // node, key 32 places a new one at the pointer.
  void Input_MOUSEDOWN(int button, int x, int y);
  void Input_MOUSEUP(int button, int x, int y);
  void Input_MOUSEMOVE(int x, int y);
  void Input_KEYDOWN(int key, int x, int y);

  // Writes the nodes in "_path.dat" form; 1 when written, 0 otherwise.
  int Save(const std::string& path);
  // Clears, then reads a "_path.dat"; 0 (and no nodes) for a null stream or
  // one without the header. A count the stream cannot hold and links to
  // numbers that are not in the file are cut off.
  int Load(const platform::StreamRef& stream);
  int InputNode() { return 0; }
  void Draw();  // editor overlay: links and node markers

  // Editor state, shared by every path (the node functions select too).
  static Ref<TStaticNode> HoveredNode, SelectedNode;
  static int LeftHeld, RightHeld, LeftReleased, RightReleased;

 private:
  Ref<TStaticNode> NodeAt(int px, int py);
};

// Node numbers handed out by TStaticNode::Create; Clear restarts it at 0.
extern int StaticNodeCounter;

extern Ref<TStaticPath> LevelStaticPath;

}  // namespace kelp
