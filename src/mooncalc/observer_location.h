#pragma once
// Where on the Earth the observer stands, in degrees: latitude north positive
// (-90 to 90), longitude east positive. Only these two numbers of a location
// take part in the calculator's results; a latitude beyond a pole and a
// longitude that is not a finite number are refused by the calculators that
// read them.

namespace mooncalc {

struct ObserverLocation {
    double latitude = 0.0;
    double longitude = 0.0;
    friend bool operator==(const ObserverLocation&, const ObserverLocation&) = default;
};

} // namespace mooncalc
