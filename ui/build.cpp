#include "ui/build.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "workspace/archive.h"
#include "workspace/error.h"
#include "workspace/files.h"

namespace bw {
namespace {

void ShowBuildError(const std::exception& error) {
  auto* own = dynamic_cast<const Error*>(&error);
  const QString type = QString::fromLatin1(own ? own->typeName() : "Exception");
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Programmabbruch"), type + ErrorMessage(error),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setObjectName(QStringLiteral("BuildError"));
  box.exec();
}

[[noreturn]] void Fail(const QString& message) { throw Error(message, "EFileError"); }

// A workspace that exists gets the archive's files anew, each replaced whole, and keeps
// the user's own. A missing one is built in a hidden folder beside it and renamed into
// place only when complete, so an interrupted first start never leaves half a workspace;
// whatever such a start left is cleared first.
void ExtractWorkspace(const QByteArray& zip, const QString& prgPath) {
  const QString workspace = prgPath + QStringLiteral("XMLK");
  if (QFileInfo(workspace).isDir()) {
    ExtractArchive(zip, prgPath);
    return;
  }
  const QString staging = prgPath + QStringLiteral(".XMLK.neu");
  if (QFileInfo::exists(staging) || QFileInfo(staging).isSymLink()) RemoveTree(staging);
  ExtractArchive(zip, staging);
  if (!QDir().rename(staging + QStringLiteral("/XMLK"), workspace)) {
    Fail(QStringLiteral("Der Arbeitsordner „%1“ kann nicht angelegt werden.").arg(workspace));
  }
  RemoveTree(staging);
}

}  // namespace

// The archive is extracted from the program's memory: a copy written beside the program
// would be one more file a kill leaves behind, and the user may keep a file of that name.
bool Build(const QString& prgPath) {
  try {
    ExtractWorkspace(EmbeddedArchive(), prgPath);
  } catch (const std::exception& error) {
    ShowBuildError(error);
    return false;
  }
  QCoreApplication::processEvents();
  return true;
}

}  // namespace bw
