// The cash book: "Primanota e Bilancio", over the movements.
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& cashbookModule();
