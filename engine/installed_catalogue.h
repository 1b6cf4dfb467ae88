// The side catalogue and datums of the data directory in use, read once and shared by
// every window, writer and report: who published a station's data, under which licence,
// and the name of the datum its heights are on.
//
// Both files are read on first use and read again when the data directory changes; a
// missing or damaged file leaves the lookups empty (nullptr, ""), never a guess from the
// station's number range. ResetInstalledCatalogue (called by ResetEngine) forgets them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/station_datums.h"
#include "engine/station_sources.h"
#include "engine/tide_location.h"

namespace qw {

// The catalogue of the data directory, or nullptr when it has none.
const StationSources* InstalledSources();
// The datums of the data directory, or nullptr when it has none.
const StationDatums* InstalledDatums();
void ResetInstalledCatalogue();

// The catalogue line of the station whose data a station of `kind` ('T' or 'C') is
// computed from: its harmonic record (tides) or harmonic file (currents) `referenceId`.
// nullptr when the catalogue does not list it.
const StationSource* ReferenceSource(char kind, uint16_t referenceId);

// The label that follows a station or reference name, " (NOAA)", " (TICON-4, UHSLC)",
// " (Kartverket)", from ReferenceSource; "" when the publisher is not known.
std::string ReferenceSourceSuffix(char kind, uint16_t referenceId);

// The name of the datum a tide station's heights are on ("MLLW", "LAT", "CD"), that of
// its harmonic record's station; "" when not known.
std::string ReferenceChartDatum(uint16_t referenceId);

// The datums of a tide station, by its own station number; nullptr for a custom location,
// a station the datum list does not give and when there is no list. Such a station's
// heights are on its chart datum alone.
const StationDatumSet* InstalledStationDatums(const TideLocation& station);

// Puts the station's heights on the datum `name` (empty: its chart datum). A datum the
// station does not have is refused (the choice's error names the ones it has) and leaves
// the station as it was.
DatumChoice SelectDatum(TideLocation& station, std::string_view name);
// The same, but a datum the station does not have gives its chart datum: for a default
// that applies to every station.
DatumChoice SelectPreferredDatum(TideLocation& station, std::string_view name);

// The name of the datum the station's heights are on: the chosen one, else its chart
// datum; "" when neither is known.
std::string ShownDatumName(const TideLocation& station);

// "TICON-4 (UHSLC)" written to follow a name in parentheses: "TICON-4, UHSLC".
std::string InlineSourceLabel(const StationSource& entry);

}  // namespace qw
