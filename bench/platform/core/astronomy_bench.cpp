#include "platform/core/calendar.h"
#include "platform/core/earth.h"
#include "platform/core/julian_day.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

namespace {

using astronomy::Earth;
using astronomy::JulianDay;

// Local midnight of 1 January for the years of the library's data files, as the
// engine builds it.
std::vector<JulianDay> newYears() {
    std::vector<JulianDay> days;
    const platform::Calendar calendar = platform::Calendar::current();
    for (int year = 1800; year < 2400; ++year) {
        if (auto date = calendar.date({.year = year, .month = 1, .day = 1}))
            days.push_back(JulianDay::of(*date));
    }
    return days;
}

JulianDay eventOf(const Earth& earth, std::size_t event) {
    switch (event % 4) {
    case 0: return earth.equinox(astronomy::Equinox::march);
    case 1: return earth.solstice(astronomy::Solstice::june);
    case 2: return earth.equinox(astronomy::Equinox::september);
    default: return earth.solstice(astronomy::Solstice::december);
    }
}

// The whole path of one instant, as the engine takes it: an Earth for the Julian
// day (which reads the user's time zone for its year), then the event.
//
// Cold: every iteration asks for an event that no cache holds, neither ours (an
// event comes back after 2399 others) nor the library's (the instant before lies
// a year away, in other blocks of its data files).
void coldInstant(benchmark::State& state) {
    const std::vector<JulianDay> days = newYears();
    std::size_t i = 0;
    for (auto _ : state) {
        const Earth earth(days[i % days.size()], true);
        benchmark::DoNotOptimize(eventOf(earth, i / days.size()));
        ++i;
    }
}
BENCHMARK(coldInstant)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// Cold as well, in the order in which a year is shown: its four events in turn.
// Each is new to our cache; the library finds some of its file blocks still read.
void coldInstantYearByYear(benchmark::State& state) {
    const std::vector<JulianDay> days = newYears();
    std::size_t i = 0;
    for (auto _ : state) {
        const Earth earth(days[i / 4 % days.size()], true);
        benchmark::DoNotOptimize(eventOf(earth, i));
        ++i;
    }
}
BENCHMARK(coldInstantYearByYear)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// Warm: the same event of the same year again, as a screen asks for it on every
// redraw. Only the Earth's year (the time zone) and the cache lookup remain.
void warmInstant(benchmark::State& state) {
    const JulianDay day = newYears()[224];   // 2024
    for (auto _ : state) {
        const Earth earth(day, true);
        benchmark::DoNotOptimize(earth.equinox(astronomy::Equinox::march));
    }
}
BENCHMARK(warmInstant)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// Without the library: the closed form alone, never cached.
void closedFormInstant(benchmark::State& state) {
    const std::vector<JulianDay> days = newYears();
    std::size_t i = 0;
    for (auto _ : state) {
        const Earth earth(days[i % days.size()], false);
        benchmark::DoNotOptimize(earth.equinox(astronomy::Equinox::march));
        ++i;
    }
}
BENCHMARK(closedFormInstant)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// One season length, cold: two instants.
void seasonLength(benchmark::State& state) {
    const std::vector<JulianDay> days = newYears();
    std::size_t i = 0;
    for (auto _ : state) {
        const Earth earth(days[i % days.size()], true);
        benchmark::DoNotOptimize(earth.seasonLength(static_cast<astronomy::SeasonIndex>(i / days.size() % 4), true));
        ++i;
    }
}
BENCHMARK(seasonLength)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// One calendar step, as the engine's day stepping does it.
void calendarDayStep(benchmark::State& state) {
    platform::Date date = platform::Date::fromSecondsSince1970(1710903981.0);
    for (auto _ : state) {
        const auto next = platform::Calendar::current().dateByAdding(platform::CalendarComponent::day, 1, date);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(calendarDayStep)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
