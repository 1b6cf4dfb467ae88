#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    saved_ = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_.path().string()));
  }
  void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved_); }

  // Runs the probe to its end (a second start) and returns what it printed.
  QString RunSecond(const QStringList& args) {
    QProcess probe;
    probe.start(QStringLiteral(QW_INSTANCE_PROBE), args);
    if (!test::SpinUntil([&] { return probe.state() == QProcess::NotRunning; })) {
      probe.kill();
      probe.waitForFinished();
      return "timeout";
    }
    return QString::fromLatin1(probe.readAllStandardOutput()).trimmed();
  }
  test::TempDir runtime_;
  QByteArray saved_;
};

TEST_F(SingleInstanceTest, SecondStartHandsItsCommandLineToTheFirst) {
  SingleInstance first("qwtest");
  QStringList received;
  QObject::connect(&first, &SingleInstance::activationRequested,
                   [&](const QStringList& args) { received = args; });
  ASSERT_EQ(first.Start({}), SingleInstance::Role::First);
  EXPECT_EQ(RunSecond({"qwtest", "/INT", "second arg"}), "handed");
  EXPECT_EQ(received, (QStringList{"/INT", "second arg"}));
}

TEST_F(SingleInstanceTest, CrashedCopyLeavesNothingInTheWay) {
  QProcess crashed;
  crashed.start(QStringLiteral(QW_INSTANCE_PROBE), {"qwtest"});
  ASSERT_TRUE(crashed.waitForReadyRead(10000));
  ASSERT_EQ(QString::fromLatin1(crashed.readAllStandardOutput()).trimmed(), "first");
  crashed.kill();  // no clean-up: the lock file and the socket file stay behind
  crashed.waitForFinished();

  SingleInstance next("qwtest");
  EXPECT_TRUE(QFile::exists(next.lockPath()));
  EXPECT_TRUE(QFile::exists(next.socketPath()));
  ASSERT_EQ(next.Start({}), SingleInstance::Role::First);
  EXPECT_TRUE(next.problem().isEmpty()) << next.problem().toStdString();
  bool activated = false;
  QObject::connect(&next, &SingleInstance::activationRequested, [&] { activated = true; });
  EXPECT_EQ(RunSecond({"qwtest"}), "handed");
  EXPECT_TRUE(activated);
}

TEST_F(SingleInstanceTest, AStartHandedOverBeforeTheHandlerIsConnectedIsKept) {
  SingleInstance first("qwtest-early");
  ASSERT_EQ(first.Start({}), SingleInstance::Role::First);
  // The first copy is still showing a warning box at start: nothing is connected yet.
  EXPECT_EQ(RunSecond({"qwtest-early", "/MIN"}), "handed");
  QStringList received;
  first.ConnectActivation(&first, [&](const QStringList& args) { received = args; });
  EXPECT_EQ(received, QStringList{"/MIN"});
}

TEST_F(SingleInstanceTest, AStartWhileTheFirstCopyShutsDownBecomesTheFirst) {
  // A copy that holds the lock and no longer answers, as while it shuts down.
  SingleInstance probe("qwtest-stop");
  QLockFile closing(probe.lockPath());
  ASSERT_TRUE(closing.tryLock(0));
  QProcess second;
  second.start(QStringLiteral(QW_INSTANCE_PROBE), {"qwtest-stop"});
  ASSERT_TRUE(second.waitForStarted(10000));
  test::SpinUntil([] { return false; }, 600);
  closing.unlock();
  const bool printed = test::SpinUntil([&] { return second.bytesAvailable() > 0 || second.state() == QProcess::NotRunning; });
  const QString said = QString::fromLatin1(second.readAllStandardOutput()).trimmed();
  second.kill();
  second.waitForFinished();
  ASSERT_TRUE(printed);
  EXPECT_EQ(said, "first");
}

TEST_F(SingleInstanceTest, LongRuntimeFolderFallsBackToAShortSocketPath) {
  test::TempDir deep;
  const std::string longPath = (deep.path() / std::string(120, 'x')).string();
  std::filesystem::create_directories(longPath);
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(longPath));
  SingleInstance first("qwtest-long");
  EXPECT_LT(first.socketPath().toLocal8Bit().size(), 107);
  ASSERT_EQ(first.Start({}), SingleInstance::Role::First);
  EXPECT_TRUE(first.problem().isEmpty()) << first.problem().toStdString();
}

}  // namespace
}  // namespace qw
