#include <gtest/gtest.h>

#include <QDirIterator>
#include <QThread>

#include "tests/testsupport.h"
#include "workspace/error.h"
#include "workspace/files.h"
#include "workspace/itemstore.h"
#include "workspace/xmldoc.h"

using namespace bw;

namespace {

QByteArray Format(const QByteArray& in) {
  XmlDocument doc;
  EXPECT_TRUE(doc.loadText(in, QStringLiteral("test.xml")));
  return doc.formatted();
}

}  // namespace

TEST(XmlLayout, WritesTheWorkspaceLayout) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      // An empty root becomes the short form, without a blank before the slash.
      {"<Products>\n</Products>", "<Products/>\r\n"},
      {"<Products></Products>", "<Products/>\r\n"},
      // Rows one TAB deep, attributes in their order, CR LF after the last line too.
      {"<Products><Product Z=\"1\" A=\"2\" M=\"\"/></Products>",
       "<Products>\r\n\t<Product Z=\"1\" A=\"2\" M=\"\"/>\r\n</Products>\r\n"},
      // Text-only elements stay on one line; nesting adds a TAB per level; comments stay.
      {"<!-- a --><ModOps><!--x--><ModOp><GUID>1</GUID><!-- y --><Text/></ModOp></ModOps>",
       "<!-- a -->\r\n<ModOps>\r\n\t<!--x-->\r\n\t<ModOp>\r\n\t\t<GUID>1</GUID>\r\n\t\t<!-- y -->\r\n"
       "\t\t<Text/>\r\n\t</ModOp>\r\n</ModOps>\r\n"},
      // A comment holds no "--" and does not end in "-", which XML forbids: a blank parts them.
      {"<a><!--A--B---C--><!--Ende---><!--- --></a>",
       "<a>\r\n\t<!--A- -B- - -C-->\r\n\t<!--Ende- -->\r\n\t<!--- -->\r\n</a>\r\n"},
      // The declaration is carried over only where the source had one, with its parts.
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a/>\r\n"},
      {"<?xml version=\"1.0\" standalone=\"yes\"?>\n<a/>", "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<a/>\r\n"},
      // A byte-order mark in the source is not written back.
      {"\xEF\xBB\xBF<a b=\"\xC3\xA4\"/>", "<a b=\"\xC3\xA4\"/>\r\n"},
      // Values are escaped, so names with such characters still give readable XML.
      {"<a n=\"A &amp; B &lt;C&gt; &quot;D&quot;\">x &amp; y &lt; z</a>",
       "<a n=\"A &amp; B &lt;C&gt; &quot;D&quot;\">x &amp; y &lt; z</a>\r\n"},
      // Characters a reader would change or drop go as references, so every value reads back.
      {"<a b=\"&#9;&#10;&#13;\"><c>&#13;</c><d>&#32;</d><e><![CDATA[]]></e></a>",
       "<a b=\"&#9;&#10;&#13;\">\r\n\t<c>&#13;</c>\r\n\t<d>&#32;</d>\r\n\t<e/>\r\n</a>\r\n"},
      // Text between elements gets a line of its own, without the blanks around it.
      {"<P><P/>></P>", "<P>\r\n\t<P/>\r\n\t&gt;\r\n</P>\r\n"},
      {"<P>\n <P/>x<![CDATA[ y ]]>\n</P>", "<P>\r\n\t<P/>\r\n\tx y\r\n</P>\r\n"},
      {"<a/><![CDATA[y]]>", "<a/>\r\n"},
      // The file is UTF-8 whatever the source was, and its declaration says so.
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE4</a>",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\xC3\xA4</a>\r\n"},
      {"<?xml version=\"1.0\" encoding=\"&quot;\"?><a/>", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a/>\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.in), QByteArray(c.out)) << c.in;
    EXPECT_EQ(Format(c.out), QByteArray(c.out)) << "formatted twice: " << c.in;
  }
}

TEST(XmlLayout, EveryShippedXmlFileRoundTripsByteForByte) {
  int checked = 0;
  QDirIterator it(test::ShippedWorkspace(), {QStringLiteral("*.xml")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.endsWith(QLatin1String("/Target.xml"))) continue;  // written by hand, with a BOM, never reformatted
    const QByteArray bytes = test::ReadBytes(path);
    EXPECT_EQ(Format(bytes), bytes) << path.toStdString();
    ++checked;
  }
  EXPECT_EQ(checked, 11);
}

