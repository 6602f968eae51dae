#include "workspace/xmldoc.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "workspace/error.h"
#include "workspace/files.h"

namespace bw {
namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments;

QString FromUtf8(const char* text) { return QString::fromUtf8(text); }

std::string ToUtf8(const QString& text) { return text.toStdString(); }

[[noreturn]] void Fail(const QString& message) { throw Error(message, "EXmlError"); }

// Where a value stands, for escaping: in an attribute, in element text, or in a comment,
// which has no escapes and is only checked.
enum class Place { Attribute, Text, Comment };

// The code point of the UTF-8 sequence at `p` and its length in bytes; the length is 0 when
// the bytes there are no UTF-8 (a stray continuation byte, a sequence cut short, too long or
// encoding a surrogate).
char32_t DecodeUtf8(const unsigned char* p, const unsigned char* end, int& length) {
  const unsigned char lead = *p;
  length = 1;
  if (lead < 0x80) return lead;
  const int n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  length = 0;
  if (lead < 0xC2 || lead > 0xF4 || end - p < n) return lead;
  char32_t code = lead & (0x7F >> n);
  for (int i = 1; i < n; ++i) {
    if ((p[i] & 0xC0) != 0x80) return lead;
    code = (code << 6) | (p[i] & 0x3F);
  }
  static const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return lead;
  length = n;
  return code;
}

// XML 1.0 allows TAB, LF, CR and every code point from U+0020 on except U+FFFE and U+FFFF
// (the surrogates are no UTF-8).
bool IsXmlChar(char32_t c) { return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == '\t' || c == '\n' || c == '\r'; }

[[noreturn]] void RefuseCharacter(const QString& owner, char32_t code, bool utf8) {
  const QString what =
      utf8 ? QStringLiteral("U+%1").arg(QString::number(uint(code), 16).toUpper().rightJustified(4, u'0'))
           : QStringLiteral("das Byte 0x%1, kein UTF-8").arg(QString::number(uint(code), 16).toUpper());
  QString message = QStringLiteral("%1 enthält ein Zeichen, das XML nicht erlaubt (%2).").arg(owner, what);
  // The owner may quote the very value: the message itself shows no control character.
  for (QChar& c : message) {
    if (c.unicode() < 0x20) c = QChar::ReplacementCharacter;
  }
  Fail(message);
}

const char* EntityFor(char32_t c, Place place) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\r': return "&#13;";
    case '\t': return place == Place::Attribute ? "&#9;" : nullptr;
    case '\n': return place == Place::Attribute ? "&#10;" : nullptr;
    default: return nullptr;
  }
}

// The one escaping of the program, behind XmlEscape and the formatter: &, <, > and " as
// entities, CR as a reference, in an attribute TAB and LF too, since a reader would turn them
// into blanks; so every value reads back unchanged. A character XML 1.0 does not allow is
// refused, with `owner()` saying whose value it is.
template <typename Owner>
void AppendEscaped(QByteArray& out, std::string_view text, Place place, const Owner& owner) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    int length = 1;
    const char32_t c = DecodeUtf8(p, end, length);
    if (length == 0 || !IsXmlChar(c)) RefuseCharacter(owner(), c, length > 0);
    const char* entity = place == Place::Comment ? nullptr : EntityFor(c, place);
    if (entity) {
      out += entity;
    } else {
      out.append(reinterpret_cast<const char*>(p), length);
    }
    p += length;
  }
}

// Whose value a refused character is in, for the message.
QString Owner(pugi::xml_node node, const char* attribute, const QString& file) {
  if (node.type() == pugi::node_comment) return QStringLiteral("Ein Kommentar für die Datei „%1“").arg(file);
  if (attribute) {
    return QStringLiteral("Das Attribut „%1“ eines Elements „%2“ für die Datei „%3“")
        .arg(FromUtf8(attribute), FromUtf8(node.name()), file);
  }
  return QStringLiteral("Der Text eines Elements „%1“ für die Datei „%2“").arg(FromUtf8(node.name()), file);
}

