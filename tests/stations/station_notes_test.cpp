// Station notes: the user's note files (written atomically, deleted when blank, damaged
// ones kept aside, the station name remembered with them), the official notes composed
// from the notes files, and the general notes composed from the record.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "engine/atomic_file.h"
#include "engine/data_dir.h"
#include "engine/official_notes_file.h"
#include "engine/station_database.h"
#include "stations/custom_location_file.h"
#include "stations/custom_locations.h"
#include "stations/station_index.h"
#include "stations/station_notes.h"
#include "tests/stations/catalogue_fixture.h"
#include "tests/support/source_fixture.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

int FailingRename(const char*, const char*) {
  errno = ENOSPC;
  return -1;
}

class StationNotesTest : public test::EngineTest {
 protected:
  ~StationNotesTest() override { SetAtomicRenameForTesting(nullptr); }
  const UserNoteKey key_{StationKind::Tide, 7, 1234};
};

TEST_F(StationNotesTest, UserNotesAreWrittenWholeAndDeletedWhenBlank) {
  EXPECT_EQ(UserNotePath(key_), DataFilePath("T0701234.not"));
  EXPECT_EQ(ReadUserNote(key_).text, "");
  EXPECT_FALSE(HasUserNote(key_));

  ASSERT_TRUE(WriteUserNote(key_, "Seattle", "Fuel dock closes at 18:00.\nVHF 66A."));
  EXPECT_EQ(FileText(UserNotePath(key_)), "Fuel dock closes at 18:00.\nVHF 66A.");
  EXPECT_TRUE(HasUserNote(key_));
  const UserNote note = ReadUserNote(key_);
  EXPECT_EQ(note.text, "Fuel dock closes at 18:00.\nVHF 66A.");
  EXPECT_EQ(note.savedFor, "Seattle");

  // Line ends alone are a note; spaces and tabs alone are none.
  ASSERT_TRUE(WriteUserNote(key_, "Seattle", "\n\n"));
  EXPECT_TRUE(HasUserNote(key_));
  ASSERT_TRUE(WriteUserNote(key_, "Seattle", " \t  "));
  EXPECT_FALSE(HasUserNote(key_));
  EXPECT_EQ(ReadUserNote(key_).savedFor, "");
}

TEST_F(StationNotesTest, NotesOfOtherProgramsAreRead) {
  // Upper-case extension, Windows line ends and Windows-1252 text.
  WriteText(DataFilePath("T0701234.NOT"), "Caf\xE9 on the pier\r\nWatch the \x93rip\x94");
  EXPECT_TRUE(HasUserNote(key_));
  EXPECT_EQ(ReadUserNote(key_).text, "Caf\xC3\xA9 on the pier\nWatch the \xE2\x80\x9Crip\xE2\x80\x9D");
}

TEST_F(StationNotesTest, DamagedNoteFilesAreLeftByReadersAndKeptBeforeTheyAreReplaced) {
  const std::string path = UserNotePath(key_);
  const std::string damaged("half\0written", 12);
  WriteText(path, damaged);
  // Readers (the notes dialog, the notes report, the command line) only report.
  for (int reading = 0; reading < 2; ++reading) {
    const UserNote note = ReadUserNote(key_);
    EXPECT_EQ(note.text, "");
    EXPECT_TRUE(note.damaged);
    EXPECT_FALSE(note.problem.empty());
  }
  EXPECT_EQ(FileText(path), damaged);
  EXPECT_FALSE(fs::exists(path + ".damaged"));

  // Saving new notes keeps the damaged file first, once.
  ASSERT_TRUE(WriteUserNote(key_, "Seattle", "Fresh note"));
  EXPECT_EQ(FileText(path + ".damaged"), damaged);
  EXPECT_EQ(ReadUserNote(key_).text, "Fresh note");
  WriteText(path, damaged);
  ASSERT_TRUE(DeleteUserNote(key_));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(fs::exists(path + ".damaged2"));
}

