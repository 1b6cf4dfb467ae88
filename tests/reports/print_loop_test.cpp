// The print loop touches the device only once every page is drawn: a Cancel or a page
// without room, on any page, leaves the device (and the file of a PDF writer) untouched.
#include "reports/print_loop.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <gtest/gtest.h>

#include "tests/reports/reports_test_app.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

// Three pages of text; page `noRoomPage` (0-based) has no room.
PageSource ThreePages(int noRoomPage = -1) {
  return {[](const QPagedPaintDevice&) { return 3; },
          [noRoomPage](QPainter& painter, const QRectF& page, double, int index) {
            if (index == noRoomPage) return PageResult::NoRoom;
            painter.drawText(page, Qt::AlignCenter, QString("page %1").arg(index + 1));
            return PageResult::Drawn;
          }};
}

QPageLayout Letter() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                     QPageLayout::Inch);
}

TEST(PrintLoopTest, CancelOrNoRoomOnALaterPageSendsNothing) {
  test::ReportsApp();
  struct Case {
    const char* name;
    int noRoomPage;
    int cancelBefore;
    PrintResult expected;
  };
  for (const Case& c : {Case{"cancel before page 3", -1, 2, PrintResult::Cancelled},
                        Case{"no room on page 2", 1, -1, PrintResult::NoRoom},
                        Case{"every page drawn", -1, -1, PrintResult::Printed}}) {
    SCOPED_TRACE(c.name);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    PrintResult result;
    {
      QPdfWriter writer(&out);
      writer.setPageLayout(Letter());
      result = RunPrintLoop(writer, ThreePages(c.noRoomPage), [&](int index, int) { return index != c.cancelBefore; });
    }
    EXPECT_EQ(result, c.expected);
    if (c.expected == PrintResult::Printed) {
      EXPECT_TRUE(out.data().startsWith("%PDF"));
      EXPECT_EQ(out.data().count("/Type /Page\n") + out.data().count("/Type /Page\r"), 3);
    } else {
      EXPECT_TRUE(out.data().isEmpty()) << out.data().size() << " bytes reached the device";
    }
  }
}

TEST(PrintLoopTest, APdfFileIsReplacedOnlyByAWholeReport) {
  test::ReportsApp();
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("report.pdf"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old report");
  }
  const PdfSetup setup{Letter(), 300, "Daily Tide Report"};
  auto content = [&] {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  QString error;
  EXPECT_EQ(WritePdf(path, setup, ThreePages(), [](int index, int) { return index < 1; }, &error),
            PrintResult::Cancelled);
  EXPECT_EQ(content(), "the old report");
  EXPECT_EQ(WritePdf(path, setup, ThreePages(2), {}, &error), PrintResult::NoRoom);
  EXPECT_EQ(content(), "the old report");
  EXPECT_FALSE(error.isEmpty());
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  EXPECT_EQ(WritePdf(path, setup, ThreePages(), {}, &error), PrintResult::Printed);
  EXPECT_TRUE(content().startsWith("%PDF"));
}

}  // namespace
}  // namespace qw
