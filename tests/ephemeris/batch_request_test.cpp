#include "ephemeris/batch_request.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

using namespace ephemeris;
using ephemeris_test::utc;

namespace {

const platform::Date start = utc(2024, 1, 1);
constexpr double day = 86400.0;

std::vector<std::size_t> sizesOf(const DateBatches& batches) {
    std::vector<std::size_t> sizes;
    for (const auto& batch : batches) sizes.push_back(batch.size());
    return sizes;
}

std::vector<std::size_t> sizesOf(double instants) {
    const auto batches = dates(PlanetsRequest(Planet::sun), start, start.addingTimeInterval(instants), 1.0);
    EXPECT_TRUE(batches) << batches.error().message;
    return batches ? sizesOf(*batches) : std::vector<std::size_t>{};
}

// A request whose batch size is not usable.
struct EmptyBatches {
    int datesThreshold() const { return 0; }
};

} // namespace

TEST(BatchDates, CutIntoBatchesOf478) {
    EXPECT_EQ(PlanetsRequest(Planet::mars).datesThreshold(), 478);
    EXPECT_EQ(sizesOf(478.0), (std::vector<std::size_t>{478}));
    EXPECT_EQ(sizesOf(479.0), (std::vector<std::size_t>{478, 1}));
    EXPECT_EQ(sizesOf(1000.0), (std::vector<std::size_t>{478, 478, 44}));
    EXPECT_TRUE(sizesOf(0.0).empty());
}

TEST(BatchDates, InstantsAreStartPlusMultiplesOfTheInterval) {
    const auto batches = batchDates(start, start.addingTimeInterval(1000.0), 0.1, 478);
    ASSERT_TRUE(batches);
    std::size_t k = 0;
    for (const auto& batch : *batches)
        for (const platform::Date instant : batch) {
            ASSERT_EQ(instant.secondsSince1970(), start.secondsSince1970() + static_cast<double>(k) * 0.1) << k;
            ++k;
        }
    EXPECT_EQ(k, 10000u);
}

TEST(BatchDates, EndIsNeverIncluded) {
    const auto forward = batchDates(start, start.addingTimeInterval(10 * day), day, 478);
    ASSERT_TRUE(forward);
    ASSERT_EQ(sizesOf(*forward), (std::vector<std::size_t>{10}));
    EXPECT_EQ(forward->front().back(), start.addingTimeInterval(9 * day));

    const auto backward = batchDates(start, start.addingTimeInterval(-10 * day), -day, 478);
    ASSERT_TRUE(backward);
    ASSERT_EQ(sizesOf(*backward), (std::vector<std::size_t>{10}));
    EXPECT_EQ(backward->front().front(), start);
    EXPECT_EQ(backward->front().back(), start.addingTimeInterval(-9 * day));
}

TEST(BatchDates, UnusableRequestsAreRefused) {
    const platform::Date end = start.addingTimeInterval(10 * day);
    const auto refusal = [](const Expected<DateBatches>& batches) {
        return batches ? std::string("accepted") : batches.error().message;
    };
    const std::string badInterval = "The interval of a batch request must be a finite number of seconds other than zero.";
    EXPECT_EQ(refusal(batchDates(start, end, 0.0, 478)), badInterval);
    EXPECT_EQ(refusal(batchDates(start, end, std::nan(""), 478)), badInterval);
    EXPECT_EQ(refusal(batchDates(start, end, std::numeric_limits<double>::infinity(), 478)), badInterval);
    EXPECT_EQ(refusal(batchDates(start, end, -day, 478)),
              "The interval of a batch request must step from the start towards the end.");
    EXPECT_EQ(refusal(batchDates(end, start, day, 478)),
              "The interval of a batch request must step from the start towards the end.");
    EXPECT_EQ(refusal(dates(EmptyBatches{}, start, end, day)), "The batch size of a batch request must be at least 1.");
    EXPECT_EQ(refusal(batchDates(start, end, 1e-6, 478)), "A batch request may cover at most 1000000 instants.");
    EXPECT_EQ(refusal(batchDates(start, start.addingTimeInterval(1e6), 1.0, 478)), "accepted");
    EXPECT_EQ(refusal(batchDates(start, start.addingTimeInterval(1e6 + 0.5), 1.0, 478)),
              "A batch request may cover at most 1000000 instants.");
    EXPECT_EQ(refusal(batchDates(platform::Date::fromSecondsSince1970(-1e308), platform::Date::fromSecondsSince1970(1e308),
                                 1.0, 478)),
              "A batch request may cover at most 1000000 instants.");
    EXPECT_EQ(refusal(batchDates(start, platform::Date::fromSecondsSince1970(std::nan("")), day, 478)),
              "The start and end of a batch request must be finite instants.");

    // A batch size is never trusted to size an allocation: beyond what one request
    // may cover it is refused, and up to that a batch holds room for its own
    // instants only.
    const std::string tooLarge = "The batch size of a batch request may be at most 1000000.";
    EXPECT_EQ(refusal(batchDates(start, end, day, std::numeric_limits<long long>::max())), tooLarge);
    EXPECT_EQ(refusal(batchDates(start, end, day, 1'000'001)), tooLarge);
    const auto widest = batchDates(start, end, day, 1'000'000);
    ASSERT_TRUE(widest);
    ASSERT_EQ(sizesOf(*widest), (std::vector<std::size_t>{10}));
    EXPECT_LT(widest->front().capacity(), 1000u);

    // The same refusals reach both fetches.
    const PlanetsRequest request(Planet::sun);
    const auto fetched = request.fetch(start, end, 0.0, std::stop_token{});
    ASSERT_FALSE(fetched);
    EXPECT_EQ(fetched.error().message, badInterval);
    int calls = 0;
    request.fetch(start, end, 0.0, [&](Expected<std::vector<Coordinate<Planet>>> result) {
        ++calls;
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().message, badInterval);
    });
    EXPECT_EQ(calls, 1);
}

