#pragma once
// A value that the opener of a sheet owns and lends to it: the sheet reads and
// writes it through these two functions and never keeps a copy of its own. The
// owner announces changes in its own way (a Qt signal on its property).

#include <functional>
#include <utility>

namespace sheets {

template <class T>
class Binding {
public:
    Binding(std::function<T()> get, std::function<void(T)> set) : get_(std::move(get)), set_(std::move(set)) {}

    T get() const { return get_(); }
    void set(T value) const { set_(std::move(value)); }

private:
    std::function<T()> get_;
    std::function<void(T)> set_;
};

// The refresh flag carries its meaning in its changes: a sheet inverts it and
// never sets a particular value.
inline void invert(const Binding<bool>& flag) { flag.set(!flag.get()); }

} // namespace sheets
