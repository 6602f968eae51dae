#include "ui/imagecollection.h"

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
    QImage image(folder + name + QStringLiteral(".png"), "PNG");
    if (image.isNull()) throw Error(QStringLiteral("Das Bild „%1“ fehlt im Programm.").arg(name));
    Add(name, image);
  }
}

void TImageCollection::Add(const QString& name, const QImage& image) {
  names_ << name;
  images_ << image;
}

int TImageCollection::IndexOf(QStringView name) const { return IndexOfName(names_, name); }

QImage TImageCollection::GetScaledImage(int AIndex, int AWidth, int AHeight) const {
  if (AIndex < 0 || AIndex >= Count()) return {};
  return images_[AIndex].scaled(AWidth, AHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TImageList::AddFrom(const TImageCollection& collection, int index) {
  names_ << collection.Name(index);
  pixmaps_ << QPixmap::fromImage(collection.GetScaledImage(index, width_, height_));
}

int TImageList::IndexOf(QStringView name) const { return IndexOfName(names_, name); }

QIcon TImageList::Icon(int index) const {
  if (index < 0 || index >= Count()) return {};
  return QIcon(pixmaps_[index]);
}

}  // namespace bw
