#include "workspace/xmldoc.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "workspace/error.h"
#include "workspace/files.h"

namespace bw {
namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments;

QString FromUtf8(const char* text) { return QString::fromUtf8(text); }

std::string ToUtf8(const QString& text) { return text.toStdString(); }

[[noreturn]] void Fail(const QString& message) { throw Error(message, "EXmlError"); }

// Where a value stands, for escaping: in an attribute, in element text, or in a comment,
// which has no escapes.
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
  const auto* run = p;  // characters not yet appended, which need no escape
  while (p < end) {
    int length = 1;
    const char32_t c = DecodeUtf8(p, end, length);
    if (length == 0 || !IsXmlChar(c)) RefuseCharacter(owner(), c, length > 0);
    if (const char* entity = place == Place::Comment ? nullptr : EntityFor(c, place)) {
      out.append(reinterpret_cast<const char*>(run), p - run);
      out += entity;
      run = p + length;
    } else if (place == Place::Comment && c == '-' && (p + 1 == end || p[1] == '-')) {
      // A comment may hold no "--" and may not end in "-": a blank parts them, or every
      // strict reader refuses the file.
      out.append(reinterpret_cast<const char*>(run), p + 1 - run);
      out += ' ';
      run = p + 1;
    }
    p += length;
  }
  out.append(reinterpret_cast<const char*>(run), p - run);
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

// The German load error for a parse's outcome; empty when the file loaded. `tooDeep` is asked
// only of a file that parsed.
template <typename TooDeep>
QString LoadError(const QString& path, pugi::xml_parse_status status, ptrdiff_t offset, TooDeep&& tooDeep) {
  if (status == pugi::status_out_of_memory) {
    return QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: Der Arbeitsspeicher reicht nicht aus.").arg(path);
  }
  if (status != pugi::status_ok) {
    return QStringLiteral("Die Datei „%1“ ist kein gültiges XML (%2, bei Zeichen %3).")
        .arg(path, ParseProblem(status))
        .arg(offset);
  }
  if (tooDeep()) {
    return QStringLiteral("Die Datei „%1“ ist zu tief verschachtelt (mehr als %2 Ebenen).").arg(path).arg(kMaxDepth);
  }
  return {};
}

QString Unreadable(const QString& path) {
  return QStringLiteral("Die Datei „%1“ fehlt oder kann nicht gelesen werden.").arg(path);
}

// Opens a file to be read whole; the German error naming it, or empty.
QString OpenWhole(QFile& file) {
  if (QString error = NonRegularFileError(file.fileName()); !error.isEmpty()) return error;
  return file.open(QIODevice::ReadOnly) ? QString() : Unreadable(file.fileName());
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

// pugixml's character classes, for a check that accepts exactly what it accepts.
enum : unsigned char { kSpace = 1, kSymbol = 2, kStartSymbol = 4 };

constexpr std::array<unsigned char, 256> kCharClass = [] {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80 || c == '_' || c == ':';
    const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
    table[size_t(c)] = (c == ' ' || c == '\t' || c == '\n' || c == '\r' ? kSpace : 0) |
                       (letter || other ? kSymbol : 0) | (letter ? kStartSymbol : 0);
  }
  return table;
}();

bool Is(char c, unsigned char kind) { return kCharClass[static_cast<unsigned char>(c)] & kind; }

constexpr uint64_t kOnes = 0x0101010101010101;
static_assert(std::endian::native == std::endian::little, "the byte order of Word()");

uint64_t Word(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// The high bit of each zero byte of `word` is set; above the lowest zero byte a bit may be set
// wrongly, so only the lowest one counts.
uint64_t ZeroBytes(uint64_t word) { return (word - kOnes) & ~word & (kOnes << 7); }

// pugixml's parse of a whole buffer with the options every reader here uses, node by node,
// without the tree: it refuses what pugixml refuses with the same problem at the same offset,
// counts the depth of every node pugixml would make, and tells the visitor of the elements it
// names.
// Like pugixml it reads the last byte as a zero and remembers it as `endch_`, and it lets a
// declaration's "?>" stand as "/>" while it reads its attributes; both are put back.
class Scanner {
 public:
  Scanner(char* buffer, size_t length, XmlVisitor& visitor)
      : buffer_(buffer), length_(length), endch_(buffer[length - 1]), visitor_(visitor),
        started_(visitor.names().size()) {
    buffer_[length_ - 1] = 0;
    for (std::string_view name : visitor.names()) lengths_ |= LengthBit(name.size());
  }
  ~Scanner() {
    buffer_[length_ - 1] = endch_;
    for (char* at : patched_) *at = '?';
  }

  pugi::xml_parse_status run(ptrdiff_t& offset, bool& tooDeep) {
    char* s = buffer_;
    if (s[0] == '\xef' && s[1] == '\xbb' && s[2] == '\xbf') s += 3;
    if (!tree(s)) {
      offset = errorAt_ - buffer_;
      if (offset > 0 && size_t(offset) == length_ - 1 && endch_ == 0) --offset;
      return status_;
    }
    offset = ptrdiff_t(length_ - 1);
    if (endch_ == '<') return pugi::status_unrecognized_tag;
    if (!rootSeen_) return pugi::status_no_document_element;
    tooDeep = tooDeep_;
    return pugi::status_ok;
  }

 private:
  // A node the parser holds open: an element, or a declaration while its attributes are read.
  struct Open {
    const char* name;
    size_t nameLength;
    bool element;
    XmlExtent extent;
    int kind = -1;  // as the visitor counts it
    size_t index = 0;
  };

  static uint64_t LengthBit(size_t length) { return uint64_t(1) << std::min<size_t>(length, 63); }
  // The place of the name among the visitor's, or -1; most names are passed over by length.
  int kindOf(std::string_view name) const {
    if (!(lengths_ & LengthBit(name.size()))) return -1;
    const auto& names = visitor_.names();
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : int(found - names.begin());
  }

  char* fail(pugi::xml_parse_status status, char* at) {
    status_ = status;
    errorAt_ = at;
    return nullptr;
  }
  bool endsWith(char c, char e) const { return c == e || (c == 0 && endch_ == e); }
  size_t at(const char* s) const { return size_t(s - buffer_); }
  // Every node pugixml makes counts towards the depth, text and comments too.
  void node() { tooDeep_ = tooDeep_ || open_.size() >= size_t(kMaxDepth); }
  char* skipSpace(char* s) const {
    while (Is(*s, kSpace)) ++s;
    return s;
  }
  char* skipName(char* s) const {
    while (Is(*s, kSymbol)) ++s;
    return s;
  }
  // The first `c` or zero byte from `s` on (pugixml stops at any zero byte); eight bytes at a
  // time up to the last eight.
  char* find(char* s, char c) const {
    const uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    for (; buffer_ + length_ - s >= 8; s += 8) {
      const uint64_t word = Word(s);
      if (const uint64_t found = ZeroBytes(word ^ pattern) | ZeroBytes(word)) return s + std::countr_zero(found) / 8;
    }
    while (*s != c && *s != 0) ++s;
    return s;
  }
  // Whether the `length` bytes at `a` and `b` are equal, eight at a time; `a` and `b` must be
  // followed by at least eight more bytes.
  static bool SameBytes(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; i += 8) {
      uint64_t differ = Word(a + i) ^ Word(b + i);
      if (length - i < 8) differ &= (uint64_t(1) << (8 * (length - i))) - 1;
      if (differ) return false;
    }
    return true;
  }

  // `s` stands after a start tag's ">"; the element's content begins here.
  void openContent(char* s) { open_.back().extent.contentBegin = open_.back().extent.contentEnd = at(s); }
  // The node on top ends before `end`.
  void pop(size_t end) {
    Open& top = open_.back();
    if (top.kind >= 0) {
      top.extent.end = end;
      const Open* parent = open_.size() > 1 ? &open_[open_.size() - 2] : nullptr;
      visitor_.close({top.kind, top.index, top.extent, parent ? parent->kind : -1, parent ? parent->index : 0});
    }
    open_.pop_back();
  }

  char* tree(char* s) {
    while (*s) {
      if (*s != '<') {
        // Text up to the next "<". Inside an element it is a node unless it is blanks alone;
        // such a text whose "<" is the last character ends the reading there.
        char* lt = find(s, '<');
        const auto isText = [&] { return !open_.empty() && !std::all_of(s, lt, IsXmlSpace); };
        if (open_.size() >= size_t(kMaxDepth) && isText()) node();
        if (*lt == 0) {
          s = lt;
          break;
        }
        if (!lt[1] && isText()) {
          s = lt + 1;
          break;
        }
        s = lt;
      }
      if (!(s = tag(s + 1))) return nullptr;
    }
    if (!open_.empty()) return fail(pugi::status_end_element_mismatch, s);
    return s;
  }

  // After a "<".
  char* tag(char* s) {
    if (Is(*s, kStartSymbol)) {
      node();
      rootSeen_ = rootSeen_ || open_.empty();
      char* name = s;
      s = skipName(s);
      const int kind = kindOf(std::string_view(name, size_t(s - name)));
      open_.push_back({name, size_t(s - name), true, {at(name - 1), 0, 0, 0}, kind, kind >= 0 ? started_[kind]++ : 0});
      const char ch = *s++;
      if (ch == '>') {
        openContent(s);
      } else if (Is(ch, kSpace)) {
        return attributes(s);
      } else if (ch == '/') {
        if (!endsWith(*s, '>')) return fail(pugi::status_bad_start_element, s);
        pop(at(s) + 1);
        s += (*s == '>');
      } else if (ch == 0) {
        --s;
        if (endch_ != '>') return fail(pugi::status_bad_start_element, s);
      } else {
        return fail(pugi::status_bad_start_element, s);
      }
      return s;
    }
    if (*s == '/') return endTag(s + 1);
    if (*s == '?') {
      if (!(s = question(s + 1))) return nullptr;
      return !open_.empty() && !open_.back().element ? attributes(s) : s;
    }
    if (*s == '!') return exclamation(s + 1);
    if (*s == 0 && endch_ == '?') return fail(pugi::status_bad_pi, s);
    return fail(pugi::status_unrecognized_tag, s);
  }

  // The attributes of the node on top, up to its start tag's end.
  char* attributes(char* s) {
    for (;;) {
      s = skipSpace(s);
      if (Is(*s, kStartSymbol)) {
        s = skipName(s);
        char ch = *s++;
        if (Is(ch, kSpace)) {
          s = skipSpace(s);
          ch = *s++;
        }
        if (ch != '=') return fail(pugi::status_bad_attribute, s);
        s = skipSpace(s);
        if (*s != '"' && *s != '\'') return fail(pugi::status_bad_attribute, s);
        char* value = s + 1;
        s = find(value, *s);
        if (*s == 0) return fail(pugi::status_bad_attribute, value);
        ++s;
        if (Is(*s, kStartSymbol)) return fail(pugi::status_bad_attribute, s);
      } else if (*s == '/') {
        ++s;
        if (*s == '>') {
          pop(at(s) + 1);
          return s + 1;
        }
        if (*s == 0 && endch_ == '>') {
          pop(at(s) + 1);
          return s;
        }
        return fail(pugi::status_bad_start_element, s);
      } else if (*s == '>' || (*s == 0 && endch_ == '>')) {
        s += (*s == '>');
        openContent(s);
        return s;
      } else {
        return fail(pugi::status_bad_start_element, s);
      }
    }
  }

  // After "</".
  char* endTag(char* s) {
    char* mark = s;
    if (open_.empty()) return fail(pugi::status_end_element_mismatch, mark);
    const Open& top = open_.back();
    size_t i = 0;
    if (size_t(buffer_ + length_ - s) > top.nameLength + 8 && SameBytes(s, top.name, top.nameLength)) {
      s += top.nameLength;  // the usual case, compared eight bytes at a time
      i = top.nameLength;
    }
    for (; Is(*s, kSymbol); ++s, ++i) {
      if (i == top.nameLength || *s != top.name[i]) return fail(pugi::status_end_element_mismatch, mark);
    }
    if (i < top.nameLength) {
      if (*s == 0 && i + 1 == top.nameLength && top.name[i] == endch_) return fail(pugi::status_bad_end_element, s);
      return fail(pugi::status_end_element_mismatch, mark);
    }
    open_.back().extent.contentEnd = at(mark) - 2;
    s = skipSpace(s);
    if (*s == 0) {
      if (endch_ != '>') return fail(pugi::status_bad_end_element, s);
      pop(at(s) + 1);
      return s;
    }
    if (*s != '>') return fail(pugi::status_bad_end_element, s);
    pop(at(s) + 1);
    return s + 1;
  }

  // After "<?": the declaration (its attributes follow) or a processing instruction, skipped.
  char* question(char* s) {
    char* target = s;
    if (!Is(*s, kStartSymbol)) return fail(pugi::status_bad_pi, s);
    s = skipName(s);
    if (*s == 0) return fail(pugi::status_bad_pi, s);
    const bool declaration =
        s - target == 3 && (target[0] | ' ') == 'x' && (target[1] | ' ') == 'm' && (target[2] | ' ') == 'l';
    if (!declaration) {
      while (*s && !(s[0] == '?' && endsWith(s[1], '>'))) ++s;
      if (*s == 0) return fail(pugi::status_bad_pi, s);
      return s + (s[1] == '>' ? 2 : 1);
    }
    if (!open_.empty()) return fail(pugi::status_bad_pi, s);
    node();
    open_.push_back({target, 3, false, {}});
    const char ch = *s++;
    if (ch == '?') {
      if (!endsWith(*s, '>')) return fail(pugi::status_bad_pi, s);
      s += (*s == '>');
      pop(0);
      return s;
    }
    if (!Is(ch, kSpace)) return fail(pugi::status_bad_pi, s);
    s = skipSpace(s);
    char* value = s;
    while (*s && !(s[0] == '?' && endsWith(s[1], '>'))) ++s;
    if (*s == 0) return fail(pugi::status_bad_pi, s);
    *s = '/';
    patched_.push_back(s);
    return value;
  }

  // After "<!": a comment, a CDATA section or the document type.
  char* exclamation(char* s) {
    if (*s == '-') {
      if (*++s != '-') return fail(pugi::status_bad_comment, s);
      char* value = ++s;
      node();
      for (;; ++s) {
        if (*(s = find(s, '-')) == 0) return fail(pugi::status_bad_comment, value);
        if (s[1] == '-' && endsWith(s[2], '>')) return s + (s[2] == '>' ? 3 : 2);
      }
    }
    if (*s == '[') {
      for (const char c : {'C', 'D', 'A', 'T', 'A', '['}) {
        if (*++s != c) return fail(pugi::status_bad_cdata, s);
      }
      char* value = ++s;
      node();
      for (;; ++s) {
        if (*(s = find(s, ']')) == 0) return fail(pugi::status_bad_cdata, value);
        if (s[1] == ']' && endsWith(s[2], '>')) return s + (s[2] == '>' ? 3 : 2);
      }
    }
    if (s[0] == 'D' && s[1] == 'O' && s[2] == 'C' && s[3] == 'T' && s[4] == 'Y' && s[5] == 'P' && endsWith(s[6], 'E')) {
      s -= 2;
      if (!open_.empty()) return fail(pugi::status_bad_doctype, s);
      if (!(s = doctypeGroup(s))) return nullptr;
      return s + (*s != 0);
    }
    if (*s == 0 && endch_ == '-') return fail(pugi::status_bad_comment, s);
    if (*s == 0 && endch_ == '[') return fail(pugi::status_bad_cdata, s);
    return fail(pugi::status_unrecognized_tag, s);
  }

  // The document type: nested groups, quoted strings, comments and ignored sections.
  char* doctypeGroup(char* s) {
    size_t depth = 0;
    s += 2;
    while (*s) {
      if (s[0] == '<' && s[1] == '!' && s[2] != '-') {
        if (s[2] == '[') {
          if (!(s = doctypeIgnore(s))) return nullptr;
        } else {
          s += 2;
          ++depth;
        }
      } else if (s[0] == '<' || s[0] == '"' || s[0] == '\'') {
        if (!(s = doctypePrimitive(s))) return nullptr;
      } else if (*s == '>') {
        if (depth == 0) return s;
        --depth;
        ++s;
      } else {
        ++s;
      }
    }
    if (depth != 0 || endch_ != '>') return fail(pugi::status_bad_doctype, s);
    return s;
  }

  char* doctypeIgnore(char* s) {
    size_t depth = 0;
    s += 3;
    while (*s) {
      if (s[0] == '<' && s[1] == '!' && s[2] == '[') {
        s += 3;
        ++depth;
      } else if (s[0] == ']' && s[1] == ']' && s[2] == '>') {
        s += 3;
        if (depth == 0) return s;
        --depth;
      } else {
        ++s;
      }
    }
    return fail(pugi::status_bad_doctype, s);
  }

  // A quoted string, "<?...?>" or "<!--...-->".
  char* doctypePrimitive(char* s) {
    std::string_view end;
    if (*s == '"' || *s == '\'') {
      end = std::string_view(s, 1);
      ++s;
    } else if (s[0] == '<' && s[1] == '?') {
      end = "?>";
      s += 2;
    } else if (s[0] == '<' && s[1] == '!' && s[2] == '-' && s[3] == '-') {
      end = "-->";
      s += 4;
    } else {
      return fail(pugi::status_bad_doctype, s);
    }
    while (*s && std::string_view(s, std::min(end.size(), size_t(buffer_ + length_ - s))) != end) ++s;
    if (!*s) return fail(pugi::status_bad_doctype, s);
    return s + end.size();
  }

  char* buffer_;
  size_t length_;
  char endch_;
  XmlVisitor& visitor_;
  std::vector<size_t> started_;  // the elements of each kind so far
  uint64_t lengths_ = 0;  // the lengths of the visitor's names, 63 standing for any longer one
  std::vector<Open> open_;
  std::vector<char*> patched_;
  bool rootSeen_ = false;
  bool tooDeep_ = false;
  pugi::xml_parse_status status_ = pugi::status_ok;
  char* errorAt_ = nullptr;
};

// The encoding pugixml reads a file in when it is not UTF-8: by its byte-order mark, its first
// characters or its declaration's label.
std::optional<QStringConverter::Encoding> ForeignEncoding(const QByteArray& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  const auto* d = reinterpret_cast<const unsigned char*>(bytes.constData());
  if (d[0] == 0 && d[1] == 0 && ((d[2] == 0xFE && d[3] == 0xFF) || (d[2] == 0 && d[3] == '<'))) {
    return QStringConverter::Utf32BE;
  }
  if ((d[0] == 0xFF && d[1] == 0xFE && d[2] == 0 && d[3] == 0) || (d[0] == '<' && d[1] == 0 && d[2] == 0 && d[3] == 0)) {
    return QStringConverter::Utf32LE;
  }
  if ((d[0] == 0xFE && d[1] == 0xFF) || (d[0] == 0 && d[1] == '<')) return QStringConverter::Utf16BE;
  if ((d[0] == 0xFF && d[1] == 0xFE) || (d[0] == '<' && d[1] == 0)) return QStringConverter::Utf16LE;
  if (!bytes.startsWith("<?xml") || bytes.size() < 6 || !Is(bytes[5], kSpace)) return std::nullopt;
  // The label follows "encoding" before any "?"; only Latin-1 is read differently.
  const qsizetype question = bytes.indexOf('?', 6);
  const qsizetype en = bytes.indexOf("en", 6);
  if (en < 0 || (question >= 0 && question < en)) return std::nullopt;
  qsizetype i = en;
  const auto take = [&](char c) { return i < bytes.size() && bytes[i] == c ? (++i, true) : false; };
  const auto skip = [&](unsigned char kind) { while (i < bytes.size() && Is(bytes[i], kind)) ++i; };
  for (const char c : {'e', 'n', 'c', 'o', 'd', 'i', 'n', 'g'}) {
    if (!take(c)) return std::nullopt;
  }
  skip(kSpace);
  if (!take('=')) return std::nullopt;
  skip(kSpace);
  const char quote = i < bytes.size() && bytes[i] == '"' ? '"' : '\'';
  if (!take(quote)) return std::nullopt;
  const qsizetype start = i;
  skip(kSymbol);
  const QByteArray label = bytes.mid(start, i - start).toLower();
  if (!take(quote)) return std::nullopt;
  if (label == "latin1" || label == "iso-8859-1") return QStringConverter::Latin1;
  return std::nullopt;
}

}  // namespace

