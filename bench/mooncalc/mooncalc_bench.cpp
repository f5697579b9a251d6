// The moon calculator's costs, per call: the whole answer for one instant
// (getInfo), the four eclipse searches, one moonrise, and the Sun and Moon
// calculation that every rise and set request runs.
//
// Cold and warm: a cold getInfo runs on a new facade, which builds its
// calculators on first use; a warm one reuses the facade. The eclipse search,
// a moonrise and the position calculation keep nothing between calls, so every
// call of theirs is a cold one. Each iteration asks for a new instant, a minute
// after the one before.
//
// Allocations are counted by replacing the global operator new: the eclipse
// search must not allocate at all.

#include "mooncalc/eclipse_calculator.h"
#include "mooncalc/moon_calculator.h"
#include "mooncalc/moon_rise_set_calculator.h"
#include "mooncalc/sun_moon_calculator.h"
#include "platform/core/time_zone.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};

} // namespace

// The replacements below take memory from malloc and give it back to free; GCC
// cannot see that the two belong together.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using mooncalc::EclipseCalculator;

constexpr mooncalc::ObserverLocation london{51.509865, -0.118092};
// 2024-03-20 00:00:00 UTC.
const platform::Date start = platform::Date::fromSecondsSince1970(1710892800.0);

// The device's zone decides how many lunar days, and so how many moonrises, an
// answer holds: one in UTC (two rise requests), two or three elsewhere (four
// to six).
void pinZone(const benchmark::State& state) {
    const char* zone = state.range(0) == 0 ? "UTC" : "Europe/Moscow";
    platform::TimeZone::setCurrentOverride(platform::TimeZone::withIdentifier(zone));
}

void countAllocations(benchmark::State& state, long before) {
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
}

void GetInfoWarm(benchmark::State& state) {
    pinZone(state);
    mooncalc::MoonCalculator calculator(london);
    benchmark::DoNotOptimize(calculator.getInfo(start));   // builds the calculators
    platform::Date date = start;
    for (auto _ : state) {
        auto info = calculator.getInfo(date);
        benchmark::DoNotOptimize(info);
        date = date.addingTimeInterval(60.0);
    }
    platform::TimeZone::setCurrentOverride(std::nullopt);
}
BENCHMARK(GetInfoWarm)->Arg(0)->Arg(1)->ArgName("moscowDevice")->Repetitions(10)->ReportAggregatesOnly(true);

void GetInfoCold(benchmark::State& state) {
    pinZone(state);
    platform::Date date = start;
    for (auto _ : state) {
        mooncalc::MoonCalculator calculator(london);
        auto info = calculator.getInfo(date);
        benchmark::DoNotOptimize(info);
        date = date.addingTimeInterval(60.0);
    }
    platform::TimeZone::setCurrentOverride(std::nullopt);
}
BENCHMARK(GetInfoCold)->Arg(0)->Arg(1)->ArgName("moscowDevice")->Repetitions(10)->ReportAggregatesOnly(true);

void EclipseSearchEveryCallCold(benchmark::State& state) {
    const auto type = static_cast<EclipseCalculator::EclipseType>(state.range(0));
    const bool next = state.range(1) != 0;
    platform::Date date = start;
    const long before = allocations.load();
    for (auto _ : state) {
        auto eclipse = EclipseCalculator::getEclipseFor(date, type, next);
        benchmark::DoNotOptimize(eclipse);
        date = date.addingTimeInterval(60.0);
    }
    countAllocations(state, before);
}
BENCHMARK(EclipseSearchEveryCallCold)
    ->ArgNames({"lunar", "next"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void MoonRiseEveryCallCold(benchmark::State& state) {
    const mooncalc::MoonRiseSetCalculator calculator(london);
    platform::Date date = start;
    for (auto _ : state) {
        auto rise = calculator.getMoonRise(date);
        benchmark::DoNotOptimize(rise);
        date = date.addingTimeInterval(60.0);
    }
}
BENCHMARK(MoonRiseEveryCallCold)->Repetitions(10)->ReportAggregatesOnly(true);

// What each rise or set request costs before it picks its event: the Sun's and
// the Moon's positions with all six events refined.
void SunAndMoonCalculationEveryCallCold(benchmark::State& state) {
    platform::Date date = start;
    for (auto _ : state) {
        auto calculator = mooncalc::SunMoonCalculator::make(date, london);
        calculator->calcSunAndMoon();
        benchmark::DoNotOptimize(calculator->moonRise);
        date = date.addingTimeInterval(60.0);
    }
}
BENCHMARK(SunAndMoonCalculationEveryCallCold)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
