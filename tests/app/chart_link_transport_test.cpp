// Both directions of the chart link, against the test partner program playing the
// charting program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QSharedMemory>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "app/chart_link_transport.h"
#include "app/chart_partner_link.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

// Points the runtime folder (sockets, the partner folder) at a private temp folder.
class ChartLinkTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    saved_ = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_.path().string()));
  }
  void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved_); }

  QString Partner() const { return QStringLiteral(QW_CHART_PARTNER); }
  test::TempDir runtime_;
  QByteArray saved_;
};

class RecordingHost : public ChartLinkHost {
 public:
  test::FakeStations stations;
  std::vector<StationRef> opened;
  std::optional<CalendarDay> day;
  const StationDirectory& Stations() const override { return stations; }
  void ShowChartWarning(const std::string&) override {}
  void EnterIntegratedMode() override {}
  void RestoreMainWindow() override {}
  void OpenFromChart(const StationRef& s, const std::optional<CalendarDay>& d) override {
    opened.push_back(s);
    day = d;
  }
  bool RealTimeDialogOpen() const override { return false; }
  int RealTimeEntryCount(StationKind) const override { return 0; }
  void AddRealTimeStation(const StationRef&) override {}
  void RefreshRealTime() override {}
  void ShowRealTime(int) override {}
  void SetRealTimeOptions(bool, bool) override {}
};

TEST_F(ChartLinkTransportTest, PartnerRequestsGetResultCodes) {
  RecordingHost host;
  host.stations.regions[StationKind::Tide] = {{0, 9447130}};
  QtChartSharedBlock block;
  ChartLinkService service(host, block);
  ChartLinkServer server(service);
  QString error;
  ASSERT_TRUE(server.Listen(ChartRequestSocketPath(), &error)) << error.toStdString();

  auto request = [&](QStringList fields) -> QString {
    QProcess partner;
    partner.start(Partner(), QStringList{"request", ChartRequestSocketPath()} + fields);
    const bool finished = test::SpinUntil([&] { return partner.state() == QProcess::NotRunning; });
    if (!finished) {
      partner.kill();
      partner.waitForFinished();
      return "timeout";
    }
    return QString::fromLatin1(partner.readAllStandardOutput()).trimmed();
  };
  EXPECT_EQ(request({"3082", "0", "1", "0", "1", "15", "6", "2024", "0"}), "0");
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0], (StationRef{StationKind::Tide, 0, 1}));
  EXPECT_EQ(host.day, (CalendarDay{2024, 6, 15}));
  EXPECT_EQ(request({"3082", "0", "1", "0", "1", "15", "6", "1900", "0"}), "12");
  EXPECT_EQ(request({"3082", "0", "1", "0", "1", "15", "6", "2100", "0"}), "12");
  EXPECT_EQ(request({"3082", "0", "4", "0", "1", "15", "6", "2024", "0"}), "15");
  EXPECT_EQ(request({"3082", "0", "1", "0", "9", "15", "6", "2024", "0"}), "13");
  EXPECT_EQ(request({"3082", "0", "1", "0", "0", "15", "6", "2024", "0"}), "18");
  EXPECT_EQ(host.opened.size(), 1u);
}

// The block is the user's own: one open to other users (which another user could have
// made or could feed) is refused, and a lock held too long does not freeze the reader.
TEST_F(ChartLinkTransportTest, TheSharedBlockMustBePrivateAndItsLockTimesOut) {
  QSharedMemory made;
  made.setNativeKey(ChartSharedBlockKeyPath());
  ASSERT_TRUE(QString(made.nativeKey()).startsWith(QString::fromStdString(runtime_.path().string())));
  ASSERT_TRUE(made.create(static_cast<qsizetype>(kChartSharedBlockSize))) << made.errorString().toStdString();
  const int id = shmget(ftok(QFile::encodeName(made.nativeKey()).constData(), 'Q'), 0, 0);
  ASSERT_GE(id, 0);
  shmid_ds info{};
  ASSERT_EQ(shmctl(id, IPC_STAT, &info), 0);
  info.shm_perm.mode = 0666;
  ASSERT_EQ(shmctl(id, IPC_SET, &info), 0);
  {
    QtChartSharedBlock open;
    std::string warning;
    EXPECT_FALSE(open.Open(warning));
    EXPECT_NE(warning.find("open to other users"), std::string::npos) << warning;
  }
  info.shm_perm.mode = 0600;
  ASSERT_EQ(shmctl(id, IPC_SET, &info), 0);
  QtChartSharedBlock block;
  std::string warning;
  ASSERT_TRUE(block.Open(warning)) << warning;
  ChartBlockBytes bytes{};
  EXPECT_TRUE(block.Read(bytes));
  QLockFile held(ChartSharedBlockLockPath());
  ASSERT_TRUE(held.tryLock(0));
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(block.Read(bytes));
  EXPECT_LT(clock.elapsed(), 5 * kChartBlockLockMs);
}

