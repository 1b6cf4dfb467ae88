// Report jobs for the tests, written as what they print:
//
//   const ReportJob job = test::Job(ReportKind::Daily, ReportFormat::SmoothGraph)
//                             .At({golden, alameda})
//                             .Days(MinuteOf(2025, 6, 18), MinuteOf(2025, 6, 20));
#pragma once

#include <utility>
#include <vector>

#include "reports/report_composer.h"

namespace qw::test {

class Job {
 public:
  explicit Job(ReportKind kind, ReportFormat format = ReportFormat::Text) {
    job_.kind = kind;
    job_.format = format;
  }

  // The locations, in print order.
  Job& At(std::vector<ReportLocation> locations) {
    job_.locations = std::move(locations);
    return *this;
  }
  // Every day from `first` to `last` (00:00 of each) at every location.
  Job& Days(EngineMinute first, EngineMinute last) {
    job_.useRange = true;
    job_.rangeStart = first;
    job_.rangeEnd = last;
    return *this;
  }
  // Without a range of days: each location on its window's day, here `day` (00:00).
  Job& OnWindowDay(EngineMinute day) {
    for (ReportLocation& location : job_.locations) location.windowDay = day;
    return *this;
  }

  operator ReportJob() const { return job_; }

 private:
  ReportJob job_;
};

}  // namespace qw::test
