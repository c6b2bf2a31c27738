// The case archive: "Archivio Pratiche"; it receives a client from the client search.
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& casesModule();
