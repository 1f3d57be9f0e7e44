// Conversions per second of LunarDateOf and of ICU's Chinese calendar over the
// same random days of 1901-02-19..2048-12-31, their ratio, the size of the
// calendar's tables and the time of one FestivalOf and one SolarTermOf.
// After Google Benchmark's own table each figure is printed on a line of its
// own as "name: value unit".
#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/DateTime.h"
#include "core/LunarCalendar.h"
#include "core/LunarCalendarData.h"
#include "tools/calendar/CalendarTexts.h"

namespace {

constexpr std::size_t kDays = 1 << 14;  // a power of two: the index wraps by a mask

// Random days of the span, each at a random time of day.
const std::vector<core::DateTime>& RandomDays() {
  static const std::vector<core::DateTime> days = [] {
    std::mt19937 random(1901);
    const double first = core::DateTimeOf(1901, 2, 19);
    const double last = core::DateTimeOf(2048, 12, 31);
    std::uniform_int_distribution<int> day(0, static_cast<int>(last - first));
    std::uniform_real_distribution<double> time(0.0, 0.99);
    std::vector<core::DateTime> v(kDays);
    for (auto& d : v) d = first + day(random) + time(random);
    return v;
  }();
  return days;
}

const std::vector<core::LunarDate>& RandomLunarDates() {
  static const std::vector<core::LunarDate> dates = [] {
    std::vector<core::LunarDate> v(kDays);
    for (std::size_t i = 0; i < kDays; ++i) core::LunarDateOf(RandomDays()[i], v[i]);
    return v;
  }();
  return dates;
}

void LunarDateOf(benchmark::State& state) {
  const auto& days = RandomDays();
  std::size_t i = 0;
  for (auto _ : state) {
    core::LunarDate date;
    benchmark::DoNotOptimize(core::LunarDateOf(days[i++ & (kDays - 1)], date));
    benchmark::DoNotOptimize(date);
  }
  state.SetItemsProcessed(state.iterations());
}

// The same conversion with ICU: a Chinese calendar in UTC+8 set to the day's
// local noon, reading the extended year, month, day and leap flag.
void IcuChineseCalendar(benchmark::State& state) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(
      icu::TimeZone::createTimeZone("GMT+08:00"), icu::Locale("zh_CN@calendar=chinese"), status));
  if (U_FAILURE(status)) {
    state.SkipWithError("ICU has no Chinese calendar");
    return;
  }
  const auto& days = RandomDays();
  constexpr double kUnixEpochDay = 25569;  // 1970-01-01 as a DateTime
  std::size_t i = 0;
  for (auto _ : state) {
    const double day = static_cast<double>(static_cast<long long>(days[i++ & (kDays - 1)]));
    calendar->setTime((day - kUnixEpochDay + 0.5) * 86400000.0 - 8 * 3600000.0, status);
    benchmark::DoNotOptimize(calendar->get(UCAL_EXTENDED_YEAR, status));
    benchmark::DoNotOptimize(calendar->get(UCAL_MONTH, status));
    benchmark::DoNotOptimize(calendar->get(UCAL_DATE, status));
    benchmark::DoNotOptimize(calendar->get(UCAL_IS_LEAP_MONTH, status));
  }
  if (U_FAILURE(status)) state.SkipWithError("ICU conversion failed");
  state.SetItemsProcessed(state.iterations());
}

void FestivalOf(benchmark::State& state) {
  const auto& days = RandomDays();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(calendar::FestivalOf(days[i++ & (kDays - 1)]));
}

void SolarTermOf(benchmark::State& state) {
  const auto& dates = RandomLunarDates();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(core::SolarTermOf(dates[i++ & (kDays - 1)]));
}

BENCHMARK(LunarDateOf);
BENCHMARK(IcuChineseCalendar);
BENCHMARK(FestivalOf)->Unit(benchmark::kNanosecond);
BENCHMARK(SolarTermOf)->Unit(benchmark::kNanosecond);

// Google Benchmark's console table, keeping each benchmark's rate and time.
class Recorder : public benchmark::ConsoleReporter {
 public:
  Recorder() : ConsoleReporter(OO_Tabular) {}  // no colour codes in logs
  struct Figures {
    double itemsPerSecond = 0;
    double nanoseconds = 0;
    int runs = 0;
  };
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      Figures& f = figures[run.run_name.function_name];
      const auto items = run.counters.find("items_per_second");
      if (items != run.counters.end()) f.itemsPerSecond += items->second.value;
      // CPU time, like the rates: steadier than wall time on a shared machine.
      f.nanoseconds += run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      ++f.runs;
    }
  }
  // Mean over repetitions; 0 when the benchmark did not run.
  double Rate(const std::string& name) const { return Mean(name, &Figures::itemsPerSecond); }
  double Nanoseconds(const std::string& name) const { return Mean(name, &Figures::nanoseconds); }

 private:
  double Mean(const std::string& name, double Figures::*field) const {
    const auto it = figures.find(name);
    return it == figures.end() || it->second.runs == 0 ? 0 : it->second.*field / it->second.runs;
  }
  std::map<std::string, Figures> figures;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  benchmark::Shutdown();

  const double lunar = recorder.Rate("LunarDateOf");
  const double icu = recorder.Rate("IcuChineseCalendar");
  std::printf("lunar_conversions_per_second: %.3g 1/s\n", lunar);
  std::printf("icu_conversions_per_second: %.3g 1/s\n", icu);
  std::printf("lunar_vs_icu_speedup: %.0f x\n", icu > 0 ? lunar / icu : 0.0);
  std::printf("lunar_data_bytes: %zu B\n", core::lunar_data::kDataBytes);
  std::printf("festival_of_time: %.1f ns\n", recorder.Nanoseconds("FestivalOf"));
  std::printf("solar_term_of_time: %.1f ns\n", recorder.Nanoseconds("SolarTermOf"));
  return 0;
}
