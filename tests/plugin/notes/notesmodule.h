// A small card application kept beside the test that plugs it in: "Note di
// studio", one fixed archive of notes with a date. It is its folder and its
// module record, nothing else.
#pragma once

#include "common/modules.h"

const modules::Module& notesModule();
