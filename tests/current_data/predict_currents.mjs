// Test-only: currents of chosen reference current stations from the independent
// predictor package, for comparing the program's current predictions with.
//
// Usage: node predict_currents.mjs OUTPUT STATION_CONSTITUENTS START END ID...
//   STATION_CONSTITUENTS  the data builder's list of the source constituents each
//                         reference station kept; the predictor gets exactly those (along
//                         the station's major axis), with the station's mean flow added,
//                         except M1, M3 and L2, whose definitions differ between the
//                         predictor and the constituent table the data was built with (the
//                         test leaves them out of the program's side too)
//   START, END            ISO instants (UTC)
//   ID                    current station ids of the database (e.g. noaa/SFB1203)
//
// The predictor sums the constituents on a one-minute timeline; from it this script takes
// the maxima (F above zero, a weakening between floods included) and minima (E), refined
// to a fraction of a minute by a parabola through three points, and the slacks (S) where
// the current changes sign, interpolated linearly. It also writes the current on the
// hour (V).
//
// Output: one line per value, tab-separated: station id, kind (F, E, S, V), UTC
// milliseconds since 1970, speed in knots (flood positive).

import { readFileSync, writeFileSync } from "node:fs";
import { stationsById } from "@neaps/tide-database";
import { createTidePredictor } from "@neaps/tide-predictor";

const [output, keptFile, startText, endText, ...ids] = process.argv.slice(2);
if (!output || !keptFile || !startText || !endText || ids.length === 0) {
  console.error("usage: node predict_currents.mjs OUTPUT STATION_CONSTITUENTS START END ID...");
  process.exit(2);
}

const kept = new Map();
for (const line of readFileSync(keptFile, "utf8").split("\n")) {
  const [id, ...names] = line.split("\t");
  if (id) kept.set(id, new Set(names));
}

const differentlyDefined = new Set(["M1", "M3", "L2"]);
const start = new Date(startText);
const end = new Date(endText);
const minute = 60000;
const lines = [];
for (const id of ids) {
  const station = stationsById.get(id);
  if (!station || station.type !== "reference" || !station.current) throw new Error(`${id} is no reference current station`);
  const names = kept.get(id);
  if (!names) throw new Error(`no kept constituents for ${id}`);
  const constants = station.harmonic_constituents.filter((c) => names.has(c.name) && !differentlyDefined.has(c.name));
  const predictor = createTidePredictor(constants, {
    offset: station.current.mean_flow ?? 0,
    nodeCorrections: "schureman",
  });
  const points = predictor.getTimelinePrediction({ start, end, timeFidelity: 60 });
  const v = points.map((p) => p.level);
  const t = points.map((p) => p.time.getTime());
  for (let i = 1; i + 1 < v.length; ++i) {
    const rising = v[i] > v[i - 1] && v[i] >= v[i + 1];
    const falling = v[i] < v[i - 1] && v[i] <= v[i + 1];
    if (rising || falling) {
      // Vertex of the parabola through the three points.
      const denominator = v[i - 1] - 2 * v[i] + v[i + 1];
      const shift = denominator === 0 ? 0 : (0.5 * (v[i - 1] - v[i + 1])) / denominator;
      const peak = v[i] - 0.25 * (v[i - 1] - v[i + 1]) * shift;
      const kind = peak > 0 ? "F" : "E";
      lines.push([id, kind, Math.round(t[i] + shift * minute), peak.toFixed(4)].join("\t"));
    }
    if ((v[i] > 0 && v[i + 1] <= 0) || (v[i] < 0 && v[i + 1] >= 0)) {
      const fraction = v[i] / (v[i] - v[i + 1]);
      lines.push([id, "S", Math.round(t[i] + fraction * minute), "0.0000"].join("\t"));
    }
    if (t[i] % (60 * minute) === 0) lines.push([id, "V", t[i], v[i].toFixed(4)].join("\t"));
  }
}
writeFileSync(output, lines.join("\n") + "\n");
console.log(`predicted currents: ${ids.length} stations written to ${output}`);
