#include "ui/startwithregistry.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>
#include <stdexcept>

#ifdef _WIN32
#include "platform/folderchooser.h"
#endif
#include "platform/instancelock.h"
#include "platform/localtime.h"
#include "platform/registry.h"
#include "ui/errorreport.h"
#include "workspace/error.h"

namespace bw {
namespace {

const std::string kRecordKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick";
const std::string kGameRecord = "SOFTWARE\\WOW6432Node\\UbiSoft\\Corvana 1800";
const std::string kLauncherRecord = "SOFTWARE\\WOW6432Node\\Ubisoft\\Launcher\\Installs\\4553";

// Message texts break lines with a lone carriage return; Qt shows only "\n" as a break.
QString Shown(const char* text) { return QString::fromUtf8(text).replace(QLatin1Char('\r'), QLatin1Char('\n')); }

// Says why the program can not start; the start then ends.
std::nullopt_t RefuseStart(const char* text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Programmstartfehler"), Shown(text), QMessageBox::Ok);
  box.setObjectName(QStringLiteral("StartError"));
  box.exec();
  return std::nullopt;
}

void MakeFolder(const QString& folder) {
  if (!QDir().mkpath(folder)) {
    throw Error(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(folder), "EFileError");
  }
}

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

std::string Native(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace

QString ChooseGameFolder() {
  const char* text = "Das Spiel Corvana 1800 kann nicht gefunden werden\r"
                     "Wählen Sie aus der Liste das Hauptverzeichnis des Spiels Corvana 1800 aus.\r";
#ifdef _WIN32
  return Text(BrowseForFolder(text));
#else
  QDialog box;
  box.setObjectName(QStringLiteral("GameFolderChooser"));
  box.setWindowTitle(QStringLiteral("Ordner suchen"));
  auto* label = new QLabel(Shown(text));
  // Qt's own dialog, embedded, so the text can stand above the folder tree.
  auto* folders = new QFileDialog(&box);
  folders->setWindowFlags(Qt::Widget);  // QDialog makes a window of a plain Qt::Widget flag
  folders->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly |
                      QFileDialog::DontResolveSymlinks);
  folders->setFileMode(QFileDialog::Directory);
  folders->setDirectory(QDir::homePath());
  for (const char* name : {"newFolderButton", "fileNameLabel", "fileNameEdit", "fileTypeLabel", "fileTypeCombo"}) {
    if (auto* widget = folders->findChild<QWidget*>(QLatin1String(name))) widget->hide();
  }
  QObject::connect(folders, &QDialog::finished, &box, &QDialog::done);
  auto* layout = new QVBoxLayout(&box);
  layout->addWidget(label);
  layout->addWidget(folders, 1);
  if (box.exec() != QDialog::Accepted) return {};
  return folders->selectedFiles().value(0);
#endif
}

std::optional<GameFolders> StartWithRegistry(const QString& prgPath, const QString& version) {
  try {
    if (!AcquireInstanceLock("Brennwick")) return RefuseStart("Das Programm <Brennwick> läuft bereits!");
  } catch (const std::runtime_error& error) {
    return RefuseStart(error.what());  // never run unguarded
  }

  // The record only remembers where the game is: one that can not be read or written is
  // reported, and the start goes on without it.
  QString gamePath;
  bool found = false;
  const bool recordReadable = Reported([&] {
    gamePath = Text(ReadUserString(kRecordKey, "GameLocation"));
    found = IsGameFolder(gamePath.toStdString());
    if (!found && UserKeyExists(kRecordKey)) DeleteUserKey(kRecordKey);
  });
  // An install record counts only where the game is; nothing is created anywhere else.
  for (const auto& [record, dropLast] : {std::pair{kGameRecord, false}, std::pair{kLauncherRecord, true}}) {
    if (found) break;
    gamePath = Text(GameInstallFolder(record, dropLast));
    found = !gamePath.isEmpty();
  }
  if (!found) {
    gamePath = ChooseGameFolder();
    if (!IsGameFolder(gamePath.toStdString())) {
      return RefuseStart("Das angegebene Verzeichnis ist nicht das Spieleverzeichnis.\r\r"
                         "Starten Sie das Programm erneut und wählen Sie\reinen anderen Pfad aus");
    }
  }

  GameFolders game{gamePath, gamePath + QStringLiteral("/mods")};
  // Without its mods folder the game is still found; a generation reports the folder then.
  Reported([&] { MakeFolder(game.MODPath); });
  if (recordReadable) {
    Reported([&] {
      // The record holds the paths as the system writes them (backslashes on Windows).
      WriteUserStrings(kRecordKey, {{"GameLocation", Native(game.GAMEPATH)},
                                    {"ModLocation", Native(game.MODPath)},
                                    {"ModLoader", "0.9.4"},
                                    {"PrgPath", Native(prgPath)},
                                    {"DPVer", version.toStdString()},
                                    {"TimeStamp", LocalShortDate()}});
    });
  }
  return game;
}

}  // namespace bw
