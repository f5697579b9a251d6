// Everything the main window shows for one year at one latitude: the festivals'
// traditional and astronomical dates, the seasons' starts, last days and
// lengths, the solstice and equinox instants, Easter and the Chinese animal.

#include "engine/astronomical_date.h"
#include "engine/chinese_zodiac.h"
#include "engine/easter.h"
#include "engine/festival.h"
#include "engine/fixed_positions.h"
#include "engine/season.h"
#include "engine/solstices.h"

#include <benchmark/benchmark.h>

namespace {

void computeYear(int year, double latitude) {
    using namespace engine;
    for (Vadididod festival : allVadididod) {
        benchmark::DoNotOptimize(tradStartDate(festival, year, latitude));
        benchmark::DoNotOptimize(tradEndDate(festival, year, latitude));
        benchmark::DoNotOptimize(astronomicalDate(festival, year, latitude));
    }
    for (Season season : allSeasons) {
        const platform::Date start = getSeasonStart(season, year);
        benchmark::DoNotOptimize(start);
        benchmark::DoNotOptimize(getSeasonEnd(season, start));
        benchmark::DoNotOptimize(getSeasonLength(season, start));
    }
    benchmark::DoNotOptimize(getSpringEquinoxDate(year));
    benchmark::DoNotOptimize(getSummerSolsticeDate(year));
    benchmark::DoNotOptimize(getAutumnEquinoxDate(year));
    benchmark::DoNotOptimize(getWinterSolsticeDate(year));
    benchmark::DoNotOptimize(calculateGoodFriday(year));
    benchmark::DoNotOptimize(calculateEaster(year));
    benchmark::DoNotOptimize(calculateEasterMonday(year));
    benchmark::DoNotOptimize(calculateChineseZodiac(year));
}

void BM_WholeYearNorth(benchmark::State& state) {
    for (auto _ : state)
        computeYear(2025, engine::LondonLat);
}
BENCHMARK(BM_WholeYearNorth)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_WholeYearSouth(benchmark::State& state) {
    for (auto _ : state)
        computeYear(2025, -33.87);
}
BENCHMARK(BM_WholeYearSouth)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
