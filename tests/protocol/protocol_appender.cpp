// A workstation registering documents: the protocol card of 2026.prt in the
// program folder given, offscreen, pressing Nuovo and saving a number of
// new cards with the proposed number. Launched twice at once by
// test_protocol_shared. Prints how many cards were stored under another
// number than the one proposed; exits with 1 on any other message.
#include "archive/paths.h"
#include "common/services.h"
#include "protocol/screens/tfrmprotocollo.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QThread>

#include <cstdio>

namespace {

class Counted : public Messages {
public:
  bool show(MessageKind kind, const QString& text) override {
    if (kind != MessageKind::Information) ++failures;
    else if (text.contains(QStringLiteral("nel frattempo"))) ++renumbered;
    return false;
  }
  int failures = 0;
  int renumbered = 0;
};

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  paths::setProgramFolder(QString::fromLocal8Bit(argv[1]));
  const int cards = QByteArray(argv[2]).toInt();
  Counted messages;
  services::setMessages(&messages);

  TfrmProtocollo card;
  card.findChild<QLabel*>(QStringLiteral("lblFile"))->setText(paths::yearly(QStringLiteral("2026"), QStringLiteral(".prt")));
  card.show();
  for (int i = 0; i < cards && messages.failures == 0; ++i) {
    card.nuovoProtocollo();
    card.form()->set("Categoria", QStringLiteral("Lettera"));
    card.form()->set("Oggetto", QStringLiteral("Documento %1 di %2").arg(i + 1).arg(QCoreApplication::applicationPid()));
    card.findChild<QRadioButton*>(QStringLiteral("optEntrata"))->setChecked(true);
    QThread::usleep(500); // the user types while the other workstation saves
    card.salva();
  }
  std::printf("%d\n", messages.renumbered);
  services::setMessages(nullptr);
  return messages.failures == 0 ? 0 : 1;
}