TEST_F(ChartLinkTransportTest, ViewOnChartFindsARunningPartner) {
  const QString record = QString::fromStdString(runtime_.File("record.txt"));
  QProcess partner;
  partner.start(Partner(), {"listen", record});
  ASSERT_TRUE(test::SpinUntil([] { return FindChartPartner(1).has_value(); }));

  // A program in the folder that does not speak the interface is passed over.
  LocalFrameServer stranger([](const LocalFrame&) -> uint32_t { return 7; });
  ASSERT_TRUE(stranger.Listen(NavigationDirectory() + "/aaa-stranger"));

  ViewOnChartRequest request;
  request.latitude = 47.6026;
  request.longitude = -122.3393;
  request.kind = StationKind::Current;
  request.senderId = 1234;
  EXPECT_EQ(ViewOnChart(request), ViewOnChartResult::Sent);
  ASSERT_TRUE(test::SpinUntil([&] { return partner.state() == QProcess::NotRunning; }));
  EXPECT_EQ(partner.exitCode(), 0);

  QFile file(record);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], "36 " + ChartPositionBlock(47.6026, -122.3393).toHex());
  EXPECT_EQ(lines[1], "42 c800000000000000" "6a000000");
}

TEST_F(ChartLinkTransportTest, ViewOnChartStartsTheChartingProgramOnce) {
  const QString record = QString::fromStdString(runtime_.File("record.txt"));
  qputenv("QW_PARTNER_RECORD", record.toUtf8());
  ViewOnChartRequest request;
  request.latitude = -33.85;
  request.longitude = 151.2;
  request.chartProgram = Partner();
  EXPECT_EQ(ViewOnChart(request, 10000), ViewOnChartResult::Sent);
  ASSERT_TRUE(test::SpinUntil([&] {
    QFile file(record);
    return file.open(QIODevice::ReadOnly) && file.readAll().count('\n') == 2;
  }));
  QFile file(record);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "36 " + ChartPositionBlock(-33.85, 151.2).toHex() + "\n42 c8000000000000006900000" "0\n");

  request.chartProgram = QString::fromStdString(runtime_.File("no-such-program"));
  // Wait for the partner to leave, then nothing answers and nothing can be started.
  ASSERT_TRUE(test::SpinUntil([] { return !FindChartPartner(1).has_value(); }));
  EXPECT_EQ(ViewOnChart(request, 500), ViewOnChartResult::LaunchFailed);
}

TEST(ChartBlocksTest, PositionAndViewBlocks) {
  const QByteArray position = ChartPositionBlock(1.5, -2.25);
  ASSERT_EQ(position.size(), 55);
  // 1.5 = 0x3FF8000000000000, -2.25 = 0xC002000000000000, little-endian.
  EXPECT_EQ(position.mid(35, 8).toHex(), "000000000000f83f");
  EXPECT_EQ(position.mid(43, 8).toHex(), "00000000000002c0");
  EXPECT_EQ(position.left(35), QByteArray(35, '\0'));
  EXPECT_EQ(position.mid(51), QByteArray(4, '\0'));
  EXPECT_EQ(ChartViewBlock(StationKind::Tide).toHex(), "c800000000000000" "69000000");
}

}  // namespace
}  // namespace qw
