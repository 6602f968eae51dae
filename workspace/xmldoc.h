#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <limits>
#include <memory>
#include <vector>
#include <pugixml.hpp>
#include <string_view>

class QFile;

namespace bw {

class XmlNode;

// One loaded XML file. Every reader loads into a fresh document; a missing or malformed
// file gives a document without a root, and the first query on it raises an error that
// names the file.
class XmlDocument {
 public:
  XmlDocument();

  // Parses the whole file; false (and no root) when it is missing, not a regular file, not
  // well-formed, nested too deep or, with `rootName` given, has another root element.
  bool load(const QString& path, const char* rootName = nullptr);
  // Parses text held in memory; `name` stands for the file in error messages.
  bool loadText(const QByteArray& text, const QString& name);

  bool hasRoot() const;
  // The root element; raises the load error when there is none.
  XmlNode root() const;
  // The root element, or when there is none a null node that raises the load error on use.
  XmlNode rootOrError() const;
  const QString& path() const { return path_; }

  // The document in the workspace layout (see FormatXml) and saved atomically.
  QByteArray formatted() const;
  void save(const QString& path) const;

  pugi::xml_document& pugi() { return *doc_; }
  const pugi::xml_document& pugi() const { return *doc_; }

 private:
  bool takeParseResult(const pugi::xml_parse_result& result);
  QString loadError() const;

  std::shared_ptr<pugi::xml_document> doc_;
  QString path_;
  QString error_;
};

// A node of a loaded document. A null node (nothing matched a query) remembers the query,
// so reading from it raises an error that names the query and the file.
class XmlNode {
 public:
  XmlNode() = default;
  // `owner` keeps the node's document alive, so a kept node stays valid when the document
  // that handed it out loads another file.
  XmlNode(pugi::xml_node node, std::shared_ptr<const pugi::xml_document> owner, QString file, QString query = {});
  // A null node standing for a document that did not load: using it raises `error`.
  static XmlNode Failed(QString file, QString error);

  bool isNull() const { return !node_; }
  explicit operator bool() const { return bool(node_); }

  XmlNode selectSingle(const QString& xpath) const;
  QList<XmlNode> select(const QString& xpath) const;

  // Every child counts, comments included.
  int childCount() const;
  QList<XmlNode> children() const;
  XmlNode firstChild() const;
  XmlNode parent() const;

  // Attributes by position in the order they stand in the file, from 0.
  QString attr(int index) const;
  void setAttr(int index, const QString& value) const;

  QString name() const;
  QString text() const;
  void setText(const QString& value) const;

  const QString& file() const { return file_; }

 private:
  void requireNode() const;
  pugi::xml_attribute attribute(int index) const;

  pugi::xml_node node_;
  std::shared_ptr<const pugi::xml_document> owner_;
  QString file_;
  QString query_;
  QString error_;
};

// Where an element stands in an XmlText: from the "<" of its start tag to past its end tag,
// and its content between the tags (empty for <Name/>).
struct XmlExtent {
  size_t begin = 0, contentBegin = 0, contentEnd = 0, end = 0;
};

// An element an XmlVisitor asked for, with the element it stands in.
struct XmlElement {
  int kind;       // its name's place in the visitor's names
  size_t index;   // how many elements of its kind started before it
  XmlExtent extent;
  int parentKind;      // the same for the element it stands in, the kind -1 when that one has
  size_t parentIndex;  // none of the names or it is the root
};

// Told of the elements of an XmlText that have one of `names` (text that outlives it), each
// at its end tag, so an element comes after its children; the others pass unseen, which on a
// dump of millions of elements is most of the reading's time saved.
class XmlVisitor {
 public:
  explicit XmlVisitor(std::vector<std::string_view> names) : names_(std::move(names)) {}
  const std::vector<std::string_view>& names() const { return names_; }
  virtual void close(const XmlElement& element) = 0;

