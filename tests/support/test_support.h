// Helpers shared by the test programs: a clean engine per test, a scratch data
// directory, and a reporter that records what the engine would have shown.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/report.h"

namespace qw::test {

// Records every engine report instead of showing it.
class ReportCapture {
 public:
  ReportCapture();
  ~ReportCapture();
  ReportCapture(const ReportCapture&) = delete;
  ReportCapture& operator=(const ReportCapture&) = delete;

  const std::vector<EngineReport>& reports() const { return reports_; }
  bool empty() const { return reports_.empty(); }
  void clear() { reports_.clear(); }
  // True when a report with this id (0 for Information) and, if given, this text was made.
  bool Has(int messageId, const std::string& text = std::string()) const;
  // Every report, one per line, for failure messages.
  std::string Describe() const;

 private:
  std::vector<EngineReport> reports_;
  EngineReporter previous_;
};

// A fresh temporary directory, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Base fixture: resets the engine and its settings, points the data directory at a
// fresh temporary directory and captures reports.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest();
  ~EngineTest() override;
  TempDir dataDir_;
  ReportCapture reports_;
};

}  // namespace qw::test
