#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#ifndef _WIN32
#include <dlfcn.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "platform/registry.h"
#include "workspace/archive.h"
#include "workspace/error.h"
#include "workspace/files.h"

namespace bw::test {

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) { WriteFileAtomic(path, bytes); }

QMap<QString, QByteArray> Snapshot(const QString& folder) {
  QMap<QString, QByteArray> files;
  for (const QString& file : FilesBelow(folder)) files.insert(file, ReadBytes(folder + QLatin1Char('/') + file));
  return files;
}

QString BuiltProgram(const char* name) {
#ifdef _WIN32
  return QStringLiteral(BRENNWICK_BINARY_DIR "/%1.exe").arg(QLatin1String(name));
#else
  return QStringLiteral(BRENNWICK_BINARY_DIR "/%1").arg(QLatin1String(name));
#endif
}

QString ShippedWorkspace() { return QStringLiteral(BRENNWICK_SOURCE_DIR "/resources/XMLK/"); }

ProgramFolder::ProgramFolder(bool withWorkspace) {
  if (withWorkspace) ExtractArchive(EmbeddedArchive(), path());
}

QString ProgramFolder::path() const { return dir_.path() + QLatin1Char('/'); }

QString ProgramFolder::xml(const QString& name) const { return path() + QStringLiteral("XMLK/") + name; }

namespace {
constexpr const char* kHomeVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "WINEPREFIX"};
const std::string kRecordKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick";
}  // namespace

ScopedHome::ScopedHome() {
  for (const char* var : kHomeVariables) saved_.append({var, qgetenv(var)});
  qputenv("HOME", path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (path() + QStringLiteral("/.config")).toUtf8());
  qputenv("XDG_RUNTIME_DIR", (path() + QStringLiteral("/run")).toUtf8());
  qunsetenv("WINEPREFIX");
  QDir().mkpath(path() + QStringLiteral("/run"));
  QFile::setPermissions(path() + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#ifdef _WIN32
  savedGameLocation_ = ReadUserString(kRecordKey, "GameLocation");
  DeleteUserKey(kRecordKey);
#endif
}

ScopedHome::~ScopedHome() {
  for (const auto& [var, value] : saved_) {
    if (value.isEmpty()) qunsetenv(var);
    else qputenv(var, value);
  }
#ifdef _WIN32
  DeleteUserKey(kRecordKey);
  if (!savedGameLocation_.empty()) WriteUserStrings(kRecordKey, {{"GameLocation", savedGameLocation_}});
#endif
}

QString ScopedHome::path() const { return dir_.path(); }

QString ScopedHome::recordFile() const { return path() + QStringLiteral("/.config/Brennwick/registry.ini"); }

ProcessHome::ProcessHome() {
  qunsetenv("XDG_DATA_HOME");
  RecordFakeGame(path() + QStringLiteral("/Games/Corvana 1800"));
}

bool IsDeathTestChild(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (QByteArray(argv[i]).startsWith("--gtest_internal_run_death_test")) return true;
  }
  return false;
}

void MakeGame(const QString& gameFolder) {
  QDir().mkpath(gameFolder + QStringLiteral("/Bin/Win64"));
  WriteFileAtomic(gameFolder + QStringLiteral("/Bin/Win64/Corvana1800.exe"), {});
}

void RecordFakeGame(const QString& gameFolder) {
  MakeGame(gameFolder);
  // Written as the program writes its record, on either platform.
  DeleteUserKey(kRecordKey);
  WriteUserStrings(kRecordKey, {{"GameLocation", QDir::toNativeSeparators(gameFolder).toStdString()}});
}

QByteArray WithoutDate(QByteArray bytes) {
  // The date and time as the user's locale writes them, which on Windows may hold spaces.
  static const QRegularExpression dateLine(QStringLiteral("^<!-- (.+) GU 16\\.1             -->\r$"),
                                           QRegularExpression::MultilineOption);
  QString text = QString::fromUtf8(bytes);
  const QRegularExpressionMatch m = dateLine.match(text);
  if (!m.hasMatch()) return bytes;
  text.replace(m.capturedStart(1), m.capturedLength(1), QStringLiteral("%x %X"));
  return text.toUtf8();
}

