// The deadlines and appointments: "Scadenze e Appuntamenti"; it receives a case from the case search.
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& deadlinesModule();
