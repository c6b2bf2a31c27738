// The summary of documents to complete that lives for the whole run.
#pragma once

class QWidget;

// The summary `TfrmDaCompletare` made hidden: it reads the documents
// archive once, creating it empty when it is missing; a failure only leaves
// it empty.
QWidget* makeDocumentsToComplete();
