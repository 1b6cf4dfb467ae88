#include "reports/print_loop.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

namespace qw {
namespace {

// The printable rectangle in the painter's coordinates, whose origin is the top left
// of the printable area.
QRectF PaintRect(const QPagedPaintDevice& device) {
  const QRect rect = device.pageLayout().paintRectPixels(device.logicalDpiX());
  return QRectF(0, 0, rect.width(), rect.height());
}

// Lays page `index` out on a scratch image of the device's page at 150 dpi.
PageResult TryPage(const QPagedPaintDevice& device, ReportComposer& composer, int index) {
  constexpr double kScratchDpi = 150.0;
  const QRectF paint = device.pageLayout().paintRect(QPageLayout::Inch);
  QImage scratch(std::max(1, static_cast<int>(paint.width() * kScratchDpi)),
                 std::max(1, static_cast<int>(paint.height() * kScratchDpi)), QImage::Format_RGB32);
  scratch.setDotsPerMeterX(static_cast<int>(kScratchDpi / 0.0254));
  scratch.setDotsPerMeterY(static_cast<int>(kScratchDpi / 0.0254));
  QPainter painter(&scratch);
  return composer.DrawPage(painter, QRectF(0, 0, scratch.width(), scratch.height()), kScratchDpi, index);
}

}  // namespace

PrintResult RunPrintLoop(QPagedPaintDevice& device, ReportComposer& composer, const PrintProgress& progress, int from,
                         int to) {
  composer.LayOut(device.pageLayout().paintRect(QPageLayout::Inch).size());
  const int count = composer.pageCount();
  if (count == 0) return PrintResult::NothingToPrint;
  int first = from > 0 ? from - 1 : 0;
  int last = to > 0 ? std::min(to, count) - 1 : count - 1;
  if (first > last) return PrintResult::NothingToPrint;
  if (TryPage(device, composer, first) == PageResult::NoRoom) return PrintResult::NoRoom;

  QPainter painter;
  if (!painter.begin(&device)) return PrintResult::DeviceError;
  const double dpi = device.logicalDpiX();
  for (int index = first; index <= last; ++index) {
    if (progress && !progress(index, count)) {
      painter.end();
      return PrintResult::Cancelled;
    }
    if (index > first && !device.newPage()) {
      painter.end();
      return PrintResult::DeviceError;
    }
    if (composer.DrawPage(painter, PaintRect(device), dpi, index) == PageResult::NoRoom) {
      painter.end();
      return PrintResult::NoRoom;
    }
  }
  return painter.end() ? PrintResult::Printed : PrintResult::DeviceError;
}

QPageLayout ReportPageLayout(const ReportOptions& options, const QPageSize& pageSize) {
  return QPageLayout(pageSize, options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(options.leftMargin, options.topMargin, options.rightMargin, options.bottomMargin),
                     QPageLayout::Inch);
}

PrintResult WriteReportPdf(const QString& path, ReportComposer& composer, const QPageLayout& layout,
                           const PrintProgress& progress, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = QString("Unable to write \"%1\": %2").arg(path, file.errorString());
    return PrintResult::DeviceError;
  }
  PrintResult result = PrintResult::DeviceError;
  {
    QPdfWriter writer(&file);
    writer.setResolution(1200);
    writer.setCreator("Quaywise");
    const StationKind kind = composer.job().locations.empty() ? StationKind::Tide : composer.job().locations[0].kind;
    writer.setTitle(QString::fromStdString(
        ReportTitle(static_cast<int>(composer.job().kind), kind, static_cast<int>(composer.job().format))));
    writer.setPageLayout(layout);
    result = RunPrintLoop(writer, composer, progress);
  }
  if (result != PrintResult::Printed) {
    file.cancelWriting();
    if (error) *error = PrintResultMessage(result);
    return result;
  }
  if (!file.commit()) {
    if (error) *error = QString("Unable to write \"%1\": %2").arg(path, file.errorString());
    return PrintResult::DeviceError;
  }
  return PrintResult::Printed;
}

QString PrintResultMessage(PrintResult result) {
  switch (result) {
    case PrintResult::Printed:
    case PrintResult::Cancelled: return QString();
    case PrintResult::NoRoom: return report_text::kNoRoom;
    case PrintResult::NothingToPrint: return "The report has no pages to print.";
    case PrintResult::DeviceError: return report_text::kNoDevice;
  }
  return QString();
}

}  // namespace qw
