#include "layouts.h"

#include "cases/pratica.h"
#include "clients/cliente.h"
#include "documents/documento.h"
#include "money/movimento.h"
#include "protocol/protocollo.h"

// Each archive layout the program has goes here: the fuzzer reads and
// writes records of all of them.
const std::vector<const RecordLayout*>& fuzzedLayouts() {
  // char[N] fields, as the projects archive keeps them, until that archive's
  // own layout is listed here
  static const RecordLayout chars("char[N] fields", {{"Nome", FieldKind::Chars, 40},
                                                      {"Note", FieldKind::Chars, 200},
                                                      {"Terminato", FieldKind::Chars, 2},
                                                      {"Vuoto", FieldKind::Chars, 1}});
  static const std::vector<const RecordLayout*> all{&TRecCliente(),    &TRecPratica(),   &TRecDocumento(),
                                                    &TRecProtocollo(), &TRecMovimento(), &chars};
  return all;
}
