// INI files as Windows writes them: section and key names kept as they stand
// (spaces included), values in Windows-1252, CR LF line ends. Used for the
// password file and the settings file.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class IniFile {
public:
  // Reads the file; a missing file reads as empty and counts as success.
  // False when the file exists but cannot be read, or its name is a link.
  bool load(const QString& path);
  // Writes the whole file through the safe save: a failure leaves the old
  // file as it was. False on failure, with the system's reason.
  bool save(const QString& path, QString* reason = nullptr) const;
  // The same from and to the bytes of a file.
  void parse(const QByteArray& bytes);
  QByteArray toBytes() const;

  // The value of a key, or empty text when the section or key is missing.
  // Names compare without regard to the case of A to Z, as on Windows.
  QString value(const QString& section, const QString& key) const;
  void setValue(const QString& section, const QString& key, const QString& value);

  // Reads the file, changes it and writes it back under a lock that every
  // workstation sharing the folder takes for the same file (the hidden file
  // ".<name>-blocco" beside it, there only while the lock is held), so two
  // changes made at the same moment both survive. False on failure, with the reason; the file is then as it
  // was.
  static bool update(const QString& path, const std::function<void(IniFile&)>& change, QString* reason = nullptr);

  // Convenience: one value read from or written to a file.
  static QString read(const QString& path, const QString& section, const QString& key, bool* ok = nullptr);
  static bool write(const QString& path, const QString& section, const QString& key, const QString& value,
                    QString* reason = nullptr);

private:
  struct Line {
    QString text;    // as read, for lines that are not keys
    QString section; // for key lines and section heads
    QString key;     // empty when not a key line
    QString value;
  };
  int findKey(const QString& section, const QString& key) const;
  std::vector<Line> lines_;
};
