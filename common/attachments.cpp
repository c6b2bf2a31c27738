#include "attachments.h"

#include "archive/cp1252.h"
#include "archive/paths.h"
#include "archive/record.h"
#include "archive/safefile.h"
#include "common/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <filesystem>
#include <system_error>

namespace attachments {

namespace {

AttachResult failed(const QString& name, const QString& reason) {
  services::error(copyFailedMessage(name, reason));
  return {};
}

} // namespace

QString folder() { return paths::inProgramFolder(QStringLiteral("Documenti_Allegati")) + QLatin1Char('/'); }

bool isBareName(const QString& name) {
  const QString n = fieldtext::trimmed(name);
  if (n.isEmpty() || n == QLatin1String(".") || n == QLatin1String("..")) return false;
  for (QChar c : n)
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 32) return false;
  return true;
}

QString storedPath(const QString& name) {
  if (!isBareName(name)) return QString();
  return folder() + fieldtext::trimmed(name);
}

bool fitsCard(const QString& name) {
  const QString n = fieldtext::trimmed(name);
  return n.size() <= kMaxNameLength && cp1252::decode(cp1252::encode(n)) == n;
}

AttachResult attach(const QString& sourcePath) {
  const QString name = fieldtext::trimmed(QFileInfo(sourcePath).fileName());
  if (!isBareName(name)) {
    services::error(badNameMessage(name));
    return {};
  }
  if (!fitsCard(name)) {
    services::error(nameDoesNotFitMessage(name));
    return {};
  }
  QFile source(sourcePath);
  if (!QFileInfo(sourcePath).isFile()) return failed(name, QStringLiteral("File di origine non trovato."));
  errno = 0;
  if (!source.open(QIODevice::ReadOnly)) return failed(name, errno ? safefile::reasonFor(errno) : source.errorString());

  const QString dir = folder();
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(dir).toStdString()), ec);
  if (!ec && !QFileInfo(dir).isDir()) ec = std::make_error_code(std::errc::not_a_directory);
  if (ec) return failed(name, safefile::reasonFor(ec.value()));
  // nor is a link put in place of the folder itself
  if (QFileInfo(QDir::cleanPath(dir)).isSymLink()) return failed(name, safefile::linkReason());

  const QString target = dir + name;
  const QFileInfo existing(target);
  // a link planted in the folder is neither followed nor replaced
  if (existing.isSymLink()) return failed(name, safefile::linkReason());
  if (existing.exists()) {
    if (!existing.isFile()) return failed(name, QStringLiteral("Nella cartella esiste gi\u00E0 un elemento con questo nome che non \u00E8 un file."));
    if (!services::ask(QString::fromUtf8(kOverwriteQuestion))) return {Outcome::KeptExisting, name};
  }
  const safefile::Status copied = safefile::copy(source, target);
  if (!copied) return failed(name, copied.reason);
  return {Outcome::Copied, name};
}

bool openStored(const QString& name) {
  if (fieldtext::trimmed(name).isEmpty()) return false;
  const QString path = storedPath(name);
  if (path.isEmpty()) {
    services::warning(badNameMessage(fieldtext::trimmed(name)));
    return false;
  }
  if (QFileInfo(path).isSymLink()) {
    services::warning(linkMessage(fieldtext::trimmed(name)));
    return false;
  }
  return services::openOrTell(QDir::toNativeSeparators(path));
}

QString copyFailedMessage(const QString& name, const QString& reason) {
  return QStringLiteral("Attenzione: non \u00E8 stato possibile copiare il file \"") + name +
         QStringLiteral("\" nella cartella dei documenti allegati, quindi il file non \u00E8 stato allegato.\r\n\r\n") +
         reason;
}

QString badNameMessage(const QString& name) {
  return QStringLiteral("Attenzione: il nome \"") + name +
         QStringLiteral("\" non pu\u00F2 essere usato per un file allegato.\r\n\r\n"
                        "Il nome di un file allegato non pu\u00F2 contenere i caratteri / \\ : n\u00E9 indicare una cartella.");
}

QString linkMessage(const QString& name) {
  return QStringLiteral("Attenzione: il file allegato \"") + name +
         QStringLiteral("\" non pu\u00F2 essere aperto.\r\n\r\n") + safefile::linkReason();
}

QString nameDoesNotFitMessage(const QString& name) {
  return QStringLiteral("Attenzione: il nome \"") + name +
         QStringLiteral("\" non pu\u00F2 essere registrato nella scheda, quindi il file non \u00E8 stato allegato.\r\n\r\n"
                        "Il nome di un file allegato pu\u00F2 contenere al massimo ") +
         QString::number(kMaxNameLength) +
         QStringLiteral(" caratteri, scelti tra lettere, cifre e segni dell'Europa occidentale: rinominare il file e "
                        "allegarlo di nuovo.");
}

} // namespace attachments

namespace casefolder {

QString path(RecordPosition position) {
  if (position < 1) return QString();
  return paths::inProgramFolder(QStringLiteral("Pratica_") + QString::number(position));
}

bool open(RecordPosition position) {
  const QString folder = path(position);
  if (folder.isEmpty()) {
    services::error(createFailedMessage(QStringLiteral("Pratica_") + QString::number(position),
                                        QStringLiteral("Posizione della pratica non valida.")));
    return false;
  }
  const QString full = QFileInfo(folder).absoluteFilePath();
  // a link planted under the case folder's name is neither followed nor opened
  if (QFileInfo(full).isSymLink()) {
    services::error(createFailedMessage(QDir::toNativeSeparators(full), safefile::linkReason()));
    return false;
  }
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(full).toStdString()), ec);
  if (!ec && !QFileInfo(full).isDir()) ec = std::make_error_code(std::errc::not_a_directory);
  if (ec) {
    services::error(createFailedMessage(QDir::toNativeSeparators(full), safefile::reasonFor(ec.value())));
    return false;
  }
  return services::openOrTell(QDir::toNativeSeparators(full));
}

QString createFailedMessage(const QString& folder, const QString& reason) {
  return QStringLiteral("Attenzione: non \u00E8 stato possibile creare la cartella \"") + folder +
         QStringLiteral("\".\r\n\r\n") + reason;
}

} // namespace casefolder
