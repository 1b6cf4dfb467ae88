#include "engine/station_sources.h"

#include <gtest/gtest.h>

#include <memory>

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


// What an opened file's lookups answer, each by searching the text, is what the whole
// read answers: the first good line of a station stands over a damaged or a second one,
// quoted leading fields are read by the quoting rules, and after enough searches the
// file is read whole without moving the entries already handed out.
TEST(StationSources, OpenedFileAnswersAsTheWholeRead) {
  const std::string text =
      "\xEF\xBB\xBFkind,region,index,station_id,source,source_id,time_zone,licence,attribution,source_label\r\n"
      "T,5,0,5001,NOAA,9414290,America/Los_Angeles,public domain,a,NOAA\r\n"
      "\r\n"
      "T,5,1,5002,NOAA,9414750,America/Los_Angeles,public domain,a\n"           // a field short
      "T,5,1,5002,NOAA,9414750,America/Los_Angeles,public domain,a,second\n"   // first good line
      "T,5,1,5003,NOAA,9414751,America/Los_Angeles,public domain,a,third\n"    // a second line
      "\"T\",5,\"2\",5004,NOAA,\"SFB\"\"1\",America/Los_Angeles,public domain,\"b, c\",x\n"
      "T,5,3,5005,NOAA,sfb\"1,America/Los_Angeles,public domain,b,x\n"
      "T,5,0400,5006,NOAA,9414290,America/Los_Angeles,public domain,b,x\n"
      "T,100,1,5007,NOAA,77,UTC,public domain,b,x\n"                           // region out of range
      "C,5,0,5001,NOAA,9414290,America/Los_Angeles,cc-by-nc-4.0,c,NOAA\n"
      "T,6,0,5008,NOAA,9414290\n"
      "T,7,0,5009,NOAA,,UTC,public domain,d,x\n";
  StationSources whole;
  ASSERT_TRUE(whole.Parse(text));
  auto same = [](const StationSource* a, const StationSource* b) {
    if (!a || !b) return a == b;
    return EncodeStationSources({*a}) == EncodeStationSources({*b});
  };
  // Each question to a newly opened file (so answered by a search) and to `asked`.
  auto compare = [&](const StationSources& asked) {
    auto opened = [&] {
      auto sources = std::make_unique<StationSources>();
      EXPECT_TRUE(sources->OpenText(text));
      return sources;
    };
    for (char kind : {'T', 'C'}) {
      for (int region : {5, 6, 7, 100}) {
        for (int index : {0, 1, 2, 3, 4, 400}) {
          EXPECT_TRUE(same(opened()->Find(kind, region, index), whole.Find(kind, region, index)))
              << kind << region << ":" << index;
          EXPECT_TRUE(same(asked.Find(kind, region, index), whole.Find(kind, region, index)));
        }
      }
      for (uint32_t id : {5001u, 5002u, 5003u, 5004u, 5005u, 5006u, 5007u, 5008u, 5009u}) {
        EXPECT_TRUE(same(opened()->FindByStationId(kind, id), whole.FindByStationId(kind, id))) << kind << id;
        EXPECT_TRUE(same(asked.FindByStationId(kind, id), whole.FindByStationId(kind, id)));
      }
      for (const char* sourceId : {"9414290", "9414750", "9414751", "SFB\"1", "Sfb\"1", "77", ""}) {
        const auto searching = opened();
        for (const StationSources* sources : std::initializer_list<const StationSources*>{searching.get(), &asked}) {
          const std::vector<const StationSource*> a = sources->FindBySourceId(kind, sourceId);
          const std::vector<const StationSource*> b = whole.FindBySourceId(kind, sourceId);
          ASSERT_EQ(a.size(), b.size()) << kind << sourceId;
          for (size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(same(a[i], b[i])) << kind << sourceId;
        }
      }
    }
  };
  StationSources opened;
  ASSERT_TRUE(opened.OpenText(text));
  const StationSource* second = opened.Find('T', 5, 1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->sourceLabel, "second");
  EXPECT_EQ(opened.FindBySourceId('T', "sfb\"1").size(), 2u);
  EXPECT_EQ(opened.Find('T', 5, 2)->attribution, "b, c");
  compare(opened);  // past the searches allowed, so the later answers come from the whole read
  EXPECT_EQ(opened.size(), whole.size());
  EXPECT_EQ(opened.skippedLines(), whole.skippedLines());
  EXPECT_EQ(second->sourceLabel, "second");

  StationSources indexedAtOnce;  // entries() reads the whole file before any search
  ASSERT_TRUE(indexedAtOnce.OpenText(text));
  EXPECT_EQ(EncodeStationSources(indexedAtOnce.entries()), EncodeStationSources(whole.entries()));
  compare(indexedAtOnce);

  std::string error;
  EXPECT_FALSE(opened.OpenText("kind,region\nT,1\n", &error));
  EXPECT_EQ(error, "the station source list does not start with the expected header");
  EXPECT_EQ(opened.Find('T', 5, 1), nullptr);
  EXPECT_FALSE(opened.Open("/nonexistent/catalogue.csv", &error));
  EXPECT_EQ(opened.size(), 0u);
}

}  // namespace
}  // namespace qw
