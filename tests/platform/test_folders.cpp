#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <cerrno>

#include "platform/folders.h"
#include "platform/oserror.h"
#include "tests/testsupport.h"

using namespace bw;

// Nothing outside the tree is touched: not the folder a subfolder is moved into while the
// walk is inside it (by a library preloaded into the helper, at its first deletion), not a
// folder mounted inside the tree from the same file system. The message names that folder.
TEST(RemoveTree, NeverTouchesWhatLiesOutsideItsTree) {
  BW_LINUX_ONLY("a preloaded library and a mount namespace");
#ifndef _WIN32
  for (const bool mounted : {false, true}) {
    SCOPED_TRACE(mounted ? "a bind mount inside" : "a folder moved out mid-walk");
    const test::ProgramFolder root(false);
    const QString tree = root.path() + "tree", b = tree + "/a/b", outside = root.path() + "outside";
    QDir().mkpath(b);
    QDir().mkpath(outside);
    test::WriteBytes(b + "/1.txt", "1");
    test::WriteBytes(outside + "/keep.txt", "keep");
    QString message;
    if (mounted) {
      message = test::InChild([&] {
        if (!test::PrivateBindMount(outside, b)) return QStringLiteral("skip");
        RemoveTree(tree.toStdString());
        return QString();
      });
      if (message == "skip") GTEST_SKIP() << "no mount namespace of our own here";
    } else {
      QProcess helper;
      helper.setEnvironment(QProcess::systemEnvironment() << "LD_PRELOAD=" BRENNWICK_MOVESHIM << "BW_MOVE_FROM=" + b
                                                           << "BW_MOVE_TO=" + outside + "/b");
      helper.start(test::BuiltProgram("brennwick_helper"), {"--remove", tree});
      helper.waitForFinished();
      message = QString::fromUtf8(helper.readAllStandardOutput());
    }
    EXPECT_TRUE(message.startsWith(QStringLiteral("Der Ordner „%1“ kann nicht gelöscht werden: ").arg(b))) << message.toStdString();
    EXPECT_EQ(test::ReadBytes(outside + "/keep.txt"), "keep");
  }
#endif
}

TEST(GermanReason, CommonCodesReadInGerman) {
  for (const int error : {EBUSY, ENOTEMPTY, EEXIST, EXDEV, ETXTBSY, EMFILE, ENFILE, ENOMEM, EINVAL, EAGAIN}) {
    EXPECT_FALSE(GermanReason(error).starts_with("Systemfehler")) << GermanReason(error);
  }
  EXPECT_EQ(GermanReason(EBUSY), "Gerät oder Ressource belegt.");
}
