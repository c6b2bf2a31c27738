#include "common/navigation.h"

#include <gtest/gtest.h>

// The whole table: empty archive, new card, first, middle and last card,
// and an archive past 2^32 records, whose positions must not wrap.
TEST(Navigation, TheWholeTable) {
  using A = NavResult::Action;
  const auto none = std::optional<RecordPosition>();
  constexpr RecordPosition big = (RecordPosition(1) << 32) + 5;
  struct Case { NavCommand cmd; std::optional<RecordPosition> pos; RecordPosition count; A action; RecordPosition load; bool clear; } cases[] = {
      {NavCommand::First, none, 0, A::EmptyMessage, 0, false},
      {NavCommand::First, 3, 0, A::EmptyMessage, 0, false},
      {NavCommand::First, none, 5, A::Load, 1, false},
      {NavCommand::First, 3, 5, A::Load, 1, false},
      {NavCommand::Last, none, 0, A::EmptyMessage, 0, false},
      {NavCommand::Last, none, 5, A::Load, 5, false},
      {NavCommand::Last, 2, 5, A::Load, 5, false},
      {NavCommand::Previous, 1, 0, A::Nothing, 0, false},
      {NavCommand::Previous, none, 0, A::EmptyMessage, 0, false},
      {NavCommand::Previous, 4, 0, A::EmptyMessage, 0, false},
      {NavCommand::Previous, none, 5, A::Load, 1, false},
      {NavCommand::Previous, 1, 5, A::Nothing, 0, false},
      {NavCommand::Previous, 2, 5, A::Load, 1, false},
      {NavCommand::Previous, 5, 5, A::Load, 4, false},
      {NavCommand::Next, none, 0, A::EmptyMessage, 0, true},
      {NavCommand::Next, 2, 0, A::EmptyMessage, 0, true},
      {NavCommand::Next, none, 5, A::Load, 1, false},
      {NavCommand::Next, 3, 5, A::Load, 4, false},
      {NavCommand::Next, 5, 5, A::Nothing, 0, false},
      {NavCommand::Next, 7, 5, A::Nothing, 0, false},
      {NavCommand::Last, none, big, A::Load, big, false},
      {NavCommand::Next, big - 1, big, A::Load, big, false},
      {NavCommand::Next, big, big, A::Nothing, 0, false},
      {NavCommand::Next, RecordPosition(1) << 31, big, A::Load, (RecordPosition(1) << 31) + 1, false},
      {NavCommand::Previous, big, big, A::Load, big - 1, false},
  };
  for (const Case& c : cases) {
    const NavResult r = navigate(c.cmd, c.pos, c.count);
    EXPECT_EQ(r.action, c.action) << int(c.cmd) << " pos " << c.pos.value_or(-1) << " count " << c.count;
    if (c.action == A::Load) EXPECT_EQ(r.load, c.load);
    EXPECT_EQ(r.clearPosition, c.clear);
  }
}
