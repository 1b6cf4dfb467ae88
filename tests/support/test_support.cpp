#include "tests/support/test_support.h"

#include <random>
#include <sstream>

#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"

namespace qw::test {

ReportCapture::ReportCapture() {
  previous_ = SetEngineReporter([this](const EngineReport& report) { reports_.push_back(report); });
}

ReportCapture::~ReportCapture() { SetEngineReporter(std::move(previous_)); }

bool ReportCapture::Has(int messageId, const std::string& text) const {
  for (const EngineReport& report : reports_) {
    if (report.messageId == messageId && (text.empty() || report.text == text)) return true;
  }
  return false;
}

std::string ReportCapture::Describe() const {
  std::ostringstream out;
  for (const EngineReport& report : reports_) out << report.caption << ": " << report.text << "\n";
  return out.str();
}

TempDir::TempDir() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("quaywise-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path_)) break;
  }
  // Private, like the folders the program keeps its own files in.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

EngineTest::EngineTest() {
  ResetEngine();
  Settings() = EngineSettings{};
  SetDataDirectory(dataDir_.path());
}

EngineTest::~EngineTest() { ResetEngine(); }

}  // namespace qw::test
