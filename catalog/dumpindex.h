#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "workspace/xmldoc.h"

// Look-ups into the game's dumps. Each index is built in one pass over its file, so a look-up
// per row costs a hash probe instead of a query that scans the whole dump; each gives what the
// matching XPath query would select, in document order.
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

// The root element of a loaded document; raises the load error when there is none.
pugi::xml_node RootElement(const XmlDocument& doc);

// The game's German text table ("//Text[GUID=\"...\"]/Text"). The file is read once and
// checked whole; a text is parsed when it is looked up.
class TextTable {
 public:
  explicit TextTable(const QString& path);  // raises an error naming the file
  std::optional<QString> find(const QString& guid) const;
  const QString& path() const { return text_->path(); }

 private:
  std::unique_ptr<XmlText> text_;
  std::unordered_map<std::string, XmlExtent> byGuid_;
};

// The asset dump "Assets.xml", read by the template and the base-asset steps. The file is read
// once and checked whole; only the assets a step takes are parsed.
class AssetIndex {
 public:
  // Raises an error naming the file. Only the assets of `templates` are looked up by template.
  AssetIndex(const QString& path, const QStringList& templates);
  const QString& path() const { return text_->path(); }
  // "//Asset[Template=\"...\"]" for one of the templates given
  const std::vector<XmlExtent>& withTemplate(const QString& templateName) const;
  // The parents of "//Asset/BaseAssetGUID" whose "BaseAssetGUID" equals `guid`, one per
  // such node.
  const std::vector<XmlExtent>& derivedFrom(const QString& guid) const;
  // Parses one of these assets into the last child of `parent`.
  pugi::xml_node append(pugi::xml_node parent, const XmlExtent& asset) const { return text_->append(parent, asset); }

 private:
  std::unique_ptr<XmlText> text_;
  std::vector<std::pair<std::string, std::vector<XmlExtent>>> byTemplate_;
  std::unordered_map<std::string, std::vector<XmlExtent>> byBase_;
};

// For each GUID in order, removes from the root element the first asset that the query
// "//Asset[Values/Standard/GUID=\"...\"]" finds; a GUID that finds none is passed over.
// An asset found below another one cannot be removed from the root: that raises an error.
void RemoveListedAssets(XmlDocument& doc, const QStringList& guids);

}  // namespace bw
