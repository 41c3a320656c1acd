#pragma once
// The program's image of the unit's control parameters: the gain records of three axes in
// three mode sets, the common option block and the three preset blocks, always held in the
// program's units. Only the block transfer converts to and from the unit's units.
//
// Records are fixed arrays of signed 16-bit words in wire/file field order, with named
// accessors, so that a value list can be parsed straight into a record and the file and
// wire code can iterate over the words.
#include "link/Version.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vireo
{

// Wire selector of a record.
enum class Selector : char { A = 'A', E = 'E', R = 'R', C = 'C', Z = 'Z', G = 'G', J = 'J' };

inline constexpr int AxisCount = 3;    // aileron, elevator, rudder
inline constexpr int ModeSetCount = 3; // MODE0, MODE1, EXTRA
inline constexpr int AxisFieldCount = 11;
inline constexpr int CommonFieldCount = 15;
inline constexpr int PresetBlockWordCount = 16;

enum AxisIndex : int { Aileron = 0, Elevator = 1, Rudder = 2 };
using ModeSet = int; // 0 MODE0, 1 MODE1, 2 EXTRA

inline constexpr std::array<Selector, AxisCount> AxisSelectors = {Selector::A, Selector::E, Selector::R};

constexpr bool isAxis(Selector s)
{
    return s == Selector::A || s == Selector::E || s == Selector::R;
}
// 0, 1, 2 for A, E, R; -1 for the other selectors.
constexpr int axisIndex(Selector s)
{
    return s == Selector::A ? 0 : s == Selector::E ? 1 : s == Selector::R ? 2 : -1;
}

// ---- Axis record ------------------------------------------------------------------------

enum class AxisField : int { P, I, D, FF, HLD, W5, W6, W7, CTL, ACG, ACR };

struct AxisRecord {
    std::array<std::int16_t, AxisFieldCount> words{};

    std::int16_t &operator[](AxisField f) { return words[static_cast<std::size_t>(f)]; }
    std::int16_t operator[](AxisField f) const { return words[static_cast<std::size_t>(f)]; }

    std::int16_t &P() { return words[0]; }
    std::int16_t &I() { return words[1]; }
    std::int16_t &D() { return words[2]; }
    std::int16_t &FF() { return words[3]; }
    std::int16_t &HLD() { return words[4]; }
    std::int16_t &W5() { return words[5]; }
    std::int16_t &W6() { return words[6]; }
    std::int16_t &W7() { return words[7]; }
    std::int16_t &CTL() { return words[8]; }
    std::int16_t &ACG() { return words[9]; }
    std::int16_t &ACR() { return words[10]; }
    std::int16_t P() const { return words[0]; }
    std::int16_t I() const { return words[1]; }
    std::int16_t D() const { return words[2]; }
    std::int16_t FF() const { return words[3]; }
    std::int16_t HLD() const { return words[4]; }
    std::int16_t W5() const { return words[5]; }
    std::int16_t W6() const { return words[6]; }
    std::int16_t W7() const { return words[7]; }
    std::int16_t CTL() const { return words[8]; }
    std::int16_t ACG() const { return words[9]; }
    std::int16_t ACR() const { return words[10]; }

    bool operator==(const AxisRecord &) const = default;
};

// How a field is coded on the wire (the block transfer applies it).
enum class WireCoding { None, Hld, Ctl, Acg, Acr };

struct AxisFieldInfo {
    AxisField field;
    std::string_view name;
    bool shown;             // has a visible row on the control parameter page
    bool entered;           // has a limit in MaxTable (value entry)
    std::int16_t maxAilEle; // upper limit for aileron and elevator (lower limit is 0)
    std::int16_t maxRudder; // upper limit for rudder
    WireCoding coding;
};

inline constexpr std::array<AxisFieldInfo, AxisFieldCount> AxisFields = {{
    {AxisField::P, "P", true, true, 5000, 32767, WireCoding::None},
    {AxisField::I, "I", true, true, 5000, 32767, WireCoding::None},
    {AxisField::D, "D", true, true, 5000, 32767, WireCoding::None},
    {AxisField::FF, "FF", true, true, 60, 32767, WireCoding::None},
    {AxisField::HLD, "HLD", true, true, 20, 20, WireCoding::Hld},
    {AxisField::W5, "W5", false, false, 0, 0, WireCoding::None},
    {AxisField::W6, "W6", false, false, 0, 0, WireCoding::None},
    {AxisField::W7, "W7", false, false, 0, 0, WireCoding::None},
    {AxisField::CTL, "CTL", true, true, 1000, 1000, WireCoding::Ctl},
    // A.C gain and rate have hidden rows; their limits still live in MaxTable.
    {AxisField::ACG, "ACG", false, true, 160, 160, WireCoding::Acg},
    {AxisField::ACR, "ACR", false, true, 60, 60, WireCoding::Acr},
}};

// The six fields that the parameter page shows, in row order.
inline constexpr std::array<AxisField, 6> ShownAxisFields = {AxisField::P,  AxisField::I,   AxisField::D,
                                                             AxisField::FF, AxisField::HLD, AxisField::CTL};

// ---- Limits (MaxTable) ------------------------------------------------------------------

// Field order of MaxTable: the eight entered fields.
enum class LimitField : int { P, I, D, FF, HLD, CTL, ACG, ACR };
inline constexpr int LimitFieldCount = 8;
inline constexpr std::array<AxisField, LimitFieldCount> LimitFieldAxisField = {
    AxisField::P,   AxisField::I,   AxisField::D,   AxisField::FF,
    AxisField::HLD, AxisField::CTL, AxisField::ACG, AxisField::ACR};

// [axis][limit field][mode set]
using MaxTableType =
    std::array<std::array<std::array<std::int16_t, ModeSetCount>, LimitFieldCount>, AxisCount>;

constexpr MaxTableType makeMaxTable()
{
    MaxTableType t{};
    for (int a = 0; a < AxisCount; ++a)
        for (int f = 0; f < LimitFieldCount; ++f) {
            const auto &info = AxisFields[static_cast<std::size_t>(LimitFieldAxisField[f])];
            for (int m = 0; m < ModeSetCount; ++m)
                t[a][f][m] = a == Rudder ? info.maxRudder : info.maxAilEle;
        }
    return t;
}

inline constexpr std::int16_t PirouGainLimit = 100;

// ---- Common block -----------------------------------------------------------------------

enum class CommonField : int {
    DeadBand,
    W1,
    PirouUse,
    PirouDir,
    PirouGain,
    ERingOff,
    RudGainCh,
    AilGainCh,
    EleGainCh,
    AuxOutCh,
    RudNeutral,
    RxKind,
    AxisMode,
    CondCh,
    SwashNeutral
};

struct CommonBlock {
    std::array<std::int16_t, CommonFieldCount> words{};

    std::int16_t &operator[](CommonField f) { return words[static_cast<std::size_t>(f)]; }
    std::int16_t operator[](CommonField f) const { return words[static_cast<std::size_t>(f)]; }

    std::int16_t &DeadBand() { return words[0]; }
    std::int16_t &W1() { return words[1]; }
    std::int16_t &PirouUse() { return words[2]; }
    std::int16_t &PirouDir() { return words[3]; }
    std::int16_t &PirouGain() { return words[4]; }
    std::int16_t &ERingOff() { return words[5]; }
    std::int16_t &RudGainCh() { return words[6]; }
    std::int16_t &AilGainCh() { return words[7]; }
    std::int16_t &EleGainCh() { return words[8]; }
    std::int16_t &AuxOutCh() { return words[9]; }
    std::int16_t &RudNeutral() { return words[10]; }
    std::int16_t &RxKind() { return words[11]; }
    std::int16_t &AxisMode() { return words[12]; }
    std::int16_t &CondCh() { return words[13]; }
    std::int16_t &SwashNeutral() { return words[14]; }
    std::int16_t DeadBand() const { return words[0]; }
    std::int16_t W1() const { return words[1]; }
    std::int16_t PirouUse() const { return words[2]; }
    std::int16_t PirouDir() const { return words[3]; }
    std::int16_t PirouGain() const { return words[4]; }
    std::int16_t ERingOff() const { return words[5]; }
    std::int16_t RudGainCh() const { return words[6]; }
    std::int16_t AilGainCh() const { return words[7]; }
    std::int16_t EleGainCh() const { return words[8]; }
    std::int16_t AuxOutCh() const { return words[9]; }
    std::int16_t RudNeutral() const { return words[10]; }
    std::int16_t RxKind() const { return words[11]; }
    std::int16_t AxisMode() const { return words[12]; }
    std::int16_t CondCh() const { return words[13]; }
    std::int16_t SwashNeutral() const { return words[14]; }

    bool operator==(const CommonBlock &) const = default;
};

enum class CommonCoding { None, PirouGain, Channel };

struct CommonFieldInfo {
    CommonField field;
    std::string_view name;
    CommonCoding coding;
};

inline constexpr std::array<CommonFieldInfo, CommonFieldCount> CommonFields = {{
    {CommonField::DeadBand, "DeadBand", CommonCoding::None},
    {CommonField::W1, "W1", CommonCoding::None},
    {CommonField::PirouUse, "PirouUse", CommonCoding::None},
    {CommonField::PirouDir, "PirouDir", CommonCoding::None},
    {CommonField::PirouGain, "PirouGain", CommonCoding::PirouGain},
    {CommonField::ERingOff, "ERingOff", CommonCoding::None},
    {CommonField::RudGainCh, "RudGainCh", CommonCoding::Channel},
    {CommonField::AilGainCh, "AilGainCh", CommonCoding::Channel},
    {CommonField::EleGainCh, "EleGainCh", CommonCoding::Channel},
    {CommonField::AuxOutCh, "AuxOutCh", CommonCoding::Channel},
    {CommonField::RudNeutral, "RudNeutral", CommonCoding::None},
    {CommonField::RxKind, "RxKind", CommonCoding::None},
    {CommonField::AxisMode, "AxisMode", CommonCoding::None},
    {CommonField::CondCh, "CondCh", CommonCoding::Channel},
    {CommonField::SwashNeutral, "SwashNeutral", CommonCoding::None},
}};

// Which firmware carries how many common fields: the fields carried are always the first n.
// Rows of one kind are tried in order; the last that applies counts.
enum class VersionTest { Any, AtLeast, Greater };

struct CommonCountRule {
    UnitKind kind;
    VersionTest test;
    std::string_view threshold;
    int count;
};

inline constexpr std::array<CommonCountRule, 6> CommonCountRules = {{
    {UnitKind::Kind1, VersionTest::Any, "", 1},
    {UnitKind::Kind1, VersionTest::AtLeast, " 1.0.5", 6},
    {UnitKind::Kind2, VersionTest::Any, "", 11},
    {UnitKind::Kind2, VersionTest::Greater, " 0.2.5", 12},
    {UnitKind::Kind2, VersionTest::Greater, " 0.3.8", 13},
    {UnitKind::Kind2, VersionTest::AtLeast, " 0.5.0", 15},
}};

// Number of common fields the unit of this kind and firmware carries (1, 6, 11, 12, 13 or 15).
int commonValueCount(UnitKind kind, std::string_view firmware);
inline bool commonFieldCarried(CommonField f, UnitKind kind, std::string_view firmware)
{
    return static_cast<int>(f) < commonValueCount(kind, firmware);
}

// Mode set 2 exists in the unit from this firmware on.
inline constexpr std::string_view ExtraModeSetFirmware = " 0.5.0";
inline bool modeSetAvailable(ModeSet k, std::string_view firmware)
{
    return k != 2 || versionAtLeast(firmware, ExtraModeSetFirmware);
}

// Dead band codes per radio button (none, 1 us, 2 us, 3 us) for each unit kind.
struct DeadBandCode {
    std::int16_t kind1;
    std::int16_t kind2;
};
inline constexpr std::array<DeadBandCode, 4> DeadBandCodes = {{{0, 0}, {7, 3}, {13, 6}, {19, 9}}};

constexpr std::int16_t deadBandCode(int button, UnitKind kind)
{
    const auto &c = DeadBandCodes[static_cast<std::size_t>(button)];
    return kind == UnitKind::Kind1 ? c.kind1 : c.kind2;
}
// The radio button (0..3) that shows a code of either kind, or -1 for an unknown code.
constexpr int deadBandButton(std::int16_t code)
{
    for (std::size_t b = 0; b < DeadBandCodes.size(); ++b)
        if (DeadBandCodes[b].kind1 == code || DeadBandCodes[b].kind2 == code)
            return static_cast<int>(b);
    return -1;
}

// Channel combo box items: 0 "INH", 1 "GEAR", 2..11 "AUX2".."AUX11".
inline constexpr int ChannelItemCount = 12;

// ---- Preset blocks ----------------------------------------------------------------------

struct PresetBlock {
    std::array<std::int16_t, PresetBlockWordCount> words{};
    bool operator==(const PresetBlock &) const = default;
};
using ZBlock = PresetBlock;
using GBlock = PresetBlock;
using JBlock = PresetBlock;

// ---- The copies -------------------------------------------------------------------------

// Gain records [axis A, E, R][mode set 0..2]; in memory A0, A1, A2, E0, ... R2.
using AxisRecordTable = std::array<std::array<AxisRecord, ModeSetCount>, AxisCount>;

// Where the values of a record came from. Only Unknown records are untrustworthy: they hold
// nothing the unit, a file, a preset or the user gave, and are never shown or sent.
enum class Origin : std::uint8_t {
    Unknown, // never read, or the read that should have filled it failed
    Unit,    // read from the unit (or acknowledged by it) on this connection
    File,    // loaded from a parameter file
    Preset,  // loaded from a preset
    User     // known values the user has changed since
};

// The origin of every record of a ParameterSet; all Unknown at first.
struct RecordOrigins {
    std::array<std::array<Origin, ModeSetCount>, AxisCount> axes{};
    Origin common = Origin::Unknown;
    Origin z = Origin::Unknown;
    Origin g = Origin::Unknown;
    Origin j = Origin::Unknown;

    // The origin of a record by its wire selector (mode set k counts for the axes only).
    Origin &of(Selector s, ModeSet k = 0)
    {
        switch (s) {
        case Selector::C:
            return common;
        case Selector::Z:
            return z;
        case Selector::G:
            return g;
        case Selector::J:
            return j;
        default: // A, E, R
            return axes[static_cast<std::size_t>(std::max(0, axisIndex(s)))]
                       [static_cast<std::size_t>(k) % ModeSetCount];
        }
    }
    Origin of(Selector s, ModeSet k = 0) const { return const_cast<RecordOrigins &>(*this).of(s, k); }
    bool known(Selector s, ModeSet k = 0) const { return of(s, k) != Origin::Unknown; }
    // The user changed a value of a record: known values become the user's; an unknown record
    // stays unknown (its other values are still nobody's).
    void edited(Selector s, ModeSet k = 0)
    {
        Origin &o = of(s, k);
        if (o != Origin::Unknown)
            o = Origin::User;
    }
    // Every record Unknown, as after a lost connection.
    void forgetAll() { *this = RecordOrigins{}; }
    // Records of origin o become Unknown (Unit on a new connection: another unit, or the same
    // one changed meanwhile).
    void forget(Origin o)
    {
        for (auto &axis : axes)
            for (Origin &r : axis)
                if (r == o)
                    r = Origin::Unknown;
        for (Origin *r : {&common, &z, &g, &j})
            if (*r == o)
                *r = Origin::Unknown;
    }
    // Every record of the given origin.
    void setAll(Origin o)
    {
        for (auto &axis : axes)
            axis.fill(o);
        common = z = g = j = o;
    }
    bool operator==(const RecordOrigins &) const = default;
};

// The working values: everything the controls show and a write sends.
struct ParameterSet {
    AxisRecordTable axes{};
    CommonBlock common{};
    ZBlock z{};
    GBlock g{};
    JBlock j{};
    RecordOrigins origins; // where each record's values came from

    AxisRecord &axis(Selector s, ModeSet k) { return axes[static_cast<std::size_t>(axisIndex(s))][k]; }
    const AxisRecord &axis(Selector s, ModeSet k) const
    {
        return axes[static_cast<std::size_t>(axisIndex(s))][k];
    }
    // Equal values; where they came from is not compared.
    bool operator==(const ParameterSet &o) const
    {
        return axes == o.axes && common == o.common && z == o.z && g == o.g && j == o.j;
    }
};

// The unit copy and the standard values carry gain records only.
using CurValuesType = AxisRecordTable;
using DefValuesType = AxisRecordTable;

// Whether each gain record of the unit copy or of the standard values holds what the unit
// said on this connection; [axis][mode set], all false at first.
using RecordKnown = std::array<std::array<bool, ModeSetCount>, AxisCount>;

} // namespace vireo
