#include "navigation.h"

NavResult navigate(NavCommand command, std::optional<RecordPosition> position, RecordPosition count) {
  NavResult r;
  switch (command) {
  case NavCommand::First:
  case NavCommand::Last:
    if (count == 0) {
      r.action = NavResult::EmptyMessage;
    } else {
      r.action = NavResult::Load;
      r.load = command == NavCommand::First ? 1 : count;
    }
    return r;
  case NavCommand::Previous:
    if (position == 1) return r; // first card shown: nothing
    if (count == 0) {
      r.action = NavResult::EmptyMessage;
    } else {
      r.action = NavResult::Load;
      r.load = position ? *position - 1 : 1;
      if (r.load < 1) r.load = 1;
    }
    return r;
  case NavCommand::Next: {
    const RecordPosition n = position.value_or(0);
    if (count == 0) {
      r.action = NavResult::EmptyMessage;
      r.clearPosition = true;
    } else if (n < count) {
      r.action = NavResult::Load;
      r.load = n + 1;
    }
    return r;
  }
  }
  return r;
}
