// quaywise-cli's row writer: a year of minute heights (525,600 rows) formatted as CSV,
// JSON and the text table, into memory, without the engine. What it costs is what the
// heights command adds to the harmonic sum.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "cli/block_output.h"
#include "cli/record_output.h"
#include "cli/units.h"
#include "engine/calendar.h"

namespace qw::cli {
namespace {

constexpr int kRows = 525600;

void WriteYear(benchmark::State& state, RowFormat format) {
  CliContext context(stdout, stderr);
  const EngineMinute start = MinuteOf(2026, 1, 1);
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text;
    text.reserve(32u << 20);
    RecordOutput records(context, format, "heights",
                         {{"date"}, {"time"}, {"utc_offset"}, {"event"}, {"value", true}, {"unit"}}, &text);
    records.Begin();
    for (int i = 0; i < kRows; ++i) {
      const ClockReading at{start + static_cast<EngineMinute>(i), start + static_cast<EngineMinute>(i), -480};
      const ShortText value = HeightValueText(MicroFeet((i * 7919) % 9000000 - 2000000), HeightUnit::Feet);
      DateRecord date;
      MinuteToDate(at.shown, date);
      const ShortText day = IsoDateText(date), clock = ClockText(date), offset = OffsetText(at.utcOffsetMinutes);
      if (format == RowFormat::Text) {
        BlockOutput& out = records.out();
        out.Append(day.view());
        out.Put(' ');
        out.Append(clock.view());
        out.Put(' ');
        out.Append(offset.view());
        out.Append("    ");
        out.PadLeft(value.view(), 9);
        out.Append(" ft\n");
      } else {
        records.Row({day.view(), clock.view(), offset.view(), "", value.view(), "ft"}, &at);
      }
    }
    records.End();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_YearOfMinuteRowsCsv(benchmark::State& state) { WriteYear(state, RowFormat::Csv); }
void BM_YearOfMinuteRowsJson(benchmark::State& state) { WriteYear(state, RowFormat::Json); }
void BM_YearOfMinuteRowsText(benchmark::State& state) { WriteYear(state, RowFormat::Text); }
BENCHMARK(BM_YearOfMinuteRowsCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearOfMinuteRowsJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearOfMinuteRowsText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qw::cli
