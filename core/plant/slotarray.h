// Values kept per tank slot and indexed by the slot itself.
#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

inline constexpr int TankCount = 15;

// One value per tank slot, indexed by the slot 1..15 (checked in debug builds); iteration runs in
// slot order. An index of type std::size_t does not compile, so a position counted from 0 cannot
// pass for a slot.
template <typename T> struct SlotArray
{
    std::array<T, TankCount> values{};

    constexpr T &operator[](int slot) { return values[position(slot)]; }
    constexpr const T &operator[](int slot) const { return values[position(slot)]; }
    T &operator[](std::size_t) = delete;
    const T &operator[](std::size_t) const = delete;

    constexpr auto begin() { return values.begin(); }
    constexpr auto end() { return values.end(); }
    constexpr auto begin() const { return values.begin(); }
    constexpr auto end() const { return values.end(); }
    bool operator==(const SlotArray &) const = default;

private:
    static constexpr std::size_t position(int slot)
    {
        Q_ASSERT(slot >= 1 && slot <= TankCount);
        return static_cast<std::size_t>(slot - 1);
    }
};
