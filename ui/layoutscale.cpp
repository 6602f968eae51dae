#include "ui/layoutscale.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace bw {
namespace {

double scale = 1;

}  // namespace

void FitLayout(QSize area, QSize outer) {
  scale = std::min({1.0, double(area.width()) / outer.width(), double(area.height()) / outer.height()});
}

double LayoutScale() { return scale; }

int Scaled(int units) { return static_cast<int>(std::lround(units * scale)); }

QPoint Scaled(QPoint units) { return {Scaled(units.x()), Scaled(units.y())}; }

QSize Scaled(QSize units) { return {Scaled(units.width()), Scaled(units.height())}; }

QRect Scaled(const QRect& units) { return {Scaled(units.topLeft()), Scaled(units.size())}; }

QFont PixelFont(const QString& family, int pixels, bool bold, bool italic) {
  QFont font(family);
  font.setPixelSize(Scaled(pixels));
  if (bold) font.setBold(true);
  if (italic) font.setItalic(true);
  return font;
}

QImage ArtImage(const QString& file, QSize units) {
  QImageReader reader(file, "PNG");
  const int width = reader.size().width();
  const QString fine = QString(file).insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
  if (width >= (units.isValid() ? units.width() : width) * scale * qApp->devicePixelRatio() || !QFile::exists(fine)) {
    return reader.read();
  }
  QImage image(fine, "PNG");
  image.setDevicePixelRatio(2);
  return image;
}

QImage ShownImage(const QImage& picture, QSize units) {
  const qreal ratio = qApp->devicePixelRatio();
  const QSize pixels(static_cast<int>(std::lround(units.width() * scale * ratio)),
                     static_cast<int>(std::lround(units.height() * scale * ratio)));
  QImage shown = picture.size() == pixels ? picture : picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  shown.setDevicePixelRatio(ratio);
  return shown;
}

QImage ShownImage(const QImage& picture) {
  // With fewer pixels than the screen shows, it stays as it is and Qt draws it larger: a
  // smooth copy would be no sharper, only slow to make for the large backgrounds.
  const QSizeF units = picture.deviceIndependentSize();
  if (picture.width() >= units.width() * scale * qApp->devicePixelRatio()) return ShownImage(picture, units.toSize());
  QImage same = picture;
  same.setDevicePixelRatio(picture.width() / (units.width() * scale));
  return same;
}

}  // namespace bw
