#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <cerrno>
#include <stdexcept>

#include "platform/folders.h"
#include "platform/oserror.h"
#include "tests/testsupport.h"

using namespace bw;

// Whatever happens to the tree while it goes, nothing outside it is touched: not the folder
// a subfolder is moved into while the walk is inside it (at the walk's first deletion), not
// a folder mounted inside the tree, even from the same file system. The message names the
// folder where the walk stopped.
TEST(RemoveTree, NeverTouchesWhatLiesOutsideItsTree) {
  BW_LINUX_ONLY("a preloaded library and a mount namespace");
#ifndef _WIN32
  for (const bool mounted : {false, true}) {
    SCOPED_TRACE(mounted ? "a bind mount inside" : "a folder moved out mid-walk");
    const test::ProgramFolder root(false);
    const QString tree = root.path() + QStringLiteral("tree"), outside = root.path() + QStringLiteral("outside");
    QDir().mkpath(tree + QStringLiteral("/a/b"));
    QDir().mkpath(outside);
    for (const char* file : {"/a/b/1.txt", "/a/b/2.txt"}) test::WriteBytes(tree + QLatin1String(file), "1");
    test::WriteBytes(outside + QStringLiteral("/keep.txt"), "keep");
    QString message;
    if (mounted) {
      message = test::InChild([&] {
        if (!test::PrivateBindMount(outside, tree + QStringLiteral("/a/b"))) return QStringLiteral("skip");
        RemoveTree(tree.toStdString());
        return QString();
      });
      if (message == QStringLiteral("skip")) GTEST_SKIP() << "no mount namespace of our own here";
    } else {
      QProcess helper;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(BRENNWICK_MOVESHIM));
      env.insert(QStringLiteral("BW_MOVE_FROM"), tree + QStringLiteral("/a/b"));
      env.insert(QStringLiteral("BW_MOVE_TO"), outside + QStringLiteral("/b"));
      helper.setProcessEnvironment(env);
      helper.start(test::BuiltProgram("brennwick_helper"), {QStringLiteral("--remove"), tree});
      ASSERT_TRUE(helper.waitForFinished());
      message = QString::fromUtf8(helper.readAllStandardOutput());
    }
    EXPECT_TRUE(message.startsWith(QStringLiteral("Der Ordner „%1/a/b“ kann nicht gelöscht werden: ").arg(tree)))
        << message.toStdString();
    EXPECT_EQ(test::ReadBytes(outside + QStringLiteral("/keep.txt")), QByteArray("keep"));
  }
#endif
}

TEST(GermanReason, CommonCodesReadInGerman) {
  for (const int error : {EBUSY, ENOTEMPTY, EEXIST, EXDEV, ETXTBSY, EMFILE, ENFILE, ENOMEM, EINVAL, EAGAIN}) {
    EXPECT_EQ(GermanReason(error).find("Systemfehler"), std::string::npos) << GermanReason(error);
  }
  EXPECT_EQ(GermanReason(EBUSY), "Gerät oder Ressource belegt.");
}
