#include "documentstocomplete.h"

#include "common/screens/listscreen.h"
#include "documents/documentlists.h"

QWidget* makeDocumentsToComplete() { return new lists::ListScreen(toCompleteList()); }
