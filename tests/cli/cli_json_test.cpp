// quaywise-cli's JSON documents over real stations of the built data: every command that
// prints a table or list gives one document, read here by Qt's JSON parser, whose rows
// carry the same texts as the command's CSV rows and whose times are ISO 8601 with the
// offset the CSV row gives.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"

namespace qw {
namespace {

using test::RunCliCaptured;
using Rows = std::vector<std::vector<std::string>>;

// CSV as RFC 4180 reads it: quoted fields may hold commas, quotes (doubled) and line breaks.
Rows ParseCsv(const std::string& text) {
  Rows rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(field);
      field.clear();
    } else if (c == '\n') {
      row.push_back(field);
      field.clear();
      rows.push_back(row);
      row.clear();
    } else {
      field += c;
    }
  }
  return rows;
}

// A JSON value as the CSV field it stands for: strings as they are, numbers in their own
// text (the writer puts the CSV text as the number), null as empty.
std::string FieldText(const QJsonValue& value, const std::string& numberText) {
  if (value.isNull()) return "";
  if (value.isString()) return value.toString().toStdString();
  return numberText;
}

// Where a row's ISO 8601 instants are read from in its CSV row.
enum class Instants {
  None,
  Columns,    // "datetime" from the date, time and utc_offset columns
  Utc,        // "datetime" from the date and time columns, in UTC
  EventTime,  // "datetime" from a search hit's "Sat, 07-04-2026 02:21 -07:00"
  Export,     // "datetime", "datetime 2" from Date (as YYYY-MM-DD), Time, UTC_Offset and their repeats
  ExportTime, // "datetime" on 2026-01-01 at the Time column, in standard time
};

struct Case {
  std::vector<std::string> args;  // without --format
  bool hasStation;
  Instants instants;
};

class CliJsonTest : public test::EngineTest {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::filesystem::path(QW_BUILT_DATA_DIR) / "EARTH.DAT")) {
      GTEST_SKIP() << "no built DATA directory with the Earth series at " << QW_BUILT_DATA_DIR;
    }
  }
  test::CliResult Run(std::vector<std::string> args, const char* format) {
    args.insert(args.end(), {"--format", format, "--data", QW_BUILT_DATA_DIR});
    return RunCliCaptured(args);
  }
};

