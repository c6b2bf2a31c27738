// A workstation registering documents: new cards of 2026.prt in the program
// folder given, each with the number "Nuovo" proposes, stored as a card is
// stored. Launched twice at once by test_protocol_shared. Prints how many
// cards were stored under another number than the one proposed; exits with
// 1 when no number can be proposed or the archive cannot be written.
#include "archive/paths.h"
#include "protocol/numbering.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  paths::setProgramFolder(QString::fromLocal8Bit(argv[1]));
  const int cards = QByteArray(argv[2]).toInt();
  const QString archive = paths::yearly(QStringLiteral("2026"), QStringLiteral(".prt"));
  int renumbered = 0;
  for (int i = 0; i < cards; ++i) {
    const std::variant<numbering::Proposal, numbering::Refusal> proposed = numbering::propose(archive);
    const numbering::Proposal* proposal = std::get_if<numbering::Proposal>(&proposed);
    if (!proposal) return 1;
    Record card(TRecProtocollo());
    card.set("Numero", proposal->number);
    card.set("Tipo", QStringLiteral("In entrata"));
    card.set("DataReg", QStringLiteral("10/12/2026"));
    card.set("Categoria", QStringLiteral("Lettera"));
    card.set("Oggetto", QStringLiteral("Documento %1 di %2").arg(i + 1).arg(QCoreApplication::applicationPid()));
    QThread::usleep(500); // the user types while the other workstation saves
    try {
      if (!numbering::append(archive, card, *proposal).note.isEmpty()) ++renumbered;
    } catch (const ArchiveError&) {
      return 1;
    }
  }
  std::printf("%d\n", renumbered);
  return 0;
}
