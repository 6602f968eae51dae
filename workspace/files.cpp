#include "workspace/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "platform/folders.h"
#include "platform/pathtext.h"
#include "platform/replacefile.h"
#include "workspace/error.h"

namespace bw {
namespace {

// The platform layer words its failures in German already; here they become the core's
// error type.
template <typename Operation>
void AsFileError(Operation operation) {
  try {
    operation();
  } catch (const std::runtime_error& error) {
    throw Error(QString::fromUtf8(error.what()), "EFileError");
  }
}

}  // namespace

std::filesystem::path NativePath(const QString& path) { return PathFromUtf8(path.toStdString()); }

void WriteFileAtomic(const QString& path, const QByteArray& bytes) {
  AsFileError([&] { ReplaceFile(NativePath(path), std::string_view(bytes.constData(), size_t(bytes.size()))); });
}

void RemoveTree(const QString& path) {
  AsFileError([&] { bw::RemoveTree(NativePath(path)); });
}

bool IsWriteLeftover(const QString& fileName) { return IsReplaceFileLeftover(fileName.toStdString()); }

void RemoveWriteLeftovers(const QString& folder) {
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo entry = it.nextFileInfo();
    if (IsWriteLeftover(entry.fileName())) RemoveTree(entry.filePath());
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
