#include "engine/station_sources.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

StationSource Entry(char kind, int region, int index, uint32_t id, std::string source, std::string sourceId) {
  StationSource e;
  e.kind = kind;
  e.region = region;
  e.index = index;
  e.stationId = id;
  e.source = std::move(source);
  e.sourceId = std::move(sourceId);
  e.timeZone = "Europe/Oslo";
  e.licence = "cc-by-4.0";
  e.attribution = "Neaps tide database, \"quoted\"";
  return e;
}

// The writer's file reads back whole, with the label, agency, licence and context columns.
TEST(StationSources, CsvLinesSplitByTheQuotingRules) {
  struct Case {
    std::string_view line;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"", {""}},
      {"a,,b,", {"a", "", "b", ""}},
      {R"("x, y",z)", {"x, y", "z"}},
      {R"("say ""hi""",2)", {R"(say "hi")", "2"}},
      {R"("",a"b)", {"", R"(a"b)"}},         // a quote inside an unquoted field is a quote
      {R"("ab"c"d,e)", {R"(abc"d)", "e"}},  // after the closing quote the rest is as it is
  };
  std::vector<std::string> fields;
  for (const Case& c : cases) {
    ASSERT_TRUE(SplitCsvLine(c.line, fields)) << c.line;
    EXPECT_EQ(fields, c.fields) << c.line;
  }
  EXPECT_FALSE(SplitCsvLine(R"(a,"open)", fields));
  EXPECT_FALSE(SplitCsvLine(R"("a"",b)", fields));
}

TEST(StationSources, WrittenFileReadsBackWithItsLabels) {
  StationSource ticon = Entry('T', 32, 3, 32004, "TICON-4", "andenes-800-nor-uhslc_fd");
  ticon.sourceLabel = "TICON-4 (UHSLC)";
  ticon.sourceName = "TICON-4 (Hart-Davis, Dettmering, Seitz 2025)";
  ticon.agency = "University of Hawaii Sea Level Center";
  ticon.licence = "cc-by-nc-4.0";
  ticon.licenceUrl = "https://creativecommons.org/licenses/by-nc/4.0/";
  ticon.commercialUse = false;
  StationSource noaa = Entry('C', 5, 0, 5001, "NOAA", "SFB1203");
  noaa.sourceLabel = "NOAA";
  noaa.context = "0.46 Nm E of";
  StationSources sources;
  ASSERT_TRUE(sources.Parse(EncodeStationSources({ticon, noaa})));
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(sources.skippedLines(), 0u);
  const StationSource* t = sources.Find('T', 32, 3);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(SourceLabel(*t), "TICON-4 (UHSLC)");
  EXPECT_EQ(t->agency, "University of Hawaii Sea Level Center");
  EXPECT_EQ(t->attribution, "Neaps tide database, \"quoted\"");
  EXPECT_TRUE(IsNonCommercial(*t));
  EXPECT_EQ(LicenceName(t->licence), "CC BY-NC 4.0");
  EXPECT_EQ(sources.FindByStationId('T', 32004), t);
  EXPECT_EQ(sources.FindByStationId('C', 32004), nullptr);  // ids are per kind
  EXPECT_EQ(sources.FindByStationId('C', 5001)->context, "0.46 Nm E of");
}

// A file of an earlier edition, with the nine first columns only, still reads: the label
// is the source family, and the licence id says whether commercial use is allowed. Extra
// columns this program does not know are passed over; a line of another width is skipped.
TEST(StationSources, EarlierAndLaterEditionsRead) {
  StationSources sources;
  ASSERT_TRUE(sources.Parse("kind,region,index,station_id,source,source_id,time_zone,licence,attribution\n"
                            "T,35,0,35001,TICON-4,brest,Europe/Paris,cc-by-nc-4.0,x\n"
                            "T,35,1,35002,TICON-4,brest2,Europe/Paris,cc-by-4.0\n"));
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources.skippedLines(), 1u);
  EXPECT_EQ(SourceLabel(sources.entries()[0]), "TICON-4");
  EXPECT_TRUE(IsNonCommercial(sources.entries()[0]));

  ASSERT_TRUE(sources.Parse("kind,region,index,station_id,source,source_id,time_zone,licence,attribution,"
                            "future_column,source_label\n"
                            "T,35,0,35001,TICON-4,brest,Europe/Paris,cc-by-4.0,x,whatever,TICON-4 (REFMAR)\n"));
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(SourceLabel(sources.entries()[0]), "TICON-4 (REFMAR)");
  EXPECT_FALSE(IsNonCommercial(sources.entries()[0]));

  EXPECT_FALSE(sources.Parse("kind,region,index,station_id,source\nT,1,0,1,NOAA\n"));
}

}  // namespace
}  // namespace qw