TEST_F(CliJsonTest, EveryTableCommandGivesOneDocumentWhoseRowsAreItsCsvRows) {
  const std::vector<Case> cases = {
      {{"regions"}, false, Instants::None},
      {{"stations", "--region", "0"}, false, Instants::None},
      {{"find", "San Francisco"}, false, Instants::None},
      {{"tides", "src:9414290", "--from", "2026-03-07", "--to", "2026-03-09"}, true, Instants::Columns},
      {{"heights", "src:9414290", "--from", "2026-03-08", "--interval", "7", "--units", "m"}, true, Instants::Columns},
      {{"currents", "src:SFB1203", "--from", "2026-11-01"}, true, Instants::Columns},
      {{"speeds", "src:SFB1203", "--from", "2026-11-01", "--interval", "30"}, true, Instants::Columns},
      {{"sun", "src:9414290", "--from", "2026-03-07", "--to", "2026-03-09"}, true, Instants::None},
      {{"phases", "--from", "2026-01-01", "--to", "2026-02-28"}, false, Instants::Utc},
      {{"phases", "src:9414290", "--from", "2026-01-01", "--to", "2026-02-28"}, true, Instants::Columns},
      {{"search", "src:9414290", "--kind", "high", "--from", "2026-03-01", "--to", "2026-03-31", "--at-least", "6"},
       true, Instants::EventTime},
      {{"nearest", "37.8", "-122.46", "--range", "5"}, false, Instants::None},
      {{"export", "src:9414290", "--from", "2026-01-01", "--interval", "60"}, true, Instants::ExportTime},
      // Across the spring change: two times to a record, each with its own offset.
      {{"export", "src:9414290", "--from", "2026-03-08", "--interval", "60", "--fields",
        "date,repeat,time,utc-offset,end-repeat", "--repeat", "2", "--date-order", "YMD", "--month", "mm", "--day",
        "dd", "--year", "yyyy", "--sep1", "-", "--sep2", "-"},
       true, Instants::Export},
  };
  for (const Case& c : cases) {
    std::string command;
    for (const std::string& a : c.args) command += a + " ";
    SCOPED_TRACE(command);
    const test::CliResult csv = Run(c.args, "csv");
    const test::CliResult json = Run(c.args, "json");
    ASSERT_EQ(csv.status, 0) << csv.err;
    ASSERT_EQ(json.status, 0) << json.err;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = document.object();
    EXPECT_EQ(root["command"].toString().toStdString(), c.args[0]);
    EXPECT_EQ(root.contains("station"), c.hasStation);
    if (c.hasStation) {
      const QJsonObject station = root["station"].toObject();
      EXPECT_FALSE(station["name"].toString().isEmpty());
      EXPECT_FALSE(station["source"].toString().isEmpty());
      EXPECT_FALSE(station["time_zone"].toString().isEmpty());
      EXPECT_TRUE(station["latitude"].isDouble());
    }

    const Rows rows = ParseCsv(csv.out);
    ASSERT_FALSE(rows.empty());
    const std::vector<std::string>& names = rows[0];
    const QJsonArray jsonRows = root["rows"].toArray();
    ASSERT_EQ(static_cast<size_t>(jsonRows.size()), rows.size() - 1);
    ASSERT_GT(jsonRows.size(), 0);
    std::vector<std::string> keys = names;
    if (root.contains("columns")) {
      keys.clear();
      for (const QJsonValue& k : root["columns"].toArray()) keys.push_back(k.toString().toStdString());
      ASSERT_EQ(keys.size(), names.size());
    }
    for (size_t r = 1; r < rows.size(); ++r) {
      const QJsonObject row = jsonRows[static_cast<int>(r - 1)].toObject();
      ASSERT_EQ(rows[r].size(), names.size());
      for (size_t f = 0; f < names.size(); ++f) {
        EXPECT_EQ(FieldText(row[QString::fromStdString(keys[f])], rows[r][f]), rows[r][f])
            << "row " << r << " column " << keys[f];
        if (row[QString::fromStdString(keys[f])].isDouble()) {
          EXPECT_DOUBLE_EQ(row[QString::fromStdString(keys[f])].toDouble(), std::stod(rows[r][f]));
        }
      }
      auto column = [&](const std::string& name) {
        for (size_t f = 0; f < keys.size(); ++f) {
          if (keys[f] == name) return rows[r][f];
        }
        ADD_FAILURE() << "no column " << name;
        return std::string();
      };
      const std::string datetime = row["datetime"].toString().toStdString();
      switch (c.instants) {
        case Instants::None:
          EXPECT_FALSE(row.contains("datetime"));
          break;
        case Instants::Columns:
          EXPECT_EQ(datetime, column("date") + "T" + column("time") + ":00" + column("utc_offset"));
          break;
        case Instants::Utc:
          EXPECT_EQ(datetime, column("date") + "T" + column("time") + ":00+00:00");
          break;
        case Instants::EventTime: {
          const std::string shown = column("Event_Time");  // "Sat, 07-04-2026 02:21 -07:00"
          ASSERT_EQ(shown.size(), 28u) << shown;
          EXPECT_EQ(datetime, shown.substr(11, 4) + "-" + shown.substr(5, 2) + "-" + shown.substr(8, 2) + "T" +
                                  shown.substr(16, 5) + ":00" + shown.substr(22));
          EXPECT_FALSE(row.contains("end_datetime"));
          break;
        }
        case Instants::ExportTime:
          EXPECT_EQ(datetime, "2026-01-01T" + column("Time") + ":00-08:00");
          EXPECT_EQ(row["datetime 4"].toString().toStdString(), "2026-01-01T" + column("Time 4") + ":00-08:00");
          break;
        case Instants::Export:
          EXPECT_EQ(datetime, column("Date") + "T" + column("Time") + ":00" + column("UTC_Offset"));
          if (!column("Time 2").empty()) {
            EXPECT_EQ(row["datetime 2"].toString().toStdString(),
                      column("Date") + "T" + column("Time 2") + ":00" + column("UTC_Offset 2"));
          }
          break;
      }
    }
  }
}

TEST_F(CliJsonTest, InfoIsOneDocumentWithTheStationAndItsLines) {
  const test::CliResult text = Run({"info", "src:9414290"}, "text");
  const test::CliResult json = Run({"info", "src:9414290"}, "json");
  ASSERT_EQ(json.status, 0) << json.err;
  QJsonParseError error;
  const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError);
  EXPECT_EQ(root["station"].toObject()["source_id"].toString(), "9414290");
  EXPECT_EQ(root["station"].toObject()["datum"].toString(), "MLLW");
  // Every line of the text form is one label and value of the document.
  std::string rebuilt;
  for (const QJsonValue& v : root["rows"].toArray()) {
    char line[64];
    const std::string label = v.toObject()["label"].toString().toStdString();
    std::snprintf(line, sizeof line, "%-22s ", label.c_str());
    rebuilt += line + v.toObject()["value"].toString().toStdString() + "\n";
  }
  EXPECT_EQ(rebuilt, text.out);
}

TEST_F(CliJsonTest, FormatsThatDisagreeOrAreUnknownAreRefused) {
  EXPECT_EQ(Run({"tides", "src:9414290", "--from", "2026-01-01", "--csv"}, "json").status, 2);
  EXPECT_EQ(Run({"tides", "src:9414290", "--from", "2026-01-01"}, "xml").status, 2);
  EXPECT_EQ(Run({"search", "src:9414290", "--kind", "high", "--from", "2026-01-01", "--at-least", "6"}, "xml").status, 2);
}

}  // namespace
}  // namespace qw
