// Times the open peer, @neaps/tide-predictor, on the work bench/compare_with_peer.sh gives
// quaywise-cli: at San Francisco (NOAA 9414290, from @neaps/tide-database), the heights
// at every minute of a year and the year's high and low waters, in feet above the
// station's chart datum.
//
// Usage: node peer_year.mjs YEAR REPEATS
//   The year is 1 January 00:00 to 31 December 23:59, Pacific standard time, minute by
//   minute: the 525,600 instants quaywise-cli's --from YEAR-01-01 --to YEAR-12-31 covers.
//
// Output, one line each: "heights WALL CPU COUNT" and "extremes WALL CPU COUNT": the
// median elapsed and processor milliseconds of one prediction over REPEATS calls in this
// process (the modules loaded and the station looked up beforehand, so Node's start and
// the database's load are not counted) and the number of points or extremes it gave.

import { stationsById } from "@neaps/tide-database";
import { useStation } from "@neaps/tide-predictor";

const [yearText, repeatsText] = process.argv.slice(2);
const year = Number(yearText);
const repeats = Number(repeatsText);
if (!Number.isInteger(year) || !Number.isInteger(repeats) || repeats < 1) {
  console.error("usage: node peer_year.mjs YEAR REPEATS");
  process.exit(2);
}

const station = useStation(stationsById.get("noaa/9414290"));
const span = {
  start: new Date(`${year}-01-01T00:00:00-08:00`),
  end: new Date(`${year}-12-31T23:59:00-08:00`),
  units: "feet",
};

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

function time(label, predict) {
  const walls = [];
  const cpus = [];
  let count = 0;
  for (let i = 0; i < repeats; ++i) {
    const cpu = process.cpuUsage();
    const begin = performance.now();
    count = predict();
    walls.push(performance.now() - begin);
    const used = process.cpuUsage(cpu);
    cpus.push((used.user + used.system) / 1000);
  }
  console.log(`${label} ${median(walls).toFixed(1)} ${median(cpus).toFixed(1)} ${count}`);
}

time("heights", () => station.getTimelinePrediction({ ...span, timeFidelity: 60 }).timeline.length);
time("extremes", () => station.getExtremesPrediction(span).extremes.length);
