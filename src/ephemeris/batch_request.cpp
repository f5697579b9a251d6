#include "ephemeris/batch_request.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ephemeris {

Expected<DateBatches> batchDates(platform::Date start, platform::Date end, double interval, long long threshold) {
    const double from = start.secondsSince1970();
    const double to = end.secondsSince1970();
    if (!std::isfinite(from) || !std::isfinite(to))
        return Error{"The start and end of a batch request must be finite instants."};
    if (!std::isfinite(interval) || interval == 0.0)
        return Error{"The interval of a batch request must be a finite number of seconds other than zero."};
    if (threshold < 1) return Error{"The batch size of a batch request must be at least 1."};
    if (static_cast<unsigned long long>(threshold) > maximumBatchInstants)
        return Error{"The batch size of a batch request may be at most " + std::to_string(maximumBatchInstants) + "."};
    if (from == to) return DateBatches{};
    if ((to > from) != (interval > 0.0))
        return Error{"The interval of a batch request must step from the start towards the end."};
    const auto tooMany = [] {
        return Error{"A batch request may cover at most " + std::to_string(maximumBatchInstants) + " instants."};
    };
    // Checked before anything is allocated, then again while walking, since the
    // rounding of start + k * interval may take one step more than the quotient.
    if ((to - from) / interval > static_cast<double>(maximumBatchInstants)) return tooMany();

    const auto batchSize = static_cast<std::size_t>(threshold);
    // Room for the instants a batch will hold, not for the whole batch size.
    const auto expectedInstants = static_cast<std::size_t>(std::ceil((to - from) / interval));
    DateBatches batches;
    for (std::size_t k = 0;; ++k) {
        const double instant = from + static_cast<double>(k) * interval;
        if (interval > 0.0 ? !(instant < to) : !(instant > to)) break;
        if (k >= maximumBatchInstants) return tooMany();
        if (k % batchSize == 0) {
            batches.emplace_back();
            batches.back().reserve(std::min(batchSize, expectedInstants > k ? expectedInstants - k : std::size_t{1}));
        }
        batches.back().push_back(platform::Date::fromSecondsSince1970(instant));
    }
    return batches;
}

std::optional<Expected<std::vector<Coordinate<Planet>>>> PlanetPositionStream::next() {
    if (ended_ || nextBatch_ >= batches_.size()) return std::nullopt;
    if (stop_.stop_requested()) {
        cancelled_ = true;
        ended_ = true;
        return std::nullopt;
    }
    const auto& batch = batches_[nextBatch_++];
    std::vector<Coordinate<Planet>> positions;
    positions.reserve(batch.size());
    for (const platform::Date instant : batch) {
        auto position = Coordinate<Planet>::make(body_, instant);
        if (!position) {
            ended_ = true;
            return Expected<std::vector<Coordinate<Planet>>>(position.error());
        }
        positions.push_back(std::move(position).value());
    }
    return Expected<std::vector<Coordinate<Planet>>>(std::move(positions));
}

Expected<PlanetPositionStream> PlanetsRequest::stream(platform::Date start, platform::Date end, double interval,
                                                      std::stop_token stop) const {
    auto batches = dates(*this, start, end, interval);
    if (!batches) return batches.error();
    return PlanetPositionStream(body_, std::move(batches).value(), std::move(stop));
}

Expected<BatchFetch<Coordinate<Planet>>> PlanetsRequest::fetch(platform::Date start, platform::Date end,
                                                               double interval, std::stop_token stop) const {
    auto positions = stream(start, end, interval, std::move(stop));
    if (!positions) return positions.error();
    BatchFetch<Coordinate<Planet>> result;
    while (auto batch = positions->next()) {
        if (!*batch) return batch->error();
        auto& items = batch->value();
        result.items.insert(result.items.end(), items.begin(), items.end());
    }
    result.cancelled = positions->cancelled();
    return result;
}

void PlanetsRequest::fetch(platform::Date start, platform::Date end, double interval,
                           const std::function<void(Expected<std::vector<Coordinate<Planet>>>)>& completion) const {
    auto result = fetch(start, end, interval, std::stop_token{});
    if (!result) {
        completion(result.error());
        return;
    }
    completion(std::move(result->items));
}

} // namespace ephemeris
