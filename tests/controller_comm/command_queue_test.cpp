#include "controller_comm/command_queue.h"

#include <gtest/gtest.h>

namespace {

using tarnex::CommandQueue;

TEST(CommandQueue, FirstInFirstOutWithEachEntrysOwnFrameData) {
  CommandQueue q;
  EXPECT_FALSE(q.head().has_value());
  const uint64_t a = q.append("A", 1, 3);
  const uint64_t b = q.append("B", 2, 16);
  EXPECT_NE(a, b);
  ASSERT_EQ(q.count(), 2u);

  auto head = q.head();
  ASSERT_TRUE(head.has_value());
  EXPECT_EQ(head->id, a);
  EXPECT_EQ(head->text, "A");
  EXPECT_EQ(head->address, 1);
  EXPECT_EQ(head->function, 3);

  EXPECT_FALSE(q.removeHead(b)) << "only the head is removed";
  ASSERT_TRUE(q.removeHead(a));
  head = q.head();
  ASSERT_TRUE(head.has_value());
  EXPECT_EQ(head->text, "B");
  EXPECT_EQ(head->address, 2);
  EXPECT_EQ(head->function, 16);
  EXPECT_TRUE(q.removeHead(b));
  EXPECT_FALSE(q.removeHead(b));
  EXPECT_EQ(q.count(), 0u);
}

TEST(CommandQueue, AHeadTakenBeforeAClearIsNeverRemovedAfterIt) {
  CommandQueue q;
  const uint64_t sent = q.append("old", 1, 3);
  q.clear();
  const uint64_t fresh = q.append("new", 1, 3);
  EXPECT_NE(sent, fresh);
  EXPECT_FALSE(q.removeHead(sent));
  EXPECT_EQ(q.count(), 1u);
}

}  // namespace
