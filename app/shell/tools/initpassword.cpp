// Writes the password file of a fresh installation with the initial
// password; an existing password file is never touched.
//   velarion_initpassword <password file> <initial password>
#include "app/shell/password.h"

#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velarion_initpassword <password file> <initial password>\n");
    return 2;
  }
  const QString path = QString::fromLocal8Bit(argv[1]);
  if (QFileInfo::exists(path)) return 0;
  if (!password::writeTo(path, QString::fromUtf8(argv[2]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
