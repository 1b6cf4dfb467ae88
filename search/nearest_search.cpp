#include "search/nearest_search.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "engine/current_depth.h"
#include "engine/installed_catalogue.h"
#include "engine/string_table.h"
#include "search/search_texts.h"

namespace qw {
namespace {

std::string Printf(const char* format, auto... args) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

// The digits of a typed coordinate and its hemisphere letter (the last letter typed). A
// blank digit place of the masked box (kBlankDigit) is kept in `digits` as it is.
void SplitTyped(const std::string& text, std::string& digits, char& letter) {
  digits.clear();
  letter = ' ';
  for (unsigned char c : text) {
    if (std::isdigit(c) || c == kBlankDigit) {
      digits += static_cast<char>(c);
    } else if (std::isalpha(c)) {
      letter = static_cast<char>(std::toupper(c));
    }
  }
}

// The number of `count` digits from `from` (missing ones count as 0); -1 when one of them
// is a blank digit place.
int DigitsValue(const std::string& digits, size_t from, size_t count) {
  int value = 0;
  for (size_t i = from; i < from + count; ++i) {
    if (i < digits.size() && digits[i] == kBlankDigit) return -1;
    value = value * 10 + (i < digits.size() ? digits[i] - '0' : 0);
  }
  return value;
}

PositionError ParseTyped(const std::string& text, int degreeDigits, bool latitude, Coordinate& out) {
  std::string digits;
  char letter = ' ';
  SplitTyped(text, digits, letter);
  out.degrees = DigitsValue(digits, 0, static_cast<size_t>(degreeDigits));
  const int minutes = DigitsValue(digits, static_cast<size_t>(degreeDigits), 2);
  const int hundredths = DigitsValue(digits, static_cast<size_t>(degreeDigits) + 2, 2);
  out.minutes = minutes;
  out.third = hundredths;
  out.hemisphere = letter;
  const double total = out.degrees * 60.0 + minutes + hundredths / 100.0;
  const bool negative = latitude ? letter == 'S' : letter == 'W';
  out.signedMinutes = negative ? -total : total;
  const int maxDegrees = latitude ? 90 : 180;
  if (out.degrees < 0 || out.degrees > maxDegrees) return latitude ? PositionError::LatitudeDegrees : PositionError::LongitudeDegrees;
  if (minutes < 0 || hundredths < 0 || minutes + hundredths / 100.0 > 59.99) {
    return latitude ? PositionError::LatitudeMinutes : PositionError::LongitudeMinutes;
  }
  if (total > maxDegrees * 60.0) return latitude ? PositionError::LatitudeTooBig : PositionError::LongitudeTooBig;
  if (latitude ? (letter != 'N' && letter != 'S') : (letter != 'E' && letter != 'W')) {
    return latitude ? PositionError::LatitudeLetter : PositionError::LongitudeLetter;
  }
  return PositionError::None;
}

Coordinate RecordCoordinate(char hemisphere, int16_t degrees, int16_t minutes, int16_t seconds, bool latitude) {
  Coordinate c;
  c.degrees = degrees;
  c.minutes = minutes;
  c.third = seconds;
  c.hemisphere = hemisphere;
  const double total = degrees * 60.0 + minutes + seconds / 60.0;
  const bool negative = latitude ? hemisphere == 'S' : hemisphere == 'W';
  c.signedMinutes = negative ? -total : total;
  return c;
}

std::string BoxText(const Coordinate& c, const char* format) {
  // The record's seconds as hundredths of a minute, carried into the minutes.
  int minutes = c.minutes;
  int hundredths = static_cast<int>(std::lround(c.third * 100.0 / 60.0));
  if (hundredths >= 100) {
    hundredths -= 100;
    ++minutes;
  }
  return Printf(format, c.degrees, minutes, hundredths, c.hemisphere);
}

// The smallest distance a station at `lonMinutes` can be from the search point once its
// latitude is within `range` of it: the departure along the most poleward parallel the
// band reaches. Used to pass over distant stations without trigonometry per station.
bool OutsideLongitudeBand(const NearestQuery& query, double lonMinutes, int range) {
  double delta = std::fabs(lonMinutes - query.point.longitude.signedMinutes);
  if (delta > 180.0 * 60.0) delta = 360.0 * 60.0 - delta;
  const double poleward = std::fabs(query.point.latitude.signedMinutes) / 60.0 + range / 60.0 + 1.0;
  if (poleward >= 90.0) return false;
  return delta * std::cos(poleward * std::numbers::pi / 180.0) > range + 1.0;
}

std::string CoordinateCell(const Coordinate& c, bool latitude, bool withThird) {
  if (withThird) {
    return Printf(latitude ? "%02d\u00b0%02d %02d %c" : "%03d\u00b0%02d %02d %c", c.degrees, c.minutes, c.third,
                  c.hemisphere);
  }
  return Printf(latitude ? "%02d\u00b0%02d' %c" : "%03d\u00b0%02d' %c", c.degrees, c.minutes, c.hemisphere);
}

std::string RegionName(const RegionList& regions, int slot) {
  return slot >= 0 && slot < static_cast<int>(regions.size()) ? Trimmed(regions[static_cast<size_t>(slot)].name)
                                                                : std::string();
}

// The `count` station records of a region (after its header) read in one piece; fewer
// when the file is shorter, none when it cannot be read (the catalogue has said why).
std::vector<uint8_t> RegionRecords(const RegionList& regions, int slot, StationKind kind, int count) {
  std::vector<uint8_t> bytes;
  std::FILE* file = count > 0 ? OpenRegionFile(regions, slot, kind) : nullptr;
  if (!file) return bytes;
  const size_t size = RegionRecordSize(kind);
  if (std::fseek(file, static_cast<long>(size), SEEK_SET) != 0) return bytes;
  bytes.resize(size * static_cast<size_t>(count));
  bytes.resize(std::fread(bytes.data(), size, static_cast<size_t>(count), file) * size);
  return bytes;
}

// One pass over the regions of a kind. Returns false when stopped.
bool SearchKind(const NearestQuery& query, StationKind kind, const RegionList& regions, ResultsTable& table,
                SearchProgress& progress) {
  const bool tide = kind == StationKind::Tide;
  const int range = tide ? query.tideRange : query.currentRange;
  const int single = tide ? query.tideRegion : query.currentRegion;
  progress.Status(1, StringText(tide ? text::kSearchingTideRegions : text::kSearchingCurrentRegions));
  const double pointLat = query.point.latitude.signedMinutes / 60.0;
  const double pointLon = query.point.longitude.signedMinutes / 60.0;
  const int first = single >= 0 ? single : 0;
  const int last = single >= 0 ? single : static_cast<int>(regions.size()) - 1;
  for (int slot = first; slot <= last && slot < static_cast<int>(regions.size()); ++slot) {
    progress.Status(2, RegionName(regions, slot));
    // The region's records in one read; a file cut short gives the records it holds.
    const size_t size = RegionRecordSize(kind);
    const std::vector<uint8_t> records = RegionRecords(regions, slot, kind, CountStations(regions, slot, kind));
    const int count = static_cast<int>(records.size() / size);
    for (int index = 0; index < count; ++index) {
      const uint8_t* record = records.data() + static_cast<size_t>(index) * size;
      TideLocation tideRecord;
      CurrentLocation currentRecord;
      StationPosition position;
      uint16_t stationId = 0;
      if (tide) {
        DecodeTideLocation(record, tideRecord);
        const TideLocation& r = tideRecord;
        stationId = r.stationId;
        position = PositionOfStation(r.latHemisphere, r.latDegrees, r.latMinutes, r.latSeconds, r.lonHemisphere,
                                     r.lonDegrees, r.lonMinutes, r.lonSeconds);
      } else {
        DecodeCurrentLocation(record, currentRecord);
        const CurrentLocation& r = currentRecord;
        stationId = r.stationId;
        position = PositionOfStation(r.latHemisphere, r.latDegrees, r.latMinutes, r.latSeconds, r.lonHemisphere,
                                     r.lonDegrees, r.lonMinutes, r.lonSeconds);
      }
      if (stationId == 0) continue;
      if (!query.customPoint && position == query.point) continue;
      const Coordinate& lat = position.latitude;
      const Coordinate& lon = position.longitude;
      if (lat.degrees == 0 && lat.minutes == 0 && lon.degrees == 0 && lon.minutes == 0) continue;
      if (std::fabs(std::trunc(query.point.latitude.signedMinutes) - std::trunc(lat.signedMinutes)) > range) continue;
      if (OutsideLongitudeBand(query, lon.signedMinutes, range)) continue;
      NearestHit hit;
      hit.regionSlot = static_cast<int16_t>(slot);
      hit.stationIndex = static_cast<int16_t>(index);
      hit.kind = tide ? kNearestTide : kNearestCurrent;
      hit.position = position;
      PositionDistanceBearing(pointLat, pointLon, lat.signedMinutes / 60.0, lon.signedMinutes / 60.0,
                              hit.distanceNm, hit.bearing);
      if (std::trunc(hit.distanceNm) >= range) continue;
      const StationSource* source = ReferenceSource(tide ? 'T' : 'C', tide ? tideRecord.referenceId
                                                                             : currentRecord.referenceId);
      AddNearestHit(table, hit, tide ? Trimmed(tideRecord.name) : CurrentStationLabel(currentRecord),
                    RegionName(regions, slot), source ? SourceLabel(*source) : std::string());
    }
    if (progress.Pump()) return false;
  }
  return true;
}

}  // namespace

PositionErrorTexts NearestPositionErrorTexts(PositionError error) {
  using namespace text;
  const PositionErrorTexts lat{kInvalidLatitudeCaption, 0, 0, kLatLeadingZeros, kLatExamples};
  const PositionErrorTexts lon{kInvalidLongitudeCaption, 0, 0, kLonLeadingZeros, kLonExamples};
  auto with = [](PositionErrorTexts t, int message, int detail) {
    t.message = message;
    t.detail = detail;
    return t;
  };
  switch (error) {
    case PositionError::LatitudeDegrees: return with(lat, kLatDegreesError, 0);
    case PositionError::LatitudeMinutes: return with(lat, kLatMinutesError, 0);
    case PositionError::LatitudeTooBig: return with(lat, kLatTooBigError, kLatTooBigDetail);
    case PositionError::LatitudeLetter: return with(lat, kDirectionInvalid, kLatDirectionDetail);
    case PositionError::LongitudeDegrees: return with(lon, kLonDegreesError, 0);
    case PositionError::LongitudeMinutes: return with(lon, kLonMinutesError, 0);
    case PositionError::LongitudeTooBig: return with(lon, kLonTooBigError, kLonTooBigDetail);
    case PositionError::LongitudeLetter: return with(lon, kDirectionInvalid, kLonDirectionDetail);
    default: return {};
  }
}

PositionError ParseLatitude(const std::string& text, Coordinate& out) { return ParseTyped(text, 2, true, out); }

PositionError ParseLongitude(const std::string& text, Coordinate& out) { return ParseTyped(text, 3, false, out); }

StationPosition PositionOfStation(char latHemisphere, int16_t latDegrees, int16_t latMinutes, int16_t latSeconds,
                                  char lonHemisphere, int16_t lonDegrees, int16_t lonMinutes, int16_t lonSeconds) {
  return {RecordCoordinate(latHemisphere, latDegrees, latMinutes, latSeconds, true),
          RecordCoordinate(lonHemisphere, lonDegrees, lonMinutes, lonSeconds, false)};
}

std::string LatitudeBoxText(const Coordinate& latitude) { return BoxText(latitude, "%02d%02d%02d%c"); }

std::string LongitudeBoxText(const Coordinate& longitude) { return BoxText(longitude, "%03d%02d%02d%c"); }

void PositionDistanceBearing(double lat1, double lon1, double lat2, double lon2, double& distanceNm,
                             double& bearing) {
  double dLon = lon2 - lon1;
  if (dLon >= 180.0) {
    dLon -= 360.0;
  } else if (dLon <= -180.0) {
    dLon += 360.0;
  }
  const bool east = dLon >= 0;
  dLon = std::fabs(dLon);
  if (dLon == 0) dLon = 1e-7;
  double dLat = lat2 - lat1;
  if (dLat == 0) dLat = 1e-7;
  double mid = lat1 + 0.5 * dLat;
  if (mid == 0) mid = 1e-7;
  const double departure = std::cos(mid * 0.01745329) * dLon;
  const double course = std::atan(departure / dLat);
  distanceNm = std::fabs(dLat / std::cos(course) * 60.0);
  const double d = course * 57.2957795;
  if (d >= 0) {
    bearing = east ? d : 360.0 - d;
  } else {
    bearing = east ? 180.0 - std::fabs(d) : 180.0 + std::fabs(d);
  }
}

void PrepareNearestResults(ResultsTable& table) {
  table.SetWindowTitle(StringText(text::kNearestEmptyTitle));
  table.SetHeadings({StringText(text::kPressSearchToBegin), "", "", ""});
}

bool FindNearestStations(const NearestQuery& query, const RegionList& tideRegions, const RegionList& currentRegions,
                         ResultsTable& table, SearchProgress& progress) {
  table.SetColumns({{StringText(text::kTypeColumn), 60, QColor()},
                    {StringText(text::kLocationColumn), 260, QColor()},
                    {StringText(text::kDistanceColumn), 90, QColor()},
                    {StringText(text::kBearingColumn), 70, QColor()},
                    {StringText(text::kRegionColumn), 200, QColor()},
                    {StringText(text::kLatitudeColumn), 100, QColor()},
                    {StringText(text::kLongitudeColumn), 110, QColor()},
                    {StringText(text::kSourceColumn), 140, QColor()}});
  bool finished = true;
  if (query.tideOn) finished = SearchKind(query, StationKind::Tide, tideRegions, table, progress);
  if (finished && query.currentOn) finished = SearchKind(query, StationKind::Current, currentRegions, table, progress);
  progress.Status(1, "");
  progress.Status(2, "");
  return finished;
}

bool AddNearestHit(ResultsTable& table, const NearestHit& hit, const std::string& stationLabel,
                   const std::string& regionName, const std::string& sourceLabel) {
  int at = table.rows();
  for (int row = 0; row < table.rows(); ++row) {
    const auto* listed = std::get_if<NearestHit>(&table.record(row));
    if (!listed) continue;
    if (listed->kind == hit.kind && listed->position == hit.position) return false;
    if (at == table.rows() && listed->distanceNm >= hit.distanceNm) at = row;
  }
  table.InsertRow(at, hit);
  const bool withThird = hit.position.latitude.third != 0 || hit.position.longitude.third != 0;
  table.SetCell(at, 0, StringText(hit.kind == kNearestTide ? text::kTideWord : text::kCurrentWord));
  table.SetCell(at, 1, stationLabel);
  table.SetCell(at, 2, Printf("%.2f Nm", hit.distanceNm));
  table.SetCell(at, 3, Printf("%.1f\u00b0", hit.bearing));
  table.SetCell(at, 4, regionName);
  table.SetCell(at, 5, CoordinateCell(hit.position.latitude, true, withThird));
  table.SetCell(at, 6, CoordinateCell(hit.position.longitude, false, withThird));
  table.SetCell(at, 7, sourceLabel);
  return true;
}

void FinishNearestSearch(ResultsTable& table, const NearestQuery& query, const RegionList& tideRegions,
                         const RegionList& currentRegions) {
  const int resultKind = (query.tideOn ? 1 : 0) | (query.currentOn ? 2 : 0);
  table.RenumberRows();
  for (int row = 0; row < table.rows(); ++row) {
    const auto* hit = std::get_if<NearestHit>(&table.record(row));
    if (hit) table.SetRowBackground(row, hit->kind == kNearestCurrent ? QColor(192, 255, 255) : QColor(255, 255, 192));
  }
  const std::string name = query.customPoint ? StringText(text::kCustomLocation) : query.locationName;
  static constexpr int kTitles[] = {0, text::kNearTideTitle, text::kNearCurrentTitle, text::kNearBothTitle};
  static constexpr int kClosest[] = {0, text::kClosestTide, text::kClosestCurrent, text::kClosestBoth};
  if (resultKind == 0) {
    PrepareNearestResults(table);
    return;
  }
  table.SetWindowTitle(std::string(StringText(kTitles[resultKind])) + " " + name);
  std::string position;
  if (query.customPoint) {
    position = FormatString(text::kCustomPositionLine, query.latitudeText.c_str(), query.longitudeText.c_str());
  } else {
    const Coordinate& la = query.point.latitude;
    const Coordinate& lo = query.point.longitude;
    position = FormatString(text::kStationPositionLine, la.degrees, la.minutes, la.third, la.hemisphere, lo.degrees,
                            lo.minutes, lo.third, lo.hemisphere);
  }
  std::string regions = "( ";
  if (query.tideOn) {
    regions += query.tideRegion >= 0
                   ? FormatString(text::kOneTideRegion, RegionName(tideRegions, query.tideRegion).c_str())
                   : std::string(StringText(text::kAllTideRegions));
    regions += FormatString(text::kWithinNm, query.tideRange);
  }
  if (query.tideOn && query.currentOn) regions += ";    ";
  if (query.currentOn) {
    regions += query.currentRegion >= 0
                   ? FormatString(text::kOneCurrentRegion, RegionName(currentRegions, query.currentRegion).c_str())
                   : std::string(StringText(text::kAllCurrentRegions));
    regions += FormatString(text::kWithinNm, query.currentRange);
  }
  regions += " )";
  table.SetHeadings({StringText(kClosest[resultKind]), name, position, regions});
}

std::string CurrentStationLabel(const CurrentLocation& station) {
  std::string label = Trimmed(station.name);
  if (station.meterDepth != 0) label += Printf(DepthMarkedD(station) ? "  (%dd)" : "  (%d)", station.meterDepth);
  return label;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace qw
