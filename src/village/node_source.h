#pragma once
// The authored text form of a waypoint graph and its conversion to the
// binary node file the game reads (see nodes.h). The build converts each
// village's text graph; tests build their fixture graphs the same way.
//
//   # a comment; blank lines are skipped
//   node <id> <x> <y> <radius> <cost> <owner>   ids 1, 2, 3 ... in order; owner "-" = open ground
//   join <a> <b> [<c> ...]                      joins a-b, b-c, ...
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kelp {

struct NodeSourceRecord {
  int x = 0, y = 0, radius = 0, cost = 0;
  std::string owner;
};

struct NodeSource {
  std::vector<NodeSourceRecord> nodes;          // id = index + 1
  std::vector<std::pair<int, int>> joins;       // each join once
  std::vector<std::string> errors;              // "line N: ..." for every line not taken
};

NodeSource ParseNodeSource(const std::string& text);
// The node file's bytes: each join written once. At most 254 nodes are
// written (255 cannot be joined); the caller checks the count first.
std::vector<uint8_t> NodeFileBytes(const NodeSource& graph);

}  // namespace kelp
