#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "workspace/error.h"

using namespace bw;

// The platform layer reports in UTF-8; the window must show the same German text on Linux
// and on Windows, whose local code page is not UTF-8.
TEST(ErrorText, APlatformMessageReadsAsTheGermanTextItHolds) {
  const std::runtime_error platform("Die Datei „Größe.xml“ kann nicht geschrieben werden: Der Datenträger ist voll.");
  EXPECT_EQ(ErrorMessage(platform),
            QString::fromUtf8("Die Datei „Größe.xml“ kann nicht geschrieben werden: Der Datenträger ist voll."));
  EXPECT_EQ(ErrorMessage(Error(QStringLiteral("Äpfel"))), QStringLiteral("Äpfel"));
}

// A run out of memory is reported in German, never by the library's type name.
TEST(ErrorText, MemoryRunningOutIsSaidInGerman) {
  EXPECT_EQ(ErrorMessage(std::bad_alloc()), QStringLiteral("Der Arbeitsspeicher reicht nicht aus."));
}
