#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QAbstractButton>
#include <QTreeWidget>
#include <QSpinBox>
#include <QTest>

#include "modgen/createitems.h"
#include "tests/ui/windowsupport.h"
#include "ui/mainform.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"

using namespace bw;
using test::ReadBytes;

namespace {

const QString kGolden = QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/golden/modgen/");

}  // namespace

// A new user whose game lives in a Steam Proton prefix: the game is found without a
// question, two items are filled by clicks, and the mod lands in the game's mods folder.
TEST(GenerateButton, FillsTwoItemsByClicksAndDeploysThemIntoTheProtonGame) {
  BW_LINUX_ONLY("a Steam Proton prefix");
  test::ScopedHome home;
  const QString prefix = home.path() + QStringLiteral("/.local/share/Steam/steamapps/compatdata/2971000/pfx");
  test::MakeWinePrefix(prefix, {{QStringLiteral("Software\\Wow6432Node\\Ubisoft\\Corvana 1800"),
                                 QStringLiteral("C:\\Games\\Corvana 1800")}});
  QDir().mkpath(prefix + QStringLiteral("/drive_c/Games/Corvana 1800/Bin/Win64"));
  test::WriteBytes(prefix + QStringLiteral("/drive_c/Games/Corvana 1800/Bin/Win64/Corvana1800.exe"), {});
  test::ProgramFolder folder(false);
  test::ModalWatch noQuestion;
  TMainForm form(folder.path());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_TRUE(form.modPath().endsWith(QStringLiteral("/drive_c/Games/Corvana 1800/mods"))) << form.modPath().toStdString();

  auto click = [&form](const char* name) {
    QTest::mouseClick(form.findChild<QAbstractButton*>(QString::fromLatin1(name)), Qt::LeftButton);
  };
  auto clickRow = [&form](const char* view, const char* guid) {
    auto* list = form.findChild<QTreeWidget*>(QString::fromLatin1(view));
    QTreeWidgetItem* row = test::RowWithCaption(list, QString::fromLatin1(guid));
    ASSERT_NE(row, nullptr) << view << " " << guid;
    test::ClickRow(list, row);
  };
  // Item II: "Mist" from the group "Keim der Hoffnung", target the gas plant of the Arctic.
  click("Item2Btn");
  clickRow("SelectionView", "24961");
  clickRow("ProductView", "24807");
  click("Region3Btn");
  clickRow("TargetsView", "112690");
  // Item V: "Zucker" from "Zwischenprodukt", the same target.
  click("Item5Btn");
  clickRow("SelectionView", "11703");
  clickRow("ProductView", "1010239");
  click("Region3Btn");
  clickRow("TargetsView", "112690");
  form.findChild<QSpinBox*>(QStringLiteral("ProductAmountBox"))->setValue(1);
  form.findChild<QSpinBox*>(QStringLiteral("ProductCycleBox"))->setValue(1);

  click("Create_ItemBtn");

  EXPECT_TRUE(noQuestion.seen().isEmpty()) << noQuestion.seen().join(QLatin1Char('|')).toStdString();
  const QString mod = form.modPath() + QLatin1Char('/') + kModFolderName;
  EXPECT_EQ(test::WithoutDate(ReadBytes(mod + "/data/config/export/main/asset/assets.xml")),
            ReadBytes(kGolden + "slots2and5_assets.xml"));
  EXPECT_EQ(ReadBytes(mod + "/data/config/gui/texts_german.xml"), ReadBytes(kGolden + "slots2and5_texts_german.xml"));
  EXPECT_EQ(test::FilesBelow(mod), test::FilesBelow(folder.xml(kModFolderName)));
}

// What a killed generation can leave: beside the deployed mod the old one set aside (".alt")
// and a half-built copy (".neu"), in the template a writer's temporary file. The next start
// or generation clears it, and the game finds a whole mod.
TEST(GenerateButton, WhatAnInterruptedDeploymentLeftIsClearedAtTheNextStartOrGeneration) {
  enum Action { kStart, kGenerate };
  struct Case {
    const char* what;
    bool setAside;
    bool halfBuilt;
    bool writeLeftover;
    Action action;
  };
  const Case cases[] = {
      {"the old mod set aside, then a start", true, false, false, kStart},
      {"the old mod set aside and a half-built copy, then a start", true, true, false, kStart},
      {"the old mod set aside and a half-built copy, then a generation", true, true, false, kGenerate},
      {"a writer's leftover in the template, then a generation", false, false, true, kGenerate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedHome home;
    test::ProgramFolder folder;
    const QString game = folder.path() + QStringLiteral("Corvana 1800");
    test::RecordFakeGame(game);
    const QString mods = game + QStringLiteral("/mods");
    const QString mod = mods + QLatin1Char('/') + kModFolderName;
    const QString hidden = mods + QStringLiteral("/.") + kModFolderName;
    const QString tmpl = folder.xml(kModFolderName);
    QDir().mkpath(mods);
    SaveItemContent(folder.xml(), QStringLiteral("2000502230"), {{"1010196", "Bretter", "icon_wooden_planks"}});

    QMap<QString, QByteArray> setAside;
    if (c.setAside) {
      QDir().mkpath(hidden + QStringLiteral(".alt/data"));
      test::WriteBytes(hidden + QStringLiteral(".alt/modinfo.json"), "{\"ModID\": \"Brennwick\"}");
      test::WriteBytes(hidden + QStringLiteral(".alt/data/earlier.txt"), "earlier");
      setAside = test::Snapshot(hidden + QStringLiteral(".alt"));
    }
    if (c.halfBuilt) {
      QDir().mkpath(hidden + QStringLiteral(".neu/data"));
      test::WriteBytes(hidden + QStringLiteral(".neu/modinfo.json"), "{");
    }
    const QString leftover = tmpl + QStringLiteral("/data/config/gui/.texts_german.xml.tmp-Ab12Cd");
    if (c.writeLeftover) test::WriteBytes(leftover, "<Texts>");

    if (c.action == kStart) {
      test::ModalWatch noMessage;
      TMainForm form(folder.path());
      EXPECT_EQ(noMessage.seen(), QStringList());
      EXPECT_EQ(test::Snapshot(mod), setAside);
    } else {
      XmlDocument targets;
      ASSERT_TRUE(targets.load(folder.xml(QStringLiteral("Target.xml"))));
      CreateItems({folder.xml(), QStringLiteral("25"), QStringLiteral("1"), QStringList(6, QStringLiteral("100451")),
                   targets.root()},
                  mods);
      EXPECT_FALSE(QFileInfo::exists(leftover));
      EXPECT_EQ(test::Snapshot(mod), test::Snapshot(tmpl));
    }
    EXPECT_EQ(QDir(mods).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{kModFolderName});
  }
}
