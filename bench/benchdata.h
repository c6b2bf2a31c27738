// A large client archive made once per benchmark run, and the plain
// sequential read every measurement is compared with.
#pragma once

#include "archive/archivio.h"
#include "archive/record.h"
#include "clients/cliente.h"

#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace benchdata {

constexpr int kClients = 100000;

// program folder holding "Clienti.pro" with kClients records
inline QString clientFolder() {
  static QTemporaryDir dir;
  static const bool made = [] {
    const RecordLayout& l = TRecCliente();
    TArchivioSchede a(dir.filePath(QStringLiteral("Clienti.pro")), l.size());
    a.open();
    Record r(l);
    const char* jobs[] = {"Ingegnere", "Architetto", "Geometra", "Commerciante", "Impiegata"};
    const char* towns[] = {"Bologna", "Forlì", "Ravenna", "Rimini", "Cesena"};
    QByteArray all;
    all.reserve(1000 * l.size());
    for (int i = 0; i < kClients; ++i) {
      r.set("Cliente", QStringLiteral("Cliente %1 Rossi").arg(i));
      r.set("Recapito", QStringLiteral("333 %1").arg(1000000 + i));
      r.set("ComuneRes", QString::fromUtf8(towns[i % 5]));
      r.set("Occupazione", QString::fromUtf8(jobs[i % 5]));
      r.set("Prodotti", QStringLiteral("Progettazione, direzione lavori, pratiche catastali"));
      r.set("Questioni", i % 7 == 0 ? QStringLiteral("Richiamare per il preventivo") : QString());
      r.set("Note", QStringLiteral("Cliente dal %1").arg(1990 + i % 30));
      r.setFlag("Ricontatta", i % 7 == 0);
      all += encode(r);
      if (all.size() >= 1000 * l.size()) {
        // one append per record keeps the archive's own write path
        for (int k = 0; k < all.size() / l.size(); ++k) a.append(all.mid(k * l.size(), l.size()));
        all.clear();
      }
    }
    for (int k = 0; k < all.size() / l.size(); ++k) a.append(all.mid(k * l.size(), l.size()));
    a.close();
    return true;
  }();
  (void)made;
  return dir.path();
}

inline QString clientFile() { return clientFolder() + QStringLiteral("/Clienti.pro"); }

// Reads the whole file in 1 MiB blocks and touches every byte lightly.
inline long long plainRead(const QString& path) {
  const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY);
  std::vector<char> buf(1 << 20);
  long long sum = 0;
  ssize_t n;
  while ((n = ::read(fd, buf.data(), buf.size())) > 0)
    for (ssize_t i = 0; i < n; i += 4096) sum += buf[size_t(i)];
  ::close(fd);
  return sum;
}

// The best of a few runs, in seconds: the figure the ratios are made of.
inline double seconds(const std::function<void()>& f, int repeat = 3) {
  double best = 1e9;
  for (int i = 0; i < repeat; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

} // namespace benchdata
