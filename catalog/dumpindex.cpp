#include "catalog/dumpindex.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "workspace/error.h"

namespace bw {
namespace {

bool Named(pugi::xml_node node, const char* name) { return std::strcmp(node.name(), name) == 0; }

// Every node below `top` (itself included), in document order.
template <typename F>
void ForEachNode(pugi::xml_node top, F&& visit) {
  pugi::xml_node node = top;
  while (node) {
    visit(node);
    if (pugi::xml_node child = node.first_child()) {
      node = child;
      continue;
    }
    while (node && node != top && !node.next_sibling()) node = node.parent();
    if (!node || node == top) break;
    node = node.next_sibling();
  }
}

template <typename F>
void ForEachElement(pugi::xml_node top, F&& visit) {
  ForEachNode(top, [&](pugi::xml_node node) {
    if (node.type() == pugi::node_element) visit(node);
  });
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

void LoadDump(XmlDocument& doc, const QString& path) {
  doc.load(path);
  doc.root();  // raises the load error, naming the file
}

const std::vector<pugi::xml_node> kNone;

}  // namespace

std::string StringValue(pugi::xml_node node) {
  pugi::xml_node first = node.first_child();
  if (first && !first.next_sibling() && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata)) {
    return first.value();
  }
  std::string value;
  ForEachNode(node, [&](pugi::xml_node n) {
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) value += n.value();
  });
  return value;
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

TextTable::TextTable(const QString& path) {
  LoadDump(doc_, path);
  static const char* const kGuid[] = {"GUID"};
  std::vector<std::string> guids;
  ForEachElement(doc_.pugi().document_element(), [&](pugi::xml_node node) {
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

AssetIndex::AssetIndex(const QString& path) {
  LoadDump(doc_, path);
  static const char* const kTemplate[] = {"Template"};
  std::vector<std::string> templates;
  ForEachElement(doc_.pugi().document_element(), [&](pugi::xml_node node) {
    if (Named(node, "Asset")) {
      templates.clear();
      CollectValues(node, kTemplate, 1, templates);
      for (std::string& name : templates) byTemplate_[std::move(name)].push_back(node);
    } else if (Named(node, "BaseAssetGUID") && Named(node.parent(), "Asset")) {
      byBase_[StringValue(node.parent().child("BaseAssetGUID"))].push_back(node.parent());
    }
  });
}

const std::vector<pugi::xml_node>& AssetIndex::withTemplate(const QString& templateName) const {
  auto it = byTemplate_.find(templateName.toStdString());
  return it == byTemplate_.end() ? kNone : it->second;
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
  ForEachElement(root, [&](pugi::xml_node node) {
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
