#include "engine/report.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace qw {
namespace {

EngineReporter& InstalledReporter() {
  static EngineReporter reporter;
  return reporter;
}

void Deliver(const EngineReport& report) {
  if (const EngineReporter& reporter = InstalledReporter()) {
    reporter(report);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", report.caption.c_str(), report.text.c_str());
}

}  // namespace

EngineReporter SetEngineReporter(EngineReporter reporter) {
  EngineReporter previous = std::move(InstalledReporter());
  InstalledReporter() = std::move(reporter);
  return previous;
}

void ReportEngineError(int messageId, std::string_view text) {
  EngineReport report;
  report.style = ReportStyle::EngineError;
  report.messageId = messageId;
  report.caption = messageId == 0 ? std::string(kProductName)
                                  : std::string(kProductName) + ": " + std::to_string(messageId);
  report.text = std::string(text);
  Deliver(report);
}

void ReportInformation(std::string_view text) {
  EngineReport report;
  report.style = ReportStyle::Information;
  report.caption = "Information";
  report.text = std::string(text);
  Deliver(report);
}

void DebugTrace(const char* format, ...) {
  static const bool enabled = std::getenv("QUAYWISE_TRACE") != nullptr;
  if (!enabled) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}

}  // namespace qw
