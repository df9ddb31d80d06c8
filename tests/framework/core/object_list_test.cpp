#include "framework/core/object_list.h"

#include <gtest/gtest.h>

#include <vector>

using kelp::ObjectList;

namespace {

std::vector<int> Values(const ObjectList<int>& list) {
  std::vector<int> out;
  for (const auto& v : list) out.push_back(*v);
  return out;
}

std::shared_ptr<int> I(int v) { return std::make_shared<int>(v); }

}  // namespace

TEST(ObjectList, AddsAtBothEndsAndInsertsBefore) {
  ObjectList<int> list;
  auto two = list.AddLast(I(2));
  list.AddFirst(I(1));
  list.AddLast(I(4));
  list.InsertBefore(two, I(0));
  EXPECT_EQ(Values(list), (std::vector<int>{1, 0, 2, 4}));
  EXPECT_EQ(list.Count(), 4u);
  EXPECT_EQ(*list.First(), 1);
  EXPECT_EQ(*list.Last(), 4);
}

TEST(ObjectList, EnumerationSurvivesRemovalOfCurrentAndOthers) {
  ObjectList<int> list;
  for (int i = 0; i < 6; ++i) list.AddLast(I(i));
  std::vector<int> seen;
  for (auto it = list.begin(); it != list.end(); ++it) {
    seen.push_back(**it);
    if (**it == 1) it.link().Remove();           // the current one
    if (**it == 2) { list.Remove(list.ValueAt(1)); list.Remove(list.ValueAt(1)); }  // 2 itself and 3
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 4, 5}));
  EXPECT_EQ(Values(list), (std::vector<int>{0, 4, 5}));
}

TEST(ObjectList, ClearDuringEnumerationEndsIt) {
  ObjectList<int> list;
  for (int i = 0; i < 3; ++i) list.AddLast(I(i));
  int visits = 0;
  for (auto& v : list) {
    ++visits;
    EXPECT_EQ(*v, 0);  // the element stays readable after the clear
    list.Clear();
  }
  EXPECT_EQ(visits, 1);
  EXPECT_TRUE(list.IsEmpty());
}

TEST(ObjectList, RemoveTwiceIsHarmless) {
  ObjectList<int> list;
  auto link = list.AddLast(I(7));
  link.Remove();
  link.Remove();
  EXPECT_FALSE(list.Remove(link.Value()));
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.Last(), nullptr);
}

TEST(ObjectList, LongListIsReleasedWithoutDeepRecursion) {
  auto list = std::make_unique<ObjectList<int>>();
  for (int i = 0; i < 200000; ++i) list->AddLast(I(i));
  list.reset();
  SUCCEED();
}

namespace {

// An element that keeps its own place in the list, as game objects do.
struct Member {
  ObjectList<Member>::Link link;
};

}  // namespace

TEST(ObjectList, ElementKeepingItsOwnLinkIsFreedOnceRemoved) {
  ObjectList<Member> list;
  std::weak_ptr<Member> watch;
  {
    auto m = std::make_shared<Member>();
    m->link = list.AddLast(m);
    watch = m;
  }
  EXPECT_FALSE(watch.expired());
  auto m = watch.lock();
  EXPECT_TRUE(m->link.InList());
  EXPECT_EQ(m->link.Value(), m);
  m->link.Remove();
  EXPECT_FALSE(m->link.InList());
  m.reset();
  EXPECT_TRUE(watch.expired());
}

TEST(ObjectList, WalkerOnARemovedElementSurvivesClearingALongList) {
  auto list = std::make_unique<ObjectList<int>>();
  for (int i = 0; i < 300000; ++i) list->AddLast(I(i));
  int visits = 0;
  for (auto it = list->begin(); it != list->end(); ++it) {
    ++visits;
    // Removed one by one behind the walker: each removed node names the next.
    while (list->Count() > 0) list->RemoveFirst();
  }
  EXPECT_EQ(visits, 1);
  list.reset();
}
