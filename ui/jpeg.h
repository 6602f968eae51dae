#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace bw {

// Decodes a JPEG picture with libjpeg; a damaged picture raises an error naming `name`.
QImage DecodeJpeg(const QByteArray& bytes, const QString& name);

}  // namespace bw
