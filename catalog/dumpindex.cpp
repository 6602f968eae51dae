#include "catalog/dumpindex.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "workspace/error.h"

namespace bw {
namespace {

// Only elements have names, so this tells elements apart as well.
bool Named(pugi::xml_node node, const char* name) {
  const char* own = node.name();
  return own[0] == name[0] && std::strcmp(own, name) == 0;
}

// Every node below `top` (itself included), in document order.
template <typename F>
void ForEachNode(pugi::xml_node top, F&& visit) {
  visit(top);
  WalkXml(
      top,
      [&](pugi::xml_node node, int) {
        visit(node);
        return true;
      },
      [](pugi::xml_node, int) {});
}

// The distinct values of a child path below `node`: XPath's "path=\"value\"" holds for
// each of them.
void CollectValues(pugi::xml_node node, const char* const* path, size_t depth, std::vector<std::string>& out) {
  for (pugi::xml_node child = node.child(path[0]); child; child = child.next_sibling(path[0])) {
    if (depth == 1) {
      std::string value = StringValue(child);
      if (std::find(out.begin(), out.end(), value) == out.end()) out.push_back(std::move(value));
    } else {
      CollectValues(child, path + 1, depth - 1, out);
    }
  }
}

pugi::xml_node FirstOnPath(pugi::xml_node node, const char* const* path, size_t depth) {
  for (pugi::xml_node child = node.child(path[0]); child; child = child.next_sibling(path[0])) {
    if (depth == 1) return child;
    if (pugi::xml_node found = FirstOnPath(child, path + 1, depth - 1)) return found;
  }
  return {};
}

// All text below an element, joined.
std::string JoinedText(pugi::xml_node node) {
  std::string value;
  ForEachNode(node, [&](pugi::xml_node n) {
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) value += n.value();
  });
  return value;
}

// The text of an element as XPath reads it, straight from the file when it is plain text:
// blanks alone are no text, and only a reference, a CR or markup needs the parser.
std::string ValueAt(const XmlText& text, const XmlExtent& element) {
  const std::string_view content = text.bytes(element.contentBegin, element.contentEnd);
  if (std::none_of(content.begin(), content.end(), [](char c) { return c == '<' || c == '&' || c == '\r'; })) {
    const bool blank = std::all_of(content.begin(), content.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
    return blank ? std::string() : std::string(content);
  }
  pugi::xml_document scratch;
  return StringValue(text.append(scratch, element));
}

// The element with the given index of a list kept by index, made when it is not there yet:
// children are told of before the element they stand in.
template <typename T>
T& At(std::vector<T>& list, size_t index) {
  if (list.size() <= index) list.resize(index + 1);
  return list[index];
}

// The children an element with the given name has, by the index of that element, each with
// its extent, in the order they end; siblings end in document order.
using Children = std::vector<std::pair<size_t, XmlExtent>>;

// The elements of a text table that a look-up needs: each "Text" with its "GUID" children
// and its first "Text" child, in document order.
struct TextVisitor final : XmlVisitor {
  enum Kind { kText, kGuid };
  std::vector<std::optional<XmlExtent>> texts;  // the first "Text" child of each "Text"
  Children guids;

  TextVisitor() : XmlVisitor({"Text", "GUID"}) {}
  void close(const XmlElement& e) override {
    if (e.parentKind != kText) return;
    if (e.kind == kGuid) {
      guids.push_back({e.parentIndex, e.extent});
    } else if (std::optional<XmlExtent>& text = At(texts, e.parentIndex); !text) {
      text = e.extent;
    }
  }
};

// The assets of an asset dump in document order, with their "Template" and "BaseAssetGUID"
// children.
struct AssetVisitor final : XmlVisitor {
  enum Kind { kAsset, kTemplate, kBase };
  std::vector<XmlExtent> assets;
  Children templates, bases;

  AssetVisitor() : XmlVisitor({"Asset", "Template", "BaseAssetGUID"}) {}
  void close(const XmlElement& e) override {
    if (e.kind == kAsset) At(assets, e.index) = e.extent;
    if (e.parentKind != kAsset) return;
    if (e.kind == kTemplate) templates.push_back({e.parentIndex, e.extent});
    if (e.kind == kBase) bases.push_back({e.parentIndex, e.extent});
  }
};

// Sorts stably by `key`; a list in that order already, as a dump's nearly always is, is left
// as it is.
template <typename Key>
void SortBy(Children& children, Key key) {
  const auto less = [&](const auto& a, const auto& b) { return key(a) < key(b); };
  if (!std::is_sorted(children.begin(), children.end(), less)) std::stable_sort(children.begin(), children.end(), less);
}

const std::vector<XmlExtent> kNone;

}  // namespace

std::string StringValue(pugi::xml_node node) {
  std::string storage;
  return ValueOf(node, storage);
}

const char* ValueOf(pugi::xml_node node, std::string& storage) {
  pugi::xml_node first = node.first_child();
  if (first && !first.next_sibling() && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata)) {
    return first.value();
  }
  storage = JoinedText(node);
  return storage.c_str();
}

QString TextOf(pugi::xml_node node) { return QString::fromStdString(StringValue(node)); }

