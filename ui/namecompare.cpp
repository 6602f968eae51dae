#include "ui/namecompare.h"

namespace bw {
namespace {

int FoldAZ(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'a' && u <= u'z') ? u - (u'a' - u'A') : u;
}

}  // namespace

int CompareNamesAZ(QStringView a, QStringView b) {
  const qsizetype n = qMin(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i) {
    const int diff = FoldAZ(a[i]) - FoldAZ(b[i]);
    if (diff != 0) return diff;
  }
  return static_cast<int>(a.size() - b.size());
}

}  // namespace bw
