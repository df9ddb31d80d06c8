#include "framework/core/stack.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kelp;

namespace {

struct Num : Object {
  explicit Num(int v_) : v(v_) {}
  int v;
};

Ref<Object> N(int v) { return New<Num>(v); }

int V(const Ref<Object>& o) {
  auto n = As<Num>(o);
  return n ? n->v : -1;  // -1 stands for null
}

std::vector<int> Drain(Stack& s) {
  std::vector<int> out;
  while (!s.IsEmpty()) out.push_back(V(s.Pop()));
  return out;
}

}  // namespace

TEST(Stack, LifoPopsNewestFirstLiloOldestFirst) {
  LIFO lifo;
  LILO lilo;
  for (int i = 1; i <= 3; ++i) {
    lifo.Push(N(i));
    lilo.Push(N(i));
  }
  EXPECT_EQ(Drain(lifo), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(Drain(lilo), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(lilo.First, nullptr);
}

TEST(Stack, PeekLooksBehindTheNextWithoutRemoving) {
  LIFO lifo;
  LILO lilo;
  for (int i = 1; i <= 3; ++i) {
    lifo.Push(N(i));
    lilo.Push(N(i));
  }
  struct Case {
    int depth, lifo, lilo;
  };
  const Case cases[] = {{-1, 3, 1}, {0, 3, 1}, {1, 2, 2}, {2, 1, 3}, {3, -1, -1}, {100, -1, -1}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.depth);
    EXPECT_EQ(V(lifo.Peek(k.depth)), k.lifo);
    EXPECT_EQ(V(lilo.Peek(k.depth)), k.lilo);
  }
  EXPECT_EQ(V(lifo.Pop()), 3);
}

TEST(Stack, PopAndPeekOnAnEmptyStackGiveNull) {
  LIFO lifo;
  LILO lilo;
  EXPECT_EQ(lifo.Pop(), nullptr);
  EXPECT_EQ(lilo.Pop(), nullptr);
  EXPECT_EQ(lifo.Peek(0), nullptr);
  lifo.Push(N(1));
  lifo.Pop();
  EXPECT_EQ(lifo.Pop(), nullptr);
  EXPECT_TRUE(lifo.IsEmpty());
}

TEST(Stack, LiloKeepsOrderAcrossInterleavedPushAndPop) {
  LILO q;
  q.Push(N(1));
  q.Push(N(2));
  EXPECT_EQ(V(q.Pop()), 1);
  q.Push(N(3));
  EXPECT_EQ(V(q.Pop()), 2);
  EXPECT_EQ(V(q.Pop()), 3);
  // Emptied by Pop, the queue takes new entries again.
  q.Push(N(4));
  EXPECT_EQ(Drain(q), (std::vector<int>{4}));
}

TEST(Stack, LiloClearThenPushKeepsTheNewEntry) {
  LILO q;
  q.Push(N(1));
  q.Push(N(2));
  q.Clear();
  EXPECT_TRUE(q.IsEmpty());
  EXPECT_EQ(q.First, nullptr);
  q.Push(N(3));
  q.Push(N(4));
  EXPECT_EQ(Drain(q), (std::vector<int>{3, 4}));
}

TEST(Stack, ClearUnlinksEveryEntry) {
  LIFO s;
  s.Push(N(1));
  s.Push(N(2));
  Ref<StackEntry> top = s.Current;
  Ref<StackEntry> bottom = top->Nxt;
  s.Clear();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(top->Nxt, nullptr);
  EXPECT_EQ(bottom->Nxt, nullptr);
  s.Push(N(5));
  EXPECT_EQ(Drain(s), (std::vector<int>{5}));
}

TEST(Stack, NullValuesAreKeptLikeOthers) {
  LILO q;
  q.Push(nullptr);
  q.Push(N(7));
  EXPECT_FALSE(q.IsEmpty());
  EXPECT_EQ(q.Pop(), nullptr);
  EXPECT_EQ(V(q.Pop()), 7);
}

TEST(Stack, LongStackIsReleasedWithoutDeepRecursion) {
  auto s = New<LIFO>();
  for (int i = 0; i < 300000; ++i) s->Push(nullptr);
  s.reset();  // would overflow the call stack if entries were freed recursively
  SUCCEED();
}
