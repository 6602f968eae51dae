#include "modgen/deploy.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "platform/folders.h"
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

// Names beside a mod folder. The game's mod loader loads every folder in "mods" but ".cache"
// and those whose name begins with its disabled mark "-", so whatever stands beside the mod
// carries that mark: the game never loads a second or a half-built copy. ".alt" is the
// deployed mod while a swap in two steps is under way, so it is put back when the mod is
// missing. ".neu" is always something on its way out or not yet in: a copy being built, or
// an old mod being deleted. Earlier versions marked these names with "." instead.
QString Beside(const QString& folder, const char* suffix, QChar mark = u'-') {
  const QFileInfo info(folder);
  return info.path() + QLatin1Char('/') + mark + info.fileName() + QLatin1StringView(suffix);
}

// The copy of the mod that the user disabled for the loader. Its own names beside it begin
// with "--", so they never meet the enabled mod's.
QString Disabled(const QString& modFolder) { return Beside(modFolder, ""); }

void MakeFolder(const QString& path) {
  if (!QDir().mkdir(path)) Fail(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(path));
}

// Folder by folder as the listing goes, without following a link into a folder.
void CopyTree(const QString& from, const QString& to) {
  MakeFolder(to);
  const QDir base(from);
  QDirIterator it(from, kEverything, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo entry = it.nextFileInfo();
    const QString target = to + QLatin1Char('/') + base.relativeFilePath(entry.filePath());
    if (entry.isDir() && !IsLink(entry)) {
      MakeFolder(target);
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

// The old mod, out of the game's sight, goes. A running game may still hold one of its files
// (Windows lets no one delete such a file); what the game finds is right already, and the
// next generation deletes the rest. `done` says what the game finds.
void RemoveSetAside(const QString& old, const QString& done) {
  try {
    RemoveTree(old);
  } catch (const Error& error) {
    Fail(QStringLiteral("%1 Der Ordner der bisherigen Modifikation „%2“ wird noch verwendet, vielleicht vom laufenden "
                        "Spiel; die nächste Erzeugung löscht ihn. %3")
             .arg(done, old, error.message()));
  }
}

// Windows refuses to rename a folder while a file in it is open.
[[noreturn]] void FailInUse(const QString& modFolder, const QString& what) {
  Fail(QStringLiteral("Die Modifikation „%1“ kann nicht %2 werden: Ihr Ordner wird verwendet, vielleicht vom laufenden "
                      "Spiel. Sie bleibt, wie sie war.")
           .arg(modFolder, what));
}

// Puts the new copy in the old one's place and deletes the old one. Where the file system
// swaps two entries in one step, the mod folder is never missing; elsewhere the old one is
// renamed aside to `old` first.
void Swap(const QString& fresh, const QString& modFolder, const QString& old) {
  const QString done = QStringLiteral("Die neue Modifikation steht in „%1“.").arg(modFolder);
  if (ExchangeEntries(NativePath(fresh), NativePath(modFolder))) {
    RemoveSetAside(fresh, done);
    return;
  }
  if (!QDir().rename(modFolder, old)) {
    RemoveAfterFailure(fresh);
    FailInUse(modFolder, QStringLiteral("ersetzt"));
  }
  if (!QDir().rename(fresh, modFolder)) {
    const bool restored = QDir().rename(old, modFolder);
    RemoveAfterFailure(fresh);
    Fail(restored ? QStringLiteral("Die Modifikation kann nicht nach „%1“ gestellt werden; die bisherige bleibt, wie sie war.").arg(modFolder)
                  : QStringLiteral("Die Modifikation kann nicht nach „%1“ gestellt werden; die bisherige liegt noch unter „%2“.")
                        .arg(modFolder, old));
  }
  RemoveSetAside(old, done);
}

// A two-step swap of `folder` killed midway leaves it missing and the old copy set aside.
void Restore(const QString& folder, QChar mark = u'-') {
  const QString fresh = Beside(folder, ".neu", mark);
  const QString old = Beside(folder, ".alt", mark);
  if (EntryExists(old) && !EntryExists(folder) && !QDir().rename(old, folder)) {
    Fail(QStringLiteral("Die Modifikation „%1“ kann nicht aus „%2“ zurückgeholt werden.").arg(folder, old));
  }
  RemoveIfPresent(fresh);
  RemoveIfPresent(old);
}

void Remove(const QString& folder) {
  if (!EntryExists(folder)) return;
  const QString going = Beside(folder, ".neu");
  if (!QDir().rename(folder, going)) FailInUse(folder, QStringLiteral("entfernt"));
  RemoveSetAside(going, QStringLiteral("Die Modifikation „%1“ ist entfernt.").arg(folder));
}

}  // namespace

void RestoreDeployedFolder(const QString& modFolder) {
  Restore(modFolder, u'.');
  Restore(modFolder);
  Restore(Disabled(modFolder));
}

void DeployFolder(const QString& templateFolder, const QString& modFolder) {
  if (!QFileInfo(templateFolder).isDir()) Fail(QStringLiteral("Der Vorlagenordner „%1“ fehlt.").arg(templateFolder));
  const QString parent = QFileInfo(modFolder).path();
  if (!QDir().mkpath(parent)) Fail(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(parent));

  RestoreDeployedFolder(modFolder);
  RemoveWriteLeftovers(templateFolder);
  // A mod the user disabled stays so; beside an enabled one it is left alone.
  const QString disabled = Disabled(modFolder);
  const QString target = !EntryExists(modFolder) && EntryExists(disabled) ? disabled : modFolder;
  const QString fresh = Beside(target, ".neu");
  try {
    CopyTree(templateFolder, fresh);
    VerifyCopy(templateFolder, fresh);
  } catch (const Error&) {
    RemoveAfterFailure(fresh);
    throw;
  }

  if (EntryExists(target)) {
    Swap(fresh, target, Beside(target, ".alt"));
  } else if (!QDir().rename(fresh, target)) {
    RemoveAfterFailure(fresh);
    Fail(QStringLiteral("Die Modifikation kann nicht nach „%1“ gestellt werden.").arg(target));
  }
}

void RemoveDeployedFolder(const QString& modFolder) {
  RestoreDeployedFolder(modFolder);
  Remove(modFolder);
  Remove(Disabled(modFolder));
}

}  // namespace bw
