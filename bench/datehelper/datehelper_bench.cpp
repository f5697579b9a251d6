// Median time and allocation per call of the toolkit's most used calls.
//
// Warm: the formatter a call needs is already built (the toolkit keeps it for
// the run). Cold: every iteration asks for a formatter no cache holds yet (a
// pattern not seen before), so it measures building one.
//
// Allocation is counted by the malloc family defined below, which takes the
// place of the C library's for the whole process: ICU's own allocations are
// counted with those of operator new (which allocates through malloc). Each
// is reported per call as the counters "allocs" and "bytes" (bytes asked for).

#include "datehelper/date_arithmetic.h"
#include "datehelper/date_comparisons.h"
#include "datehelper/date_formatting.h"
#include "datehelper/date_parsing.h"
#include "datehelper/derived_dates.h"
#include "datehelper/relative_time.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <string>

namespace {

std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> allocatedBytes{0};

void counted(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    allocatedBytes.fetch_add(size, std::memory_order_relaxed);
}

} // namespace

// glibc's own entry points, which its malloc family forwards to.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* p);

void* malloc(std::size_t size) {
    counted(size);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    counted(count * size);
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    counted(size);
    return __libc_realloc(p, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    counted(size);
    return __libc_memalign(alignment, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
    counted(size);
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    counted(size);
    void* p = __libc_memalign(alignment, size);
    if (!p) return 12;   // ENOMEM
    *out = p;
    return 0;
}
void free(void* p) { __libc_free(p); }
}

namespace {

using namespace datehelper;
using platform::Date;

// Counts what the timed loop allocates and reports it per iteration.
class AllocationMeter {
public:
    explicit AllocationMeter(benchmark::State& state)
        : state_(state), count_(allocations.load()), bytes_(allocatedBytes.load()) {}
    ~AllocationMeter() {
        const double n = static_cast<double>(state_.iterations());
        state_.counters["allocs"] = static_cast<double>(allocations.load() - count_) / n;
        state_.counters["bytes"] = static_cast<double>(allocatedBytes.load() - bytes_) / n;
    }

private:
    benchmark::State& state_;
    std::size_t count_;
    std::size_t bytes_;
};

const Date instant = Date::fromSecondsSince1970(1710000000.25);

void isoFormatWarm(benchmark::State& state) {
    const DateFormatType format = DateFormatType::isoDateTimeSec();
    benchmark::DoNotOptimize(toString(instant, format));   // builds the formatter
    AllocationMeter meter(state);
    for (auto _ : state) benchmark::DoNotOptimize(toString(instant, format));
}

void isoFormatCold(benchmark::State& state) {
    int n = 0;
    AllocationMeter meter(state);
    for (auto _ : state) {
        // A literal suffix makes each pattern new to every cache.
        const DateFormatType format = DateFormatType::custom("yyyy-MM-dd'T'HH:mm:ssZ'" + std::to_string(n++) + "'");
        benchmark::DoNotOptimize(toString(instant, format));
    }
}

void rssParseWarm(benchmark::State& state) {
    const std::string text = "Sat, 9 Mar 2024 16:05:07 GMT";
    const platform::Locale english = platform::Locale::withIdentifier("en_US_POSIX");
    benchmark::DoNotOptimize(dateFromString(text, DateFormatType::rss(), TimeZoneType::utc(), english));
    AllocationMeter meter(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(dateFromString(text, DateFormatType::rss(), TimeZoneType::utc(), english));
    }
}

// A text without a zone offset, which the compiled patterns leave to ICU: the
// date text guard and ICU's parser, in Latin digits and in Chinese ones
// (〇一二…, which are no decimal digits of Unicode).
void icuParseWarm(benchmark::State& state, const char* locale, const std::string& text) {
    const DateFormatType format = DateFormatType::custom("yyyy-MM-dd HH:mm:ss");
    const platform::Locale chosen = platform::Locale::withIdentifier(locale);
    if (!dateFromString(text, format, TimeZoneType::utc(), chosen)) state.SkipWithError("no date read");
    AllocationMeter meter(state);
    for (auto _ : state) benchmark::DoNotOptimize(dateFromString(text, format, TimeZoneType::utc(), chosen));
}

void relativeTimeWarm(benchmark::State& state) {
    const Date fiveMinutesAgo = Date::now().addingTimeInterval(-300);
    benchmark::DoNotOptimize(toStringWithRelativeTime(fiveMinutesAgo, std::nullopt));
    AllocationMeter meter(state);
    for (auto _ : state) benchmark::DoNotOptimize(toStringWithRelativeTime(fiveMinutesAgo, std::nullopt));
}

// Ten days ago: the date tier, through the shared pattern formatter.
void relativeTimeDateWarm(benchmark::State& state) {
    const Date tenDaysAgo = Date::now().addingTimeInterval(-10 * 86400);
    benchmark::DoNotOptimize(toStringWithRelativeTime(tenDaysAgo, std::nullopt));
    AllocationMeter meter(state);
    for (auto _ : state) benchmark::DoNotOptimize(toStringWithRelativeTime(tenDaysAgo, std::nullopt));
}

void adjustByADayWarm(benchmark::State& state) {
    Date date = instant;
    AllocationMeter meter(state);
    for (auto _ : state) {
        date = adjust(date, DateComponentType::day, 1);
        benchmark::DoNotOptimize(date);
    }
}

void compareSameWeekWarm(benchmark::State& state) {
    const Date other = instant.addingTimeInterval(3 * 86400);
    const platform::TimeZone utcZone = platform::TimeZone::utc();
    AllocationMeter meter(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(compare(instant, DateComparisonType::isSameWeek(other), utcZone));
    }
}

// The day of the month as an ordinal number, through the shared ordinal formatter.
void ordinalDayWarm(benchmark::State& state) {
    benchmark::DoNotOptimize(toString(instant, DateStyleType::ordinalDay));
    AllocationMeter meter(state);
    for (auto _ : state) benchmark::DoNotOptimize(toString(instant, DateStyleType::ordinalDay));
}

// Calendar years between two instants, counted in the user's calendar.
void sinceInYearsWarm(benchmark::State& state) {
    const Date earlier = instant.addingTimeInterval(-40 * 31556926.0);
    AllocationMeter meter(state);
    for (auto _ : state) benchmark::DoNotOptimize(since(instant, earlier, DateComponentType::year));
}

#define DATEHELPER_BENCHMARK(name) \
    BENCHMARK(name)->Unit(benchmark::kNanosecond)->Repetitions(9)->ReportAggregatesOnly(true)

DATEHELPER_BENCHMARK(isoFormatWarm);
BENCHMARK(isoFormatCold)->Unit(benchmark::kMicrosecond)->Iterations(2000)->Repetitions(5)->ReportAggregatesOnly(true);
DATEHELPER_BENCHMARK(rssParseWarm);
BENCHMARK_CAPTURE(icuParseWarm, latin, "en_US_POSIX", std::string("2024-03-09 16:05:07"))
    ->Unit(benchmark::kNanosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(icuParseWarm, chinese, "zh@numbers=hanidec", std::string("二〇二四-〇三-〇九 一六:〇五:〇七"))
    ->Unit(benchmark::kNanosecond)->Repetitions(9)->ReportAggregatesOnly(true);
DATEHELPER_BENCHMARK(relativeTimeWarm);
DATEHELPER_BENCHMARK(relativeTimeDateWarm);
DATEHELPER_BENCHMARK(adjustByADayWarm);
DATEHELPER_BENCHMARK(compareSameWeekWarm);
DATEHELPER_BENCHMARK(ordinalDayWarm);
DATEHELPER_BENCHMARK(sinceInYearsWarm);

} // namespace

BENCHMARK_MAIN();
