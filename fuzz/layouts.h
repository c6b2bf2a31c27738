// Every record layout of the program, for the record-codec fuzzer.
#pragma once

#include "archive/layout.h"

#include <vector>

const std::vector<const RecordLayout*>& fuzzedLayouts();
