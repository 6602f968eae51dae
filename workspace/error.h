#pragma once

#include <QString>
#include <new>
#include <stdexcept>

namespace bw {

// The one error type of the core. Its message is German and names the file or value at
// fault; the type name tells the kind of failure ("EFileError", "EXmlError", ...).
class Error : public std::runtime_error {
 public:
  explicit Error(const QString& message, const char* typeName = "EBrennwickError")
      : std::runtime_error(message.toStdString()), message_(message), typeName_(typeName) {}

  const QString& message() const { return message_; }
  const char* typeName() const { return typeName_; }

 private:
  QString message_;
  const char* typeName_;
};

// Text of any error as the program shows it. The platform layer's messages are UTF-8 on
// every system; Windows' own code page would garble their „“ and umlauts. Memory running out
// is said in German too, not by the library's type name.
inline QString ErrorMessage(const std::exception& e) {
  if (auto* own = dynamic_cast<const Error*>(&e)) return own->message();
  if (dynamic_cast<const std::bad_alloc*>(&e)) return QStringLiteral("Der Arbeitsspeicher reicht nicht aus.");
  return QString::fromUtf8(e.what());
}

}  // namespace bw
