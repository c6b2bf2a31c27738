// The charts: "Grafici Statistici", over the movements.
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& statsModule();
