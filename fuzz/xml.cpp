// The XML reader over any bytes: the tree it gives is well linked and within
// the depth limit, the lookups run on it, and what the writer makes of it
// reads back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/color.h"
#include "framework/files/xml.h"
#include "fuzz_check.h"
#include "platform/stream.h"

using namespace kelp;

namespace {

using fuzz::Check;

// Walks the whole tree without recursion, checking its links.
void CheckTree(sdXMLnode* root) {
  Check(root->parent == nullptr || root->parent->doc == root->doc);
  std::vector<std::pair<sdXMLnode*, int>> todo{{root, 1}};
  while (!todo.empty()) {
    auto [n, depth] = todo.back();
    todo.pop_back();
    Check(depth <= 256);
    int attrs = 0;
    for (sdXMLattr* a = n->firstattr; a; a = a->sibattr) {
      Check(a->parent == n);
      Check(!a->name.empty());
      if (!a->sibattr) Check(n->lastattr == a);
      ++attrs;
    }
    Check(attrs == n->attrcount);
    int children = 0;
    sdXMLnode* prev = nullptr;
    for (sdXMLnode* c = n->firstchild; c; c = c->NextNode) {
      Check(c->parent == n && c->PrevNode == prev);
      Check(c->path == n->path + n->Tag + "/");
      prev = c;
      ++children;
      todo.push_back({c, depth + 1});
    }
    Check(children == n->childcount && n->lastchild == prev);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Ref<sdXMLnode> root = ParseXMLText(text);
  if (!root) return 0;
  CheckTree(root.get());

  // Lookups with names taken from the document itself.
  const std::string tag = root->Tag;
  const std::string child = root->firstchild ? root->firstchild->Tag : "x";
  const std::string attr = root->firstattr ? root->firstattr->name : "x";
  FindNode(root, tag + "/" + child + "/");
  FindChild(root, child + "/");
  GetChildAttrInt(root, child + "/", attr, 0);
  GetChildFloatInt(root, child + "/");
  GetAttrInt(root, attr, 0);
  GetAttrFloat(root, attr, 0.0f);
  GetAttrVector(root, attr, nullptr);
  GetAttrColor(root, attr, nullptr);
  for (auto l = FindNodes(root, child + "/", 1); l; l = l->NextNode) Check(l->NODE != nullptr);

  platform::MemoryStream out;
  WriteXMLNode(out, root, "");
  const auto& bytes = out.Data();
  const Ref<sdXMLnode> again =
      ParseXMLText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (again) CheckTree(again.get());
  return 0;
}
