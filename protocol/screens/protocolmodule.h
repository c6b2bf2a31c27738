// The protocol register: "Protocollo Posta", one archive a year.
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& protocolModule();
