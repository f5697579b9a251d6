// The user's current time zone, as every calendar step asks for it: from the
// system's link /etc/localtime or from TZ.
//
// Warm: the zone asked for again, as a festival year asks some seventy times.
// Cold: the first reading, which the link gets again once a second and TZ at
// every change of its value.

#include "platform/core/internal/system_zone_link.h"
#include "platform/core/time_zone.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void systemZoneWarm(benchmark::State& state) {
    ::unsetenv("TZ");
    for (auto _ : state) benchmark::DoNotOptimize(platform::TimeZone::current());
}
BENCHMARK(systemZoneWarm)->Repetitions(15)->ReportAggregatesOnly(true);

// One readlink and the zone of the name it gives (already built: the zone files
// themselves are read once per process).
void systemZoneCold(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(platform::system_zone_link::zoneOfLink("/etc/localtime"));
}
BENCHMARK(systemZoneCold)->Repetitions(15)->ReportAggregatesOnly(true);

// The same for a copy of a zone file in place of the link, unchanged since it
// was last read: a readlink that finds no link, and a stat.
void systemZoneCopyCold(benchmark::State& state) {
    char folder[] = "/tmp/vadididod-bench-XXXXXX";
    if (!::mkdtemp(folder)) return state.SkipWithError("no folder");
    const std::string copy = std::string(folder) + "/localtime";
    std::filesystem::copy_file("/usr/share/zoneinfo/Europe/London", copy);
    platform::system_zone_link::Watch watch(copy, std::string(folder) + "/timezone", {});
    for (auto _ : state) benchmark::DoNotOptimize(watch.zone({}));
    std::filesystem::remove_all(folder);
}
BENCHMARK(systemZoneCopyCold)->Repetitions(15)->ReportAggregatesOnly(true);

void tzZoneWarm(benchmark::State& state) {
    ::setenv("TZ", "America/New_York", 1);
    for (auto _ : state) benchmark::DoNotOptimize(platform::TimeZone::current());
    ::unsetenv("TZ");
}
BENCHMARK(tzZoneWarm)->Repetitions(15)->ReportAggregatesOnly(true);

// TZ changes before every call (the setenv is counted too).
void tzZoneCold(benchmark::State& state) {
    const char* values[] = {"America/New_York", "EST5EDT,M3.2.0,M11.1.0"};
    std::size_t i = 0;
    for (auto _ : state) {
        ::setenv("TZ", values[i++ % 2], 1);
        benchmark::DoNotOptimize(platform::TimeZone::current());
    }
    ::unsetenv("TZ");
}
BENCHMARK(tzZoneCold)->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
