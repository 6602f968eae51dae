#include <gtest/gtest.h>

#include "tests/testsupport.h"
#include "workspace/error.h"
#include "workspace/files.h"
#include "workspace/xmldoc.h"

using namespace bw;

TEST(XmlAccess, ReadsAttributesByPositionNotByName) {
  XmlDocument doc;
  ASSERT_TRUE(doc.loadText("<Products><!--c--><Product X=\"1\" Y=\"Bretter\" Z=\"icon\" W=\"4\"/></Products>", "p.xml"));
  const XmlNode root = doc.root();
  EXPECT_EQ(root.childCount(), 2);  // the comment counts as a child
  const XmlNode row = root.selectSingle(QStringLiteral("Product[@X=\"1\"]"));
  EXPECT_EQ(row.attr(0), QStringLiteral("1"));
  EXPECT_EQ(row.attr(1), QStringLiteral("Bretter"));
  EXPECT_EQ(row.attr(3), QStringLiteral("4"));
  row.setAttr(1, QStringLiteral("Ziegel"));
  EXPECT_EQ(doc.formatted(), QByteArray("<Products>\r\n\t<!--c-->\r\n\t<Product X=\"1\" Y=\"Ziegel\" Z=\"icon\" W=\"4\"/>\r\n</Products>\r\n"));
  EXPECT_THROW(row.attr(4), Error);
}

TEST(XmlAccess, MissingOrBrokenFilesFailAtTheFirstQueryNamingTheFile) {
  test::ProgramFolder folder(false);
  const QString broken = folder.path() + QStringLiteral("broken.xml");
  WriteFileAtomic(broken, "<Properties><Property");
  for (const QString& path : {folder.path() + QStringLiteral("missing.xml"), broken}) {
    XmlDocument doc;
    EXPECT_FALSE(doc.load(path));
    EXPECT_FALSE(doc.hasRoot());
    try {
      doc.root();
      ADD_FAILURE() << "no error for " << path.toStdString();
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
    }
  }
  // A query that matches nothing yields a null node; reading from it names query and file.
  XmlDocument doc;
  ASSERT_TRUE(doc.loadText("<Products/>", "Products.xml"));
  const XmlNode none = doc.root().selectSingle(QStringLiteral("Product[@GUID=\"42\"]"));
  EXPECT_TRUE(none.isNull());
  try {
    none.attr(1);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains(QStringLiteral("Product[@GUID=\"42\"]")));
    EXPECT_TRUE(e.message().contains(QStringLiteral("Products.xml")));
  }
}

TEST(XmlAccess, AKeptNodeOutlivesItsDocumentLoadingAnotherFile) {
  XmlDocument doc;
  ASSERT_TRUE(doc.loadText("<Targets><Target GUID=\"100451\" Name=\"Sägewerk\"/></Targets>", "Target.xml"));
  const XmlNode kept = doc.root();
  EXPECT_FALSE(doc.load(QStringLiteral("/nonexistent/Target.xml")));
  EXPECT_EQ(kept.selectSingle(QStringLiteral("Target[@GUID=\"100451\"]")).attr(1), QStringLiteral("Sägewerk"));
}