TEST_F(StationNotesTest, FailedRenameKeepsTheOldNote) {
  ASSERT_TRUE(WriteUserNote(key_, "Seattle", "Old note"));
  SetAtomicRenameForTesting(&FailingRename);
  std::string error;
  EXPECT_FALSE(WriteUserNote(key_, "Seattle", "New note", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(FileText(UserNotePath(key_)), "Old note");
}

TEST_F(StationNotesTest, OfficialNotesComposeHeadingsAndTexts) {
  WriteText(DataFilePath(OfficialNotesFileName(3, false)),
            EncodeOfficialNotes({{5, "Strong currents near the bar."}, {120, "Source: NOAA, station 9447130."}}));
  NotesSubject subject;
  subject.regionNumber = 3;
  EXPECT_EQ(OfficialNotesText(subject), "None defined.");
  subject.notes = {5, 0, 120};
  EXPECT_EQ(OfficialNotesText(subject),
            "Vicinity Note <5>\n\nStrong currents near the bar.\n\n"
            "Station Note <120>\n\nSource: NOAA, station 9447130.\n\n");
  // A number the file lacks keeps its heading; a missing file is reported.
  subject.notes = {0, 0, 12};
  EXPECT_EQ(OfficialNotesText(subject), "Station Note <12>\n\n");
  subject.regionNumber = 12;  // the east file, not installed
  EXPECT_EQ(OfficialNotesText(subject), "Station Note <12>\n\n");
  EXPECT_TRUE(reports_.Has(2412, "Error opening tide notes file: '" + DataFilePath("etnotes.dat") + "'"));
}

TEST_F(StationNotesTest, CustomLocationsShowTheirReferenceStationsNotes) {
  TideLocation reference = test::TideStation("Seattle", 9447);
  reference.referenceId = 9447;
  reference.unused88[0] = 2;
  reference.unused88[1] = 7;
  test::WriteTides(3, "Washington", {reference});
  WriteText(DataFilePath(OfficialNotesFileName(3, false)),
            EncodeOfficialNotes({{2, "Partner network data."}, {7, "Source: NOAA 9447130, public domain."}}));
  TideLocation sub = reference;
  sub.highTimeOffset = 20;
  CustomLocationList list(StationKind::Tide);
  list.Load(-1);
  list.InsertLocation(-1, EncodeEntry(PrepareTideTemplate(sub)));
  ASSERT_TRUE(list.Save(nullptr, [](StationKind, uint16_t) { return std::string(); }));

  StationIndex index;
  index.Build(BuildRegionList(StationKind::Tide), BuildRegionList(StationKind::Current));
  NotesSubject subject;
  ASSERT_TRUE(DescribeNotesSubject(index, {StationKind::Tide, 1, 0}, subject));
  EXPECT_TRUE(subject.custom);
  EXPECT_EQ(subject.userNoteKey().kindCode, 99);
  EXPECT_EQ(OfficialNotesText(subject),
            "Vicinity Note <2>\n\nPartner network data.\n\n"
            "Reference Station Note <7>\n\nSource: NOAA 9447130, public domain.\n\n");
}

TEST_F(StationNotesTest, NotesReportTextsGatherTheThreeKinds) {
  TideLocation seattle = test::TideStation("Seattle", 9447);
  seattle.referenceId = 9447;
  seattle.unused88[1] = 7;  // the station note
  test::WriteTides(3, "Washington", {seattle});
  WriteText(DataFilePath(OfficialNotesFileName(3, false)), EncodeOfficialNotes({{7, "Source: NOAA 9447130."}}));
  StationIndex index;
  index.Build(BuildRegionList(StationKind::Tide), BuildRegionList(StationKind::Current));
  NotesSubject subject;
  ASSERT_TRUE(DescribeNotesSubject(index, {StationKind::Tide, 0, 0}, subject));

  StationNotesTexts texts;
  ASSERT_TRUE(NotesTextsOf(index, {StationKind::Tide, 0, 0}, texts));
  EXPECT_EQ(texts.official, OfficialNotesText(subject));
  EXPECT_NE(texts.official.find("Source: NOAA 9447130."), std::string::npos);
  EXPECT_EQ(texts.user, "None defined.");
  EXPECT_EQ(texts.general, GeneralNotesText(subject));

  ASSERT_TRUE(WriteUserNote(subject.userNoteKey(), "Seattle", "Fuel dock closes at 18:00."));
  ASSERT_TRUE(NotesTextsOf(index, {StationKind::Tide, 0, 0}, texts));
  EXPECT_EQ(texts.user, "Fuel dock closes at 18:00.");
  // A station the index does not hold has no notes to print.
  EXPECT_FALSE(NotesTextsOf(index, {StationKind::Tide, 0, 5}, texts));
}

TEST_F(StationNotesTest, GeneralNotesDescribeTheRecord) {
  NotesSubject subject;
  subject.kind = StationKind::Current;
  subject.name = "Rich Passage";
  subject.vicinityName = "PUGET SOUND";
  subject.stationId = 45012;
  subject.referenceId = 5003;
  subject.referenceName = "Admiralty Inlet";
  subject.timeMeridian = -53;  // stands for 52.5 W
  subject.meterDepth = 15;
  StationSource reference = test::SourceEntry('C', 5003, "TICON-4", "TICON-4 (UHSLC)", "cc-by-nc-4.0");
  reference.sourceName = "TICON-4 (Hart-Davis, Dettmering, Seitz 2025)";
  reference.agency = "University of Hawaii Sea Level Center";
  reference.sourceId = "andenes-800-nor-uhslc_fd";
  reference.licenceUrl = "https://creativecommons.org/licenses/by-nc/4.0/";
  reference.attribution = "Neaps tide database. Source: TICON-4.";
  test::WriteStationSources({reference});
  EXPECT_EQ(GeneralNotesText(subject),
            "General Notes for: Rich Passage\n\n"
            "General vicinity: PUGET SOUND\n"
            "Reference station: Admiralty Inlet\n"
            "Reference station ID: 5003\n"
            "Subordinate station ID: 45012\n"
            "Time meridian:  52.50\xC2\xB0 W\n"
            "Meter depth: 15 feet\n"
            "\nAll readings are True North (not magnetic).\n"
            "Source of Data: TICON-4 (Hart-Davis, Dettmering, Seitz 2025)\n"
            "Collected by: University of Hawaii Sea Level Center\n"
            "Station at the source: andenes-800-nor-uhslc_fd\n"
            "Licence: CC BY-NC 4.0 (https://creativecommons.org/licenses/by-nc/4.0/)\n"
            "Not for commercial use.\n"
            "Attribution: Neaps tide database. Source: TICON-4.\n");
  subject.referenceId = 0;
  subject.timeMeridian = 0;
  subject.meterDepth = 0;
  subject.vicinityName.clear();
  const std::string text = GeneralNotesText(subject);
  EXPECT_NE(text.find("Reference station: Not available\nReference station ID: Not available\n"), std::string::npos);
  EXPECT_NE(text.find("Time meridian: 0\xC2\xB0\n"), std::string::npos);
  EXPECT_EQ(text.find("Meter depth"), std::string::npos);
  EXPECT_NE(text.find("Source of Data: not recorded\n"), std::string::npos);  // never a guess
}

}  // namespace
}  // namespace qw
