#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QAbstractButton>
#include <QTreeWidget>
#include <QSpinBox>
#include <QTest>
#include <optional>

#include "modgen/createitems.h"
#include "modgen/deploy.h"
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
// and a half-built copy (".neu"), here under the names earlier versions gave them, in the
// template a writer's temporary file. The next start or generation clears it, and the game
// finds a whole mod. A generation killed at each of its steps leaves the game's mod loader
// (which skips names that begin with "-") no second and no partial mod, then or after the
// recovery every start runs, which puts each copy back as it was before or after the
// generation. A copy the user disabled stays disabled, and goes when no slot holds products.
TEST(GenerateButton, WhatAnInterruptedDeploymentLeftIsClearedAtTheNextStartOrGeneration) {
  enum Action { kStart, kGenerate, kGenerateKilled };
  struct Case {
    const char* what;
    bool setAside;
    bool halfBuilt;
    bool writeLeftover;
    Action action;
    bool enabled = false;   // a mod deployed before
    bool disabled = false;  // the copy the user disabled
    bool products = true;
    bool oneStepSwap = true;
  };
  const Case cases[] = {
      {"the old mod set aside, then a start", true, false, false, kStart},
      {"the old mod set aside and a half-built copy, then a start", true, true, false, kStart},
      {"the old mod set aside and a half-built copy, then a generation", true, true, false, kGenerate},
      {"a writer's leftover in the template, then a generation", false, false, true, kGenerate},
      {"a first generation", false, false, false, kGenerateKilled},
      {"a generation over the mod", false, false, false, kGenerateKilled, true},
      {"a generation over the mod, swapped in two steps", false, false, false, kGenerateKilled, true, false, true, false},
      {"a generation over the disabled copy alone", false, false, false, kGenerateKilled, false, true},
      {"the same, swapped in two steps", false, false, false, kGenerateKilled, false, true, true, false},
      {"a generation over the mod beside the disabled copy", false, false, false, kGenerateKilled, true, true},
      {"a generation without products beside both copies", false, false, false, kGenerateKilled, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedHome home;
    test::ProgramFolder folder;
    const QString game = folder.path() + QStringLiteral("Corvana 1800");
    test::RecordFakeGame(game);
    const QString mods = game + QStringLiteral("/mods");
    const QString mod = mods + QLatin1Char('/') + kModFolderName;
    const QString disabled = mods + QStringLiteral("/-") + kModFolderName;
    const QString hidden = mods + QStringLiteral("/.") + kModFolderName;
    const QString tmpl = folder.xml(kModFolderName);
    QDir().mkpath(mods);
    if (c.products) SaveItemContent(folder.xml(), QStringLiteral("2000502230"), {{"1010196", "Bretter", "icon_wooden_planks"}});
    XmlDocument targets;
    ASSERT_TRUE(targets.load(folder.xml(QStringLiteral("Target.xml"))));
    auto generate = [&] {
      CreateItems({folder.xml(), QStringLiteral("25"), QStringLiteral("1"), QStringList(6, QStringLiteral("100451")),
                   targets.root()},
                  mods);
    };

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
    } else if (c.action == kGenerate) {
      generate();
      EXPECT_FALSE(QFileInfo::exists(leftover));
      EXPECT_EQ(test::Snapshot(mod), test::Snapshot(tmpl));
    }
    if (c.action != kGenerateKilled) {
      EXPECT_EQ(QDir(mods).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{kModFolderName});
      continue;
    }

    using State = std::optional<QMap<QString, QByteArray>>;
    auto state = [](const QString& path) { return QFileInfo::exists(path) ? State(test::Snapshot(path)) : std::nullopt; };
    const bool intoDisabled = c.products && !c.enabled && c.disabled;
    for (int step = 1;; ++step) {
      SCOPED_TRACE(step);
      QDir(mods).removeRecursively();
      QDir().mkpath(mods);
      for (const auto& [there, copy] : {std::pair(c.enabled, mod), std::pair(c.disabled, disabled)}) {
        if (there && QDir().mkpath(copy)) test::WriteBytes(copy + QStringLiteral("/earlier.txt"), copy.toUtf8());
      }
      const State enabledBefore = state(mod), disabledBefore = state(disabled);
#ifdef _WIN32
      generate();  // without fork no kill, only the whole run, which swaps in two steps there
      const QString done = QStringLiteral("fertig");
#else
      const QString done = test::InChild([&] {
        test::KillAtStep(step, c.oneStepSwap);
        generate();
        return QStringLiteral("fertig");
      });
#endif
      ASSERT_TRUE(done.isEmpty() || done == QStringLiteral("fertig")) << done.toStdString();
      const bool killed = done.isEmpty();
      const State enabledAfter = c.products && !intoDisabled ? state(tmpl) : std::nullopt;
      const State disabledAfter = intoDisabled ? state(tmpl) : c.products ? disabledBefore : std::nullopt;
      for (bool restarted : {false, killed}) {
        if (restarted) RestoreDeployedFolder(mod);  // with the next line, what every start runs
        if (restarted) RemoveWriteLeftovers(folder.xml());
        const QStringList loaded = test::LoadedMods(mods);
        EXPECT_TRUE(loaded.isEmpty() || (loaded == QStringList{kModFolderName} &&
                                         (state(mod) == enabledBefore || state(mod) == enabledAfter)))
            << loaded.join(QLatin1Char('|')).toStdString();
      }
      EXPECT_TRUE((killed && state(mod) == enabledBefore) || state(mod) == enabledAfter);
      EXPECT_TRUE((killed && state(disabled) == disabledBefore) || state(disabled) == disabledAfter);
      // Nothing is left beside the copies: every name set aside or staged holds a ".".
      EXPECT_EQ(QDir(mods).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).filter(QStringLiteral(".")), QStringList());
      if (!killed) break;
    }
  }
}
