// Test-only: high and low waters of chosen stations from the independent predictor
// package, for comparing the program's predictions with.
//
// Usage: node predict_extremes.mjs OUTPUT STATION_CONSTITUENTS COMPUTED START END ID...
//   STATION_CONSTITUENTS  the builder's list of the source constituents each reference
//                         station kept
//   COMPUTED              extra_constituents.mjs's output; its "check" constituents are
//                         those the predictor and XTide's table define alike
//   The predictor gets the kept constituents that are also "check" ones, so the comparison
//   checks conventions, not the constituent tables; and Kartverket's SA_KV, which it does
//   not know, as its Sa with the phase lag p1 added: H cos(h - p1 - G) = H cos(h - (G + p1)),
//   p1 (the solar perigee, moving 0.017 degrees a year) taken at the middle of the span.
//   START, END            ISO instants (UTC)
//   ID                    station ids of the database (e.g. noaa/9447130)
//
// Output: one line per extreme, tab-separated: station id, UTC milliseconds since 1970,
// height in metres above the station's chart datum (for a current station: its speed in
// knots, flood positive), "H" or "L".

import { readFileSync, writeFileSync } from "node:fs";
import { stationsById } from "@neaps/tide-database";
import { astro, constituents, createTidePredictor, useStation } from "@neaps/tide-predictor";

const [output, keptFile, computedFile, startText, endText, ...ids] = process.argv.slice(2);
if (!output || !keptFile || !computedFile || !startText || !endText || ids.length === 0) {
  console.error("usage: node predict_extremes.mjs OUTPUT STATION_CONSTITUENTS COMPUTED START END ID...");
  process.exit(2);
}

const alike = new Set();
for (const line of readFileSync(computedFile, "utf8").split("\n")) {
  const [kind, name, , role] = line.split("\t");
  if (kind === "C" && role === "check") alike.add(name);
}

const kept = new Map();
for (const line of readFileSync(keptFile, "utf8").split("\n")) {
  const [id, ...names] = line.split("\t");
  if (id) kept.set(id, new Set(names));
}

const start = new Date(startText);
const end = new Date(endText);
const lines = [];
for (const id of ids) {
  const station = stationsById.get(id);
  if (!station) throw new Error(`unknown station ${id}`);
  const referenceId = station.type === "subordinate" ? station.offsets.reference : id;
  const names = kept.get(referenceId);
  if (!names) throw new Error(`no kept constituents for ${referenceId}`);
  const constants = station.harmonic_constituents.filter(
    (c) => names.has(c.name) && constituents[c.name] && alike.has(constituents[c.name].name),
  );
  const saKv = station.harmonic_constituents.find((c) => c.name === "SA_KV" && names.has(c.name));
  if (saKv) {
    const perigee = astro(new Date((start.getTime() + end.getTime()) / 2)).pp.value;
    constants.push({ name: "Sa", amplitude: saKv.amplitude, phase: (saKv.phase + perigee) % 360 });
  }
  let extremes;
  if (station.kind === "current") {
    // A current station's speed along its flood direction: the mean flow plus the sum.
    extremes = createTidePredictor(constants, { nodeCorrections: "schureman", offset: station.current?.mean_flow ?? 0 })
      .getExtremesPrediction({ start, end });
  } else {
    ({ extremes } = useStation({ ...station, harmonic_constituents: constants }).getExtremesPrediction({
      start,
      end,
      datum: station.chart_datum,
      units: "meters",
      nodeCorrections: "schureman",
    }));
  }
  for (const e of extremes) lines.push([id, e.time.getTime(), e.level, e.high ? "H" : "L"].join("\t"));
}
writeFileSync(output, lines.join("\n") + "\n");
console.log(`predicted extremes: ${ids.length} stations written to ${output}`);
