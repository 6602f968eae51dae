#include "workspace/archive.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "workspace/error.h"
#include "workspace/files.h"

namespace bw {
namespace {

[[noreturn]] void Fail(const QString& message) { throw Error(message, "EZipError"); }

struct ArchiveCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct EntryCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// Absolute names, drive letters and ".." leave the folder; so does a name starting with
// ":", which Qt takes for a resource path and resolves against the working folder.
bool IsSafeEntryName(const QString& name) {
  if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')) ||
      name.startsWith(QLatin1Char(':')) || (name.size() > 1 && name[1] == QLatin1Char(':'))) {
    return false;
  }
  for (const QString& part : QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'))) {
    if (part == QLatin1String("..")) return false;
  }
  return true;
}

}  // namespace

QByteArray EmbeddedArchive() {
  QFile file(QStringLiteral(":/xmlk.zip"));
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("Das eingebettete Archiv fehlt im Programm."));
  return file.readAll();
}

void ExtractArchive(const QString& zipPath, const QString& destFolder) {
  int error = 0;
  std::unique_ptr<zip_t, ArchiveCloser> archive(
      zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &error));
  if (!archive) {
    zip_error_t ze;
    zip_error_init_with_code(&ze, error);
    const QString reason = QString::fromLocal8Bit(zip_error_strerror(&ze));
    zip_error_fini(&ze);
    Fail(QStringLiteral("Das Archiv „%1“ kann nicht geöffnet werden: %2").arg(zipPath, reason));
  }
  const QDir dest(destFolder);
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const QString name = QString::fromUtf8(zip_get_name(archive.get(), zip_uint64_t(i), 0));
    if (!IsSafeEntryName(name)) {
      Fail(QStringLiteral("Der Eintrag „%1“ des Archivs „%2“ läge außerhalb des Programmordners und wird nicht entpackt.")
               .arg(name, zipPath));
    }
  }
  for (zip_int64_t i = 0; i < count; ++i) {
    const QString name = QString::fromUtf8(zip_get_name(archive.get(), zip_uint64_t(i), 0));
    const QString target = dest.filePath(name);
    if (name.endsWith(QLatin1Char('/'))) {
      if (!QDir().mkpath(target)) Fail(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(target));
      continue;
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) Fail(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(folder));
    zip_stat_t st;
    zip_stat_init(&st);
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive.get(), zip_uint64_t(i), 0));
    if (!entry || zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0) {
      Fail(QStringLiteral("Der Eintrag „%1“ des Archivs „%2“ kann nicht gelesen werden.").arg(name, zipPath));
    }
    // The size in the archive's directory is checked against the data, not trusted for
    // memory: a damaged entry may claim gigabytes.
    QByteArray bytes;
    char chunk[65536];
    zip_int64_t read = 0;
    while ((read = zip_fread(entry.get(), chunk, sizeof chunk)) > 0) bytes.append(chunk, qsizetype(read));
    if (read < 0 || zip_uint64_t(bytes.size()) != st.size) {
      Fail(QStringLiteral("Der Eintrag „%1“ des Archivs „%2“ ist beschädigt.").arg(name, zipPath));
    }
    WriteFileAtomic(target, bytes);
  }
}

}  // namespace bw
