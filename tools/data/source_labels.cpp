#include "tools/data/source_labels.h"

#include <cctype>
#include <map>

namespace qw::data {

namespace {

struct Contributor {
  const char* label;  // short, shown beside the station
  const char* name;   // full, for the notes; "" when not known here
};

// GESLA-4 contributor codes (the last part of a TICON-4 station id) of the gauges in the
// database. Codes not listed are shown as they are written, upper-cased.
const std::map<std::string, Contributor>& Contributors() {
  static const std::map<std::string, Contributor> contributors = {
      {"bodc", {"BODC", "British Oceanographic Data Centre"}},
      {"bom", {"BOM", "Australian Bureau of Meteorology"}},
      {"cco", {"CCO", "Channel Coastal Observatory"}},
      {"cdwr", {"CDWR", "California Department of Water Resources"}},
      {"cmems", {"CMEMS", "Copernicus Marine Service"}},
      {"crms", {"CRMS", "Coastwide Reference Monitoring System, Louisiana"}},
      {"dmi", {"DMI", "Danish Meteorological Institute"}},
      {"eseas", {"ESEAS", "European Sea Level Service"}},
      {"fmi", {"FMI", "Finnish Meteorological Institute"}},
      {"gloss", {"GLOSS", "Global Sea Level Observing System"}},
      {"ieo", {"IEO", "Instituto Español de Oceanografía"}},
      {"ispra", {"ISPRA", "Istituto Superiore per la Protezione e la Ricerca Ambientale"}},
      {"jodc_giaj", {"GIAJ", "Geospatial Information Authority of Japan, via JODC"}},
      {"jodc_jcg", {"JCG", "Japan Coast Guard, via JODC"}},
      {"jodc_jma", {"JMA", "Japan Meteorological Agency, via JODC"}},
      {"jodc_pahb", {"PAHB", "Ports and Harbours Bureau of Japan, via JODC"}},
      {"meds", {"MEDS", "Marine Environmental Data Section, Fisheries and Oceans Canada"}},
      {"mi_c", {"MI", "Marine Institute, Ireland"}},
      {"mi_r", {"MI", "Marine Institute, Ireland"}},
      {"noaa", {"NOAA", "US National Oceanic and Atmospheric Administration"}},
      {"noc", {"NOC", "National Oceanography Centre"}},
      {"nwfwmd", {"NWFWMD", "Northwest Florida Water Management District"}},
      {"refmar", {"REFMAR", "REFMAR, Shom"}},
      {"rws", {"RWS", "Rijkswaterstaat"}},
      {"sfwmd", {"SFWMD", "South Florida Water Management District"}},
      {"smhi", {"SMHI", "Swedish Meteorological and Hydrological Institute"}},
      {"uhslc_fd", {"UHSLC", "University of Hawaii Sea Level Center"}},
      {"uhslc_rq", {"UHSLC", "University of Hawaii Sea Level Center"}},
      {"unam", {"UNAM", "Universidad Nacional Autónoma de México"}},
      {"unam_hist", {"UNAM", "Universidad Nacional Autónoma de México"}},
      {"usgs", {"USGS", "US Geological Survey"}},
      {"wsv", {"WSV", "German Federal Waterways and Shipping Administration"}},
  };
  return contributors;
}

std::string Upper(std::string text) {
  for (char& c : text) c = c == '_' ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string LicenceName(const std::string& licenceId) {
  if (licenceId == "cc-by-4.0") return "CC BY 4.0";
  if (licenceId == "cc-by-nc-4.0") return "CC BY-NC 4.0";
  return licenceId;
}

SourceLabels LabelsOf(const SourceStation& station) {
  const std::string& source = station.Text("source");
  SourceLabels labels;
  if (source.rfind("US National Oceanic", 0) == 0) {
    labels.family = labels.label = "NOAA";
    labels.name = source + " (NOAA)";
  } else if (source.rfind("Canadian Hydrographic", 0) == 0) {
    labels.family = labels.label = "CHS";
    labels.name = source + " (CHS)";
  } else if (source.rfind("Kartverket", 0) == 0) {
    labels.family = labels.label = "Kartverket";
    labels.name = source;
  } else if (source == "TICON-4") {
    labels.family = "TICON-4";
    labels.name = "TICON-4 (Hart-Davis, Dettmering, Seitz 2025)";
    const std::string& id = station.Text("source_id");
    const size_t dash = id.rfind('-');
    labels.agencyCode = dash == std::string::npos ? "" : id.substr(dash + 1);
    auto known = Contributors().find(labels.agencyCode);
    const std::string shortName = known != Contributors().end() ? known->second.label : Upper(labels.agencyCode);
    labels.agency = known != Contributors().end() ? known->second.name : "";
    labels.label = shortName.empty() ? "TICON-4" : "TICON-4 (" + shortName + ")";
  } else {
    labels.family = labels.label = labels.name = source;
  }
  return labels;
}

}  // namespace qw::data
