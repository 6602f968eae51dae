// The two actions that write beyond the item being edited: generating and deploying the mod,
// and the developer's catalogue rebuild.
#include "catalog/catalog.h"
#include "modgen/createitems.h"
#include "ui/mainform.h"

namespace bw {

void TMainForm::Create_ItemBtnClick() {
  RequireLoadedWorkspace();
  CreateItems(CurrentSettings(), MODPath);
}

void TMainForm::CreateXMLDataClick() { RunCatalog(Paths, DefaultIconFolder(), {}); }

}  // namespace bw
