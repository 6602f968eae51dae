#pragma once

#include <QMainWindow>
#include <QStringList>

#include "workspace/paths.h"
#include "workspace/xmldoc.h"

namespace bw {

// The main window. Its creation runs the start-up sequence (FormCreate).
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(const QString& programFolder, QWidget* parent = nullptr);

  // Program-wide state.
  WorkspacePaths Paths;
  QString GAMEPATH;
  QString MODPath;
  QStringList ItemID;
  XmlDocument PropertyList;
  XmlNode PropertyRoot;
  XmlDocument TargetsList;
  XmlNode TargetsRoot;

 private:
  void FormCreate(const QString& programFolder);
};

}  // namespace bw
