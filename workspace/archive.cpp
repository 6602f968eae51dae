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

// libzip's own reasons are English; the user reads German ones.
QString GermanZipReason(int error) {
  switch (error) {
    case ZIP_ER_NOZIP:
      return QStringLiteral("Es ist kein ZIP-Archiv.");
    case ZIP_ER_MEMORY:
      return QStringLiteral("Der Arbeitsspeicher reicht nicht aus.");
    case ZIP_ER_EOF:
      return QStringLiteral("Es endet vorzeitig.");
    case ZIP_ER_CRC:
      return QStringLiteral("Die Prüfsumme stimmt nicht.");
    case ZIP_ER_COMPNOTSUPP:
      return QStringLiteral("Das Kompressionsverfahren wird nicht unterstützt.");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
      return QStringLiteral("Es ist verschlüsselt.");
    default:  // ZIP_ER_INCONS, ZIP_ER_ZLIB and the like: damaged data
      return QStringLiteral("Es ist beschädigt (ZIP-Fehler %1).").arg(error);
  }
}

[[noreturn]] void FailEntry(const QString& name, const char* what) {
  Fail(QStringLiteral("Der Eintrag „%1“ des eingebetteten Archivs %2").arg(name, QLatin1StringView(what)));
}

}  // namespace

QByteArray EmbeddedArchive() {
  QFile file(QStringLiteral(":/xmlk.zip"));
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("Das eingebettete Archiv fehlt im Programm."));
  return file.readAll();
}

void ExtractArchive(const QByteArray& zip, const QString& destFolder) {
  // Read where it lies in memory: no copy of it is ever written, and no path reaches libzip.
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zip.constData(), zip_uint64_t(zip.size()), 0, &error);
  std::unique_ptr<zip_t, ArchiveCloser> archive(source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
  if (!archive) {
    zip_source_free(source);
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    Fail(QStringLiteral("Das eingebettete Archiv kann nicht geöffnet werden: ") + GermanZipReason(code));
  }
  const QDir dest(destFolder);
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const QString name = QString::fromUtf8(zip_get_name(archive.get(), zip_uint64_t(i), 0));
    if (!IsSafeEntryName(name)) FailEntry(name, "läge außerhalb des Programmordners und wird nicht entpackt.");
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
    if (!entry || zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0) FailEntry(name, "kann nicht gelesen werden.");
    // The size in the archive's directory is checked against the data, not trusted for
    // memory: a damaged entry may claim gigabytes.
    QByteArray bytes;
    char chunk[65536];
    zip_int64_t read = 0;
    while ((read = zip_fread(entry.get(), chunk, sizeof chunk)) > 0) bytes.append(chunk, qsizetype(read));
    if (read < 0 || zip_uint64_t(bytes.size()) != st.size) FailEntry(name, "ist beschädigt.");
    WriteFileAtomic(target, bytes);
  }
}

}  // namespace bw
