#include "workspace/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "workspace/error.h"

namespace bw {

void WriteFileAtomic(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    throw Error(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                    .arg(path, file.errorString()),
                "EFileError");
  }
}

QString NonRegularFileError(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || info.isFile()) return {};
  return QStringLiteral("Die Datei „%1“ ist keine reguläre Datei.").arg(path);
}

QByteArray ReadFile(const QString& path) {
  if (const QString error = NonRegularFileError(path); !error.isEmpty()) throw Error(error, "EFileError");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw Error(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2")
                    .arg(path, QFileInfo::exists(path) ? QStringLiteral("Sie lässt sich nicht öffnen.")
                                                       : QStringLiteral("Sie fehlt.")),
                "EFileError");
  }
  return file.readAll();
}

QStringList FilesBelow(const QString& folder) {
  QStringList files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  const QDir base(folder);
  while (it.hasNext()) files << base.relativeFilePath(it.next());
  files.sort();
  return files;
}

QByteArray JoinLinesCrLf(const QStringList& lines) {
  QByteArray out;
  for (const QString& line : lines) {
    out += line.toUtf8();
    out += "\r\n";
  }
  return out;
}

}  // namespace bw
