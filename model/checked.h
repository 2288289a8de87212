#pragma once

#include <limits>
#include <optional>
#include <type_traits>

// The board's counters and scores are 16- and 32-bit values whose arithmetic
// is checked: a result that does not fit leaves the stored value as it was.
// These helpers give that rule without exceptions.
//
// The range is tested before the operation, with plain comparisons, so the
// same code builds with GCC, Clang and MSVC and never evaluates an
// overflowing expression.

template <typename T>
    requires std::is_integral_v<T>
constexpr std::optional<T> checkedAdd(T a, T b)
{
    using Limits = std::numeric_limits<T>;
    if constexpr (std::is_signed_v<T>) {
        if (b > 0 && a > Limits::max() - b)
            return std::nullopt;
        if (b < 0 && a < Limits::min() - b)
            return std::nullopt;
    } else {
        if (a > Limits::max() - b)
            return std::nullopt;
    }
    return static_cast<T>(a + b);
}

template <typename T>
    requires std::is_integral_v<T>
constexpr std::optional<T> checkedSub(T a, T b)
{
    using Limits = std::numeric_limits<T>;
    if constexpr (std::is_signed_v<T>) {
        if (b < 0 && a > Limits::max() + b)
            return std::nullopt;
        if (b > 0 && a < Limits::min() + b)
            return std::nullopt;
    } else {
        if (a < b)
            return std::nullopt;
    }
    return static_cast<T>(a - b);
}

// Adds `delta` to `value` unless the sum overflows; says whether it did.
template <typename T>
    requires std::is_integral_v<T>
constexpr bool addInPlace(T &value, T delta)
{
    if (const auto sum = checkedAdd(value, delta)) {
        value = *sum;
        return true;
    }
    return false;
}
