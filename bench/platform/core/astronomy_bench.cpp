#include "platform/core/calendar.h"
#include "platform/core/earth.h"
#include "platform/core/julian_day.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

namespace {

using astronomy::Earth;
using astronomy::JulianDay;

// Local midnight of 1 January for a century of years, as the engine builds it.
// The library keeps the last position it computed, so every iteration asks for
// another year or event than the one before.
std::vector<JulianDay> newYears() {
    std::vector<JulianDay> days;
    const platform::Calendar calendar = platform::Calendar::current();
    for (int year = 2000; year < 2100; ++year) {
        platform::DateComponents c;
        c.year = year;
        c.month = 1;
        c.day = 1;
        if (auto date = calendar.date(c))
            days.push_back(JulianDay::of(*date));
    }
    return days;
}

// The whole path of one instant: an Earth for the Julian day (which reads the
// user's time zone for its year), then the event.
void equinoxOrSolsticeInstant(benchmark::State& state) {
    const std::vector<JulianDay> days = newYears();
    std::size_t i = 0;
    for (auto _ : state) {
        const JulianDay day = days[i % days.size()];
        const Earth earth(day, true);
        JulianDay event;
        switch (i % 4) {
        case 0: event = earth.equinox(astronomy::Equinox::march); break;
        case 1: event = earth.solstice(astronomy::Solstice::june); break;
        case 2: event = earth.equinox(astronomy::Equinox::september); break;
        default: event = earth.solstice(astronomy::Solstice::december); break;
        }
        benchmark::DoNotOptimize(event);
        ++i;
    }
}
BENCHMARK(equinoxOrSolsticeInstant)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The same without the library: the closed form alone.
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

// One season length: two instants.
void seasonLength(benchmark::State& state) {
    const std::vector<JulianDay> days = newYears();
    std::size_t i = 0;
    for (auto _ : state) {
        const Earth earth(days[i % days.size()], true);
        benchmark::DoNotOptimize(earth.seasonLength(static_cast<astronomy::SeasonIndex>(i % 4), true));
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
