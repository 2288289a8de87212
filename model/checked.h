#pragma once

#include <optional>
#include <type_traits>

// The board's counters and scores are 16- and 32-bit values whose arithmetic
// is checked: a result that does not fit leaves the stored value as it was.
// These helpers give that rule without exceptions.

template <typename T>
    requires std::is_integral_v<T>
constexpr std::optional<T> checkedAdd(T a, T b)
{
    T result{};
    if (__builtin_add_overflow(a, b, &result))
        return std::nullopt;
    return result;
}

template <typename T>
    requires std::is_integral_v<T>
constexpr std::optional<T> checkedSub(T a, T b)
{
    T result{};
    if (__builtin_sub_overflow(a, b, &result))
        return std::nullopt;
    return result;
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
