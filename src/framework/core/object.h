#pragma once
// The root of the game's object model: shared ownership through Ref, back
// references as plain pointers or WeakRef where the target may be gone.
#include <memory>

namespace kelp {

struct Object {
  virtual ~Object() = default;
};

template <class T>
using Ref = std::shared_ptr<T>;
template <class T>
using WeakRef = std::weak_ptr<T>;

template <class T, class... Args>
Ref<T> New(Args&&... args) {
  return std::make_shared<T>(std::forward<Args>(args)...);
}

// Downcast of a reference; null when the object is of another class.
template <class T, class U>
Ref<T> As(const Ref<U>& r) {
  return std::dynamic_pointer_cast<T>(r);
}

}  // namespace kelp