void AppendAttributes(QByteArray& out, pugi::xml_node node, const QString& file) {
  for (pugi::xml_attribute a : node.attributes()) {
    out += ' ';
    out += a.name();
    out += "=\"";
    AppendEscaped(out, a.value(), Place::Attribute, [&] { return Owner(node, a.name(), file); });
    out += '"';
  }
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Element text. A reader drops text made of blanks alone, so such a text goes as references.
void AppendText(QByteArray& out, const QByteArray& text, pugi::xml_node element, const QString& file) {
  if (!std::all_of(text.begin(), text.end(), IsXmlSpace)) {
    return AppendEscaped(out, std::string_view(text.constData(), size_t(text.size())), Place::Text,
                         [&] { return Owner(element, nullptr, file); });
  }
  for (char c : text) out += "&#" + QByteArray::number(int(c)) + ';';
}

bool IsText(pugi::xml_node node) { return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata; }

bool HasOnlyText(pugi::xml_node node) {
  for (pugi::xml_node c : node.children()) {
    if (!IsText(c)) return false;
  }
  return true;
}

// The text of `node` and of the text nodes right after it, which a reader sees as one.
QByteArray JoinedText(pugi::xml_node node) {
  QByteArray text;
  for (; IsText(node); node = node.next_sibling()) text += node.value();
  return text;
}

// Deeper documents are refused when loaded: no game or workspace file comes near, and the
// layout's one TAB per level would make their text grow with the square of the depth.
constexpr int kMaxDepth = 1000;

bool DeeperThanLimit(const pugi::xml_document& doc) {
  bool tooDeep = false;
  WalkXml(
      doc,
      [&](pugi::xml_node, int depth) {
        if (depth >= kMaxDepth) tooDeep = true;
        return !tooDeep;
      },
      [](pugi::xml_node, int) {});
  return tooDeep;
}

QString ParseProblem(pugi::xml_parse_status status) {
  switch (status) {
    case pugi::status_unrecognized_tag: return QStringLiteral("unbekanntes Tag");
    case pugi::status_bad_pi: return QStringLiteral("fehlerhafte Verarbeitungsanweisung");
    case pugi::status_bad_comment: return QStringLiteral("fehlerhafter Kommentar");
    case pugi::status_bad_cdata: return QStringLiteral("fehlerhafter CDATA-Abschnitt");
    case pugi::status_bad_doctype: return QStringLiteral("fehlerhafte Dokumenttyp-Deklaration");
    case pugi::status_bad_pcdata: return QStringLiteral("fehlerhafter Text");
    case pugi::status_bad_start_element: return QStringLiteral("fehlerhaftes Start-Tag");
    case pugi::status_bad_attribute: return QStringLiteral("fehlerhaftes Attribut");
    case pugi::status_bad_end_element: return QStringLiteral("fehlerhaftes End-Tag");
    case pugi::status_end_element_mismatch: return QStringLiteral("End-Tag passt nicht zum Start-Tag");
    case pugi::status_no_document_element: return QStringLiteral("kein Wurzelelement");
    default: return QStringLiteral("Lesefehler");
  }
}

void AppendIndent(QByteArray& out, int depth) { out.append(depth, '\t'); }

// One node without its children; true when its children follow on lines of their own.
bool AppendNodeStart(QByteArray& out, pugi::xml_node node, int depth, const QString& file) {
  switch (node.type()) {
    case pugi::node_declaration:
      out += "<?xml";
      for (const char* name : {"version", "encoding", "standalone"}) {
        if (pugi::xml_attribute a = node.attribute(name)) {
          // The text is written as UTF-8 whatever the source was, and the label must say so.
          const bool relabel = name == std::string_view("encoding") && qstricmp(a.value(), "UTF-8") != 0;
          out += ' ';
          out += name;
          out += "=\"";
          AppendEscaped(out, relabel ? "UTF-8" : a.value(), Place::Attribute, [&] { return Owner(node, name, file); });
          out += '"';
        }
      }
      out += "?>\r\n";
      return false;
    case pugi::node_comment:
      AppendIndent(out, depth);
      out += "<!--";
      AppendEscaped(out, node.value(), Place::Comment, [&] { return Owner(node, nullptr, file); });
      out += "-->\r\n";
      return false;
    case pugi::node_pcdata:
    case pugi::node_cdata: {
      // Text between elements stands on a line of its own. The line break and indentation
      // around it are layout, not text, and neighbouring pieces of text are one text. Text
      // outside the root element is no part of the document.
      if (IsText(node.previous_sibling()) || node.parent().type() == pugi::node_document) return false;
      const QByteArray text = JoinedText(node);
      const auto first = std::find_if_not(text.begin(), text.end(), IsXmlSpace);
      const auto last = std::find_if_not(text.rbegin(), text.rend(), IsXmlSpace).base();
      if (first >= last) return false;
      AppendIndent(out, depth);
      AppendText(out, QByteArray(first, last - first), node.parent(), file);
      out += "\r\n";
      return false;
    }
    case pugi::node_element:
      AppendIndent(out, depth);
      out += '<';
      out += node.name();
      AppendAttributes(out, node, file);
      if (HasOnlyText(node)) {
        const QByteArray text = JoinedText(node.first_child());
        if (text.isEmpty()) {
          out += "/>\r\n";
        } else {
          out += '>';
          AppendText(out, text, node, file);
          out += "</";
          out += node.name();
          out += ">\r\n";
        }
        return false;
      }
      out += ">\r\n";
      return true;
    default:
      return false;
  }
}

}  // namespace

