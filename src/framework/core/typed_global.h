#pragma once
// A typed name for a global that a lower layer holds by its base class.
//
// The level world reads the running level through `GameState` (a
// Ref<TGameState>); the running level, one layer up, calls the same object
// `GameScreen` and sees it as the TGame it is. There is one stored reference:
// setting either name sets both, so they can never disagree. Only objects of
// class T may be stored through the base name.
#include <cassert>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "framework/core/object.h"

namespace kelp {

template <class T, class Base>
class TypedGlobal {
 public:
  constexpr explicit TypedGlobal(Ref<Base>& slot) : slot_(slot) {}
  TypedGlobal(const TypedGlobal&) = delete;

  TypedGlobal& operator=(Ref<T> value) {
    slot_ = std::move(value);
    return *this;
  }
  TypedGlobal& operator=(std::nullptr_t) {
    slot_ = nullptr;
    return *this;
  }
  void reset() { slot_ = nullptr; }

  T* get() const {
    assert(!slot_ || dynamic_cast<T*>(slot_.get()));
    return static_cast<T*>(slot_.get());
  }
  T* operator->() const { return get(); }
  T& operator*() const { return *get(); }
  explicit operator bool() const { return slot_ != nullptr; }
  // As a reference to T or to any of its bases.
  template <class U, class = std::enable_if_t<std::is_convertible_v<T*, U*>>>
  operator Ref<U>() const {
    return std::static_pointer_cast<T>(slot_);
  }

 private:
  Ref<Base>& slot_;
};

}  // namespace kelp
