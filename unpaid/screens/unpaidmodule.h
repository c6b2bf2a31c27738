// The unpaid payments: "Pagamenti Insoluti", over the movements and deadlines.
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& unpaidModule();