XmlDocument::XmlDocument() : doc_(std::make_shared<pugi::xml_document>()) {}

bool XmlDocument::load(const QString& path, const char* rootName) {
  path_ = path;
  doc_ = std::make_shared<pugi::xml_document>();
  error_ = NonRegularFileError(path);
  if (!error_.isEmpty()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error_ = QStringLiteral("Die Datei „%1“ fehlt oder kann nicht gelesen werden.").arg(path);
    return false;
  }
  // Read straight into a buffer the document takes over, so that a dump of hundreds of
  // megabytes is held once and not copied.
  const qint64 size = file.size();
  void* buffer = pugi::get_memory_allocation_function()(size_t(qMax<qint64>(size, 1)));
  if (!buffer) throw std::bad_alloc();
  if (file.read(static_cast<char*>(buffer), size) != size) {
    pugi::get_memory_deallocation_function()(buffer);
    error_ = QStringLiteral("Die Datei „%1“ fehlt oder kann nicht gelesen werden.").arg(path);
    return false;
  }
  if (!takeParseResult(doc_->load_buffer_inplace_own(buffer, size_t(size), kParseOptions, pugi::encoding_auto))) {
    return false;
  }
  const char* found = doc_->document_element().name();
  if (rootName && std::strcmp(found, rootName) != 0) {
    error_ = QStringLiteral("Die Datei „%1“ hat das Wurzelelement „%2“ statt „%3“.")
                 .arg(path, FromUtf8(found), FromUtf8(rootName));
    doc_->reset();
    return false;
  }
  return true;
}

bool XmlDocument::loadText(const QByteArray& text, const QString& name) {
  path_ = name;
  doc_ = std::make_shared<pugi::xml_document>();
  return takeParseResult(
      doc_->load_buffer(text.constData(), size_t(text.size()), kParseOptions, pugi::encoding_auto));
}

bool XmlDocument::takeParseResult(const pugi::xml_parse_result& result) {
  if (result.status == pugi::status_out_of_memory) {
    error_ =
        QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: Der Arbeitsspeicher reicht nicht aus.").arg(path_);
  } else if (!result || !doc_->document_element()) {
    error_ = QStringLiteral("Die Datei „%1“ ist kein gültiges XML (%2, bei Zeichen %3).")
                 .arg(path_, ParseProblem(result ? pugi::status_no_document_element : result.status))
                 .arg(result.offset);
  } else if (DeeperThanLimit(*doc_)) {
    error_ = QStringLiteral("Die Datei „%1“ ist zu tief verschachtelt (mehr als %2 Ebenen).").arg(path_).arg(kMaxDepth);
  } else {
    error_.clear();
    return true;
  }
  doc_->reset();
  return false;
}

bool XmlDocument::hasRoot() const { return bool(doc_->document_element()); }

XmlNode XmlDocument::root() const {
  if (!hasRoot()) Fail(loadError());
  return XmlNode(doc_->document_element(), doc_, path_);
}

XmlNode XmlDocument::rootOrError() const { return hasRoot() ? root() : XmlNode::Failed(path_, loadError()); }

QString XmlDocument::loadError() const {
  return error_.isEmpty() ? QStringLiteral("Die Datei „%1“ wurde nicht geladen.").arg(path_) : error_;
}

QByteArray XmlDocument::formatted() const { return FormatXml(*doc_, path_); }

void XmlDocument::save(const QString& path) const { WriteFileAtomic(path, FormatXml(*doc_, path)); }

XmlNode::XmlNode(pugi::xml_node node, std::shared_ptr<const pugi::xml_document> owner, QString file, QString query)
    : node_(node), owner_(std::move(owner)), file_(std::move(file)), query_(std::move(query)) {}

