// Every workspace file, missing, empty, truncated, not well-formed, with another root element
// or without a row or attribute its readers need, under every action that reads it: a German
// message names the file, the window runs on and no file changes (a generation raises the
// trigger counter first). A start that failed leaves nothing to write from, so every action
// that writes says so instead; the full reset is the way back and a generation works after it.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <utility>

#include "tests/ui/windowsupport.h"
#include "ui/controls.h"
#include "ui/infoform.h"
#include "ui/mainform.h"
#include "ui/messageform.h"
#include "workspace/itemstore.h"

using namespace bw;
using test::ReadBytes;

namespace {

enum Action { Start, GroupClick, RegionClick, Item1Switch, Item2Switch, ProductClick, ItemRowClick, TargetClick,
              SingleReset, Generate, InfoClick };
const char* const kActionNames[] = {"start",         "group click",  "region click", "item I switch",
                                    "item II switch", "product click", "item row click", "target click",
                                    "single reset",  "generation",   "info click"};
// The actions that write; after a start that failed each of them must refuse.
const Action kWriting[] = {Generate, TargetClick, ProductClick, ItemRowClick, SingleReset};

const ItemProduct kCoal{"1010226", "Kohle", "icon_coal"};  // item I holds it
const ItemProduct kClay{"1010201", "Lehm", "icon_clay"};   // item II holds it; the product clicked

// Every modal window that comes up is answered as a user would who wants the action done:
// questions confirmed, messages closed. Their texts are kept.
class Answers {
 public:
  Answers() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || !modal->isVisible()) return;
      if (auto* question = qobject_cast<TMessageForm*>(modal)) {
        questions_ << question->MsgBoxLabel->text();
        question->OKBtn->click();
        return;
      }
      QStringList texts;
      for (const QLabel* label : modal->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) texts << label->text();
      }
      if (!qobject_cast<TInfoForm*>(modal)) messages_ << texts.join(u' ');
      modal->close();
    });
    timer_.start(5);
  }
  QStringList takeMessages() { return std::exchange(messages_, {}); }
  QStringList takeQuestions() { return std::exchange(questions_, {}); }

 private:
  QTimer timer_;
  QStringList messages_, questions_;
};

// Runs one action as a user does; false when it can not be done in this window (no row to
// click).
bool Perform(TMainForm& form, Action action) {
  auto list = [&form](const char* name) { return test::Control<TListView>(form, name); };
  auto click = [&form](const char* name) {
    QTest::mouseClick(test::Control(form, name), Qt::LeftButton);
    return true;
  };
  auto clickFirst = [&list](const char* name) {
    TListView* view = list(name);
    if (!view->Row(0)) return false;
    test::ClickRow(view, view->Row(0));
    return true;
  };
  switch (action) {
    case Start: return true;
    case GroupClick: return clickFirst("SelectionView");
    case RegionClick: return click("Region1Btn");
    case Item1Switch: return click("Item1Btn");
    case Item2Switch: return click("Item2Btn");
    case ProductClick: {
      QTreeWidgetItem* clay = test::RowWithCaption(list("ProductView"), kClay.guid);
      if (clay) test::ClickRow(list("ProductView"), clay);
      return clay;
    }
    case ItemRowClick: return clickFirst("ItemProductView");
    case TargetClick: return clickFirst("TargetsView");
    case SingleReset: return click("SingleResetImg");
    case Generate: return click("Create_ItemBtn");
    case InfoClick: return click("InfoImage");
  }
  return false;
}

struct FileCase {
  const char* file;
  const char* root;  // empty: not an XML file
  std::vector<Action> reads;  // when the file can not be read at all
  // The file without a row or attribute its readers need, and the actions that need it.
  std::function<QByteArray(QByteArray)> dropRequired;
  std::vector<Action> readsRequired;
};

QByteArray Replaced(QByteArray bytes, const char* from, const char* to) {
  EXPECT_TRUE(bytes.contains(from)) << from;
  return bytes.replace(from, to);
}

