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

struct Case {
  std::vector<std::string> args;  // without --format
  bool hasStation;
  bool instants;  // rows carry "datetime" from their date, time and utc_offset columns
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
      {{"regions"}, false, false},
      {{"stations", "--region", "0"}, false, false},
      {{"find", "San Francisco"}, false, false},
      {{"tides", "src:9414290", "--from", "2026-03-07", "--to", "2026-03-09"}, true, true},
      {{"heights", "src:9414290", "--from", "2026-03-08", "--interval", "7", "--units", "m"}, true, true},
      {{"currents", "src:SFB1203", "--from", "2026-11-01"}, true, true},
      {{"speeds", "src:SFB1203", "--from", "2026-11-01", "--interval", "30"}, true, true},
      {{"sun", "src:9414290", "--from", "2026-03-07", "--to", "2026-03-09"}, true, false},
      {{"phases", "--from", "2026-01-01", "--to", "2026-02-28"}, false, false},
      {{"phases", "src:9414290", "--from", "2026-01-01", "--to", "2026-02-28"}, true, true},
      {{"search", "src:9414290", "--kind", "high", "--from", "2026-01-01", "--to", "2026-01-31", "--at-least", "6"}, true, false},
      {{"nearest", "37.8", "-122.46", "--range", "5"}, false, false},
      {{"export", "src:9414290", "--from", "2026-01-01", "--interval", "60"}, true, false},
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
      if (c.instants) {
        auto column = [&](const char* name) {
          for (size_t f = 0; f < names.size(); ++f) {
            if (names[f] == name) return rows[r][f];
          }
          return std::string();
        };
        EXPECT_EQ(row["datetime"].toString().toStdString(),
                  column("date") + "T" + column("time") + ":00" + column("utc_offset"));
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
