// The cost of one position of the Sun, as the main window asks for it on every
// refresh, and of a year of daily positions through a batch request.
//
// The library keeps the last result per body and instant, so every iteration
// asks for a new instant, a minute after the one before.

#include "ephemeris/batch_request.h"
#include "ephemeris/coordinate.h"
#include "ephemeris/planet.h"

#include <benchmark/benchmark.h>

#include <stop_token>

namespace {

using ephemeris::Coordinate;
using ephemeris::Planet;

// 2024-03-20 00:00:00 UTC.
const platform::Date start = platform::Date::fromSecondsSince1970(1710892800.0);

void SunCoordinate(benchmark::State& state) {
    platform::Date date = start;
    for (auto _ : state) {
        auto sun = Coordinate<Planet>::make(Planet::sun, date);
        benchmark::DoNotOptimize(sun);
        date = date.addingTimeInterval(60.0);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SunCoordinate)->Repetitions(10)->ReportAggregatesOnly(true);

// What the main window reads: both signs of the position.
void SunTropicalAndSiderealSigns(benchmark::State& state) {
    platform::Date date = start;
    for (auto _ : state) {
        const auto sun = Coordinate<Planet>::make(Planet::sun, date);
        auto tropical = sun->tropical().sign();
        auto sidereal = sun->sidereal().sign();
        benchmark::DoNotOptimize(tropical);
        benchmark::DoNotOptimize(sidereal);
        date = date.addingTimeInterval(60.0);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SunTropicalAndSiderealSigns)->Repetitions(10)->ReportAggregatesOnly(true);

void YearOfDailyPositions(benchmark::State& state) {
    const ephemeris::PlanetsRequest request(Planet::sun);
    const platform::Date end = start.addingTimeInterval(365 * 86400.0);
    double offset = 0.0;
    for (auto _ : state) {
        // A second later each time, so that no position comes from the library's cache.
        auto year = request.fetch(start.addingTimeInterval(offset), end.addingTimeInterval(offset), 86400.0,
                                  std::stop_token{});
        benchmark::DoNotOptimize(year);
        offset += 1.0;
    }
    state.SetItemsProcessed(state.iterations() * 365);
    state.counters["per_coordinate"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 365,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(YearOfDailyPositions)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
