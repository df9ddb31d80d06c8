#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/events.h"
#include "platform/single_instance.h"
#include "test_env.h"

namespace {

using namespace platform;

const char kTitle[] = "Kelp: The Broad Homesteads";

TEST(SingleInstance, SecondLockInTheSameFolderFailsAndAsksTheFirstToRaise) {
  testenv::TempDir dir;
  SingleInstanceLock first, second;
  ASSERT_TRUE(first.Acquire(dir.path(), kTitle));
  EXPECT_TRUE(first.Held());
  EXPECT_FALSE(second.Acquire(dir.path(), kTitle));
  EXPECT_FALSE(second.Held());
  EXPECT_EQ(first.ServiceRequests(), 1);
  EXPECT_EQ(first.ServiceRequests(), 0);

  first.Release();
  EXPECT_TRUE(second.Acquire(dir.path(), kTitle)) << "the lock is free once released";
}

TEST(SingleInstance, OtherFoldersAndOtherNamesDoNotCollide) {
  testenv::TempDir a, b;
  SingleInstanceLock in_a, in_b, other_name;
  ASSERT_TRUE(in_a.Acquire(a.path(), kTitle));
  EXPECT_TRUE(in_b.Acquire(b.path(), kTitle));
  EXPECT_TRUE(other_name.Acquire(a.path(), "Another game"));
  EXPECT_EQ(in_a.ServiceRequests(), 0);
  EXPECT_EQ(in_b.ServiceRequests(), 0);
}

TEST(SingleInstance, MissingSaveFolderIsCreated) {
  testenv::TempDir dir;
  SingleInstanceLock lock;
  EXPECT_TRUE(lock.Acquire(dir / "Kelp/data", kTitle));
  EXPECT_TRUE(lock.Held());
}

TEST(SingleInstance, UnusableFolderLetsTheGameRun) {
  testenv::TempDir dir;
  testenv::WriteFile(dir / "file", "x");
  SingleInstanceLock lock;
  EXPECT_TRUE(lock.Acquire(dir / "file", kTitle)) << "a file where the folder should be";
  EXPECT_FALSE(lock.Held());
}

TEST(SingleInstance, PollEventsRaisesTheWindowOnRequest) {
  testenv::TempDir dir;
  int raised = 0;
  SetRaiseHandler([&] { ++raised; });
  ASSERT_TRUE(AcquireSingleInstance(dir.path(), kTitle));
  SingleInstanceLock second_start;
  EXPECT_FALSE(second_start.Acquire(dir.path(), kTitle));
  PollEvents();
  EXPECT_EQ(raised, 1);
  PollEvents();
  EXPECT_EQ(raised, 1);
  ReleaseSingleInstance();
  SetRaiseHandler(nullptr);
}

}  // namespace
