#include "layouts.h"

#include "cases/pratica.h"
#include "clients/cliente.h"
#include "deadlines/scadenza.h"
#include "documents/documento.h"
#include "money/movimento.h"
#include "projects/progetto.h"
#include "protocol/protocollo.h"

// Each archive layout the program has goes here: the fuzzer reads and
// writes records of all of them.
const std::vector<const RecordLayout*>& fuzzedLayouts() {
  static const std::vector<const RecordLayout*> all{&TRecCliente(),    &TRecPratica(),   &TRecDocumento(),
                                                    &TRecProtocollo(), &TRecMovimento(), &TRecScadenza(),
                                                    &TRecProgetto()};
  return all;
}