 protected:
  ~XmlVisitor() = default;

 private:
  std::vector<std::string_view> names_;
};

// A whole XML file, memory-mapped (as UTF-8), checked by the rules XmlDocument::load applies
// (well-formed as pugixml reads it, not nested too deep) without building a tree: for dumps of
// hundreds of megabytes of which a reader needs a few elements, parsed one by one. Mapping
// spares copying the file; on Linux a file that another program cuts short while it is mapped
// ends the process (SIGBUS), which for the developer's own dumps is accepted.
class XmlText {
 public:
  // Reads the file and tells `visitor` of its elements; a file XmlDocument::load would refuse
  // raises the same error.
  XmlText(const QString& path, XmlVisitor& visitor);
  ~XmlText();

  const QString& path() const { return path_; }
  std::string_view bytes(size_t begin, size_t end) const { return std::string_view(text_ + begin, end - begin); }
  // Parses the element into the last child of `parent`, as a whole parse would have read it.
  pugi::xml_node append(pugi::xml_node parent, const XmlExtent& element) const;

 private:
  QString path_;
  std::unique_ptr<QFile> file_;  // mapped while the text is used
  QByteArray copy_;  // the text where it is not the mapped file: converted to UTF-8, or read
  char* text_ = nullptr;
  size_t size_ = 0;
};

// The one layout every XML file of the workspace has: UTF-8 without byte-order mark, the
// declaration only where the source had one, CR LF after every line, one TAB per level,
// childless elements as <Products/>, comments where they stood (a blank parting "--" in one
// and a "-" at its end), attributes in their order, values escaped as XmlEscape does. A
// character XML 1.0 does not allow raises an error naming `file` (the file the text is for)
// and the element.
QByteArray FormatXml(const pugi::xml_document& doc, const QString& file);

// Visits everything below `top` in document order without recursion, however deep the
// document: `enter(node, depth)` before a node's children, which are visited only when it
// returns true, and then `leave(node, depth)`. The children of `top` have depth 0. It rides
// on pugixml's own walk, which on a dump of millions of nodes is about twice as fast as
// stepping through the node handles.
template <typename Enter, typename Leave>
void WalkXml(pugi::xml_node top, Enter&& enter, Leave&& leave) {
  struct Walker : pugi::xml_tree_walker {
    Enter& enter;
    Leave& leave;
    std::vector<pugi::xml_node> open;  // the entered nodes above the current one, by depth
    int skipBelow = std::numeric_limits<int>::max();
    Walker(Enter& e, Leave& l) : enter(e), leave(l) {}
    void leaveDownTo(size_t depth) {
      while (open.size() > depth) {
        const pugi::xml_node node = open.back();
        open.pop_back();
        leave(node, int(open.size()));
      }
    }
    bool for_each(pugi::xml_node& node) override {
      const int at = depth();
      if (at > skipBelow) return true;
      skipBelow = std::numeric_limits<int>::max();
      leaveDownTo(size_t(at));
      if (enter(node, at)) {
        open.push_back(node);
      } else {
        skipBelow = at;
      }
      return true;
    }
  } walker(enter, leave);
  top.traverse(walker);
  walker.leaveDownTo(0);
}

// Lines assembled as text, joined and laid out; `file` names them in errors.
QByteArray FormatXmlLines(const QStringList& lines, const QString& file);
// The same, written to `path` with WriteFileAtomic.
void WriteXmlLines(const QString& path, const QStringList& lines);

// The one escaping of values written into XML, the formatter's too: &, <, > and " as
// entities, TAB, LF and CR as character references, so the value reads back unchanged in an
// attribute as in a text. A character XML 1.0 does not allow (a control character, U+FFFE,
// U+FFFF) raises an error: "<owner> enthält ein Zeichen, das XML nicht erlaubt (U+0001)."
QString XmlEscape(const QString& value, const QString& owner);

}  // namespace bw
