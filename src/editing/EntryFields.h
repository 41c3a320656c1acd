#pragma once
// Which working value each entry field edits: the 24 gain fields (eight rows for each of the
// three axes) with their spin buttons, and the pirouette gain field of the option page.
#include "editing/MaxTable.h"
#include "params/GainGrid.h"

#include <array>
#include <optional>
#include <string_view>

namespace vireo
{

struct GainEntryField {
    std::string_view edit;   // object name of the entry field
    std::string_view upDown; // object name of its spin button
    AxisIndex axis;
    LimitField row;
};

constexpr AxisField axisFieldOf(LimitField row)
{
    return LimitFieldAxisField[static_cast<std::size_t>(row)];
}

// Axis by axis, row by row, as the gain grid lays them out.
inline constexpr std::array<GainEntryField, AxisCount *LimitFieldCount> GainEntryFields = [] {
    std::array<GainEntryField, AxisCount * LimitFieldCount> fields{};
    std::size_t n = 0;
    for (int axis = 0; axis < AxisCount; ++axis)
        for (int row = 0; row < LimitFieldCount; ++row) {
            const GainGridRow &r = gainRow(axis, static_cast<LimitField>(row));
            fields[n++] = {r.edit, r.spin, static_cast<AxisIndex>(axis), static_cast<LimitField>(row)};
        }
    return fields;
}();

// The pirouette compensation gain: an entry field without spin button or typing filter.
inline constexpr std::string_view PirouGainEdit = "Edit25";

// Where a checked entry goes, and the limit it is checked against: a field of one axis record
// of the working values, or the pirouette gain of the common block.
struct EntryTarget {
    bool pirouetteGain = false;
    int axis = 0;
    ModeSet modeSet = 0;
    AxisField field = AxisField::P;
    std::int32_t limit = 0;
};

// The gain field with this entry field name, if any.
std::optional<GainEntryField> gainFieldByEdit(std::string_view editName);

// The target of the entry field with this name in the selected mode set; nothing for a name
// that is not one of the 25 entry fields.
std::optional<EntryTarget> entryTarget(std::string_view editName, ModeSet modeSet, const MaxTable &limits);

} // namespace vireo
