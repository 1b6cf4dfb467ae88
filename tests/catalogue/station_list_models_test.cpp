// The location dialog's station lists over the built DATA directory.
#include "catalogue/station_list_models.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "tests/app/app_test_support.h"

namespace qw {
namespace {

// Every region's list shows each station under its own text (the name, with the meter
// depth where the data gives one), compared as a user reads them, letter case aside:
// stations measured at several points of one channel, or one gauge published twice, can
// be told apart in the list itself.
TEST(StationListTextsTest, NoRegionListShowsTwoStationsAlike) {
  if (!std::filesystem::exists(std::filesystem::path(QW_BUILT_DATA_DIR) / "catalogue.csv")) {
    GTEST_SKIP() << "no built DATA directory at " << QW_BUILT_DATA_DIR;
  }
  test::QtApp();
  ResetEngine();
  SetDataDirectory(QW_BUILT_DATA_DIR);
  StationIndex index;
  index.Build(BuildRegionList(StationKind::Tide), BuildRegionList(StationKind::Current));
  UserNoteMarks marks;
  int rows = 0;
  std::vector<std::string> twice;
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    StationListModel model(index, kind, marks);
    for (int slot = 0; slot < static_cast<int>(index.Regions(kind).size()); ++slot) {
      model.SetRegion(slot);
      std::map<QString, int> seen;
      for (int row = 0; row < model.rowCount(); ++row, ++rows) {
        const QString text = model.data(model.index(row), Qt::DisplayRole).toString().trimmed().toLower();
        if (++seen[text] == 2) twice.push_back(std::to_string(slot) + ": " + text.toStdString());
      }
    }
  }
  ResetEngine();
  EXPECT_GT(rows, 7000);
  EXPECT_TRUE(twice.empty()) << twice.size() << " texts shown twice in a region, first " << twice.front();
}

}  // namespace
}  // namespace qw
