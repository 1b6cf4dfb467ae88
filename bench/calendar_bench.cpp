// Calendar conversions run for every minute of every table, graph and search.
#include <benchmark/benchmark.h>

#include "engine/calendar.h"

static void BM_MinuteToDate(benchmark::State& state) {
  qw::EngineMinute minute = qw::MinuteOf(2026, 1, 1);
  qw::DateRecord date;
  for (auto _ : state) {
    qw::MinuteToDate(minute, date);
    benchmark::DoNotOptimize(date);
    minute += 1439;
  }
}
BENCHMARK(BM_MinuteToDate);

static void BM_DateToMinute(benchmark::State& state) {
  qw::DateRecord date{};
  date.year = 2026; date.month = 3; date.day = 8; date.hour = 7;
  for (auto _ : state) {
    qw::DateRecord copy = date;
    benchmark::DoNotOptimize(qw::DateToMinute(copy));
  }
}
BENCHMARK(BM_DateToMinute);
