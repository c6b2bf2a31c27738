// The client register: "Anagrafica Clienti".
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& clientsModule();
