#pragma once

#include <QStringView>

namespace bw {

// Compares two texts over their UTF-16 code units, the letters a to z counted as A to Z and
// every other character by its code value. The first difference decides (its value is the
// result); when one text begins the other, the shorter comes first. So "Ölraffinerie"
// sorts after "Ziegelei", and "ä" and "Ä" stay different.
int CompareNamesAZ(QStringView a, QStringView b);

inline bool SameNameAZ(QStringView a, QStringView b) { return CompareNamesAZ(a, b) == 0; }

}  // namespace bw
