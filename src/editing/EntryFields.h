#pragma once
// Which working value each entry field edits: the 24 gain fields (eight rows for each of the
// three axes) with their spin buttons, and the pirouette gain field of the option page.
#include "editing/MaxTable.h"

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

inline constexpr std::array<GainEntryField, AxisCount * LimitFieldCount> GainEntryFields{{
    {"Edit1", "UpDown1", Aileron, LimitField::P},      {"Edit2", "UpDown2", Aileron, LimitField::I},
    {"Edit3", "UpDown3", Aileron, LimitField::D},      {"Edit4", "UpDown4", Aileron, LimitField::FF},
    {"Edit5", "UpDown5", Aileron, LimitField::HLD},    {"Edit9", "UpDown9", Aileron, LimitField::CTL},
    {"Edit6", "UpDown6", Aileron, LimitField::ACG},    {"Edit7", "UpDown7", Aileron, LimitField::ACR},
    {"Edit10", "UpDown10", Elevator, LimitField::P},   {"Edit11", "UpDown11", Elevator, LimitField::I},
    {"Edit12", "UpDown12", Elevator, LimitField::D},   {"Edit13", "UpDown13", Elevator, LimitField::FF},
    {"Edit14", "UpDown14", Elevator, LimitField::HLD}, {"Edit18", "UpDown18", Elevator, LimitField::CTL},
    {"Edit8", "UpDown8", Elevator, LimitField::ACG},   {"Edit15", "UpDown15", Elevator, LimitField::ACR},
    {"Edit19", "UpDown19", Rudder, LimitField::P},     {"Edit20", "UpDown20", Rudder, LimitField::I},
    {"Edit21", "UpDown21", Rudder, LimitField::D},     {"Edit22", "UpDown22", Rudder, LimitField::FF},
    {"Edit23", "UpDown23", Rudder, LimitField::HLD},   {"Edit27", "UpDown27", Rudder, LimitField::CTL},
    {"Edit32", "UpDown32", Rudder, LimitField::ACG},   {"Edit16", "UpDown16", Rudder, LimitField::ACR},
}};

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

// The gain field with this entry field or spin button name, if any.
std::optional<GainEntryField> gainFieldByEdit(std::string_view editName);
std::optional<GainEntryField> gainFieldByUpDown(std::string_view upDownName);

// The target of the entry field with this name in the selected mode set; nothing for a name
// that is not one of the 25 entry fields.
std::optional<EntryTarget> entryTarget(std::string_view editName, ModeSet modeSet, const MaxTable &limits);

} // namespace vireo
