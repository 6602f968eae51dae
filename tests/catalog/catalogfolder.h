#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "tests/testsupport.h"
#include "workspace/paths.h"

namespace bw::test {

// A program folder with empty ORG, TMP, ICO and XMLK and a developer icon folder beside them.
struct CatalogFolder {
  ProgramFolder dir{false};
  WorkspacePaths paths = WorkspacePaths::FromProgramFolder(dir.path());
  QString icons = dir.path() + QStringLiteral("icons/");

  CatalogFolder();
  void org(const QString& name, const QByteArray& bytes) const;
  QByteArray tmp(const QString& name) const;
  QByteArray xml(const QString& name) const;
  // ORG gets the developer dumps that rebuild the shipped catalogue.
  void copyFixture() const;
};

// One element, or nothing when the value is absent.
QByteArray El(const char* name, const char* value);

struct Good {
  const char* guid;
  const char* icon = nullptr;  // IconFilename
  const char* category = nullptr;
  const char* dlc = nullptr;
};

// A dump of goods and one of texts, shaped like the game's.
QByteArray ProductDump(const std::vector<Good>& goods);
QByteArray TextDump(const std::vector<std::pair<const char*, const char*>>& texts);

}  // namespace bw::test
