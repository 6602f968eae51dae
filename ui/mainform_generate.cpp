// The two actions that write beyond the item being edited: generating and deploying the mod,
// and the developer's catalogue rebuild.
#include "catalog/catalog.h"
#include "modgen/createitems.h"
#include "ui/mainform.h"

namespace bw {

void TMainForm::Create_ItemBtnClick() { CreateItems(workspace_); }

void TMainForm::CreateXMLDataClick() { RunCatalog(paths(), DefaultIconFolder(), {}); }

}  // namespace bw
