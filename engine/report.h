// The engine's one way of telling the user something went wrong.
//
// The engine never shows a window. Every failure the user must see goes through the
// installed reporter: the desktop program shows a modal message box, the command-line
// tool prints to stderr, tests capture the reports. Reports are synchronous: the call
// returns when the user has acknowledged the message.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace qw {

inline constexpr const char* kProductName = "Quaywise Pro";

enum class ReportStyle {
  EngineError,  // numbered engine message: caption "Quaywise Pro: <id>" (the name alone for id 0)
  Information,  // damaged-data warning: caption "Information", warning icon
};

struct EngineReport {
  ReportStyle style = ReportStyle::EngineError;
  int messageId = 0;    // 0 for Information reports
  std::string caption;  // ready to show
  std::string text;     // fully formatted
};

using EngineReporter = std::function<void(const EngineReport&)>;

// Installs a reporter and returns the previous one. An empty function restores the
// default, which writes "caption: text" to stderr.
EngineReporter SetEngineReporter(EngineReporter reporter);

// Shows a numbered engine message; `text` is already formatted.
void ReportEngineError(int messageId, std::string_view text);

// Shows a warning box captioned "Information" (damaged data files).
void ReportInformation(std::string_view text);

// Diagnostic trace line for developers ("the debugger output"). Written to stderr only
// when the environment variable QUAYWISE_TRACE is set; never shown to users.
void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace qw
