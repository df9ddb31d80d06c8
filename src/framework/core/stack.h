#pragma once
// Two linked containers over a common base: LIFO, a stack, and LILO, a queue.
#include "framework/core/object.h"

namespace kelp {

class StackEntry : public Object {
 public:
  Ref<Object> Value;
  Ref<StackEntry> Nxt;
};

class Stack : public Object {
 public:
  Stack() = default;
  Stack(const Stack&) = delete;
  Stack& operator=(const Stack&) = delete;
  ~Stack() override;

  Ref<StackEntry> Current;  // the entry Pop returns next

  virtual void Push(Ref<Object> value) = 0;
  // The next value, removed; null when empty.
  virtual Ref<Object> Pop();
  // The value `depth` entries behind the next one (0 is the next); null past the end.
  virtual Ref<Object> Peek(int depth);
  virtual void Clear();
  virtual bool IsEmpty();
};

class LIFO : public Stack {
 public:
  void Push(Ref<Object> value) override;
};

class LILO : public Stack {
 public:
  // Despite its name, the most recently pushed entry (the tail).
  Ref<StackEntry> First;

  void Push(Ref<Object> value) override;
  Ref<Object> Pop() override;
  void Clear() override;
};

}  // namespace kelp
