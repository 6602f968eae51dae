// The two actions that write beyond the item being edited: generating and deploying the mod,
// and the developer's catalogue rebuild.
#include <QSpinBox>

#include "catalog/catalog.h"
#include "modgen/createitems.h"
#include "ui/controls.h"
#include "ui/mainform.h"

namespace bw {

void TMainForm::Create_ItemBtnClick() {
  const QStringList targets{Item1Target->text(), Item2Target->text(), Item3Target->text(),
                            Item4Target->text(), Item5Target->text(), Item6Target->text()};
  CreateItems({Paths.XMLPath, QString::number(ProductAmountBox->value()), QString::number(ProductCycleBox->value()),
               targets, TargetsRoot},
              MODPath);
}

void TMainForm::CreateXMLDataClick() { RunCatalog(Paths, DefaultIconFolder(), {}); }

}  // namespace bw
