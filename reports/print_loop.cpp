#include "reports/print_loop.h"

#include <QPicture>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <memory>
#include <vector>

namespace qw {
namespace {

// The printable rectangle in the painter's coordinates, whose origin is the top left
// of the printable area.
QRectF PaintRect(const QPagedPaintDevice& device) {
  const QRect rect = device.pageLayout().paintRectPixels(device.logicalDpiX());
  return QRectF(0, 0, rect.width(), rect.height());
}

// A recording of one page that measures like the device it will be played on, so that
// fonts and lengths are laid out exactly as they would be on the device itself.
class PageRecording : public QPicture {
 public:
  explicit PageRecording(const QPaintDevice& device)
      : width_(device.width()),
        height_(device.height()),
        widthMm_(device.widthMM()),
        heightMm_(device.heightMM()),
        dpiX_(device.logicalDpiX()),
        dpiY_(device.logicalDpiY()),
        physicalDpiX_(device.physicalDpiX()),
        physicalDpiY_(device.physicalDpiY()) {}

  // Plays the page onto `painter`'s device. Playing scales a picture from the default
  // screen resolution to the device's; this one was recorded at the device's own.
  void PlayOn(QPainter& painter) const {
    painter.save();
    painter.scale(static_cast<double>(QPicture::metric(PdmDpiX)) / painter.device()->logicalDpiX(),
                  static_cast<double>(QPicture::metric(PdmDpiY)) / painter.device()->logicalDpiY());
    painter.drawPicture(0, 0, *this);
    painter.restore();
  }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth: return width_;
      case PdmHeight: return height_;
      case PdmWidthMM: return widthMm_;
      case PdmHeightMM: return heightMm_;
      case PdmDpiX: return dpiX_;
      case PdmDpiY: return dpiY_;
      case PdmPhysicalDpiX: return physicalDpiX_;
      case PdmPhysicalDpiY: return physicalDpiY_;
      default: return QPicture::metric(metric);
    }
  }

 private:
  int width_, height_, widthMm_, heightMm_, dpiX_, dpiY_, physicalDpiX_, physicalDpiY_;
};

}  // namespace

PrintResult RunPrintLoop(QPagedPaintDevice& device, const PageSource& pages, const PrintProgress& progress, int from,
                         int to) {
  const int count = pages.layOut(device);
  if (count <= 0) return PrintResult::NothingToPrint;
  const int first = from > 0 ? from - 1 : 0;
  const int last = to > 0 ? std::min(to, count) - 1 : count - 1;
  if (first > last) return PrintResult::NothingToPrint;

  // Every page is drawn, and so checked for room, before the device is touched.
  const QRectF paintRect = PaintRect(device);
  const double dpi = device.logicalDpiX();
  std::vector<std::unique_ptr<PageRecording>> recorded;
  for (int index = first; index <= last; ++index) {
    if (progress && !progress(index, count)) return PrintResult::Cancelled;
    auto recording = std::make_unique<PageRecording>(device);
    QPainter painter;
    if (!painter.begin(recording.get())) return PrintResult::DeviceError;
    const PageResult result = pages.draw(painter, paintRect, dpi, index);
    painter.end();
    if (result == PageResult::NoRoom) return PrintResult::NoRoom;
    recorded.push_back(std::move(recording));
  }

  QPainter painter;
  if (!painter.begin(&device)) return PrintResult::DeviceError;
  for (size_t page = 0; page < recorded.size(); ++page) {
    if (page > 0 && !device.newPage()) {
      painter.end();
      return PrintResult::DeviceError;
    }
    recorded[page]->PlayOn(painter);
  }
  return painter.end() ? PrintResult::Printed : PrintResult::DeviceError;
}

PageSource ComposerPages(ReportComposer& composer) {
  return {[&composer](const QPagedPaintDevice& device) {
            composer.LayOut(device.pageLayout().paintRect(QPageLayout::Inch).size());
            return composer.pageCount();
          },
          [&composer](QPainter& painter, const QRectF& page, double dpi, int index) {
            return composer.DrawPage(painter, page, dpi, index);
          }};
}

PrintResult RunPrintLoop(QPagedPaintDevice& device, ReportComposer& composer, const PrintProgress& progress, int from,
                         int to) {
  return RunPrintLoop(device, ComposerPages(composer), progress, from, to);
}

QPageLayout ReportPageLayout(const ReportOptions& options, const QPageSize& pageSize) {
  return QPageLayout(pageSize, options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(options.leftMargin, options.topMargin, options.rightMargin, options.bottomMargin),
                     QPageLayout::Inch);
}

PrintResult WritePdf(const QString& path, const PdfSetup& setup, const PageSource& pages,
                     const PrintProgress& progress, QString* error, int from, int to) {
  // QSaveFile writes beside the file and renames over it on commit, keeping the old
  // file's permissions and writing through a symbolic link to its target.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = QString("Unable to write \"%1\": %2").arg(path, file.errorString());
    return PrintResult::DeviceError;
  }
  PrintResult result = PrintResult::DeviceError;
  {
    QPdfWriter writer(&file);
    writer.setResolution(setup.resolution);
    writer.setCreator("Quaywise");
    writer.setTitle(setup.title);
    writer.setPageLayout(setup.layout);
    result = RunPrintLoop(writer, pages, progress, from, to);
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

PrintResult WriteReportPdf(const QString& path, ReportComposer& composer, const QPageLayout& layout,
                           const PrintProgress& progress, QString* error) {
  const StationKind kind = composer.job().locations.empty() ? StationKind::Tide : composer.job().locations[0].kind;
  const PdfSetup setup{layout, 1200,
                       QString::fromStdString(ReportTitle(static_cast<int>(composer.job().kind), kind,
                                                          static_cast<int>(composer.job().format)))};
  return WritePdf(path, setup, ComposerPages(composer), progress, error);
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
