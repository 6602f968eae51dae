#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "workspace/files.h"

// Skips a test whose point exists only on Linux (the record file, Wine prefixes, /proc,
// flock, symbolic links, file size limits of child processes), saying why.
#ifdef _WIN32
#define BW_LINUX_ONLY(reason) GTEST_SKIP() << "Linux only: " << (reason)
#else
#define BW_LINUX_ONLY(reason) static_cast<void>(0)
#endif

namespace bw::test {

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

using bw::FilesBelow;

// Every file below a folder with its bytes, by relative path.
QMap<QString, QByteArray> Snapshot(const QString& folder);

// One of our programs in the build folder, by its name without the platform's ending.
QString BuiltProgram(const char* name);

// The repository's resources/XMLK folder (the initial workspace as it is shipped).
QString ShippedWorkspace();

// A program folder of its own for one test, with the workspace extracted from the real
// embedded archive unless `withWorkspace` is false.
class ProgramFolder {
 public:
  explicit ProgramFolder(bool withWorkspace = true);
  QString path() const;           // with a trailing delimiter
  QString xml(const QString& name = {}) const;  // inside XMLK/
 private:
  QTemporaryDir dir_;
};

// A home of its own for one test: HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR point into a
// fresh temporary folder and WINEPREFIX is unset, so the registry record, the instance lock
// and the Wine prefixes are the test's own. The old values come back afterwards. On Windows
// the record in the registry is removed for the test and its game location comes back.
class ScopedHome {
 public:
  ScopedHome();
  ~ScopedHome();
  QString path() const;        // without a trailing delimiter
  QString recordFile() const;  // the registry record file of this home
 private:
  QTemporaryDir dir_;
  QList<QPair<const char*, QByteArray>> saved_;
  std::string savedGameLocation_;
};

// The home of the whole test process: tests never touch the real home folder, registry
// record, data folder or Wine prefixes, and a game folder is already recorded there.
class ProcessHome : public ScopedHome {
 public:
  ProcessHome();
};

// True in the child process of a death test that runs the test program anew (on Windows,
// which can't fork): it works in the home and with the record its parent set up.
bool IsDeathTestChild(int argc, char** argv);

// Creates a game folder: one that holds "Bin/Win64/Corvana1800.exe".
void MakeGame(const QString& gameFolder);

// Creates a game folder and records it as the game location in the registry record of the
// current $XDG_CONFIG_HOME (Windows: the record in the registry, written afresh).
void RecordFakeGame(const QString& gameFolder);

// A Wine prefix whose system.reg holds the values "InstallDir" of the given keys, with drive
// C: and, when `diskD` is given, drive D: linked in dosdevices.
void MakeWinePrefix(const QString& prefix, const QList<QPair<QString, QString>>& keys, const QString& diskD = {});

// The date line of a generated assets.xml with its date and time replaced by "%x %X", so the
// rest of the file can be compared byte for byte with a golden file.
QByteArray WithoutDate(QByteArray bytes);

// Runs `body` in a child process (fork) and returns the text it returned, or the message of
// the error it raised. The child starts with everything the test set up; what it changes in
// memory stays there. Linux only: its tests skip on Windows.
QString InChild(const std::function<QString()>& body);

#ifndef _WIN32
// For a child of InChild: the `step`-th change of a folder entry from now on (a folder made,
// an entry renamed or deleted, by Qt too) kills the process before it happens, as a kill
// may. Without `oneStepSwap` the system can't swap two entries in one step.
void KillAtStep(int step, bool oneStepSwap = true);

// Mounts `folder` on `onto` (a bind mount, as a user's may be) in a mount namespace of the
// calling process's own; for a child of InChild. False where the system does not let it.
bool PrivateBindMount(const QString& folder, const QString& onto);
#endif

// Lets every file this process writes end at `bytes`, as a full disk does: a write beyond
// fails with EFBIG instead of ending the process.
void LimitFileSize(qint64 bytes);

// The folders in `mods` that the game's mod loader loads: all but ".cache" and those whose
// name begins with its disabled mark "-".
QStringList LoadedMods(const QString& mods);

// Expects the same files below both folders, byte for byte.
void ExpectSameFiles(const QString& actual, const QString& expected);

// A copy of our small program brennwick_helper under the given file name, started so that
// it runs for a while.
class NamedProcess {
 public:
  explicit NamedProcess(const QString& fileName);
#ifndef _WIN32
  // Started through the shell with a Windows path as argv[0], as Wine shows a program.
  explicit NamedProcess(const QStringList& shellCommand);
#endif
  ~NamedProcess();
  void Stop();

 private:
  QTemporaryDir dir_;
  QProcess process_;
};

}  // namespace bw::test
