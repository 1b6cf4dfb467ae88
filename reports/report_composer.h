// Turns a report job into pages: plans them (page_plan.h), asks the engine for the days
// each page shows (report_data.h) and draws page n on any paint device. The Print
// Report dialog's printer and preview and the command-line tool's PDF all draw through
// it, so they print the same pages.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

#include "reports/notes_report.h"
#include "reports/page_plan.h"
#include "reports/report_data.h"
#include "reports/report_kind.h"
#include "reports/report_options.h"
#include "settings/app_settings.h"

namespace qw {

struct ReportJob {
  ReportKind kind = ReportKind::Daily;
  ReportFormat format = ReportFormat::Text;
  std::vector<ReportLocation> locations;  // in print order
  bool useRange = false;
  EngineMinute rangeStart = 0;  // 00:00 of the first day
  EngineMinute rangeEnd = 0;    // 00:00 of the last day
};

enum class PageResult {
  Drawn,
  NoRoom,  // the options and margins leave no room for the page's graph or table
};

class ReportComposer {
 public:
  ReportComposer(ReportJob job, ReportOptions options, AppSettings settings);

  const std::vector<PlannedPage>& plan() const { return plan_; }
  int pageCount() const { return static_cast<int>(plan_.size()); }
  const ReportJob& job() const { return job_; }
  const ReportOptions& options() const { return options_; }

  // Fits the pages to a printable area of `paintInches`. Only the notes report depends
  // on it: its pages are the notes' lines laid out for that area. Printing and previews
  // call it (RunPrintLoop does) before they count the pages.
  void LayOut(const QSizeF& paintInches);

  // Draws page `index` (0-based) into `page`, the printable rectangle in the device's
  // pixels at `dpi` pixels per inch. The painter's state is restored afterwards.
  PageResult DrawPage(QPainter& painter, const QRectF& page, double dpi, int index);

  // Why the footer picture is missing, when the option is on and its file could not be
  // read; empty otherwise. The report prints without it.
  const QString& bitmapProblem() const { return bitmapProblem_; }

 private:
  ReportJob job_;
  ReportOptions options_;
  AppSettings settings_;
  std::vector<PlannedPage> plan_;
  std::vector<std::vector<NoteLine>> notesPages_;
  QSizeF notesLaidOutFor_;
  bool notesNoRoom_ = false;  // the margins leave no room for a heading and a line
  std::unique_ptr<ReportDays> days_;
  QImage bitmap_;
  QString bitmapProblem_;
};

// The plan request of a job under the options (custom report layout).
PlanRequest PlanRequestFor(const ReportJob& job, const ReportOptions& options);

}  // namespace qw
