// The three table writers byte for byte on a small table, the numeric rule, the text
// writer's limits, and (when LibreOffice is installed) DIF and SYLK files read back by a
// real spreadsheet.
#include "export/spreadsheet_writers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/test_support.h"

namespace qw {
namespace {

struct Progress : SearchProgress {
  void Status(int line, const std::string& text) override {
    if (line == 2) lines.push_back(text);
  }
  std::vector<std::string> lines;
};

// Two rows under Time, Value, Note: a time and a negative number, an empty cell, a
// number with blanks around it and a text with double quotes.
void FillSample(ResultsTable& table) {
  table.SetColumns({{"Time", 70, QColor()}, {"Value", 49, QColor()}, {"Note", 56, QColor()}});
  int r = table.AppendRow();
  table.SetCell(r, 0, "12:30 am");
  table.SetCell(r, 1, "-1.5");
  table.SetCell(r, 2, "N");
  r = table.AppendRow();
  table.SetCell(r, 1, " 42 ");
  table.SetCell(r, 2, "say \"hi\"");
}

TEST(SpreadsheetWritersTest, NumericTexts) {
  for (const char* text : {"-1.5", " 42 ", "0", ".", "-", "1-2.3", "  7"}) EXPECT_TRUE(IsNumericText(text)) << text;
  for (const char* text : {"", "   ", "12:30", "N", "1.5 ft", "4 2", "+1", "1e5"}) {
    EXPECT_FALSE(IsNumericText(text)) << text;
  }
}

TEST(SpreadsheetWritersTest, DifBytes) {
  ResultsTable table(ResultsKind::EventSearch);
  FillSample(table);
  StringSink out;
  Progress progress;
  ASSERT_TRUE(WriteDif(table, "Searched: Harbour", out, progress));
  EXPECT_EQ(out.text,
            "TABLE\r\n0,1\r\n\"Searched: Harbour\"\r\n"
            "TUPLES\r\n0,3\r\n\"\"\r\n"
            "VECTORS\r\n0,4\r\n\"\"\r\n"
            "DATA\r\n0,0\r\n\"\"\r\n"
            "-1,0\r\nBOT\r\n1,0\r\n\" \"\r\n1,0\r\n\"Time\"\r\n1,0\r\n\"Value\"\r\n1,0\r\n\"Note\"\r\n"
            "-1,0\r\nBOT\r\n0,1\r\nV\r\n1,0\r\n\"12:30 am\"\r\n0,-1.5\r\nV\r\n1,0\r\n\"N\"\r\n"
            "-1,0\r\nBOT\r\n0,2\r\nV\r\n1,0\r\n\"\"\r\n0, 42 \r\nV\r\n1,0\r\n\"say \"hi\"\"\r\n"
            "-1,0\r\nEOD\r\n");
  EXPECT_EQ(progress.lines, (std::vector<std::string>{"Saving Row -1", "Saving Row 0", "Saving Row 1"}));
}

TEST(SpreadsheetWritersTest, SylkBytes) {
  ResultsTable table(ResultsKind::EventSearch);
  FillSample(table);
  const std::vector<int> widths = ColumnWidthsInCharacters(table, 7);
  EXPECT_EQ(widths, (std::vector<int>{10, 7, 8}));
  StringSink out;
  Progress progress;
  ASSERT_TRUE(WriteSylk(table, widths, out, progress));
  EXPECT_EQ(out.text,
            "ID;PVELDA\r\nF;DG0G10\r\nF;W2 2 10\r\nF;W3 3 7\r\nF;W4 4 8\r\nB;Y3;X4\r\n"
            "C;Y1;X1;K\" \"\r\nC;Y1;X2;K\"Time\"\r\nC;Y1;X3;K\"Value\"\r\nC;Y1;X4;K\"Note\"\r\n"
            "C;Y2;X1;K1\r\nC;Y2;X2;K\"12:30 am\"\r\nC;Y2;X3;K-1.5\r\nC;Y2;X4;K\"N\"\r\n"
            "C;Y3;X1;K2\r\nC;Y3;X2;K\"\"\r\nC;Y3;X3;K 42 \r\nC;Y3;X4;K\"say \"hi\"\"\r\n"
            "W;N1;A1 1\r\nE\r\n");
}

TEST(SpreadsheetWritersTest, DelimitedAndFixedWidthText) {
  ResultsTable table(ResultsKind::EventSearch);
  FillSample(table);
  StringSink delimited;
  Progress progress;
  ASSERT_TRUE(WriteAscii(table, "T: x", {10, 7, 8}, "\t", "\r\n", delimited, progress));
  EXPECT_EQ(delimited.text,
            "T: x\t\r\n"
            "\" \"\t\"Time\"\t\"Value\"\t\"Note\"\r\n"
            "1\t\"12:30 am\"\t-1.5\t\"N\"\r\n"
            "2\t\"\"\t 42 \t\"say \"hi\"\"\r\n");

  StringSink fixed;
  ASSERT_TRUE(WriteAscii(table, "T: x", {6, 5, 8}, "", "\n", fixed, progress));
  EXPECT_EQ(fixed.text,
            "T: x               \n"
            " Time  ValueNote    \n"
            "112:30 -1.5 N       \n"
            "2       42  say \"hi\"\n");

  // One column: the delimited title line is empty.
  ResultsTable one(ResultsKind::Nearest);
  one.SetColumns({{"Only", 35, QColor()}});
  StringSink single;
  ASSERT_TRUE(WriteAscii(one, "Title", {5}, ",", "\r\n", single, progress));
  EXPECT_EQ(single.text, "\r\n\" \",\"Only\"\r\n");
}

TEST(SpreadsheetWritersTest, TextWriterLimits) {
  ResultsTable wide(ResultsKind::Export);
  std::vector<ResultsTable::Column> columns(201, {"C", 70, QColor()});
  wide.SetColumns(columns);
  int value = 0;
  EXPECT_EQ(CheckAsciiLimits(wide, std::vector<int>(201, 1), value), AsciiLimit::TooManyColumns);
  EXPECT_EQ(value, 201);
  columns.resize(200);
  wide.SetColumns(columns);
  EXPECT_EQ(CheckAsciiLimits(wide, std::vector<int>(200, 9), value), AsciiLimit::None);
  EXPECT_EQ(CheckAsciiLimits(wide, std::vector<int>(200, 10), value), AsciiLimit::WidthsTooLarge);
  EXPECT_EQ(value, 2000);
  StringSink out;
  Progress progress;
  EXPECT_FALSE(WriteAscii(wide, "t", std::vector<int>(200, 10), "\t", "\r\n", out, progress));
  EXPECT_TRUE(out.text.empty());
}

// Runs LibreOffice's converter on `file` and returns the CSV it wrote, or nothing.
std::string ConvertedByLibreOffice(const test::TempDir& dir, const std::string& file) {
  const std::string command = "cd '" + dir.path().string() + "' && HOME='" + dir.path().string() +
                              "' timeout 180 libreoffice --headless --convert-to csv --outdir out '" + file +
                              "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return std::string();
  std::ifstream in(dir.File("out/" + file.substr(0, file.rfind('.')) + ".csv"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(SpreadsheetWritersTest, LibreOfficeReadsTheSameCells) {
  if (std::system("command -v libreoffice >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "LibreOffice is not installed (Debian package libreoffice-calc-nogui)";
  }
  ResultsTable table(ResultsKind::EventSearch);
  FillSample(table);
  table.SetCell(1, 2, "say hi");  // the readers take a doubled quote for an escape
  test::TempDir dir;
  Progress progress;
  for (const char* name : {"table.dif", "table.slk"}) {
    AtomicOutputFile file;
    ASSERT_TRUE(file.Open(dir.File(name)));
    const bool dif = std::string(name).ends_with(".dif");
    ASSERT_TRUE(dif ? WriteDif(table, "T: x", file, progress)
                    : WriteSylk(table, ColumnWidthsInCharacters(table, 7), file, progress));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ConvertedByLibreOffice(dir, name),
              " ,Time,Value,Note\n"
              "1,12:30 am,-1.5,N\n"
              "2,,42,say hi\n")
        << name;
  }
}

}  // namespace
}  // namespace qw
