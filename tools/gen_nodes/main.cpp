// gen_nodes: converts a village's text graph into the node file the game reads.
//
//   gen_nodes <graph.txt> <nodes.dat>
//
// Every line that cannot be read is reported and fails the conversion, so a
// broken graph never reaches the data set.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "village/node_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen_nodes <graph.txt> <nodes.dat>\n");
    return 1;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "gen_nodes: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const kelp::NodeSource graph = kelp::ParseNodeSource(text.str());
  for (const std::string& e : graph.errors) std::fprintf(stderr, "%s: %s\n", argv[1], e.c_str());
  if (!graph.errors.empty()) return 1;
  if (graph.nodes.empty() || graph.nodes.size() > 254) {
    std::fprintf(stderr, "%s: %zu nodes; a graph holds 1 to 254\n", argv[1], graph.nodes.size());
    return 1;
  }
  const std::vector<uint8_t> bytes = kelp::NodeFileBytes(graph);
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path(), ec);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "gen_nodes: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
