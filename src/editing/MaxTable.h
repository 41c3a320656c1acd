#pragma once
// Upper limits of the gain entry fields, per axis, gain row and mode set. The lower limit of
// every field is 0. The values are data: one row of limits per gain, the same for all three
// mode sets; the window fills its table once and never changes it.
#include <array>
#include <cstdint>

namespace vireo
{

// Axis order of the gain records and of the limit table: aileron, elevator, rudder.
inline constexpr int AxisCount = 3;
inline constexpr int ModeSetCount = 3;

// Gain rows that have an entry field, in the order of the limit table.
enum class GainRow { P, I, D, FF, HLD, CTL, ACG, ACR };
inline constexpr int GainRowCount = 8;

// The limit of the pirouette compensation gain, which has no axis or mode.
inline constexpr std::int16_t PirouGainLimit = 100;

class MaxTable
{
public:
    // Filled at construction; fill() restores the values should anyone ask for it again.
    constexpr MaxTable() { fill(); }

    constexpr void fill()
    {
        for (int axis = 0; axis < AxisCount; ++axis)
            for (int row = 0; row < GainRowCount; ++row)
                for (int mode = 0; mode < ModeSetCount; ++mode)
                    values_[axis][row][mode] = DefaultLimits[row][axis];
    }

    // axis 0..2 (A, E, R), mode set 0..2. Out-of-range indices are a programming error.
    constexpr std::int16_t limit(int axis, GainRow row, int modeSet) const
    {
        return values_.at(axis).at(static_cast<int>(row)).at(modeSet);
    }

    // Limits per gain row, columns aileron, elevator, rudder.
    static constexpr std::array<std::array<std::int16_t, AxisCount>, GainRowCount> DefaultLimits{{
        {5000, 5000, 32767}, // P
        {5000, 5000, 32767}, // I
        {5000, 5000, 32767}, // D
        {60, 60, 32767},     // FF
        {20, 20, 20},        // HLD
        {1000, 1000, 1000},  // CTL
        {160, 160, 160},     // A.C gain
        {60, 60, 60},        // A.C rate
    }};

private:
    std::array<std::array<std::array<std::int16_t, ModeSetCount>, GainRowCount>, AxisCount> values_{};
};

} // namespace vireo
