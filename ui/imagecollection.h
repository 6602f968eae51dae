#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace bw {

// Pictures kept under names and found by name, the letters a to z compared without case.
// A picture from a file is decoded when it is first asked for, which keeps the start quick.
class TImageCollection {
 public:
  // Takes `folder` + name + ".png" for each name, in this order (index = position).
  void LoadPng(const QString& folder, const QStringList& names);
  void Add(const QString& name, const QImage& image);

  int Count() const { return static_cast<int>(names_.size()); }
  QString Name(int index) const { return names_.value(index); }
  QImage Image(int index) const;
  // Position of the first picture of that name, −1 when there is none.
  int IndexOf(QStringView name) const;

  // A new picture of exactly AWidth × AHeight made from the entry at AIndex (a null
  // picture for an index that is not in the collection), in the screen's pixels as the
  // layout shows it (ShownImage), from the entry's file as ArtImage reads it.
  QImage GetScaledImage(int AIndex, int AWidth, int AHeight) const;

 private:
  QStringList names_;
  QStringList files_;  // empty for a picture added in memory
  mutable QList<QImage> images_;
};

// Pictures of one fixed size, each under its name, as the lists and buttons show them. An
// entry is scaled from its collection when it is first shown; the collection must outlive it.
class TImageList {
 public:
  TImageList(int width, int height) : width_(width), height_(height) {}

  // Adds the collection's entry at `index`, scaled to the list's size, under its name.
  void AddFrom(const TImageCollection& collection, int index);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(names_.size()); }
  QString Name(int index) const { return names_.value(index); }
  int IndexOf(QStringView name) const;
  // The picture at `index`; a null icon for −1 (a row without image).
  QIcon Icon(int index) const;
  QPixmap Pixmap(int index) const;

 private:
  int width_;
  int height_;
  QStringList names_;
  QList<QPair<const TImageCollection*, int>> sources_;
  mutable QList<QPixmap> pixmaps_;
};

}  // namespace bw
