// Writes speeds, equilibrium arguments and node factors of the constituents that the
// station database uses but XTide's constituent table lacks, computed from the Doodson
// numbers and nodal corrections of the pinned @neaps/tide-predictor.
//
// Usage: node extra_constituents.mjs OUTPUT_FILE FIRST_YEAR LAST_YEAR
//
// The conventions are those of XTide's table: V0 + u at 1 January 00:00 UTC of each year,
// with u and f taken at the middle of the year (2 July 00:00 UTC) by Schureman's nodal
// corrections. The package applies those only inside a prediction, so f and u are read
// back from a prediction of the constituent alone with unit amplitude: at phase 0 it gives
// f cos(V + u), at phase 90 f sin(V + u). A few constituents that
// the table does have are written too, marked "check", so a test can show that the two
// sources agree where they overlap.
//
// Format: lines of tab-separated fields.
//   C  name  speed(degrees per hour)  role("extra" or "check")
//      (the name is the predictor's own, as the station extract gives it; SA_KV is
//      the source's, the predictor not knowing it)
//   Y  year  V0+u(degrees, 0..360)  f
// Y lines follow their C line, one per year, in order.

import { writeFileSync } from "node:fs";
import { astro, constituents, createTidePredictor } from "@neaps/tide-predictor";

const [output, firstText, lastText] = process.argv.slice(2);
if (!output || !firstText || !lastText) {
  console.error("usage: node extra_constituents.mjs OUTPUT_FILE FIRST_YEAR LAST_YEAR");
  process.exit(2);
}
const firstYear = Number(firstText);
const lastYear = Number(lastText);

const extras = ["MA2", "MB2", "3L2", "MSQM", "MTM", "T3", "M(KS)2", "alpha2", "gamma2"];
// Constituents of both sources whose definitions agree (the tests check it); the accuracy
// tests give the predictor only these, so that its predictions and the table's differ by
// conventions that matter, not by how each defines a rare compound constituent. Left out
// because the two define them differently: M1, M3, MP1, SO1, PHI1, TAU1, ETA2, KJ2, OO1, OQ2.
const checks = [
  "M2", "S2", "N2", "K1", "O1", "K2", "Q1", "P1", "L2", "NU2", "MU2", "2N2", "LAM2", "T2", "R2",
  "J1", "RHO", "SIGMA1", "2Q1", "MM", "MF", "MSF", "SSA", "SA", "S1", "MK3", "2MK3",
  "MO3", "SO3", "SK3", "M4", "MS4", "MN4", "MK4", "SN4", "S4", "N4", "M6", "2MS6", "2MN6", "MSN6",
  "2SM6", "M8", "3MS8", "S6", "2SM2", "MNS2", "MSN2", "MKS2", "2NS2", "CHI1", "PI1", "PSI1",
  "THETA1", "EP2", "TK1", "2MK5", "2MK6", "M10",
];

// f and u of a constituent at an instant, by Schureman's nodal corrections.
function nodal(name, instant) {
  const end = new Date(instant.getTime() + 60000);
  const level = (phase) =>
    createTidePredictor([{ name, amplitude: 1, phase }], { nodeCorrections: "schureman", offset: 0 })
      .getTimelinePrediction({ start: instant, end, timeFidelity: 60 })[0].level;
  const cosine = level(0);
  const sine = level(90);
  const argument = (Math.atan2(sine, cosine) * 180) / Math.PI;
  let u = (argument - constituents[name].value(astro(instant))) % 360;
  if (u > 180) u -= 360;
  if (u < -180) u += 360;
  return { f: Math.hypot(cosine, sine), u };
}

const lines = [];
for (const [names, role] of [[extras, "extra"], [checks, "check"]]) {
  for (const name of names) {
    const c = constituents[name];
    if (!c) throw new Error(`the predictor does not know ${name}`);
    lines.push(["C", c.name, String(c.speed), role].join("\t"));
    for (let year = firstYear; year <= lastYear; year++) {
      const start = astro(new Date(Date.UTC(year, 0, 1)));
      const { f, u } = nodal(name, new Date(Date.UTC(year, 6, 2)));
      let v = (c.value(start) + u) % 360;
      if (v < 0) v += 360;
      lines.push(["Y", String(year), String(v), String(f)].join("\t"));
    }
  }
}
// The solar annual constituent with the solar perigee (Kartverket's SA_KV): V = h - p1, f = 1.
{
  const at = (year) => astro(new Date(Date.UTC(year, 0, 1)));
  const first = at(2000);
  lines.push(["C", "SA_KV", String(first.h.speed - first.pp.speed), "extra"].join("\t"));
  for (let year = firstYear; year <= lastYear; year++) {
    const a = at(year);
    let v = (a.h.value - a.pp.value) % 360;
    if (v < 0) v += 360;
    lines.push(["Y", String(year), String(v), "1"].join("\t"));
  }
}
writeFileSync(output, lines.join("\n") + "\n");
console.log(`extra constituents: ${extras.length + 1} written to ${output}`);
