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

void LoadDump(XmlDocument& doc, const QString& path) {
  doc.load(path);
  doc.root();  // raises the load error, naming the file
}

const std::vector<pugi::xml_node> kNone;

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

TextTable::TextTable(const QString& path) {
  LoadDump(doc_, path);
  static const char* const kGuid[] = {"GUID"};
  std::vector<std::string> guids;
  ForEachNode(doc_.pugi().document_element(), [&](pugi::xml_node node) {
    if (!Named(node, "Text")) return;
    pugi::xml_node text = node.child("Text");
    if (!text) return;
    guids.clear();
    CollectValues(node, kGuid, 1, guids);
    for (std::string& guid : guids) byGuid_.try_emplace(std::move(guid), text);
  });
}

std::optional<QString> TextTable::find(const QString& guid) const {
  auto it = byGuid_.find(guid.toStdString());
  if (it == byGuid_.end()) return std::nullopt;
  return TextOf(it->second);
}

AssetIndex::AssetIndex(const QString& path, const QStringList& templates) {
  LoadDump(doc_, path);
  for (const QString& name : templates) byTemplate_.push_back({name.toStdString(), {}});
  std::string storage;
  std::vector<char> listed(byTemplate_.size());
  ForEachNode(doc_.pugi().document_element(), [&](pugi::xml_node node) {
    if (Named(node, "Asset")) {
      // An asset is listed once under each template it names.
      std::fill(listed.begin(), listed.end(), 0);
      for (pugi::xml_node t = node.child("Template"); t; t = t.next_sibling("Template")) {
        const char* value = ValueOf(t, storage);
        for (size_t i = 0; i < byTemplate_.size(); ++i) {
          if (!listed[i] && byTemplate_[i].first == value) {
            byTemplate_[i].second.push_back(node);
            listed[i] = 1;
          }
        }
      }
    } else if (Named(node, "BaseAssetGUID") && Named(node.parent(), "Asset")) {
      byBase_[StringValue(node.parent().child("BaseAssetGUID"))].push_back(node.parent());
    }
  });
}

const std::vector<pugi::xml_node>& AssetIndex::withTemplate(const QString& templateName) const {
  const std::string name = templateName.toStdString();
  for (const auto& entry : byTemplate_) {
    if (entry.first == name) return entry.second;
  }
  return kNone;
}

const std::vector<pugi::xml_node>& AssetIndex::derivedFrom(const QString& guid) const {
  auto it = byBase_.find(guid.toStdString());
  return it == byBase_.end() ? kNone : it->second;
}

void RemoveListedAssets(XmlDocument& doc, const QStringList& guids) {
  const pugi::xml_node root = doc.root().raw();
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