pugi::xml_node ChildPath(pugi::xml_node node, std::initializer_list<const char*> path) {
  return path.size() == 0 ? node : FirstOnPath(node, path.begin(), path.size());
}

QString IconBaseName(const QString& fileName) {
  QString name = fileName.mid(qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\'))) + 1);
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  return name;
}

QString RowValue(const QString& value, const QString& guid, const QString& file) {
  return XmlEscape(value, QStringLiteral("Ein Wert des Assets „%1“ aus der Datei „%2“").arg(guid, file));
}

pugi::xml_node RootElement(const XmlDocument& doc) {
  doc.root();  // raises the load error
  return doc.pugi().document_element();
}

TextTable::TextTable(const QString& path) {
  TextVisitor visitor;
  text_ = std::make_unique<XmlText>(path, visitor);
  // The first "Text" in document order that names a GUID holds its text.
  SortBy(visitor.guids, [](const auto& guid) { return guid.first; });
  byGuid_.reserve(visitor.guids.size());
  for (const auto& [entry, guid] : visitor.guids) {
    if (const std::optional<XmlExtent>& text = At(visitor.texts, entry)) byGuid_.try_emplace(ValueAt(*text_, guid), *text);
  }
}

std::optional<QString> TextTable::find(const QString& guid) const {
  auto it = byGuid_.find(guid.toStdString());
  if (it == byGuid_.end()) return std::nullopt;
  return QString::fromStdString(ValueAt(*text_, it->second));
}

AssetIndex::AssetIndex(const QString& path, const QStringList& templates) {
  AssetVisitor visitor;
  text_ = std::make_unique<XmlText>(path, visitor);
  // An asset is listed once under each template it names, in document order.
  for (const QString& name : templates) byTemplate_.push_back({name.toStdString(), {}});
  std::vector<std::vector<size_t>> listed(byTemplate_.size());
  for (const auto& [asset, element] : visitor.templates) {
    const std::string value = ValueAt(*text_, element);
    for (size_t i = 0; i < byTemplate_.size(); ++i) {
      if (byTemplate_[i].first == value) listed[i].push_back(asset);
    }
  }
  for (size_t i = 0; i < byTemplate_.size(); ++i) {
    std::sort(listed[i].begin(), listed[i].end());
    listed[i].erase(std::unique(listed[i].begin(), listed[i].end()), listed[i].end());
    for (size_t asset : listed[i]) byTemplate_[i].second.push_back(visitor.assets[asset]);
  }
  // An asset is found by the value of its first "BaseAssetGUID", once per such child.
  std::unordered_map<size_t, std::string> keys;
  for (const auto& [asset, element] : visitor.bases) {
    if (!keys.count(asset)) keys.emplace(asset, ValueAt(*text_, element));
  }
  // In the order they start, which is the order they end in but where one stands inside
  // another.
  SortBy(visitor.bases, [](const auto& base) { return base.second.begin; });
  for (const auto& [asset, element] : visitor.bases) byBase_[keys.at(asset)].push_back(visitor.assets[asset]);
}

const std::vector<XmlExtent>& AssetIndex::withTemplate(const QString& templateName) const {
  const std::string name = templateName.toStdString();
  for (const auto& entry : byTemplate_) {
    if (entry.first == name) return entry.second;
  }
  return kNone;
}

const std::vector<XmlExtent>& AssetIndex::derivedFrom(const QString& guid) const {
  auto it = byBase_.find(guid.toStdString());
  return it == byBase_.end() ? kNone : it->second;
}

void RemoveListedAssets(XmlDocument& doc, const QStringList& guids) {
  const pugi::xml_node root = RootElement(doc);
  struct Found {
    pugi::xml_node asset;
    pugi::xml_node top;  // the root's child that holds it; null for the root itself
  };
  static const char* const kGuidPath[] = {"Values", "Standard", "GUID"};
  std::unordered_map<std::string, std::vector<Found>> byGuid;
  std::vector<std::string> values;
  ForEachNode(root, [&](pugi::xml_node node) {
    if (!Named(node, "Asset")) return;
    values.clear();
    CollectValues(node, kGuidPath, 3, values);
    if (values.empty()) return;
    pugi::xml_node top = node;
    while (top && top.parent() != root) top = top.parent();
    for (std::string& value : values) byGuid[std::move(value)].push_back({node, top});
  });

  // Removed nodes are freed: they are only compared by address, never touched again.
  std::unordered_set<size_t> removed;
  for (const QString& guid : guids) {
    auto it = byGuid.find(guid.toStdString());
    if (it == byGuid.end()) continue;
    for (const Found& f : it->second) {
      if (f.top && removed.count(f.top.hash_value())) continue;
      if (!f.top || f.asset != f.top) {
        throw Error(QStringLiteral("Das Asset „%1“ in der Datei „%2“ steht nicht direkt unter dem Wurzelelement "
                                   "und kann nicht entfernt werden.")
                        .arg(guid, doc.path()),
                    "EXmlError");
      }
      removed.insert(f.asset.hash_value());
      pugi::xml_node parent = root;
      parent.remove_child(f.asset);
      break;
    }
  }
}

}  // namespace bw
