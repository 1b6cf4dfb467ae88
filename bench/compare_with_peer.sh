#!/usr/bin/env bash
# Runs the open peer (@neaps/tide-predictor, pinned by bench/peer/package-lock.json) and
# quaywise-cli on the same work at San Francisco (NOAA 9414290): the heights at every
# minute of a year and the year's high and low waters. Prints both times and their ratio.
#
# Usage: bench/compare_with_peer.sh [BUILD_DIR] [YEAR] [REPEATS]
#   BUILD_DIR  a build with quaywise-cli and the station data (default: build)
#   YEAR       default 2026; REPEATS: runs of each, the median is shown (default 5)
#
# The peer is timed inside Node, one prediction after the modules and the station are
# loaded. Quaywise is timed twice: as the whole quaywise-cli process (start, station
# data, prediction and the CSV written to a file), which leans toward the peer, and, when
# the build has the benchmarks (QW_BUILD_BENCH=ON), inside the process like the peer
# (tide_day_extremes_bench: the same rows and day lists, cold engine, nothing written).
# Elapsed and processor times are shown: on a loaded machine the processor time is the
# steadier figure, and the ratios in brackets use it. The peer's packages are installed
# with npm ci into BUILD_DIR/bench-peer the first time.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
year=${2:-2026}
repeats=${3:-5}
cli=$build/bin/quaywise-cli
peer=$build/bench-peer
station=src:9414290

[[ -x $cli ]] || { echo "no $cli: build quaywise-cli first" >&2; exit 1; }
command -v node > /dev/null && command -v npm > /dev/null || { echo "node and npm are needed" >&2; exit 1; }

if ! cmp -s "$here/peer/package-lock.json" "$peer/package-lock.json" || [[ ! -d $peer/node_modules/@neaps/tide-predictor ]]; then
  mkdir -p "$peer"
  cp "$here/peer/package.json" "$here/peer/package-lock.json" "$peer/"
  npm ci --prefix "$peer" --ignore-scripts --no-audit --no-fund --loglevel=error > /dev/null
fi
# Node resolves the packages from the directory of the script.
cp "$here/peer/peer_year.mjs" "$peer/"

out=$(mktemp)
trap 'rm -f "$out"' EXIT

# Median elapsed and processor milliseconds of REPEATS runs of a command, and the number
# of lines it wrote.
time_cli() {
  local walls=() cpus=() line
  for ((i = 0; i < repeats; ++i)); do
    line=$( { TIMEFORMAT='%R %U %S'; time "$@" > "$out"; } 2>&1 )
    read -r wall user sys <<< "$line"
    walls+=("$(awk -v w="$wall" 'BEGIN { printf "%.1f", w * 1000 }')")
    cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.1f", (u + s) * 1000 }')")
  done
  echo "$(printf '%s\n' "${walls[@]}" | sort -g | sed -n "$((repeats / 2 + 1))p")" \
       "$(printf '%s\n' "${cpus[@]}" | sort -g | sed -n "$((repeats / 2 + 1))p")" \
       "$(wc -l < "$out")"
}

read -r peer_heights_wall peer_heights_cpu peer_heights_count \
        peer_extremes_wall peer_extremes_cpu peer_extremes_count < <(
  (cd "$peer" && node peer_year.mjs "$year" "$repeats") | awk '{ printf "%s %s %s ", $2, $3, $4 } END { print "" }')
read -r cli_heights_wall cli_heights_cpu cli_heights_rows < <(
  time_cli "$cli" heights "$station" --from "$year-01-01" --to "$year-12-31" --interval 1 --csv)
read -r cli_tides_wall cli_tides_cpu cli_tides_rows < <(
  time_cli "$cli" tides "$station" --from "$year-01-01" --to "$year-12-31" --csv)

# In process: the median elapsed and processor milliseconds of the two benchmarks.
bench=$build/bin/tide_day_extremes_bench
in_heights="- -" in_tides="- -"
if [[ -x $bench ]]; then
  in_process=$("$bench" --benchmark_filter='BM_YearOfMinuteHeights$|BM_YearReferenceCold$' \
    --benchmark_repetitions="$repeats" --benchmark_report_aggregates_only=true --benchmark_format=csv 2> /dev/null)
  in_heights=$(awk -F, '/"BM_YearOfMinuteHeights_median"/ { printf "%.1f %.1f", $3, $4 }' <<< "$in_process")
  in_tides=$(awk -F, '/"BM_YearReferenceCold_median"/ { printf "%.1f %.1f", $3, $4 }' <<< "$in_process")
fi
read -r in_heights_wall in_heights_cpu <<< "$in_heights"
read -r in_tides_wall in_tides_cpu <<< "$in_tides"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 > 0) printf "%.1f", a / b; else printf "-" }'; }

echo "San Francisco (NOAA 9414290), $year, median of $repeats runs; $(nproc) cores ($(lscpu | sed -n 's/^Model name: *//p')), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "milliseconds elapsed (processor); ratio: peer time / quaywise time"
row() {
  printf '%-26s %16s %16s %16s %14s %14s\n' "$@"
}
row "" "peer, in Node" "quaywise, in" "quaywise-cli," "ratio in" "ratio whole"
row "" "" "process" "whole process" "process" "process"
show() {  # label peer_wall peer_cpu in_wall in_cpu cli_wall cli_cpu
  row "$1" "$2 ($3)" "$4 ($5)" "$6 ($7)" "$(ratio "$2" "$4") ($(ratio "$3" "$5"))" \
      "$(ratio "$2" "$6") ($(ratio "$3" "$7"))"
}
show "a year of minute heights" "$peer_heights_wall" "$peer_heights_cpu" "$in_heights_wall" "$in_heights_cpu" \
     "$cli_heights_wall" "$cli_heights_cpu"
show "a year of highs and lows" "$peer_extremes_wall" "$peer_extremes_cpu" "$in_tides_wall" "$in_tides_cpu" \
     "$cli_tides_wall" "$cli_tides_cpu"
echo "peer: $peer_heights_count heights, $peer_extremes_count highs and lows;" \
     "quaywise-cli: $cli_heights_rows and $cli_tides_rows CSV lines (a heading line each)"
