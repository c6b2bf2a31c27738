// The first/previous/next/last rule of every card, as a pure function of the
// position label and the record count.
#pragma once

#include "archive/archivio.h"

#include <optional>

enum class NavCommand { First, Previous, Next, Last };

struct NavResult {
  enum Action { Load, Nothing, EmptyMessage } action = Nothing;
  RecordPosition load = 0;   // the record to load when action is Load
  bool clearPosition = false; // EmptyMessage: Next also empties the label
};

// position: the number in the position label, or nothing for a new card.
NavResult navigate(NavCommand command, std::optional<RecordPosition> position, RecordPosition count);
