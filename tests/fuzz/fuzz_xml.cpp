// Any bytes as an XML file: a document that loads must come out of the formatter as text
// that loads again and formats to the very same bytes, unless the formatter refuses a
// character XML does not allow.

#include <cstdint>

#include "tests/fuzz/fuzzsupport.h"
#include "workspace/error.h"
#include "workspace/xmldoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bw::XmlDocument doc;
  if (!doc.loadText(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), QStringLiteral("in.xml"))) {
    return 0;
  }
  QByteArray once;
  try {
    once = doc.formatted();
  } catch (const bw::Error&) {
    return 0;
  }
  if (once.startsWith("\xEF\xBB\xBF")) bw::fuzz::Finding("the formatted document starts with a byte-order mark");
  bw::XmlDocument again;
  if (!again.loadText(once, QStringLiteral("once.xml"))) {
    bw::fuzz::Finding("the formatted document does not load", once.toStdString());
  }
  QByteArray twice;
  try {
    twice = again.formatted();
  } catch (const bw::Error& e) {
    bw::fuzz::Finding("the formatted document holds a character XML does not allow", e.message().toStdString());
  }
  if (twice != once) bw::fuzz::Finding("formatting twice changes the document", (once + "\n---\n" + twice).toStdString());
  return 0;
}
