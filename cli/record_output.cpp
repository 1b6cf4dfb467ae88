#include "cli/record_output.h"

#include <algorithm>
#include <cstring>

#include "cli/cli_errors.h"
#include "cli/station_listing.h"
#include "cli/station_time.h"
#include "engine/tide_corrections.h"

namespace qw::cli {
namespace {

bool NeedsQuotes(std::string_view field) {
  for (char c : field) {
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

}  // namespace

void RecordOutput::CsvField(BlockOutput& out, std::string_view field) {
  if (!NeedsQuotes(field)) {
    out.Append(field);
    return;
  }
  out.Put('"');
  for (char c : field) {
    if (c == '"') out.Put('"');
    out.Put(c);
  }
  out.Put('"');
}

namespace {

// A number column's text as a JSON number: leading zeros dropped ("073" is 73); a text
// that is no decimal number stays a string, so that the document is always valid.
void NumberOrText(JsonWriter& json, std::string_view text) {
  const size_t sign = text[0] == '-' ? 1 : 0;
  size_t start = sign;
  while (start + 1 < text.size() && text[start] == '0' && text[start + 1] >= '0' && text[start + 1] <= '9') ++start;
  std::string_view digits = text.substr(start);
  size_t i = 0, whole = 0, fraction = 0;
  while (i < digits.size() && digits[i] >= '0' && digits[i] <= '9') ++i, ++whole;
  if (i < digits.size() && digits[i] == '.') {
    ++i;
    while (i < digits.size() && digits[i] >= '0' && digits[i] <= '9') ++i, ++fraction;
  }
  if (whole == 0 || i != digits.size() || (digits.size() > whole && fraction == 0)) {
    JsonText(json, text);
    return;
  }
  if (sign) {
    std::string negative = "-";
    negative += digits;
    json.RawValue(negative.data(), negative.size(), rapidjson::kNumberType);
  } else {
    json.RawValue(digits.data(), digits.size(), rapidjson::kNumberType);
  }
}

void OptionalText(JsonWriter& json, const char* key, const std::string& value) {
  json.Key(key);
  if (value.empty()) {
    json.Null();
  } else {
    JsonText(json, value);
  }
}

}  // namespace

RowFormat ParseRowFormat(const ParsedArgs& args) {
  const auto format = args.Value("format");
  if (!format) return args.Has("csv") ? RowFormat::Csv : RowFormat::Text;
  RowFormat chosen;
  if (*format == "text") chosen = RowFormat::Text;
  else if (*format == "csv") chosen = RowFormat::Csv;
  else if (*format == "json") chosen = RowFormat::Json;
  else throw UsageError("--format must be text, csv or json, not '" + *format + "'");
  if (args.Has("csv") && chosen != RowFormat::Csv) throw UsageError("--csv and --format " + *format + " disagree");
  return chosen;
}

StationDescription DescribeStation(CliContext& context, const ResolvedStation& s, std::string units) {
  StationDescription d;
  const bool tide = s.kind == StationKind::Tide;
  d.name = s.name();
  while (!d.name.empty() && d.name.back() == ' ') d.name.pop_back();  // records pad names with blanks
  d.kind = KindWord(s.kind);
  d.slot = s.slot;
  d.index = s.index;
  d.regionNumber = s.regionNumber;
  d.stationId = s.stationId();
  d.referenceId = s.referenceId();
  d.role = StationRole(s);
  const StationSources* sources = context.Sources();
  if (const StationSource* source = sources ? sources->Find(static_cast<char>(s.kind), s.regionNumber, s.index)
                                            : nullptr) {
    d.source = SourceLabel(*source);
    d.sourceId = source->sourceId;
  }
  double latitude = 0, longitude = 0;
  if (tide ? TideLocationPosition(s.tide, latitude, longitude)
           : CurrentLocationPosition(s.current, latitude, longitude)) {
    d.latitude = latitude;
    d.longitude = longitude;
  }
  const StationClock clock = ClockOf(context, s);
  if (clock.basis() == ClockBasis::Zone) d.timeZone = clock.zoneName();
  d.datum = DatumName(context, s);
  d.units = std::move(units);
  return d;
}

void WriteStationJson(JsonWriter& json, const StationDescription& d) {
  json.StartObject();
  json.Key("name");
  JsonText(json, d.name);
  json.Key("kind");
  JsonText(json, d.kind);
  json.Key("slot");
  json.Int(d.slot);
  json.Key("index");
  json.Int(d.index);
  json.Key("region");
  json.Int(d.regionNumber);
  json.Key("station_id");
  json.Int(d.stationId);
  json.Key("reference_id");
  json.Int(d.referenceId);
  json.Key("role");
  JsonText(json, d.role);
  OptionalText(json, "source", d.source);
  OptionalText(json, "source_id", d.sourceId);
  json.Key("latitude");
  d.latitude ? json.Double(*d.latitude) : json.Null();
  json.Key("longitude");
  d.longitude ? json.Double(*d.longitude) : json.Null();
  OptionalText(json, "time_zone", d.timeZone);
  OptionalText(json, "datum", d.datum);
  OptionalText(json, "units", d.units);
  json.EndObject();
}

RecordOutput::RecordOutput(CliContext& context, RowFormat format, const char* command,
                           std::vector<RecordColumn> columns, std::string* text)
    : format_(format), command_(command), columns_(std::move(columns)), out_(context.out(), text) {
  if (format_ == RowFormat::Json) json_.emplace(out_);
  allPlain_ = std::all_of(columns_.begin(), columns_.end(), [](const RecordColumn& c) { return c.plain; });
}

// Without End (a command that failed part way) the rows so far are written, as the
// text and CSV forms print them, but the JSON document is left open so that no reader
// takes it for a whole one.
RecordOutput::~RecordOutput() { out_.Flush(); }

void RecordOutput::Begin(const StationDescription* station) {
  if (format_ == RowFormat::Csv) {
    for (size_t c = 0; c < columns_.size(); ++c) {
      if (c) out_.Put(',');
      CsvField(out_, columns_[c].name);
    }
    out_.Put('\n');
  } else if (json_) {
    begun_ = true;
    json_->StartObject();
    json_->Key("command");
    JsonText(*json_, command_);
    if (station) {
      json_->Key("station");
      WriteStationJson(*json_, *station);
    }
    json_->Key("rows");
    json_->StartArray();
  }
}

void RecordOutput::Row(std::initializer_list<std::string_view> fields, const ClockReading* at) {
  RowFields(fields.begin(), fields.size(), at);
}

void RecordOutput::Row(const std::vector<std::string>& fields, const ClockReading* at) {
  std::vector<std::string_view> views(fields.begin(), fields.end());
  RowFields(views.data(), views.size(), at);
}

void RecordOutput::RowFields(const std::string_view* fields, size_t count, const ClockReading* at) {
  if (format_ == RowFormat::Csv) {
    if (allPlain_ && count <= columns_.size()) {
      size_t bytes = count;  // the commas and the line feed
      for (size_t c = 0; c < count; ++c) bytes += fields[c].size();
      if (char* p = out_.Room(bytes)) {
        for (size_t c = 0; c < count; ++c) {
          if (c) *p++ = ',';
          if (!fields[c].empty()) std::memcpy(p, fields[c].data(), fields[c].size());
          p += fields[c].size();
        }
        *p++ = '\n';
        out_.Commit(p);
        return;
      }
    }
    for (size_t c = 0; c < count; ++c) {
      if (c) out_.Put(',');
      if (c < columns_.size() && columns_[c].plain) {
        out_.Append(fields[c]);
      } else {
        CsvField(out_, fields[c]);
      }
    }
    out_.Put('\n');
    return;
  }
  if (!json_) return;
  json_->StartObject();
  if (at) {
    const ShortText iso = IsoDateTimeText(*at);
    json_->Key("datetime");
    JsonText(*json_, iso.view());
  }
  for (size_t c = 0; c < count && c < columns_.size(); ++c) {
    json_->Key(columns_[c].name);
    if (fields[c].empty()) {
      json_->Null();
    } else if (columns_[c].number) {
      NumberOrText(*json_, fields[c]);
    } else {
      JsonText(*json_, fields[c]);
    }
  }
  json_->EndObject();
}

void RecordOutput::End() {
  if (ended_) return;
  ended_ = true;
  if (json_ && begun_) {
    json_->EndArray();
    json_->EndObject();
    out_.Put('\n');
  }
  out_.Flush();
}

}  // namespace qw::cli
