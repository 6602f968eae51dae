#include "workspace/paths.h"

#include <QDir>

namespace bw {

QString WithTrailingDelimiter(const QString& folder) {
  QString path = QDir::fromNativeSeparators(folder);
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path + QLatin1Char('/');
}

WorkspacePaths WorkspacePaths::FromProgramFolder(const QString& folder) {
  WorkspacePaths p;
  p.PrgPath = WithTrailingDelimiter(folder);
  p.ORGPath = p.PrgPath + QStringLiteral("ORG/");
  p.XMLPath = p.PrgPath + QStringLiteral("XMLK/");
  p.TMPPath = p.PrgPath + QStringLiteral("TMP/");
  p.ICOPATH = p.PrgPath + QStringLiteral("ICO/");
  return p;
}

QStringList ItemGuids() {
  QStringList ids;
  for (int n = 1; n <= 6; ++n) ids << QString::number(2000502230LL + 2 * (n - 1));
  return ids;
}

QString ItemNumeral(int slot) {
  static const char* const numerals[] = {"I", "II", "III", "IV", "V", "VI"};
  return slot >= 1 && slot <= 6 ? QLatin1String(numerals[slot - 1]) : QString();
}

}  // namespace bw