TEST(PlanetsRequest, AYearOfDailyPositions) {
    const PlanetsRequest request(Planet::sun);
    const platform::Date end = utc(2025, 1, 1);
    const auto year = request.fetch(start, end, day, std::stop_token{});
    ASSERT_TRUE(year) << year.error().message;
    EXPECT_FALSE(year->cancelled);
    ASSERT_EQ(year->items.size(), 366u);
    for (std::size_t k = 0; k < year->items.size(); ++k) {
        const auto& item = year->items[k];
        ASSERT_EQ(item.date(), start.addingTimeInterval(static_cast<double>(k) * day));
        ASSERT_EQ(item.body(), Planet::sun);
    }
    const auto first = Coordinate<Planet>::make(Planet::sun, start);
    ASSERT_TRUE(first);
    EXPECT_EQ(year->items.front().longitude(), first->longitude());

    int calls = 0;
    request.fetch(start, end, day, [&](Expected<std::vector<Coordinate<Planet>>> result) {
        ++calls;
        ASSERT_TRUE(result);
        ASSERT_EQ(result->size(), 366u);
        EXPECT_EQ(result->back().longitude(), year->items.back().longitude());
    });
    EXPECT_EQ(calls, 1);
}

TEST(PlanetsRequest, NothingToFetch) {
    const PlanetsRequest request(Planet::moon);
    const auto none = request.fetch(start, start, day, std::stop_token{});
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->items.empty());
    EXPECT_FALSE(none->cancelled);
    int calls = 0;
    request.fetch(start, start, -day, [&](Expected<std::vector<Coordinate<Planet>>> result) {
        ++calls;
        ASSERT_TRUE(result);
        EXPECT_TRUE(result->empty());
    });
    EXPECT_EQ(calls, 1);
}

TEST(PlanetsRequest, CancellationKeepsWholeBatchesAndSaysSo) {
    const PlanetsRequest request(Planet::venus);
    const platform::Date end = start.addingTimeInterval(1000 * 3600.0);

    std::stop_source beforehand;
    beforehand.request_stop();
    const auto none = request.fetch(start, end, 3600.0, beforehand.get_token());
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->items.empty());
    EXPECT_TRUE(none->cancelled);

    std::stop_source midway;
    auto stream = request.stream(start, end, 3600.0, midway.get_token());
    ASSERT_TRUE(stream);
    const auto first = stream->next();
    ASSERT_TRUE(first && *first);
    EXPECT_EQ((*first)->size(), 478u);
    midway.request_stop();
    EXPECT_FALSE(stream->next());
    EXPECT_TRUE(stream->cancelled());

    // Stopped from another thread at any moment, a fetch keeps whole batches.
    std::stop_source racing;
    std::optional<Expected<BatchFetch<Coordinate<Planet>>>> raced;
    std::thread worker([&] { raced = request.fetch(start, end, 3600.0, racing.get_token()); });
    racing.request_stop();
    worker.join();
    ASSERT_TRUE(raced && *raced);
    const auto& result = raced->value();
    EXPECT_EQ(result.items.size() % 478 == 0 || result.items.size() == 1000, true) << result.items.size();
    EXPECT_EQ(result.cancelled, result.items.size() < 1000);

    // A stream that has handed out its last batch was not cancelled.
    auto complete = request.stream(start, start.addingTimeInterval(3600.0), 3600.0, std::stop_token{});
    ASSERT_TRUE(complete);
    EXPECT_TRUE(complete->next());
    EXPECT_FALSE(complete->next());
    EXPECT_FALSE(complete->cancelled());
}

TEST(PlanetsRequest, APositionThatFailsEndsTheFetchWithItsError) {
    const PlanetsRequest request(Planet::sun);
    // Past its data files the library falls back to its analytic theory, which
    // ends early in the year 3004; the second batch of ten-day steps crosses that.
    const platform::Date from = utc(2990, 1, 1);
    const platform::Date to = utc(3020, 1, 1);
    const auto failed = request.fetch(from, to, 10 * day, std::stop_token{});
    ASSERT_FALSE(failed);
    EXPECT_NE(failed.error().message.find("sepl_30.se1"), std::string::npos) << failed.error().message;

    auto stream = request.stream(from, to, 10 * day, std::stop_token{});
    ASSERT_TRUE(stream);
    const auto first = stream->next();
    ASSERT_TRUE(first && *first);
    EXPECT_EQ((*first)->size(), 478u);
    const auto second = stream->next();
    ASSERT_TRUE(second);
    EXPECT_FALSE(*second);
    EXPECT_FALSE(stream->next());
    EXPECT_FALSE(stream->cancelled());
}