void MakeWinePrefix(const QString& prefix, const QList<QPair<QString, QString>>& keys, const QString& diskD) {
  QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
  QDir().mkpath(prefix + QStringLiteral("/drive_c"));
  QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
  if (!diskD.isEmpty()) QFile::link(diskD, prefix + QStringLiteral("/dosdevices/d:"));
  QString reg = QStringLiteral("WINE REGISTRY Version 2\n\n#arch=win64\n\n");
  auto escaped = [](QString text) { return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\")); };
  for (const auto& [key, dir] : keys) {
    reg += QStringLiteral("[%1] 1700000000\n#time=1d9\n\"InstallDir\"=\"%2\"\n\n").arg(escaped(key), escaped(dir));
  }
  WriteBytes(prefix + QStringLiteral("/system.reg"), reg.toUtf8());
}

#ifdef _WIN32

QString InChild(const std::function<QString()>&) {
  ADD_FAILURE() << "Windows has no fork: a test that needs it skips there";
  return {};
}

void LimitFileSize(qint64) { ADD_FAILURE() << "Windows has no file size limit: a test that needs it skips there"; }

#else

QString InChild(const std::function<QString()>& body) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return QStringLiteral("(keine Pipe)");
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    QByteArray text;
    try {
      text = body().toUtf8();
    } catch (const std::exception& error) {
      text = ErrorMessage(error).toUtf8();
    }
    for (qsizetype done = 0; done < text.size();) {
      const ssize_t n = write(pipeFds[1], text.constData() + done, size_t(text.size() - done));
      if (n <= 0) break;
      done += n;
    }
    _exit(0);
  }
  close(pipeFds[1]);
  QByteArray text;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(pipeFds[0]);
  waitpid(child, nullptr, 0);
  return QString::fromUtf8(text);
}

bool PrivateBindMount(const QString& folder, const QString& onto) {
  const bool own = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return own && mount(QFile::encodeName(folder).constData(), QFile::encodeName(onto).constData(), nullptr, MS_BIND, nullptr) == 0;
}

void LimitFileSize(qint64 bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
  setrlimit(RLIMIT_FSIZE, &limit);
}

#endif
QStringList LoadedMods(const QString& mods) {
  QStringList loaded = QDir(mods).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  loaded.removeIf([](const QString& name) { return name.startsWith(QLatin1Char('-')) || name == QStringLiteral(".cache"); });
  return loaded;
}

void ExpectSameFiles(const QString& actual, const QString& expected) {
  const QStringList files = FilesBelow(expected);
  EXPECT_EQ(FilesBelow(actual), files);
  for (const QString& f : files) {
    EXPECT_EQ(ReadBytes(actual + f), ReadBytes(expected + f)) << f.toStdString();
  }
}

NamedProcess::NamedProcess(const QString& fileName) {
  const QString path = dir_.path() + QLatin1Char('/') + fileName;
  QFile::copy(BuiltProgram("brennwick_helper"), path);
  process_.start(path, {QStringLiteral("30")});
  process_.waitForStarted();
}

#ifndef _WIN32
NamedProcess::NamedProcess(const QStringList& shellCommand) {
  process_.start(QStringLiteral("/bin/bash"), shellCommand);
  process_.waitForStarted();
  QThread::msleep(100);  // until bash has replaced itself with the program
}
#endif

NamedProcess::~NamedProcess() { Stop(); }

void NamedProcess::Stop() {
  process_.kill();
  process_.waitForFinished();
}

}  // namespace bw::test

#ifndef _WIN32
namespace {
int stepsLeft = 0;
bool exchanges = true;

void Step() {
  if (stepsLeft > 0 && --stepsLeft == 0) raise(SIGKILL);
}

template <class Function>
Function* Next(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}
}  // namespace

void bw::test::KillAtStep(int step, bool oneStepSwap) {
  stepsLeft = step;
  exchanges = oneStepSwap;
}

// The C library's functions that change folder entries, seen first by the whole test program
// and by Qt, so that KillAtStep can count them.
extern "C" int mkdir(const char* path, mode_t mode) noexcept {
  static auto* next = Next<int(const char*, mode_t)>("mkdir");
  return Step(), next(path, mode);
}
extern "C" int rename(const char* from, const char* to) noexcept {
  static auto* next = Next<int(const char*, const char*)>("rename");
  return Step(), next(from, to);
}
extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) noexcept {
  static auto* next = Next<int(int, const char*, int, const char*, unsigned)>("renameat2");
  Step();
  if ((flags & RENAME_EXCHANGE) && !exchanges) return errno = EINVAL, -1;
  return next(fromFolder, from, toFolder, to, flags);
}
extern "C" int unlinkat(int folder, const char* name, int flags) noexcept {
  static auto* next = Next<int(int, const char*, int)>("unlinkat");
  return Step(), next(folder, name, flags);
}
#endif