const FileCase kFiles[] = {
    {"Products.xml", "Products", {Start, GroupClick, Generate},
     // Generation names the product of item I, which is no longer in the catalogue.
     [](QByteArray b) { return Replaced(b, "\t<Product GUID=\"1010226\" Name=\"Kohle\" Icon=\"icon_coal\" Category=\"11701\" DLC=\"\"/>\r\n", ""); },
     {Generate}},
    {"Sessions.xml", "Sessions", {Start},
     [](QByteArray b) { return Replaced(b, "<Session GUID=\"11701\" Name=\"Bodenschätze\"/>", "<Session GUID=\"11701\"/>"); },
     {Start}},
    {"Target.xml", "Targets", {Start, RegionClick, Item2Switch, SingleReset, Generate},
     // The default target of every item.
     [](QByteArray b) {
       return Replaced(b, "\t<Target GUID=\"100451\" Name=\"Sägewerk\" Icon=\"icon_wooden_planks\"  Region=\"Region1\"/>\r\n", "");
     },
     {Start, Item2Switch, SingleReset, Generate}},
    {"Property.xml", "Properties", {Start, Item2Switch, TargetClick, SingleReset, Generate},
     [](QByteArray b) { return Replaced(b, "\t<Property Name=\"ProductAmount\" Value=\"25\"/>\r\n", ""); },
     {Start, TargetClick, SingleReset, Generate}},
    {"2000502230.xml", "Products", {Start, Item1Switch, ProductClick, Generate},
     [](QByteArray b) { return Replaced(b, " Name=\"Kohle\" Icon=\"icon_coal\" ItemGUID=\"2000502230\"", ""); },
     {Start, Item1Switch}},
    // A generation needs only the GUIDs of an item's rows, the duplicate question their names.
    {"2000502232.xml", "Products", {Item2Switch, ProductClick, Generate},
     [](QByteArray b) { return Replaced(b, " Name=\"Lehm\" Icon=\"icon_clay\" ItemGUID=\"2000502232\"", ""); },
     {Item2Switch, ProductClick}},
    {"Info.txt", "", {InfoClick}, {}, {}},
};

void PrintTo(const FileCase& c, std::ostream* out) { *out << c.file; }

enum Variant { Missing, Empty, Truncated, NotWellFormed, WrongRoot, RequiredMissing };
const char* const kVariantNames[] = {"missing", "empty", "truncated", "not well-formed", "wrong root",
                                     "required row or attribute missing"};

class BrokenWorkspace : public ::testing::TestWithParam<FileCase> {};

}  // namespace

