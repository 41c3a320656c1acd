#pragma once
// Which working value each entry field edits: the 24 gain fields (eight rows for each of the
// three axes) with their spin buttons, and the pirouette gain field of the option page.
#include "editing/MaxTable.h"

#include <array>
#include <optional>
#include <string_view>

namespace vireo
{

// Index of a gain row's value within an axis record (P, I, D, FF, HLD, then the three carried
// words, CTL, A.C gain, A.C rate).
constexpr int recordFieldOf(GainRow row)
{
    constexpr std::array<int, GainRowCount> fields{0, 1, 2, 3, 4, 8, 9, 10};
    return fields[static_cast<std::size_t>(row)];
}

struct GainEntryField {
    std::string_view edit;   // object name of the entry field
    std::string_view upDown; // object name of its spin button
    int axis;                // 0 aileron, 1 elevator, 2 rudder
    GainRow row;
};

inline constexpr std::array<GainEntryField, AxisCount * GainRowCount> GainEntryFields{{
    {"Edit1", "UpDown1", 0, GainRow::P},     {"Edit2", "UpDown2", 0, GainRow::I},
    {"Edit3", "UpDown3", 0, GainRow::D},     {"Edit4", "UpDown4", 0, GainRow::FF},
    {"Edit5", "UpDown5", 0, GainRow::HLD},   {"Edit9", "UpDown9", 0, GainRow::CTL},
    {"Edit6", "UpDown6", 0, GainRow::ACG},   {"Edit7", "UpDown7", 0, GainRow::ACR},
    {"Edit10", "UpDown10", 1, GainRow::P},   {"Edit11", "UpDown11", 1, GainRow::I},
    {"Edit12", "UpDown12", 1, GainRow::D},   {"Edit13", "UpDown13", 1, GainRow::FF},
    {"Edit14", "UpDown14", 1, GainRow::HLD}, {"Edit18", "UpDown18", 1, GainRow::CTL},
    {"Edit8", "UpDown8", 1, GainRow::ACG},   {"Edit15", "UpDown15", 1, GainRow::ACR},
    {"Edit19", "UpDown19", 2, GainRow::P},   {"Edit20", "UpDown20", 2, GainRow::I},
    {"Edit21", "UpDown21", 2, GainRow::D},   {"Edit22", "UpDown22", 2, GainRow::FF},
    {"Edit23", "UpDown23", 2, GainRow::HLD}, {"Edit27", "UpDown27", 2, GainRow::CTL},
    {"Edit32", "UpDown32", 2, GainRow::ACG}, {"Edit16", "UpDown16", 2, GainRow::ACR},
}};

// The pirouette compensation gain: an entry field without spin button or typing filter.
inline constexpr std::string_view PirouGainEdit = "Edit25";

// Where a checked entry goes: a field of one axis record of the working values, or the
// pirouette gain of the common block.
struct EntryTarget {
    bool pirouetteGain = false;
    int axis = 0;
    int modeSet = 0;
    int recordField = 0;
    std::int32_t limit = 0;
};

// The gain field with this entry field or spin button name, if any.
std::optional<GainEntryField> gainFieldByEdit(std::string_view editName);
std::optional<GainEntryField> gainFieldByUpDown(std::string_view upDownName);

// The target of the entry field with this name in the selected mode set; nothing for a name
// that is not one of the 25 entry fields.
std::optional<EntryTarget> entryTarget(std::string_view editName, int modeSet, const MaxTable &limits);

} // namespace vireo
