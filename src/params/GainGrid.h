#pragma once
// The gain grid of the control parameter page: one group per axis with a row per limit field
// (row label, standard value, unit value, entry field and its spin button). The object names
// of these controls are written here and nowhere else: the layout builds them, the display,
// entry checking, the start-up and the context help find them through this table.
#include "params/ParameterSet.h"

#include <array>
#include <cstddef>
#include <optional>

namespace vireo
{

struct GainGridRow {
    const char *label;    // row label; pointing at it shows the row's help
    const char *standard; // static text: the standard value
    const char *unit;     // static text: the unit's own value
    const char *edit;     // entry field: the working value
    const char *spin;     // spin button of the entry field
};

struct GainGridAxis {
    const char *group;                             // group box of the axis
    const char *standardHeading;                   // heading of the standard column
    const char *unitHeading;                       // heading of the unit column
    std::array<GainGridRow, LimitFieldCount> rows; // top to bottom, indexed by LimitField
};

// [axis]: aileron, elevator, rudder.
inline constexpr std::array<GainGridAxis, AxisCount> GainGrid = {{
    {"AilGroupBox",
     "Label56",
     "Label57",
     {{{"Label1", "StaticText26", "StaticText1", "Edit1", "UpDown1"},
       {"Label2", "StaticText30", "StaticText2", "Edit2", "UpDown2"},
       {"Label3", "StaticText31", "StaticText3", "Edit3", "UpDown3"},
       {"Label4", "StaticText45", "StaticText4", "Edit4", "UpDown4"},
       {"Label5", "StaticText46", "StaticText5", "Edit5", "UpDown5"},
       {"Label9", "StaticText47", "StaticText9", "Edit9", "UpDown9"},
       {"Label90", "StaticText48", "StaticText42", "Edit6", "UpDown6"},
       {"Label91", "StaticText49", "StaticText43", "Edit7", "UpDown7"}}}},
    {"EleGroupBox",
     "Label58",
     "Label59",
     {{{"Label10", "StaticText50", "StaticText10", "Edit10", "UpDown10"},
       {"Label11", "StaticText51", "StaticText11", "Edit11", "UpDown11"},
       {"Label12", "StaticText52", "StaticText12", "Edit12", "UpDown12"},
       {"Label13", "StaticText53", "StaticText13", "Edit13", "UpDown13"},
       {"Label14", "StaticText54", "StaticText14", "Edit14", "UpDown14"},
       {"Label18", "StaticText55", "StaticText18", "Edit18", "UpDown18"},
       {"Label92", "StaticText57", "StaticText44", "Edit8", "UpDown8"},
       {"Label93", "StaticText64", "StaticText56", "Edit15", "UpDown15"}}}},
    {"RudGroupBox",
     "Label60",
     "Label61",
     {{{"Label19", "StaticText58", "StaticText19", "Edit19", "UpDown19"},
       {"Label20", "StaticText59", "StaticText20", "Edit20", "UpDown20"},
       {"Label21", "StaticText60", "StaticText21", "Edit21", "UpDown21"},
       {"Label22", "StaticText61", "StaticText22", "Edit22", "UpDown22"},
       {"Label23", "StaticText62", "StaticText23", "Edit23", "UpDown23"},
       {"Label27", "StaticText63", "StaticText27", "Edit27", "UpDown27"},
       {"Label94", "StaticText73", "StaticText65", "Edit32", "UpDown32"},
       {"Label95", "StaticText74", "StaticText72", "Edit16", "UpDown16"}}}},
}};

constexpr const GainGridRow &gainRow(int axis, LimitField row)
{
    return GainGrid[static_cast<std::size_t>(axis)].rows[static_cast<std::size_t>(row)];
}

// The rows in use are the first ones, showing the fields of ShownAxisFields. The A.C gain
// and A.C rate rows after them are built but hidden for the whole run.
inline constexpr int GainRowsInUse = static_cast<int>(ShownAxisFields.size());
static_assert([] {
    for (std::size_t row = 0; row < ShownAxisFields.size(); ++row)
        if (LimitFieldAxisField[row] != ShownAxisFields[row])
            return false;
    return true;
}());

// The help texts that a row label shows while pointed at (CPS<group>Help1..3).
enum class GainHelp : int { P, I, D, FF, HLD, CTL };
inline constexpr int GainHelpCount = 6;

// [row]: the help group of each row; the hidden rows show none.
inline constexpr std::array<std::optional<GainHelp>, LimitFieldCount> GainRowHelp = {
    GainHelp::P,   GainHelp::I,   GainHelp::D,  GainHelp::FF,
    GainHelp::HLD, GainHelp::CTL, std::nullopt, std::nullopt};

// Every control of the hidden rows, column by column (labels, entry fields, spin buttons,
// standard values, unit values), each column axis by axis and row by row.
inline constexpr auto HiddenGainRowControls = [] {
    constexpr std::size_t hiddenRows = LimitFieldCount - GainRowsInUse;
    constexpr std::array columns = {&GainGridRow::label, &GainGridRow::edit, &GainGridRow::spin,
                                    &GainGridRow::standard, &GainGridRow::unit};
    std::array<const char *, columns.size() * AxisCount * hiddenRows> names{};
    std::size_t n = 0;
    for (auto column : columns)
        for (const GainGridAxis &axis : GainGrid)
            for (std::size_t row = GainRowsInUse; row < LimitFieldCount; ++row)
                names[n++] = axis.rows[row].*column;
    return names;
}();

} // namespace vireo
