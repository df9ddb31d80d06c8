#pragma once
// A copy of a list's elements, for walks during which the list may change.
#include <vector>

#include "framework/core/object.h"
#include "framework/core/object_list.h"

namespace kelp {

template <class T>
std::vector<Ref<T>> Snapshot(const ObjectList<T>& list) {
  std::vector<Ref<T>> out;
  out.reserve(list.Count());
  for (const Ref<T>& v : list) out.push_back(v);
  return out;
}

}  // namespace kelp
