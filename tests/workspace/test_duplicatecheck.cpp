#include <gtest/gtest.h>

#include <array>

#include "tests/testsupport.h"
#include "workspace/duplicatecheck.h"
#include "workspace/error.h"
#include "workspace/itemstore.h"

using namespace bw;
using test::ProgramFolder;

namespace {

const ItemProduct kPlanks{"1010196", "Bretter", "icon_wooden_planks"};
const ItemProduct kSugar{"1010239", "Zucker", "icon_sugar"};

}  // namespace

TEST(DuplicateCheck, NamesEveryItemHoldingTheProductInItemOrder) {
  ProgramFolder folder;
  EXPECT_FALSE(FindProductInItems(folder.xml(), kPlanks.guid).any());

  for (const char* item : {"2000502240", "2000502232", "2000502236"}) SaveItemContent(folder.xml(), item, {kSugar, kPlanks});
  const ProductHolders holders = FindProductInItems(folder.xml(), kPlanks.guid);
  EXPECT_EQ(holders.inItem, (std::array<bool, 6>{false, true, false, true, false, true}));
  EXPECT_EQ(holders.icon, QStringLiteral("icon_wooden_planks"));
  EXPECT_EQ(DuplicateQuestion(holders),
            QStringLiteral("« Bretter »\rDiese Ware ist bereits in Item \r\rItem II\rItem IV\rItem VI\r"
                           "\renthalten. Trotzdem hinzugefügen?\r"));

  // A missing list ends the check with an error instead of a wrong answer.
  QFile::remove(folder.xml("2000502238.xml"));
  EXPECT_THROW(FindProductInItems(folder.xml(), kPlanks.guid), Error);
}
