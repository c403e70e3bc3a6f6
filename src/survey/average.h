#pragma once

#include <optional>

namespace norvane {

// The mean of the values given so far; an absent value does not count.
struct Average {
    double sum = 0;
    int count = 0;

    void add(const std::optional<double>& value)
    {
        if (!value)
            return;
        sum += *value;
        ++count;
    }
    std::optional<double> mean() const
    {
        return count > 0 ? std::optional<double>(sum / count) : std::nullopt;
    }
};

} // namespace norvane
