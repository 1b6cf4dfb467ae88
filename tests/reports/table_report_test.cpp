// Printing a results table: the rows spread over pages in order, each page numbered,
// and the printout's choices kept in the settings file.
#include "reports/table_report.h"

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <gtest/gtest.h>

#include "tests/reports/reports_test_app.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

QString PageText(const QString& path, int page) {
  QProcess process;
  process.start("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), path, "-"});
  if (!process.waitForFinished(60000)) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(TableReportTest, RowsRunOverNumberedPagesInOrder) {
  test::ReportsApp();
  QStandardItemModel model(150, 3);
  model.setHorizontalHeaderLabels({"Date", "Time", "Height"});
  for (int row = 0; row < 150; ++row) {
    model.setItem(row, 0, new QStandardItem(QString("2025-07-%1").arg(row % 28 + 1, 2, 10, QChar('0'))));
    model.setItem(row, 1, new QStandardItem(QString("row%1time").arg(row)));
    model.setItem(row, 2, new QStandardItem(QString("%1.00 ft").arg(row)));
  }
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("table.pdf"));
  TableReport report(model, {"Event Search Results", "San Francisco (Golden Gate)"}, {});
  int pages = 0;
  {
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                                     QPageLayout::Inch));
    std::vector<int> asked;
    ASSERT_EQ(report.Print(writer, [&](int index, int count) {
      asked.push_back(index);
      pages = count;
      return true;
    }),
              PrintResult::Printed);
    ASSERT_GE(pages, 2);
    EXPECT_EQ(static_cast<int>(asked.size()), pages);
  }
  // Kept for looking at when QW_SNAPSHOT_DIR is set.
  if (const QByteArray keep = qgetenv("QW_SNAPSHOT_DIR"); !keep.isEmpty()) {
    QFile::copy(path, QString::fromLocal8Bit(keep) + "/table.pdf");
  }
  const std::vector<int>& starts = report.pageStarts();
  ASSERT_EQ(static_cast<int>(starts.size()), pages);
  if (QProcess::execute("pdftotext", {"-v"}) < 0) GTEST_SKIP() << "poppler-utils are not installed";
  for (int page = 0; page < pages; ++page) {
    const QString text = PageText(path, page + 1);
    const int first = starts[static_cast<size_t>(page)];
    const int last = (page + 1 < pages ? starts[static_cast<size_t>(page) + 1] : 150) - 1;
    SCOPED_TRACE("page " + std::to_string(page + 1));
    EXPECT_TRUE(text.contains("Event Search Results"));
    EXPECT_TRUE(text.contains(QString("Page %1").arg(page + 1)));
    EXPECT_TRUE(text.contains(QString("row%1time").arg(first)));
    EXPECT_TRUE(text.contains(QString("row%1time").arg(last)));
    // The row label stands beside its row, and no row of another page is here.
    EXPECT_TRUE(QRegularExpression(QString("\\b%1\\s+2025-07-\\d\\d\\s+row%2time").arg(last + 1).arg(last)).match(text).hasMatch());
    if (page + 1 < pages) {
      EXPECT_FALSE(text.contains(QString("row%1time ").arg(last + 1)));
    }
  }
}

TEST(TableReportTest, ChoicesAreKeptInTheSettingsFile) {
  ProfileFile file;
  file.LoadFromText("");
  EXPECT_EQ(LoadTableReportOptions(file), TableReportOptions{});
  const TableReportOptions options{false, false, true};
  SaveTableReportOptions(options, file);
  EXPECT_EQ(LoadTableReportOptions(file), options);
  EXPECT_EQ(file.ReadInt("ReportOptions", "UseColor", 0), 1);
}

}  // namespace
}  // namespace qw