TEST_P(BrokenWorkspace, EveryActionNamesTheFileAndChangesNothingUntilTheFullReset) {
  const FileCase& c = GetParam();
  int cells = 0, failed = 0;
  for (Variant variant : {Missing, Empty, Truncated, NotWellFormed, WrongRoot, RequiredMissing}) {
    const bool xml = *c.root;
    if (!xml && variant != Missing) continue;
    SCOPED_TRACE(kVariantNames[variant]);
    test::ProgramFolder folder;
    SaveItemContent(folder.xml(), QStringLiteral("2000502230"), {kCoal});
    SaveItemContent(folder.xml(), QStringLiteral("2000502232"), {kClay});
    const QString path = folder.xml(QString::fromUtf8(c.file));
    const QByteArray good = ReadBytes(path);
    const QByteArray root = c.root, endTag = "</" + root + ">";
    switch (variant) {
      case Missing: QFile::remove(path); break;
      case Empty: test::WriteBytes(path, {}); break;
      case Truncated: test::WriteBytes(path, good.left(good.size() / 2)); break;
      case NotWellFormed: test::WriteBytes(path, Replaced(good, endTag, "</Kaputt>")); break;
      case WrongRoot: test::WriteBytes(path, Replaced(Replaced(good, "<" + root + ">", "<Falsch>"), endTag, "</Falsch>")); break;
      case RequiredMissing: test::WriteBytes(path, c.dropRequired(good)); break;
    }
    Answers answers;
    TMainForm form(folder.path());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QString deployed = form.modPath() + QLatin1Char('/') + kModFolderName;
    auto* buildings = test::Control<TListView>(form, "TargetsView");
    auto* products = test::Control<TListView>(form, "ProductView");
    QDir(deployed).removeRecursively();

    const std::vector<Action>& reads = variant == RequiredMissing ? c.readsRequired : c.reads;
    const QStringList startMessages = answers.takeMessages();
    const bool started = startMessages.isEmpty();
    std::vector<Action> actions = reads;
    if (!started) actions.insert(actions.end(), std::begin(kWriting), std::end(kWriting));
    for (Action action : actions) {
      SCOPED_TRACE(kActionNames[action]);
      if (action == SingleReset && path.endsWith(QStringLiteral("/2000502230.xml"))) continue;  // repairs it, below
      // A user lists the buildings or products first where none are shown.
      if (action == TargetClick && !buildings->Row(0)) Perform(form, RegionClick);
      if (action == ProductClick && !test::RowWithCaption(products, kClay.guid)) Perform(form, GroupClick);
      answers.takeMessages();
      auto before = test::Snapshot(folder.xml());
      if (!Perform(form, action)) continue;
      const bool counted = action == Generate && started && path.endsWith(QStringLiteral("/Products.xml"));
      if (counted) before["Property.xml"].replace("2000502260", "2000502261");
      QTest::qWait(20);
      ++cells;
      const QStringList messages = action == Start ? startMessages : answers.takeMessages();
      const bool named = messages.size() == 1 && messages[0].contains(QStringLiteral("„%1“").arg(path)) &&
                         !messages[0].contains(QStringLiteral("„“"));
      const bool unchanged = test::Snapshot(folder.xml()) == before && !QFileInfo::exists(deployed);
      const bool unasked = answers.takeQuestions().isEmpty();
      EXPECT_TRUE(named) << messages.join(u'|').toStdString();
      EXPECT_TRUE(unchanged);
      EXPECT_TRUE(unasked);
      EXPECT_TRUE(form.isVisible());
      if (!named || !unchanged || !unasked) ++failed;
    }

    // The full reset brings back the first start, and everything works again.
    QTest::mouseClick(test::Control(form, "FullResetImg"), Qt::LeftButton);
    EXPECT_TRUE(answers.takeMessages().isEmpty());
    EXPECT_EQ(ReadBytes(folder.xml("Property.xml")), ReadBytes(test::ShippedWorkspace() + "Property.xml"));
    ASSERT_TRUE(Perform(form, ProductClick));
    QTest::mouseClick(test::Control(form, "Create_ItemBtn"), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_TRUE(answers.takeMessages().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(deployed + QStringLiteral("/data/config/export/main/asset/assets.xml")));
    EXPECT_TRUE(ReadBytes(folder.xml("Property.xml")).contains("<Property Name=\"2000502261\"/>"));
  }
  std::printf("%s: %d cells, %d failed\n", c.file, cells, failed);
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenWorkspace, ::testing::ValuesIn(kFiles), [](const auto& info) {
  return QString::fromUtf8(info.param.file).remove(QLatin1Char('.')).toStdString();
});

TEST(BrokenWorkspace, TheSingleResetRepairsItsOwnListBoxesClampAndTheCounterRisesFirst) {
  const struct {
    const char *what, *file, *from, *to;  // the change before the start
    std::vector<Action> actions;
    int reports;      // of the start and the actions
    QByteArray line;  // of Property.xml afterwards
  } cases[] = {
      {"list broken", "2000502230.xml", "</Products>", "</X>", {SingleReset, Generate}, 1, "\"2000502261\"/>"},
      {"amount 300", "Property.xml", "\"25\"", "\"300\"", {Generate}, 0, "\"ProductAmount\" Value=\"250\"/>"},
      {"cycle 0", "Property.xml", "Value=\"1\"", "Value=\"0\"", {Generate}, 0, "\"ProductCycle\" Value=\"1\"/>"},
      {"product not in the catalogue", "2000502230.xml", "1010226", "9", {Generate}, 1, "\"2000502261\"/>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ProgramFolder folder;
    SaveItemContent(folder.xml(), QStringLiteral("2000502230"), {kCoal});
    SaveItemContent(folder.xml(), QStringLiteral("2000502232"), {kClay});
    test::WriteBytes(folder.xml(c.file), Replaced(ReadBytes(folder.xml(c.file)), c.from, c.to));
    Answers answers;
    TMainForm form(folder.path());
    auto lists = test::Snapshot(folder.xml());
    for (Action action : c.actions) EXPECT_TRUE(Perform(form, action));
    EXPECT_EQ(answers.takeMessages().size(), c.reports);
    EXPECT_TRUE(ReadBytes(folder.xml("Property.xml")).contains("\t<Property Name=" + c.line + "\r\n"));
    if (c.actions[0] == SingleReset) lists["2000502230.xml"] = "<Products/>\r\n";  // the 13 bytes of an empty list
    for (const QString& item : ItemGuids()) EXPECT_EQ(ReadBytes(folder.xml(item + ".xml")), lists[item + ".xml"]);
  }
}
