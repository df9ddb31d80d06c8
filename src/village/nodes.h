#pragma once
// The waypoint graph of the current village: points with a radius (walkers
// aim at a random spot of the square x +- Radius, y +- Radius), a cost of
// entering, and the name of the building the point belongs to. Nodes of
// buildings that are not built are marked Unwalkable. Node ids are the
// 1-based order of the file; the villagers' gathering spots name nodes by id.
//
// Ownership: Nodes owns the nodes; joins are weak, so a graph dropped in any
// way (replaced, a node removed, the program ending) frees its nodes. A node
// kept by a villager after the graph was replaced has no joins left.
//
// The node file ("nodes1.dat", "nodes2.dat"), little-endian:
//   "nodes" CR LF, a byte N, N records (int32 x, int32 y, int32 radius,
//   float32 cost, owner name up to LF), then byte pairs (a, b) that join
//   ids a and b, up to the end or a byte 255.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/stream.h"

namespace kelp {

class TNode : public Object {
 public:
  // A plain vector: the path search walks it in its inner loop. Weak: two
  // joined nodes holding each other would never be freed.
  std::vector<WeakRef<TNode>> NeighbourList;
  TNode* Parent = nullptr;  // set by the search, valid only during it
  std::string ParentUpgrade;  // owner: "", "name", "name_door" or "a,b"
  uint8_t ID = 0;
  float x = 0.0f, y = 0.0f;
  int MovementCost = 0;  // 255 or more: never entered
  int Radius = 0;
  int Gcost = 0, Hcost = 0, Fcost = 0;
  uint8_t InClosedList = 0, InOpenList = 0;
  int Unwalkable = 0;
  int SelectionX = 0, SelectionY = 0;

  static void Init();
  // Breaks every join and empties Nodes.
  static void Clear();
  // Recomputes Unwalkable of every node from the built buildings.
  static void UpdateGraph();
  // A new node appended to Nodes with the next id (wrapping 255 to 0).
  static Ref<TNode> Create(int x, int y, int radius, float cost, const std::string& parent);
  // Joins a and b both ways; 0 when they are already joined (or either is null).
  static int CreateConnection(const Ref<TNode>& a, const Ref<TNode>& b);
  static void InputNode() {}
  // Writes the graph in the node-file layout, every join from both ends.
  static bool Save(platform::Stream& out);
  // Replaces the graph by the file's. 0 (graph unchanged) when the stream is
  // null or does not begin with the "nodes" line. Records cut short by the
  // end of the stream are dropped; numbers out of range are clamped; every
  // repair is logged.
  static int Load(platform::Stream& in);
  static int Load(const platform::StreamRef& in);
  // The nearest node to (x, y), the last of equals; null without nodes.
  static Ref<TNode> Find(int x, int y);
  // The node with this id, or null.
  static Ref<TNode> ById(int id);
  static void DrawNodes();

  void Draw();
  void Draw2();
  // Takes the node out of Nodes and out of its neighbours' joins, and
  // renumbers the rest from 1.
  void Remove();
  void CalcGcost(double g);
  void CalcFcost() { Fcost = Gcost + Hcost; }
};

extern ObjectList<TNode> Nodes;
extern uint8_t NodeCounter;
extern int ImpassableCost;  // 255
extern Ref<TNode> SelectedNode, MarkedNode;

// Coordinates and radii of node files are clamped to these.
constexpr int NodeCoordinateLimit = 10000;
constexpr int NodeRadiusLimit = 500;

}  // namespace kelp
