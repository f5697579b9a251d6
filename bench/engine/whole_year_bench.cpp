// Everything the main window shows for one year at one latitude: the festivals'
// traditional and astronomical dates, the seasons' starts, last days and
// lengths, the solstice and equinox instants, Easter and the Chinese animal.
//
// Two cases of each:
// - Cached: the same year every iteration, so its four instants come from the
//   astronomy code's memory of recent years, as on every redraw of the window.
// - Cold: a year not asked for recently in every iteration, as after a step
//   to the next year. FourInstants_Cold is the astronomy alone for the same
//   years, the floor under FestivalYear_Cold.
//
// Repetitions come from the command line (--benchmark_repetitions, 10 when not
// given, medians and spreads reported). The user's zone matters: run once with
// TZ unset (the system's zone) and once with it set.

#include "engine/astronomical_date.h"
#include "engine/chinese_zodiac.h"
#include "engine/easter.h"
#include "engine/festival.h"
#include "engine/fixed_positions.h"
#include "engine/season.h"
#include "engine/solstices.h"

#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

namespace {

constexpr double southernLatitude = -33.87;

void computeFourInstants(int year) {
    using namespace engine;
    benchmark::DoNotOptimize(getSpringEquinoxDate(year));
    benchmark::DoNotOptimize(getSummerSolsticeDate(year));
    benchmark::DoNotOptimize(getAutumnEquinoxDate(year));
    benchmark::DoNotOptimize(getWinterSolsticeDate(year));
}

void computeYear(int year, double latitude) {
    using namespace engine;
    for (Festival festival : allFestivals) {
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
    computeFourInstants(year);
    benchmark::DoNotOptimize(calculateGoodFriday(year));
    benchmark::DoNotOptimize(calculateEaster(year));
    benchmark::DoNotOptimize(calculateEasterMonday(year));
    benchmark::DoNotOptimize(calculateChineseZodiac(year));
}

// Years the astronomy code computes from its data files, walked one by one; it
// remembers the last sixteen, so a year comes round again long after it has
// been forgotten. Each cold benchmark walks them from the start.
class ColdYears {
public:
    int next() {
        const int year = year_;
        year_ = year_ == lastYear ? firstYear : year_ + 1;
        return year;
    }

private:
    static constexpr int firstYear = 1800;
    static constexpr int lastYear = 2399;
    int year_ = firstYear;
};

void FestivalYear_Cached_North(benchmark::State& state) {
    for (auto _ : state)
        computeYear(2025, engine::LondonLat);
}
BENCHMARK(FestivalYear_Cached_North)->Unit(benchmark::kMicrosecond);

void FestivalYear_Cached_South(benchmark::State& state) {
    for (auto _ : state)
        computeYear(2025, southernLatitude);
}
BENCHMARK(FestivalYear_Cached_South)->Unit(benchmark::kMicrosecond);

void FestivalYear_Cold_North(benchmark::State& state) {
    ColdYears years;
    for (auto _ : state)
        computeYear(years.next(), engine::LondonLat);
}
BENCHMARK(FestivalYear_Cold_North)->Unit(benchmark::kMicrosecond);

void FestivalYear_Cold_South(benchmark::State& state) {
    ColdYears years;
    for (auto _ : state)
        computeYear(years.next(), southernLatitude);
}
BENCHMARK(FestivalYear_Cold_South)->Unit(benchmark::kMicrosecond);

void FourInstants_Cold(benchmark::State& state) {
    ColdYears years;
    for (auto _ : state)
        computeFourInstants(years.next());
}
BENCHMARK(FourInstants_Cold)->Unit(benchmark::kMicrosecond);

void FourInstants_Cached(benchmark::State& state) {
    for (auto _ : state)
        computeFourInstants(2025);
}
BENCHMARK(FourInstants_Cached)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Ten repetitions, aggregates only, unless the command line says otherwise.
    std::vector<char*> arguments(argv, argv + argc);
    auto given = [&](std::string_view flag) {
        for (int i = 1; i < argc; ++i)
            if (std::string_view(argv[i]).starts_with(flag))
                return true;
        return false;
    };
    char repetitions[] = "--benchmark_repetitions=10";
    char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    if (!given("--benchmark_repetitions"))
        arguments.push_back(repetitions);
    if (!given("--benchmark_report_aggregates_only") && !given("--benchmark_display_aggregates_only"))
        arguments.push_back(aggregatesOnly);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
