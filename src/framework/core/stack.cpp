#include "framework/core/stack.h"

namespace kelp {

Stack::~Stack() {
  // Unlinked one by one, so a long chain is not released recursively.
  Stack::Clear();
}

Ref<Object> Stack::Pop() {
  if (!Current) return nullptr;
  Ref<StackEntry> e = Current;
  Current = e->Nxt;
  return e->Value;
}

Ref<Object> Stack::Peek(int depth) {
  StackEntry* e = Current.get();
  for (int i = 0; i < depth && e; ++i) e = e->Nxt.get();
  return e ? e->Value : nullptr;
}

void Stack::Clear() {
  while (Current) {
    Ref<StackEntry> next = std::move(Current->Nxt);
    Current = std::move(next);
  }
}

bool Stack::IsEmpty() { return Current == nullptr; }

void LIFO::Push(Ref<Object> value) {
  auto e = New<StackEntry>();
  e->Value = std::move(value);
  e->Nxt = std::move(Current);
  Current = std::move(e);
}

void LILO::Push(Ref<Object> value) {
  auto e = New<StackEntry>();
  e->Value = std::move(value);
  if (!Current) {
    Current = e;
  } else {
    if (!First) {  // Current set from outside: find the tail
      First = Current;
      while (First->Nxt) First = First->Nxt;
    }
    First->Nxt = e;
  }
  First = std::move(e);
}

Ref<Object> LILO::Pop() {
  Ref<Object> v = Stack::Pop();
  if (!Current) First = nullptr;
  return v;
}

void LILO::Clear() {
  Stack::Clear();
  // Left pointing at the old tail, the next Push would link behind a detached entry.
  First = nullptr;
}

}  // namespace kelp
