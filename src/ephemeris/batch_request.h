#pragma once
// Positions of one body at evenly spaced instants, computed a batch at a time so
// that a long series can be stopped between batches.
//
// The library keeps its state per thread, so a fetch may run on a worker thread
// (a std::jthread, whose stop token it then takes) while positions are computed
// elsewhere.

#include "ephemeris/coordinate.h"
#include "ephemeris/expected.h"
#include "ephemeris/planet.h"
#include "platform/core/date.h"

#include <concepts>
#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

namespace ephemeris {

// The most instants one request may cover: a century of hourly positions.
inline constexpr std::size_t maximumBatchInstants = 1'000'000;

using DateBatches = std::vector<std::vector<platform::Date>>;

// The instants start, start + interval, start + 2 * interval ... up to, never
// including, `end` (the k-th computed afresh as start + k * interval, so rounding
// does not accumulate), cut into batches of `threshold`; the last batch holds the
// rest. No batches when start equals end. Refused with an error when an instant
// is not finite, the interval is zero, not finite or points away from `end`, the
// threshold is below 1 or above maximumBatchInstants, or the instants would be
// more than maximumBatchInstants.
Expected<DateBatches> batchDates(platform::Date start, platform::Date end, double interval, long long threshold);

// The results of a fetch: the items of every batch completed, in instant order,
// and whether the fetch was stopped before its last batch.
template <class Item>
struct BatchFetch {
    std::vector<Item> items;
    bool cancelled = false;
};

template <class R>
concept BatchRequest =
    requires(const R& request, platform::Date start, platform::Date end, double interval, std::stop_token stop,
             const std::function<void(Expected<std::vector<typename R::EphemerisItem>>)>& completion) {
        typename R::EphemerisItem;
        { request.datesThreshold() } -> std::convertible_to<long long>;
        { request.fetch(start, end, interval, stop) } -> std::same_as<Expected<BatchFetch<typename R::EphemerisItem>>>;
        request.fetch(start, end, interval, completion);
    };

// The batches of any request, cut at its own threshold.
template <class R>
    requires requires(const R& request) {
        { request.datesThreshold() } -> std::convertible_to<long long>;
    }
Expected<DateBatches> dates(const R& request, platform::Date start, platform::Date end, double interval) {
    return batchDates(start, end, interval, static_cast<long long>(request.datesThreshold()));
}

// A series of positions handed out one batch at a time, on request.
class PlanetPositionStream {
public:
    // The positions of the next batch. std::nullopt once every batch has been
    // handed out, once the stop token has been triggered (checked before each
    // batch; a batch already begun is finished), and after an error, which is
    // handed out in place of the batch that failed.
    std::optional<Expected<std::vector<Coordinate<Planet>>>> next();

    // The stream ended because it was stopped, before its last batch.
    bool cancelled() const noexcept { return cancelled_; }

private:
    friend class PlanetsRequest;
    PlanetPositionStream(Planet body, DateBatches batches, std::stop_token stop)
        : body_(body), batches_(std::move(batches)), stop_(std::move(stop)) {}

    Planet body_;
    DateBatches batches_;
    std::size_t nextBatch_ = 0;
    std::stop_token stop_;
    bool cancelled_ = false;
    bool ended_ = false;
};

class PlanetsRequest {
public:
    using EphemerisItem = Coordinate<Planet>;

    explicit PlanetsRequest(Planet body) noexcept : body_(body) {}

    Planet body() const noexcept { return body_; }
    // At most this many positions are computed between two checks of the stop token.
    int datesThreshold() const noexcept { return 478; }

    // A stream over the positions of `body` at the instants of
    // dates(*this, start, end, interval); the error of a refused request.
    Expected<PlanetPositionStream> stream(platform::Date start, platform::Date end, double interval,
                                          std::stop_token stop) const;

    // Every position of the stream, in instant order; when `stop` is triggered,
    // those of the batches completed so far, marked as cancelled. An error for a
    // refused request or a position that cannot be computed.
    Expected<BatchFetch<EphemerisItem>> fetch(platform::Date start, platform::Date end, double interval,
                                              std::stop_token stop) const;

    // The same positions, computed on the caller's thread and handed to
    // `completion` once, before this returns: all of them, or the error.
    void fetch(platform::Date start, platform::Date end, double interval,
               const std::function<void(Expected<std::vector<EphemerisItem>>)>& completion) const;

private:
    Planet body_;
};

static_assert(BatchRequest<PlanetsRequest>);

} // namespace ephemeris
