#pragma once

#include <array>
#include <cstddef>
#include <optional>

// A fixed array of team slots. An index outside the slots reads as nothing
// and writes nowhere, so a statement that addresses a slot that does not
// exist simply has no effect.
template <typename T, int N>
class SlotArray
{
public:
    static constexpr int size() { return N; }
    static constexpr bool contains(int index) { return index >= 0 && index < N; }

    std::optional<T> at(int index) const
    {
        if (!contains(index))
            return std::nullopt;
        return m_values[static_cast<std::size_t>(index)];
    }

    // The slot's value, or `fallback` for an index outside the slots.
    T value(int index, T fallback = T{}) const
    {
        return contains(index) ? m_values[static_cast<std::size_t>(index)] : fallback;
    }

    bool set(int index, T v)
    {
        if (!contains(index))
            return false;
        m_values[static_cast<std::size_t>(index)] = std::move(v);
        return true;
    }

    // Applies `change` to the slot in place; does nothing for a bad index.
    // `change` returns false to leave the slot unchanged (an overflow).
    template <typename F>
    bool update(int index, F &&change)
    {
        if (!contains(index))
            return false;
        return change(m_values[static_cast<std::size_t>(index)]);
    }

    void fill(const T &v) { m_values.fill(v); }

private:
    std::array<T, N> m_values{};
};
