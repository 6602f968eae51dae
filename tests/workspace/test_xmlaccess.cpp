#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

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

namespace {

const std::vector<std::string_view> kNames = {"a", "b", "d"};

// The elements XmlText reports, as they close.
struct Elements final : XmlVisitor {
  std::vector<XmlElement> closed;
  Elements() : XmlVisitor(kNames) {}
  void close(const XmlElement& element) override { closed.push_back(element); }
};

int KindOf(pugi::xml_node node) {
  const auto found = std::find(kNames.begin(), kNames.end(), std::string_view(node.name()));
  return node.type() != pugi::node_element || found == kNames.end() ? -1 : int(found - kNames.begin());
}

// The elements of a document with one of the names, in document order.
struct Preorder final : pugi::xml_tree_walker {
  std::vector<pugi::xml_node> elements;
  bool for_each(pugi::xml_node& node) override {
    if (KindOf(node) >= 0) elements.push_back(node);
    return true;
  }
};

QByteArray Nested(int depth, const char* inner) {
  return QByteArray("<d>").repeated(depth) + inner + QByteArray("</d>").repeated(depth);
}

QString LoadError(const XmlDocument& doc) {
  try {
    doc.root();
  } catch (const Error& e) {
    return e.message();
  }
  return {};
}

}  // namespace

// XmlText checks a file without building a tree: it must refuse exactly the files XmlDocument
// refuses, with the same message, and hand out each element asked for so that parsing it
// alone gives what the whole parse gave, with its parent's place: markup in comments, CDATA
// sections and attributes is no element.
TEST(XmlText, ReadsAndRefusesAsTheWholeParseDoes) {
  const QByteArray utf16 = QByteArray("\xFF\xFE", 2) +
                           QByteArray(reinterpret_cast<const char*>(u"<a><b>\u00e4</b></a>"), 30);
  const QByteArray cases[] = {
      "<?xml version=\"1.0\"?>\r\n<!DOCTYPE a [<!ENTITY x \"y\"> <!-- c --> <![IGNORE[ ]]>]>\n"
      "<a x='1' y=\"&lt;Asset>\"><!-- <Asset> --><![CDATA[<Asset>]]><b>t&amp;u</b><c/><?pi <x>?>\r\ntext</a>\n",
      "\xEF\xBB\xBF<a><b/></a>", "<a><c><b/><b><b/></b></c></a>", "<a/>", QByteArray("<a></a>\0junk<", 13), "junk<a/>junk", utf16,
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE4</a>", "<?xml version=\"1.0\">x<b/></xml><a/>",
      Nested(1000, ""), Nested(1000, "x"), Nested(1001, ""),
      "<a><b>text</b", "<a></b>", "<a><!-- x</a>", "<a><![CDATA[x</a>", "<a x=1/>", "<a x='1'y='2'/>",
      "<a><?xml version=\"1.0\"?></a>", "<a/><", "", " \r\n", QByteArray("<a>x\0</a>", 9), "<a/", "<a></a",
      "</a>", "<a><!DOCTYPE x></a>", "<!-x><a/>", "<a", "<a><?pi", "<!DOCTYPE a [<!x", "<a>&#x3c;</a><",
  };
  test::ProgramFolder folder(false);
  const QString path = folder.path() + QStringLiteral("dump.xml");
  for (const QByteArray& bytes : cases) {
    SCOPED_TRACE(bytes.left(60).toStdString());
    WriteFileAtomic(path, bytes);
    XmlDocument whole;
    whole.load(path);
    Elements elements;
    try {
      const XmlText text(path, elements);
      ASSERT_EQ(LoadError(whole).toStdString(), "");
      std::sort(elements.closed.begin(), elements.closed.end(),
                [](const XmlElement& a, const XmlElement& b) { return a.extent.begin < b.extent.begin; });
      Preorder preorder;
      whole.pugi().traverse(preorder);
      ASSERT_EQ(elements.closed.size(), preorder.elements.size());
      pugi::xml_document alone, copied;
      std::map<pugi::xml_node, size_t> indexOf;
      std::vector<size_t> started(kNames.size());
      for (size_t i = 0; i < preorder.elements.size(); ++i) {
        const pugi::xml_node node = preorder.elements[i], parent = node.parent();
        const XmlElement& e = elements.closed[i];
        indexOf[node] = started[size_t(KindOf(node))]++;
        EXPECT_EQ(std::tuple(e.kind, e.index, e.parentKind), std::tuple(KindOf(node), indexOf[node], KindOf(parent)));
        if (KindOf(parent) >= 0) {
          EXPECT_EQ(e.parentIndex, indexOf[parent]);
        }
        text.append(alone, e.extent);
        copied.append_copy(node);
      }
      EXPECT_EQ(FormatXml(alone, path), FormatXml(copied, path));
    } catch (const Error& e) {
      EXPECT_EQ(e.message().toStdString(), LoadError(whole).toStdString());
    }
  }
}
