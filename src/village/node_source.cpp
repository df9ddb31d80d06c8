#include "village/node_source.h"

#include <sstream>

#include "platform/stream.h"

namespace kelp {

namespace {

bool ReadInt(std::istringstream& in, int& v) {
  std::string word;
  if (!(in >> word)) return false;
  size_t used = 0;
  try {
    v = std::stoi(word, &used);
  } catch (...) {
    return false;
  }
  return used == word.size();
}

}  // namespace

NodeSource ParseNodeSource(const std::string& text) {
  NodeSource g;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string word;
    if (!(in >> word)) continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (word == "node") {
      int id = 0;
      NodeSourceRecord r;
      if (!ReadInt(in, id) || !ReadInt(in, r.x) || !ReadInt(in, r.y) || !ReadInt(in, r.radius) ||
          !ReadInt(in, r.cost) || !(in >> r.owner)) {
        g.errors.push_back(where + "a node needs id, x, y, radius, cost and owner");
        continue;
      }
      if (id != static_cast<int>(g.nodes.size()) + 1) {
        g.errors.push_back(where + "node " + std::to_string(id) + " out of order (expected " +
                           std::to_string(g.nodes.size() + 1) + ")");
        continue;
      }
      if (r.owner == "-") r.owner.clear();
      if (std::string extra; in >> extra) g.errors.push_back(where + "unexpected \"" + extra + "\" after the owner");
      g.nodes.push_back(r);
    } else if (word == "join") {
      std::vector<int> ids;
      int id = 0;
      bool ok = true;
      while (!in.eof()) {
        if (!ReadInt(in, id)) {
          ok = in.eof() && !ids.empty();
          break;
        }
        ids.push_back(id);
      }
      if (!ok || ids.size() < 2) {
        g.errors.push_back(where + "a join needs two or more node ids");
        continue;
      }
      for (int v : ids)
        if (v < 1 || v > static_cast<int>(g.nodes.size())) {
          g.errors.push_back(where + "join names node " + std::to_string(v) + ", which is not defined above");
          ok = false;
        }
      if (!ok) continue;
      for (size_t i = 0; i + 1 < ids.size(); ++i) g.joins.emplace_back(ids[i], ids[i + 1]);
    } else {
      g.errors.push_back(where + "unknown word \"" + word + "\"");
    }
  }
  return g;
}

std::vector<uint8_t> NodeFileBytes(const NodeSource& graph) {
  platform::MemoryStream out;
  out.WriteBytes("nodes\r\n");
  const size_t count = graph.nodes.size() > 254 ? 254 : graph.nodes.size();
  out.WriteByte(static_cast<uint8_t>(count));
  for (size_t i = 0; i < count; ++i) {
    const NodeSourceRecord& r = graph.nodes[i];
    out.WriteInt(r.x);
    out.WriteInt(r.y);
    out.WriteInt(r.radius);
    out.WriteFloat(static_cast<float>(r.cost));
    out.WriteLine(r.owner);
  }
  for (const auto& [a, b] : graph.joins)
    if (a <= static_cast<int>(count) && b <= static_cast<int>(count)) {
      out.WriteByte(static_cast<uint8_t>(a));
      out.WriteByte(static_cast<uint8_t>(b));
    }
  return out.Data();
}

}  // namespace kelp