// Formatting walks the tree without recursion (here on a stack far too small for one frame
// per level) and writes each line's indentation straight into the output.
TEST(XmlLayout, DeepDocumentsAreLaidOutWithoutRecursionAndLoadsStopAtTheDepthLimit) {
  const int levels = 5000;
  pugi::xml_document doc;
  pugi::xml_node node = doc;
  for (int i = 0; i < levels; ++i) node = node.append_child("a");
  QByteArray expected;
  for (int i = 0; i < levels - 1; ++i) expected += QByteArray(i, '\t') + "<a>\r\n";
  expected += QByteArray(levels - 1, '\t') + "<a/>\r\n";
  for (int i = levels - 2; i >= 0; --i) expected += QByteArray(i, '\t') + "</a>\r\n";

  QByteArray formatted;
  std::unique_ptr<QThread> small(QThread::create([&] { formatted = FormatXml(doc, QStringLiteral("tief.xml")); }));
  small->setStackSize(64 * 1024);
  small->start();
  ASSERT_TRUE(small->wait(60000));
  EXPECT_TRUE(formatted == expected) << formatted.size() << " bytes instead of " << expected.size();

  // A file nested more than 1000 levels deep is refused when it is loaded, naming the file.
  for (int depth : {1000, 1001}) {
    XmlDocument loaded;
    const QByteArray text = QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
    EXPECT_EQ(loaded.loadText(text, QStringLiteral("tief.xml")), depth == 1000) << depth;
    if (depth == 1000) continue;
    try {
      loaded.root();
      ADD_FAILURE();
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), QStringLiteral("Die Datei „tief.xml“ ist zu tief verschachtelt (mehr als 1000 Ebenen)."));
    }
  }
}

TEST(XmlLayout, EscapedLinesGiveReadableXml) {
  test::ProgramFolder folder(false);
  const QString path = folder.path() + QStringLiteral("item.xml");
  WriteXmlLines(path, {QStringLiteral("<Products>"),
                       QStringLiteral("<Product GUID=\"1\" Name=\"%1\"/>")
                           .arg(XmlEscape(QStringLiteral("Fisch & \"Chips\" <groß>"), QStringLiteral("Name"))),
                       QStringLiteral("</Products>")});
  XmlDocument doc;
  ASSERT_TRUE(doc.load(path));
  EXPECT_EQ(doc.root().firstChild().attr(1), QStringLiteral("Fisch & \"Chips\" <groß>"));
}

// No file is ever written with a character XML 1.0 does not allow: a loaded document may hold
// one (pugixml decodes references without checking them), a value to be escaped too.
TEST(XmlLayout, ACharacterXmlForbidsIsRefusedNamingWhoseValueItIs) {
  test::ProgramFolder folder;
  const QString list = folder.xml(QStringLiteral("2000502230.xml"));
  const QByteArray before = test::ReadBytes(list);
  struct Case {
    const char* in;  // a document to format; none: a product whose GUID holds U+001F is stored
    QString owner;
    const char* character;
  } cases[] = {
      {"<a b=\"x&#1;\"/>", "Das Attribut „b“ eines Elements „a“ für die Datei „t.xml“", "U+0001"},
      {"<a><b>&#x0B;</b></a>", "Der Text eines Elements „b“ für die Datei „t.xml“", "U+000B"},
      {"<a>x<b/>&#xFFFF;</a>", "Der Text eines Elements „a“ für die Datei „t.xml“", "U+FFFF"},
      {"<a>\xC3</a>", "Der Text eines Elements „a“ für die Datei „t.xml“", "das Byte 0xC3, kein UTF-8"},
      {"<a><!--\x1B[2J--></a>", "Ein Kommentar für die Datei „t.xml“", "U+001B"},
      {nullptr, QStringLiteral("Die Ware „7\uFFFD“ für die Datei „%1“").arg(list), "U+001F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.owner.toStdString());
    XmlDocument doc;
    try {
      if (c.in) {
        ASSERT_TRUE(doc.loadText(c.in, QStringLiteral("t.xml")));
        doc.formatted();
      } else {
        SaveItemContent(folder.xml(), QStringLiteral("2000502230"),
                        {{QStringLiteral("7\x1F"), QStringLiteral("Salz"), {}}});
      }
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(),
                QStringLiteral("%1 enthält ein Zeichen, das XML nicht erlaubt (%2).").arg(c.owner, c.character));
    }
  }
  EXPECT_EQ(test::ReadBytes(list), before);
  EXPECT_EQ(XmlEscape(QStringLiteral("\t\n\r\"<&> \u0085\uFFFD\U0001F600"), {}),
            QStringLiteral("&#9;&#10;&#13;&quot;&lt;&amp;&gt; \u0085\uFFFD\U0001F600"));
}
