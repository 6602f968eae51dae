#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "workspace/xmldoc.h"

// Look-ups into the game's dumps. Each index is built in one walk over its document, so a
// look-up per row costs a hash probe instead of a query that scans the whole dump; each
// gives what the matching XPath query would select, in document order.
namespace bw {

// The text of an element as XPath compares and reads it: all text below it, joined.
std::string StringValue(pugi::xml_node node);
QString TextOf(pugi::xml_node node);
// The same text, without a copy when the element holds plain text (the common case);
// otherwise joined into `storage`.
const char* ValueOf(pugi::xml_node node, std::string& storage);

// The first element reached from `node` through the child names of `path`, in document
// order (the query "Values/Standard/GUID" on `node`), or a null node.
pugi::xml_node ChildPath(pugi::xml_node node, std::initializer_list<const char*> path);

// The base name of an icon file: no folder (either slash), no extension.
QString IconBaseName(const QString& fileName);

// A value of an asset's catalogue row, escaped; a character XML does not allow is refused,
// naming the asset and the file the value comes from.
QString RowValue(const QString& value, const QString& guid, const QString& file);

// The game's German text table ("//Text[GUID=\"...\"]/Text").
class TextTable {
 public:
  explicit TextTable(const QString& path);  // raises an error naming the file
  std::optional<QString> find(const QString& guid) const;
  int size() const { return int(byGuid_.size()); }
  const QString& path() const { return doc_.path(); }

 private:
  XmlDocument doc_;
  std::unordered_map<std::string, pugi::xml_node> byGuid_;
};

// The asset dump "Assets.xml", read by the template and the base-asset steps.
class AssetIndex {
 public:
  // Raises an error naming the file. Only the assets of `templates` are looked up by template.
  AssetIndex(const QString& path, const QStringList& templates);
  const QString& path() const { return doc_.path(); }
  // "//Asset[Template=\"...\"]" for one of the templates given
  const std::vector<pugi::xml_node>& withTemplate(const QString& templateName) const;
  // The parents of "//Asset/BaseAssetGUID" whose "BaseAssetGUID" equals `guid`, one per
  // such node.
  const std::vector<pugi::xml_node>& derivedFrom(const QString& guid) const;

 private:
  XmlDocument doc_;
  std::vector<std::pair<std::string, std::vector<pugi::xml_node>>> byTemplate_;
  std::unordered_map<std::string, std::vector<pugi::xml_node>> byBase_;
};

// For each GUID in order, removes from the root element the first asset that the query
// "//Asset[Values/Standard/GUID=\"...\"]" finds; a GUID that finds none is passed over.
// An asset found below another one cannot be removed from the root: that raises an error.
void RemoveListedAssets(XmlDocument& doc, const QStringList& guids);

}  // namespace bw
