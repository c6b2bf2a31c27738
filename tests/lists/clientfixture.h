// Clients written into a fresh "Clienti.pro" for the list tests.
#pragma once

#include "archive/paths.h"
#include "archive/record.h"
#include "clients/cliente.h"
#include "seed.h"
#include "support.h"

#include <initializer_list>
#include <utility>

inline Record client(std::initializer_list<std::pair<const char*, QString>> fields) {
  Record r(TRecCliente());
  r.setFlag("Ricontatta", false);
  for (const auto& [name, value] : fields) r.set(name, value);
  return r;
}

inline QString clientsPath() { return clientArchive().fixedPath(); }

// Appends records (or raw record bytes) to the clients archive.
inline void appendClients(std::initializer_list<seed::Stored> records) {
  seed::append(clientsPath(), TRecCliente(), records);
}
