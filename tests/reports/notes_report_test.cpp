// Breaking the notes report into pages.
#include "reports/notes_report.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

#include "tests/reports/reports_test_app.h"

namespace qw {
namespace {

std::string Numbered(const char* word, int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::string(word) + " " + std::to_string(i) + "\n";
  return text;
}

TEST(NotesReportTest, PagesHoldTheirLinesAndContinueSectionsUnderTheirHeading) {
  test::ReportsApp();
  QFont font("DejaVu Sans");
  font.setPixelSize(30);
  ReportNotes notes{Numbered("official", 45), "None defined.", Numbered("general", 12)};
  const int perPage = 20;
  const auto pages = PaginateNotes(notes, font, 2000, perPage, "NOAA Notes");

  std::vector<QString> body;  // the text lines, headings left out
  for (size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE("page " + std::to_string(p));
    const auto& page = pages[p];
    ASSERT_FALSE(page.empty());
    EXPECT_LE(static_cast<int>(page.size()), perPage);
    EXPECT_TRUE(page.front().heading);
    EXPECT_FALSE(page.back().heading);  // a heading never ends a page alone
    for (const NoteLine& line : page) {
      if (!line.heading && !line.text.isEmpty()) body.push_back(line.text);
    }
    if (p > 0 && page.front().text.endsWith("continued")) {
      EXPECT_TRUE(page.front().text == "NOAA Notes continued" || page.front().text == "General Notes continued");
    }
  }
  // 45 + 1 + 12 lines in four sections' worth of pages, every line once and in order.
  ASSERT_EQ(body.size(), 58u);
  EXPECT_EQ(body[0], "official 1");
  EXPECT_EQ(body[44], "official 45");
  EXPECT_EQ(body[45], "None defined.");
  EXPECT_EQ(body[57], "general 12");
  EXPECT_EQ(pages[1].front().text, "NOAA Notes continued");
  EXPECT_EQ(pages.size(), 4u);
}

TEST(NotesReportTest, LongLinesWrapWithinTheWidth) {
  test::ReportsApp();
  QFont font("DejaVu Sans");
  font.setPixelSize(30);
  const std::string sentence(40, 'x');
  std::string paragraph;
  for (int i = 0; i < 20; ++i) paragraph += sentence + " ";
  const auto pages = PaginateNotes({paragraph, "", ""}, font, 600, 100);
  ASSERT_EQ(pages.size(), 1u);
  int wrapped = 0;
  for (const NoteLine& line : pages[0]) {
    if (line.heading || line.text.isEmpty()) continue;
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(line.text), 600.5);
    ++wrapped;
  }
  EXPECT_GE(wrapped, 10);  // twenty 40-letter words in lines about a word wide
}

}  // namespace
}  // namespace qw
