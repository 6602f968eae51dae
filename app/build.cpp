#include "app/build.h"

#include <QApplication>
#include <QFile>
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

}  // namespace

bool Build(const QString& prgPath) {
  bool result = true;
  const QString zipPath = prgPath + QStringLiteral("xmlk.zip");
  try {
    WriteFileAtomic(zipPath, EmbeddedArchive());
    QCoreApplication::processEvents();
  } catch (const std::exception& error) {
    ShowBuildError(error);
    result = false;
  }
  try {
    ExtractArchive(zipPath, prgPath);
    QCoreApplication::processEvents();
  } catch (const std::exception& error) {
    ShowBuildError(error);
    result = false;
  }
  QCoreApplication::processEvents();
  if (QFile::exists(zipPath)) QFile::remove(zipPath);
  return result;
}

}  // namespace bw