XmlNode XmlNode::Failed(QString file, QString error) {
  XmlNode node;
  node.file_ = std::move(file);
  node.error_ = std::move(error);
  return node;
}

void XmlNode::requireNode() const {
  if (node_) return;
  if (!error_.isEmpty()) Fail(error_);
  Fail(QStringLiteral("„%1“ wurde in der Datei „%2“ nicht gefunden.").arg(query_, file_));
}

XmlNode XmlNode::selectSingle(const QString& xpath) const {
  requireNode();
  try {
    return XmlNode(node_.select_node(ToUtf8(xpath).c_str()).node(), owner_, file_, xpath);
  } catch (const pugi::xpath_exception& e) {
    Fail(QStringLiteral("Ungültige Abfrage „%1“ für die Datei „%2“: %3").arg(xpath, file_, FromUtf8(e.what())));
  }
}

QList<XmlNode> XmlNode::select(const QString& xpath) const {
  requireNode();
  QList<XmlNode> nodes;
  try {
    for (const pugi::xpath_node& n : node_.select_nodes(ToUtf8(xpath).c_str())) {
      nodes.append(XmlNode(n.node(), owner_, file_, xpath));
    }
  } catch (const pugi::xpath_exception& e) {
    Fail(QStringLiteral("Ungültige Abfrage „%1“ für die Datei „%2“: %3").arg(xpath, file_, FromUtf8(e.what())));
  }
  return nodes;
}

int XmlNode::childCount() const {
  requireNode();
  int count = 0;
  for (auto it = node_.begin(); it != node_.end(); ++it) ++count;
  return count;
}

QList<XmlNode> XmlNode::children() const {
  requireNode();
  QList<XmlNode> nodes;
  for (pugi::xml_node c : node_.children()) nodes.append(XmlNode(c, owner_, file_, query_));
  return nodes;
}

XmlNode XmlNode::firstChild() const {
  requireNode();
  return XmlNode(node_.first_child(), owner_, file_, query_ + QStringLiteral(" (erstes Kindelement)"));
}

XmlNode XmlNode::parent() const {
  requireNode();
  return XmlNode(node_.parent(), owner_, file_, query_);
}

pugi::xml_attribute XmlNode::attribute(int index) const {
  requireNode();
  pugi::xml_attribute a = node_.first_attribute();
  for (int i = 0; a && i < index; ++i) a = a.next_attribute();
  if (!a) {
    Fail(QStringLiteral("Das Element „%1“ in der Datei „%2“ hat kein Attribut Nr. %3.")
             .arg(FromUtf8(node_.name()), file_)
             .arg(index + 1));
  }
  return a;
}

QString XmlNode::attr(int index) const { return FromUtf8(attribute(index).value()); }

void XmlNode::setAttr(int index, const QString& value) const { attribute(index).set_value(ToUtf8(value).c_str()); }

QString XmlNode::name() const {
  requireNode();
  return FromUtf8(node_.name());
}

QString XmlNode::text() const {
  requireNode();
  if (node_.type() != pugi::node_element) return FromUtf8(node_.value());
  return FromUtf8(node_.child_value());
}

void XmlNode::setText(const QString& value) const {
  requireNode();
  node_.text().set(ToUtf8(value).c_str());
}

QByteArray FormatXml(const pugi::xml_document& doc, const QString& file) {
  QByteArray out;
  WalkXml(
      doc, [&](pugi::xml_node node, int depth) { return AppendNodeStart(out, node, depth, file); },
      [&](pugi::xml_node node, int depth) {
        AppendIndent(out, depth);
        out += "</";
        out += node.name();
        out += ">\r\n";
      });
  return out;
}

QByteArray FormatXmlLines(const QStringList& lines, const QString& file) {
  XmlDocument doc;
  if (!doc.loadText(JoinLinesCrLf(lines), file)) doc.root();  // raises the load error
  return doc.formatted();
}

void WriteXmlLines(const QString& path, const QStringList& lines) {
  WriteFileAtomic(path, FormatXmlLines(lines, path));
}

QString XmlEscape(const QString& value, const QString& owner) {
  QByteArray out;
  const QByteArray text = value.toUtf8();
  AppendEscaped(out, std::string_view(text.constData(), size_t(text.size())), Place::Attribute, [&] { return owner; });
  return QString::fromUtf8(out);
}

}  // namespace bw
