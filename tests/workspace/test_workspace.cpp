// The editing rules on the workspace alone, without a window: each change is in the files
// right after it, and nothing is written while the workspace is not wholly loaded.
#include <gtest/gtest.h>

#include <functional>

#include "tests/testsupport.h"
#include "workspace/error.h"
#include "workspace/workspace.h"

using namespace bw;
using test::ReadBytes;

namespace {

const QByteArray kPlanks = "\t<Product GUID=\"1010196\" Name=\"Bretter\" Icon=\"icon_wooden_planks\" ItemGUID=\"2000502230\"/>\r\n";
const QByteArray kFish = "\t<Product GUID=\"1010200\" Name=\"Fisch\" Icon=\"icon_fish\" ItemGUID=\"2000502230\"/>\r\n";
const QByteArray kEmpty = "<Products/>\r\n";

QByteArray Shipped(const char* file) { return ReadBytes(test::ShippedWorkspace() + QLatin1String(file)); }

// Loaded as the window's start loads it: item I's own list failing leaves the rest loaded.
void Start(Workspace& w, const test::ProgramFolder& folder) {
  w.setProgramFolder(folder.path());
  try {
    w.Loading(LoadResult::Settings, [&] {
      w.loadDocuments();
      try {
        w.Loading(LoadResult::Item, [&] {
          w.switchItem(1);
          w.readItemTarget();
        });
      } catch (const Error&) {
        if (w.loadResult().failed != LoadResult::ItemList) throw;
      }
      w.readSettings();
    });
  } catch (const Error&) {
  }
}

bool Agree(const ProductHolders&) { return true; }

}  // namespace

TEST(Workspace, EachEditingRuleWritesItsChangeAtOnce) {
  struct Case {
    const char* what;
    std::function<void(Workspace&)> edit;
    QList<std::pair<const char*, QByteArray>> files;  // whole contents afterwards
    int products;                                     // of the item being edited
  };
  const Case cases[] = {
      {"a product added", [](Workspace& w) { w.addProduct("1010196", Agree); },
       {{"2000502230.xml", "<Products>\r\n" + kPlanks + "</Products>\r\n"}}, 1},
      {"a second one after it", [](Workspace& w) { w.addProduct("1010196", Agree), w.addProduct("1010200", Agree); },
       {{"2000502230.xml", "<Products>\r\n" + kPlanks + kFish + "</Products>\r\n"}}, 2},
      {"the first of two removed",
       [](Workspace& w) { w.addProduct("1010196", Agree), w.addProduct("1010200", Agree), w.removeProduct(0); },
       {{"2000502230.xml", "<Products>\r\n" + kFish + "</Products>\r\n"}}, 1},
      {"a product another item holds, not added again",
       [](Workspace& w) {
         SaveItemContent(w.paths().XMLPath, "2000502232", {{"1010196", "Bretter", "icon_wooden_planks"}});
         EXPECT_FALSE(w.addProduct("1010196", [](const ProductHolders& h) { return !h.inItem[1]; }));
       },
       {{"2000502230.xml", kEmpty}}, 0},
      {"the boxes alone write nothing", [](Workspace& w) { w.setSettings(120, 7); }, {{"Property.xml", Shipped("Property.xml")}}, 0},
      {"a target, stored with the boxes",
       [](Workspace& w) { w.setSettings(120, 7), w.setTarget("118725"); },
       {{"Property.xml", QByteArray(Shipped("Property.xml"))
                             .replace("Value=\"25\"", "Value=\"120\"")
                             .replace("\"ProductCycle\" Value=\"1\"", "\"ProductCycle\" Value=\"7\"")
                             .replace("\"2000502230\" GUID=\"100451\"", "\"2000502230\" GUID=\"118725\"")}},
       0},
      {"the single reset, then the item afresh",
       [](Workspace& w) {
         w.addProduct("1010196", Agree), w.setTarget("118725");
         EXPECT_TRUE(w.singleReset([] { return true; }));
         w.switchItem(1);
         EXPECT_EQ(w.readItemTarget(), kDefaultTarget);
       },
       {{"2000502230.xml", kEmpty}, {"Property.xml", Shipped("Property.xml")}}, 0},
      {"a switch to item II", [](Workspace& w) { w.switchItem(2); }, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ProgramFolder folder;
    Workspace w;
    Start(w, folder);
    ASSERT_EQ(w.loadResult().failed, LoadResult::Loaded);
    c.edit(w);
    for (const auto& [file, bytes] : c.files) EXPECT_EQ(ReadBytes(folder.xml(QLatin1String(file))), bytes) << file;
    EXPECT_EQ(w.products().size(), c.products);
  }
}

TEST(Workspace, NothingIsWrittenFromWhatDidNotLoadButTheItemsOwnListIsRepaired) {
  const struct {
    const char* file;
    LoadResult::Part failed;
  } cases[] = {{"Property.xml", LoadResult::Settings}, {"Target.xml", LoadResult::Settings}, {"2000502230.xml", LoadResult::ItemList}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    test::ProgramFolder folder;
    const QString path = folder.xml(QLatin1String(c.file));
    test::WriteBytes(path, "<Kaputt");
    Workspace w;
    Start(w, folder);
    EXPECT_EQ(w.loadResult().failed, c.failed);
    const auto before = test::Snapshot(folder.xml());
    const std::function<void()> writes[] = {[&] { w.addProduct("1010196", Agree); }, [&] { w.removeProduct(0); },
                                            [&] { w.setTarget("118725"); }};
    for (const auto& write : writes) {
      try {
        write();
        ADD_FAILURE() << "written";
      } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("„%1“").arg(path))) << e.message().toStdString();
      }
    }
    EXPECT_EQ(test::Snapshot(folder.xml()), before);
    const bool repairs = c.failed == LoadResult::ItemList;
    if (repairs) EXPECT_TRUE(w.singleReset([] { return true; }));
    else EXPECT_THROW(w.singleReset([] { return true; }), Error);
    EXPECT_EQ(ReadBytes(folder.xml("2000502230.xml")), repairs ? kEmpty : before["2000502230.xml"]);
  }
}
