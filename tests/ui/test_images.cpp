#include <gtest/gtest.h>

#include <QRegularExpression>

#include "tests/testsupport.h"
#include "ui/imagecollection.h"
#include "ui/jpeg.h"
#include "ui/mainform.h"
#include "workspace/error.h"
#include "workspace/files.h"

using namespace bw;

TEST(Images, CollectionsHoldTheirPicturesInOrderAndSize) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  const MainFormImages& images = form.images();
  ASSERT_EQ(images.ImageCollection.Count(), 258);
  struct Entry {
    int index;
    const char* name;
    QSize size;
  } entries[] = {
      {0, "icon_advanced_weaponry", {128, 128}}, {200, "icon_working_cloth", {128, 128}},
      {201, "11701", {64, 64}},                  {224, "410085_dark", {64, 64}},
      {225, "icon_dropgood_bomb_b", {128, 128}}, {229, "icon_dropgood_water", {128, 128}},
      {230, "FullReset", {128, 128}},            {235, "ItemHouseMain", {128, 128}},
      {236, "Region1", {64, 64}},                {240, "Item_1", {87, 87}},
      {251, "Item_6_dark", {87, 87}},            {252, "icon_agrarhouse_0", {128, 128}},
      {257, "Region4Dark", {64, 64}},
  };
  for (const Entry& e : entries) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(images.ImageCollection.Name(e.index), QLatin1String(e.name));
    EXPECT_EQ(images.ImageCollection.Image(e.index).size(), e.size);
  }
  // ImageList: positions 0 to 229, then the light and the dark region pictures.
  ASSERT_EQ(images.ImageList.Count(), 238);
  for (int i = 0; i < 230; ++i) EXPECT_EQ(images.ImageList.Name(i), images.ImageCollection.Name(i));
  EXPECT_EQ(images.ImageList.Name(230), QStringLiteral("Region1"));
  EXPECT_EQ(images.ImageList.Name(233), QStringLiteral("Region4"));
  EXPECT_EQ(images.ImageList.Name(234), QStringLiteral("Region1dark"));
  EXPECT_EQ(images.ImageList.Name(237), QStringLiteral("Region4Dark"));
  EXPECT_EQ(images.ImageList.Pixmap(0).size(), QSize(48, 48));
  EXPECT_EQ(images.ImageList.IndexOf(QStringLiteral("Item_1")), -1);
  EXPECT_EQ(images.ImageList.IndexOf(QStringLiteral("FullReset")), -1);

  QStringList items, regions;
  for (int i = 0; i < images.ItemImageList.Count(); ++i) items << images.ItemImageList.Name(i);
  for (int i = 0; i < images.TargetsImageList.Count(); ++i) regions << images.TargetsImageList.Name(i);
  EXPECT_EQ(items, (QStringList{"Item_1", "Item_1_dark", "Item_2", "Item_2_dark", "Item_3", "Item_3_dark", "Item_4",
                                "Item_4_dark", "Item_5", "Item_5_dark", "Item_6", "Item_6_dark"}));
  EXPECT_EQ(regions, (QStringList{"Region1", "Region2", "Region3", "Region4", "Region1dark", "Region2dark",
                                  "Region3dark", "Region4Dark"}));
  EXPECT_EQ(images.ItemImageList.Pixmap(11).size(), QSize(48, 48));

  ASSERT_EQ(images.HelpImageCollection.Count(), 7);
  EXPECT_EQ(images.HelpImageCollection.Image(images.HelpImageCollection.IndexOf(QStringLiteral("Achtung"))).size(),
            QSize(256, 256));
  EXPECT_EQ(images.HelpImageCollection.Image(images.HelpImageCollection.IndexOf(QStringLiteral("xmlerror"))).size(),
            QSize(92, 128));
}

TEST(Images, EveryIconNameOfTheCataloguesHasItsPicture) {
  QStringList missing;
  const QRegularExpression icon(QStringLiteral("Icon=\"([^\"]*)\""));
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  const MainFormImages& images = form.images();
  for (const char* file : {"Products.xml", "Target.xml"}) {
    const QString text = QString::fromUtf8(test::ReadBytes(test::ShippedWorkspace() + QLatin1String(file)));
    for (const QRegularExpressionMatch& m : icon.globalMatch(text)) {
      if (images.ImageList.IndexOf(m.captured(1)) < 0) missing << m.captured(1);
    }
  }
  EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
}

TEST(Images, ScaledPicturesHaveExactlyTheAskedSize) {
  TImageCollection collection;
  collection.Add(QStringLiteral("Hoch"), QImage(92, 128, QImage::Format_ARGB32));
  EXPECT_EQ(collection.GetScaledImage(0, 64, 64).size(), QSize(64, 64));
  EXPECT_EQ(collection.GetScaledImage(0, 25, 40).size(), QSize(25, 40));
  EXPECT_TRUE(collection.GetScaledImage(-1, 64, 64).isNull());
  EXPECT_TRUE(collection.GetScaledImage(1, 64, 64).isNull());
}

TEST(Images, JpegBackgroundsDecodeAndDamageIsReported) {
  const QImage main = DecodeJpeg(ReadFile(QStringLiteral(":/art/background_main.jpg")), QStringLiteral("main"));
  EXPECT_EQ(main.size(), QSize(1800, 1000));
#ifndef _WIN32
  // The same colours as another decoder reads (Qt's plugin, used here only as a witness; the
  // Windows build ships no image plugins).
  const QImage witness(QStringLiteral(":/art/background_main.jpg"), "JPEG");
  ASSERT_EQ(witness.size(), main.size());
  for (const QPoint p : {QPoint(0, 0), QPoint(900, 500), QPoint(1799, 999), QPoint(123, 877)}) {
    const QColor a = main.pixelColor(p), b = witness.pixelColor(p);
    EXPECT_LE(qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()), 6)
        << p.x() << "," << p.y();
  }
#endif
  EXPECT_EQ(DecodeJpeg(ReadFile(QStringLiteral(":/art/background_info.jpg")), QStringLiteral("info")).size(),
            QSize(1602, 1000));
  QByteArray cut = ReadFile(QStringLiteral(":/art/background_info.jpg")).left(200);
  EXPECT_THROW(DecodeJpeg(QByteArray("no picture"), QStringLiteral("kaputt.jpg")), Error);
  // A truncated picture decodes what is there (libjpeg fills the rest) or fails cleanly.
  try {
    DecodeJpeg(cut, QStringLiteral("cut.jpg"));
  } catch (const Error&) {
  }
}
