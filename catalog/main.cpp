// brennwick-catalog [--icons DIR] [PROGRAM_FOLDER]
// The catalogue run of the hidden developer button, on PROGRAM_FOLDER's ORG, TMP, ICO and
// XMLK (default: the program folder, beside this executable or in the user's data folder).
// Exit status 0 only on success.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "catalog/catalog.h"
#include "platform/console.h"
#include "platform/programfolder.h"
#include "workspace/error.h"

namespace {

void Print(FILE* stream, const QString& line) { bw::PrintUtf8(stream, (line + QLatin1Char('\n')).toStdString()); }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QString iconFolder = bw::DefaultIconFolder();
  QString programFolder;

  QStringList args = QCoreApplication::arguments().mid(1);
  bool folderGiven = false;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--icons") && i + 1 < args.size()) {
      iconFolder = args[++i];
    } else if (!args[i].startsWith(QLatin1String("--")) && !folderGiven) {
      programFolder = args[i];
      folderGiven = true;
    } else {
      Print(stderr, QStringLiteral("Aufruf: brennwick-catalog [--icons ORDNER] [PROGRAMMORDNER]"));
      return 2;
    }
  }

  if (!folderGiven) {
    programFolder = QString::fromStdString(bw::ProgramFolder(QCoreApplication::applicationDirPath().toStdString()));
  }
  if (!QFileInfo(iconFolder).isDir()) {
    Print(stderr, QStringLiteral("Hinweis: Der Symbolordner „%1“ fehlt; jedes Symbol wird in "
                                 "„ItemIconErrorlist.txt“ aufgeführt.")
                      .arg(iconFolder));
  }
  int number = 0;
  try {
    bw::RunCatalog(bw::WorkspacePaths::FromProgramFolder(programFolder), iconFolder, [&](const QString& step) {
      Print(stdout, QStringLiteral("Schritt %1 von 10: %2").arg(++number).arg(step));
    });
  } catch (const std::exception& e) {
    Print(stderr, QStringLiteral("Fehler: %1").arg(bw::ErrorMessage(e)));
    return 1;
  }
  Print(stdout, QStringLiteral("Katalog erstellt."));
  return 0;
}
