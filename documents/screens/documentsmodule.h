// The document archive: "Archivio Documenti".
// Its module record, which the shell registers.
#pragma once

#include "common/modules.h"

const modules::Module& documentsModule();
