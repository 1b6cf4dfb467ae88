#include "app/message_reporter.h"

#include <QMessageBox>

#include "engine/report.h"

namespace qw {

void InstallMessageBoxReporter(std::function<QWidget*()> parent) {
  SetEngineReporter([parent = std::move(parent)](const EngineReport& report) {
    const QMessageBox::Icon icon =
        report.style == ReportStyle::Information ? QMessageBox::Warning : QMessageBox::Critical;
    QMessageBox box(icon, QString::fromStdString(report.caption), QString::fromStdString(report.text),
                    QMessageBox::Ok, parent ? parent() : nullptr);
    box.exec();
  });
}

}  // namespace qw
