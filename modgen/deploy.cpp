#include "modgen/deploy.h"

#include <QDir>
#include <QFileInfo>

#include "workspace/error.h"
#include "workspace/files.h"

namespace bw {
namespace {

[[noreturn]] void Fail(const QString& message) { throw Error(message, "EFileError"); }

constexpr QDir::Filters kEverything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

bool IsLink(const QFileInfo& info) { return info.isSymLink() || info.isJunction(); }

// Anything at all under that name, a dangling link included.
bool EntryExists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || IsLink(info);
}

// Hidden names beside the mod folder for the new copy and for the old one while it goes.
QString Beside(const QString& modFolder, const char* suffix) {
  const QFileInfo info(modFolder);
  return info.path() + QStringLiteral("/.") + info.fileName() + QLatin1StringView(suffix);
}

void CopyTree(const QString& from, const QString& to) {
  if (!QDir().mkdir(to)) Fail(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(to));
  for (const QFileInfo& entry : QDir(from).entryInfoList(kEverything)) {
    const QString target = to + QLatin1Char('/') + entry.fileName();
    if (entry.isDir()) {
      CopyTree(entry.filePath(), target);
    } else {
      WriteFileAtomic(target, ReadFile(entry.filePath()));
    }
  }
}

// The copy holds exactly the template's files with the template's bytes.
void VerifyCopy(const QString& templateFolder, const QString& copy) {
  const QStringList files = FilesBelow(templateFolder);
  const QStringList copied = FilesBelow(copy);
  for (const QString& file : files) {
    if (!copied.contains(file) || ReadFile(copy + QLatin1Char('/') + file) != ReadFile(templateFolder + QLatin1Char('/') + file)) {
      Fail(QStringLiteral("Die Datei „%1“ wurde nicht vollständig nach „%2“ kopiert.").arg(file, copy));
    }
  }
  for (const QString& file : copied) {
    if (!files.contains(file)) Fail(QStringLiteral("Die Kopie „%1“ enthält die fremde Datei „%2“.").arg(copy, file));
  }
}

void RemoveIfPresent(const QString& path) {
  if (EntryExists(path)) RemoveTree(path);
}

// Cleanup after a failure that is being reported already; a leftover copy is removed at the
// next deployment.
void RemoveAfterFailure(const QString& path) {
  try {
    RemoveIfPresent(path);
  } catch (const Error&) {
  }
}

}  // namespace

void RemoveTree(const QString& path) {
  const QFileInfo info(path);
  if (info.isDir() && !IsLink(info)) {
    // A write-protected folder keeps its entries otherwise.
    QFile::setPermissions(path, info.permissions() | QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QFileInfo& entry : QDir(path).entryInfoList(kEverything)) RemoveTree(entry.filePath());
    if (!QDir().rmdir(path)) Fail(QStringLiteral("Der Ordner „%1“ kann nicht gelöscht werden.").arg(path));
    return;
  }
  if (!IsLink(info) && info.exists() && !info.isWritable()) {
    QFile::setPermissions(path, info.permissions() | QFile::WriteOwner);  // the read-only mark
  }
  QFile file(path);
  if (!file.remove()) Fail(QStringLiteral("Die Datei „%1“ kann nicht gelöscht werden: %2").arg(path, file.errorString()));
}

void DeployFolder(const QString& templateFolder, const QString& modFolder) {
  if (!QFileInfo(templateFolder).isDir()) Fail(QStringLiteral("Der Vorlagenordner „%1“ fehlt.").arg(templateFolder));
  const QString parent = QFileInfo(modFolder).path();
  if (!QDir().mkpath(parent)) Fail(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(parent));

  const QString fresh = Beside(modFolder, ".neu");
  const QString old = Beside(modFolder, ".alt");
  RemoveIfPresent(fresh);  // left over from an interrupted run
  RemoveIfPresent(old);
  try {
    CopyTree(templateFolder, fresh);
    VerifyCopy(templateFolder, fresh);
  } catch (const Error&) {
    RemoveAfterFailure(fresh);
    throw;
  }

  const bool hadMod = EntryExists(modFolder);
  if (hadMod && !QDir().rename(modFolder, old)) {
    RemoveAfterFailure(fresh);
    Fail(QStringLiteral("Die bisherige Modifikation „%1“ kann nicht ersetzt werden; sie bleibt, wie sie war.").arg(modFolder));
  }
  if (!QDir().rename(fresh, modFolder)) {
    const bool restored = !hadMod || QDir().rename(old, modFolder);
    RemoveAfterFailure(fresh);
    Fail(restored ? QStringLiteral("Die Modifikation kann nicht nach „%1“ gestellt werden; die bisherige bleibt, wie sie war.").arg(modFolder)
                  : QStringLiteral("Die Modifikation kann nicht nach „%1“ gestellt werden; die bisherige liegt noch unter „%2“.")
                        .arg(modFolder, old));
  }
  if (hadMod) RemoveTree(old);
}

void RemoveDeployedFolder(const QString& modFolder) {
  if (!EntryExists(modFolder)) return;
  const QString old = Beside(modFolder, ".alt");
  RemoveIfPresent(old);
  if (!QDir().rename(modFolder, old)) Fail(QStringLiteral("Die Modifikation „%1“ kann nicht entfernt werden.").arg(modFolder));
  RemoveTree(old);
}

}  // namespace bw
