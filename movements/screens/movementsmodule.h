// The movements of money: "Entrate e Uscite", one archive a year; it receives a client (payer or payee) from the client search.
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& movementsModule();
