#include "ui/imagecollection.h"

#include <QFile>

#include "ui/layoutscale.h"
#include "ui/namecompare.h"
#include "workspace/error.h"

namespace bw {
namespace {

int IndexOfName(const QStringList& names, QStringView name) {
  for (int i = 0; i < names.size(); ++i) {
    if (SameNameAZ(names[i], name)) return i;
  }
  return -1;
}

}  // namespace

void TImageCollection::LoadPng(const QString& folder, const QStringList& names) {
  for (const QString& name : names) {
    const QString file = folder + name + QStringLiteral(".png");
    if (!QFile::exists(file)) throw Error(QStringLiteral("Das Bild „%1“ fehlt im Programm.").arg(name));
    names_ << name;
    files_ << file;
    images_ << QImage();
  }
}

void TImageCollection::Add(const QString& name, const QImage& image) {
  names_ << name;
  files_ << QString();
  images_ << image;
}

QImage TImageCollection::Image(int index) const {
  if (index < 0 || index >= Count()) return {};
  if (images_[index].isNull() && !files_[index].isEmpty()) images_[index] = QImage(files_[index], "PNG");
  return images_[index];
}

int TImageCollection::IndexOf(QStringView name) const { return IndexOfName(names_, name); }

QImage TImageCollection::GetScaledImage(int AIndex, int AWidth, int AHeight) const {
  if (AIndex < 0 || AIndex >= Count()) return {};
  const QSize units(AWidth, AHeight);
  return ShownImage(files_[AIndex].isEmpty() ? Image(AIndex) : ArtImage(files_[AIndex], units), units);
}

void TImageList::AddFrom(const TImageCollection& collection, int index) {
  names_ << collection.Name(index);
  sources_ << qMakePair(&collection, index);
  pixmaps_ << QPixmap();
}

QPixmap TImageList::Pixmap(int index) const {
  if (index < 0 || index >= Count()) return {};
  if (pixmaps_[index].isNull()) {
    const auto& [collection, position] = sources_[index];
    pixmaps_[index] = QPixmap::fromImage(collection->GetScaledImage(position, width_, height_));
  }
  return pixmaps_[index];
}

int TImageList::IndexOf(QStringView name) const { return IndexOfName(names_, name); }

QIcon TImageList::Icon(int index) const {
  if (index < 0 || index >= Count()) return {};
  return QIcon(Pixmap(index));
}

}  // namespace bw
