#include "layouts.h"

#include "cases/pratica.h"
#include "clients/cliente.h"

// Each archive layout the program has goes here: the fuzzer reads and
// writes records of all of them.
const std::vector<const RecordLayout*>& fuzzedLayouts() {
  static const std::vector<const RecordLayout*> all{&TRecCliente(), &TRecPratica()};
  return all;
}
