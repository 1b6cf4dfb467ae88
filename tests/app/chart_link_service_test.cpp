#include "app/chart_link_service.h"

#include <gtest/gtest.h>

#include "tests/app/app_test_support.h"

namespace qw {
namespace {

class FakeBlock : public ChartSharedBlock {
 public:
  bool openFails = false;
  ChartBlockBytes bytes{};
  bool Open(std::string& warning) override {
    if (openFails) warning = "Error opening mapping";
    return !openFails;
  }
  bool Read(ChartBlockBytes& out) override {
    out = bytes;
    return true;
  }
  void Set(const ChartRequestBlock& request) { EncodeChartRequest(request, bytes.data()); }
};

class FakeHost : public ChartLinkHost {
 public:
  test::FakeStations stations;
  std::vector<std::string> warnings;
  bool integrated = false, restored = false, dialogOpen = false, refreshed = false;
  std::vector<std::pair<StationRef, std::optional<CalendarDay>>> opened;
  std::vector<StationRef> realTime;
  int shownMode = 0;
  bool showChange = false;
  // Runs inside OpenFromChart, to send a second request while the first is served.
  std::function<void()> duringOpen;

  const StationDirectory& Stations() const override { return stations; }
  void ShowChartWarning(const std::string& text) override { warnings.push_back(text); }
  void EnterIntegratedMode() override { integrated = true; }
  void RestoreMainWindow() override { restored = true; }
  void OpenFromChart(const StationRef& s, const std::optional<CalendarDay>& day) override {
    opened.emplace_back(s, day);
    if (duringOpen) duringOpen();
  }
  bool RealTimeDialogOpen() const override { return dialogOpen; }
  int RealTimeEntryCount(StationKind kind) const override {
    int n = 0;
    for (const StationRef& s : realTime) n += s.kind == kind;
    return n;
  }
  void AddRealTimeStation(const StationRef& s) override { realTime.push_back(s); }
  void RefreshRealTime() override { refreshed = true; }
  void ShowRealTime(int mode) override { shownMode = mode; }
  void SetRealTimeOptions(bool change, bool clear) override {
    showChange = change;
    if (clear) realTime.clear();
  }
};

class ChartLinkServiceTest : public ::testing::Test {
 protected:
  ChartLinkServiceTest() : service_(host_, block_) {
    host_.stations.regions[StationKind::Tide] = {{0, 9447130, 9444900}, {1, 2}};
    host_.stations.regions[StationKind::Current] = {{0, 5}};
  }
  ChartRequestBlock Tide(uint16_t slot, uint16_t index, int y = 2024, int m = 6, int d = 15) {
    ChartRequestBlock r;
    r.kindFlags = 1;
    r.regionSlot = slot;
    r.stationIndex = index;
    r.year = static_cast<uint16_t>(y);
    r.month = static_cast<uint16_t>(m);
    r.dayOrShow = static_cast<uint16_t>(d);
    return r;
  }
  int32_t Open(const ChartRequestBlock& r) {
    block_.Set(r);
    return service_.Handle(kChartOpenLocation, 0);
  }
  FakeHost host_;
  FakeBlock block_;
  ChartLinkService service_;
};

TEST_F(ChartLinkServiceTest, BlockLayoutIsLittleEndianAtTheDocumentedOffsets) {
  ChartRequestBlock r = Tide(0x0102, 0x0304, 0x0506, 0x0708, 0x090A);
  r.kindFlags = 0x0B0C;
  r.restoreMainWindow = 0x11223344;
  ChartBlockBytes bytes{};
  EncodeChartRequest(r, bytes.data());
  const uint8_t expected[] = {0x0C, 0x0B, 0x02, 0x01, 0x04, 0x03, 0x0A, 0x09, 0x08,
                              0x07, 0x06, 0x05, 0x00, 0x00, 0x44, 0x33, 0x22, 0x11};
  for (size_t i = 0; i < sizeof expected; ++i) EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
  EXPECT_EQ(DecodeChartRequest(bytes.data()), r);
}

TEST_F(ChartLinkServiceTest, OpenRequestOpensTheStationOnItsDay) {
  ChartRequestBlock r = Tide(0, 1);
  r.restoreMainWindow = 1;
  EXPECT_EQ(Open(r), kChartDone);
  ASSERT_EQ(host_.opened.size(), 1u);
  EXPECT_EQ(host_.opened[0].first, (StationRef{StationKind::Tide, 0, 1}));
  EXPECT_EQ(host_.opened[0].second, (CalendarDay{2024, 6, 15}));
  EXPECT_TRUE(host_.integrated);
  EXPECT_TRUE(host_.restored);
  EXPECT_FALSE(service_.busy());

  // No date at all: today.
  ChartRequestBlock noDate = Tide(0, 2);
  noDate.year = noDate.month = noDate.dayOrShow = kChartNone16;
  noDate.kindFlags = 3;  // both bits: tides first
  EXPECT_EQ(Open(noDate), kChartDone);
  EXPECT_EQ(host_.opened.back().second, std::nullopt);
}

TEST_F(ChartLinkServiceTest, OpenRequestResultCodes) {
  ChartRequestBlock noKind = Tide(0, 1);
  noKind.kindFlags = 4;
  EXPECT_EQ(Open(noKind), kChartInvalidKind);
  EXPECT_EQ(Open(Tide(2, 0)), kChartInvalidStation);            // no third tide region
  EXPECT_EQ(Open(Tide(0, 3)), kChartInvalidStation);            // past the region's end
  EXPECT_EQ(Open(Tide(0, kChartNone16)), kChartInvalidStation);  // the region alone
  EXPECT_EQ(Open(Tide(0, 0)), kChartNotPredictionStation);      // a general-area heading
  EXPECT_EQ(Open(Tide(0, 1, 1900)), kChartInvalidDate);
  EXPECT_EQ(Open(Tide(0, 1, 2100)), kChartInvalidDate);
  EXPECT_EQ(Open(Tide(0, 1, 2023, 2, 29)), kChartInvalidDate);  // no such day
  EXPECT_EQ(Open(Tide(0, 1, 2024, 13, 1)), kChartInvalidDate);
  EXPECT_EQ(Open(Tide(0, 1, 1901, 1, 1)), kChartDone);
  EXPECT_EQ(Open(Tide(0, 1, 2099, 12, 31)), kChartDone);
  ChartRequestBlock current = Tide(0, 1);
  current.kindFlags = 2;
  EXPECT_EQ(Open(current), kChartDone);
  EXPECT_EQ(host_.opened.back().first.kind, StationKind::Current);
  EXPECT_EQ(host_.opened.size(), 3u);  // only the good requests opened windows
  EXPECT_FALSE(service_.busy());

  EXPECT_EQ(service_.Handle(4000, 0), kChartUnknownMessage);
}

TEST_F(ChartLinkServiceTest, RequestsWhileOneIsServedAreBusy) {
  std::vector<int32_t> nested;
  host_.duringOpen = [&] {
    nested.push_back(service_.Handle(kChartOpenLocation, 0));
    nested.push_back(service_.Handle(kChartShowRealTime, 1));
    nested.push_back(service_.Handle(kChartAddRealTime, 0));
    nested.push_back(service_.Handle(kChartRealTimeOptions, 1));
  };
  EXPECT_EQ(Open(Tide(0, 1)), kChartDone);
  EXPECT_EQ(nested, (std::vector<int32_t>{kChartBusy, kChartBusy, kChartBusy, kChartBusy}));
  EXPECT_EQ(host_.opened.size(), 1u);
}

TEST_F(ChartLinkServiceTest, MissingSharedBlockWarnsAndAnswersSix) {
  block_.openFails = true;
  EXPECT_EQ(service_.Handle(kChartOpenLocation, 0), kChartNoSharedBlock);
  EXPECT_EQ(host_.warnings, std::vector<std::string>{"Error opening mapping"});
  EXPECT_FALSE(service_.busy());
}

TEST_F(ChartLinkServiceTest, RealTimeRequests) {
  ChartRequestBlock add = Tide(0, 1);
  add.dayOrShow = 1;  // refresh afterwards
  block_.Set(add);
  host_.dialogOpen = true;
  EXPECT_EQ(service_.Handle(kChartAddRealTime, 0), kChartRealTimeDialogOpen);
  host_.dialogOpen = false;
  EXPECT_EQ(service_.Handle(kChartAddRealTime, 0), kChartDone);
  EXPECT_TRUE(host_.refreshed);
  ASSERT_EQ(host_.realTime.size(), 1u);

  add.stationIndex = 0;
  block_.Set(add);
  EXPECT_EQ(service_.Handle(kChartAddRealTime, 0), kChartNotPredictionStation);
  add.kindFlags = 0;
  block_.Set(add);
  EXPECT_EQ(service_.Handle(kChartAddRealTime, 0), kChartInvalidKind);

  // Fifteen tide entries fill the tide list; the current list still has room.
  host_.realTime.assign(15, StationRef{StationKind::Tide, 0, 1});
  block_.Set(Tide(0, 1));
  EXPECT_EQ(service_.Handle(kChartAddRealTime, 0), kChartRealTimeListFull);
  ChartRequestBlock current = Tide(0, 1);
  current.kindFlags = 2;
  block_.Set(current);
  EXPECT_EQ(service_.Handle(kChartAddRealTime, 0), kChartDone);

  EXPECT_EQ(service_.Handle(kChartShowRealTime, 2), kChartDone);
  EXPECT_EQ(host_.shownMode, 2);
  EXPECT_EQ(service_.Handle(kChartRealTimeOptions, 3), kChartDone);
  EXPECT_TRUE(host_.showChange);
  EXPECT_TRUE(host_.realTime.empty());
}

}  // namespace
}  // namespace qw
