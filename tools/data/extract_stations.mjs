// Writes the station extract that the C++ data builder reads.
//
// Usage: node extract_stations.mjs OUTPUT_FILE
//
// Reads the pinned @neaps/tide-database through its own JavaScript API and writes one
// plain-text file, so the builder needs no JSON or FlatBuffers reader. Only stations that
// pass the database's quality gates are written. The output is sorted by station id and
// uses JavaScript's shortest round-trip number format, so the same package version always
// gives the same bytes.
//
// Format: UTF-8 lines of tab-separated fields; the first field says what the line is.
//   #  comment
//   S  key=value ...   one station; the keys are those of stationLine below, and for a
//                      reference tide station datum_NAME for every datum it has
//                      ("datum_MSL", "datum_NAVD88") and datum_chart, its chart datum's
//   H  name  canonical  speed  amplitude  phase
//                      one harmonic constituent of the station above: the source's own
//                      name, the name and speed (degrees per hour) the predictor package
//                      knows it by ("" and 0 when it knows none), amplitude (metres, or
//                      knots for currents) and Greenwich phase lag (degrees)
// Values never hold tabs or line ends: those become spaces.

import { writeFileSync } from "node:fs";
import { stations } from "@neaps/tide-database";
import { constituents } from "@neaps/tide-predictor";

const output = process.argv[2];
if (!output) {
  console.error("usage: node extract_stations.mjs OUTPUT_FILE");
  process.exit(2);
}

const clean = (value) => String(value ?? "").replace(/[\t\r\n]+/g, " ").trim();
const num = (value) => (value === undefined || value === null || Number.isNaN(value) ? "" : String(value));

// UTC offset of a zone in minutes at one instant, from the runtime's time-zone database.
function offsetMinutes(zone, instant) {
  const text = new Intl.DateTimeFormat("en-US", { timeZone: zone, timeZoneName: "longOffset" })
    .formatToParts(instant)
    .find((part) => part.type === "timeZoneName").value; // "GMT", "GMT+05:30", "GMT-03:00"
  const match = /^GMT(?:([+-])(\d{2}):(\d{2}))?$/.exec(text);
  if (!match) throw new Error(`unexpected offset text ${text} for ${zone}`);
  if (!match[1]) return 0;
  const minutes = Number(match[2]) * 60 + Number(match[3]);
  return match[1] === "-" ? -minutes : minutes;
}

// Standard offset and daylight-saving use of a zone, read from mid-winter and mid-summer
// of a fixed year so that the result does not depend on the day the build runs.
const zoneCache = new Map();
function zoneFacts(zone) {
  if (!zoneCache.has(zone)) {
    const january = offsetMinutes(zone, new Date(Date.UTC(2025, 0, 15, 12)));
    const july = offsetMinutes(zone, new Date(Date.UTC(2025, 6, 15, 12)));
    // Daylight saving in the northern summer ("N"), the southern summer ("S") or never ("0").
    const dst = january === july ? "0" : july > january ? "N" : "S";
    zoneCache.set(zone, { standard: Math.min(january, july), dst });
  }
  return zoneCache.get(zone);
}

// Every datum the database gives a station, by name, in metres in the station's own frame.
const datumKeys = (s) => Object.keys(s.datums ?? {}).filter((key) => Number.isFinite(s.datums[key])).sort();

function stationLine(s) {
  const zone = zoneFacts(s.timezone);
  const fields = {
    kind: s.kind === "current" ? "C" : "T",
    id: s.id,
    type: s.type === "subordinate" ? "S" : "R",
    source: s.source.name,
    source_id: s.source.id,
    name: s.name,
    lat: num(s.latitude),
    lon: num(s.longitude),
    country: s.country_code,
    region_code: s.region_code ?? "",
    region: s.region ?? "",
    time_zone: s.timezone,
    zone_minutes: String(zone.standard),
    zone_dst: zone.dst,
    licence: s.license.type,
    commercial: s.license.commercial_use ? "1" : "0",
    licence_url: s.license.url,
    attribution: s.attribution,
    disclaimers: s.disclaimers ?? "",
    // What tells stations of one name apart: the source's own words ("0.46 Nm E of") or,
    // when derived, the place the database geocoded ("Galveston, TX").
    context: s.context ?? "",
    context_derived: s.context_derived ? "1" : "0",
    locality: s.locality ?? "",
  };
  if (s.kind === "tide") {
    fields.chart_datum = s.chart_datum ?? "";
    // A subordinate station's datums are its reference station's; only references carry their own.
    if (s.type === "reference") {
      for (const key of datumKeys(s)) fields[`datum_${key}`] = num(s.datums[key]);
      if (s.chart_datum) fields.datum_chart = num(s.datums?.[s.chart_datum]);
    }
    if (s.offsets) {
      fields.ref = s.offsets.reference;
      fields.time_high = num(s.offsets.time?.high);
      fields.time_low = num(s.offsets.time?.low);
      fields.height_type = s.offsets.height?.type ?? "";
      fields.height_high = num(s.offsets.height?.high);
      fields.height_low = num(s.offsets.height?.low);
    }
  } else {
    const c = s.current ?? {};
    fields.flood_dir = num(c.flood_direction);
    fields.ebb_dir = num(c.ebb_direction);
    fields.mean_flow = num(c.mean_flow);
    if (c.offsets) {
      fields.ref = c.offsets.reference;
      fields.slack_flood_time = num(c.offsets.slack_before_flood);
      fields.flood_time = num(c.offsets.flood_time);
      fields.slack_ebb_time = num(c.offsets.slack_before_ebb);
      fields.ebb_time = num(c.offsets.ebb_time);
      fields.flood_ratio = num(c.offsets.flood_speed_ratio);
      fields.ebb_ratio = num(c.offsets.ebb_speed_ratio);
    }
  }
  return ["S", ...Object.entries(fields).map(([key, value]) => `${key}=${clean(value)}`)].join("\t");
}

function constituentLine(c) {
  const model = constituents[c.name];
  return ["H", clean(c.name), model ? model.name : "", model ? num(model.speed) : "0", num(c.amplitude), num(c.phase)].join("\t");
}

const sorted = [...stations].sort((a, b) => (a.id < b.id ? -1 : a.id > b.id ? 1 : 0));
const lines = ["# Quaywise station extract from @neaps/tide-database, accepted stations only"];
for (const s of sorted) {
  lines.push(stationLine(s));
  if (s.type === "reference") for (const c of s.harmonic_constituents ?? []) lines.push(constituentLine(c));
}
writeFileSync(output, lines.join("\n") + "\n");
console.log(`extract: ${sorted.length} stations written to ${output}`);