XmlDocument::XmlDocument() : doc_(std::make_shared<pugi::xml_document>()) {}

bool XmlDocument::load(const QString& path, const char* rootName) {
  path_ = path;
  doc_ = std::make_shared<pugi::xml_document>();
  QFile file(path);
  error_ = OpenWhole(file);
  if (!error_.isEmpty()) return false;
  // Read straight into a buffer the document takes over, so that a dump of hundreds of
  // megabytes is held once and not copied.
  const qint64 size = file.size();
  void* buffer = pugi::get_memory_allocation_function()(size_t(qMax<qint64>(size, 1)));
  if (!buffer) throw std::bad_alloc();
  if (file.read(static_cast<char*>(buffer), size) != size) {
    pugi::get_memory_deallocation_function()(buffer);
    error_ = Unreadable(path);
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
  error_ = LoadError(path_, result && !doc_->document_element() ? pugi::status_no_document_element : result.status,
                     result.offset, [&] { return DeeperThanLimit(*doc_); });
  if (error_.isEmpty()) return true;
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

XmlText::XmlText(const QString& path, XmlVisitor& visitor) : path_(path), file_(std::make_unique<QFile>(path)) {
  QString error;
  try {
    error = OpenWhole(*file_);
    if (error.isEmpty()) {
      // Mapped copy-on-write: the scan marks the end with a zero byte for a while.
      size_ = size_t(file_->size());
      text_ = size_ ? reinterpret_cast<char*>(file_->map(0, qint64(size_), QFileDevice::MapPrivateOption)) : nullptr;
      if (size_ && !text_) {  // a file system that maps no files
        copy_ = file_->readAll();
        text_ = copy_.data();
        if (size_t(copy_.size()) != size_) error = Unreadable(path);
      }
    }
    if (error.isEmpty()) {
      if (const auto encoding = ForeignEncoding(QByteArray::fromRawData(text_, qsizetype(size_)))) {
        // As pugixml converts it, the byte-order mark included.
        QStringDecoder decoder(*encoding, QStringConverter::Flag::ConvertInitialBom);
        copy_ = QString(decoder.decode(QByteArrayView(text_, qsizetype(size_)))).toUtf8();
        text_ = copy_.data();
        size_ = size_t(copy_.size());
      }
      pugi::xml_parse_status status = pugi::status_no_document_element;
      ptrdiff_t offset = 0;
      bool tooDeep = false;
      if (size_ > 0) status = Scanner(text_, size_, visitor).run(offset, tooDeep);
      error = LoadError(path, status, offset, [&] { return tooDeep; });
    }
  } catch (const std::bad_alloc&) {
    error = LoadError(path, pugi::status_out_of_memory, 0, [] { return false; });
  }
  if (!error.isEmpty()) Fail(error);
}

XmlText::~XmlText() = default;

pugi::xml_node XmlText::append(pugi::xml_node parent, const XmlExtent& element) const {
  const std::string_view piece = bytes(element.begin, element.end);
  const pugi::xml_parse_result result =
      parent.append_buffer(piece.data(), piece.size(), kParseOptions, pugi::encoding_utf8);
  if (!result) Fail(LoadError(path_, result.status, ptrdiff_t(element.begin) + result.offset, [] { return false; }));
  return parent.last_child();
}

QString XmlEscape(const QString& value, const QString& owner) {
  QByteArray out;
  const QByteArray text = value.toUtf8();
  AppendEscaped(out, std::string_view(text.constData(), size_t(text.size())), Place::Attribute, [&] { return owner; });
  return QString::fromUtf8(out);
}

}  // namespace bw
