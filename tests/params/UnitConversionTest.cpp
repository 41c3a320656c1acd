#include "params/UnitConversion.h"

#include <gtest/gtest.h>

#include <functional>

namespace vireo
{
namespace
{

using Conv = std::function<std::int16_t(std::int16_t)>;

enum class Dir { Both, ToUnit, FromUnit };

struct Coding {
    const char *name;
    Conv toUnit;
    Conv fromUnit;
};

const Coding Hld{"HLD", hldToUnit, hldFromUnit};
const Coding CtlA{"CTL A", [](std::int16_t v) { return ctlToUnit(Selector::A, v); },
                  [](std::int16_t u) { return ctlFromUnit(Selector::A, u); }};
const Coding CtlE{"CTL E", [](std::int16_t v) { return ctlToUnit(Selector::E, v); },
                  [](std::int16_t u) { return ctlFromUnit(Selector::E, u); }};
const Coding CtlR{"CTL R", [](std::int16_t v) { return ctlToUnit(Selector::R, v); },
                  [](std::int16_t u) { return ctlFromUnit(Selector::R, u); }};
const Coding Acg{"ACG", acgToUnit, acgFromUnit};
const Coding Acr{"ACR", acrToUnit, acrFromUnit};
const Coding Pirou2{"PirouGain Kind2", [](std::int16_t v) { return pirouGainToUnit(UnitKind::Kind2, v); },
                    [](std::int16_t u) { return pirouGainFromUnit(UnitKind::Kind2, u); }};
const Coding Pirou1{"PirouGain Kind1", [](std::int16_t v) { return pirouGainToUnit(UnitKind::Kind1, v); },
                    [](std::int16_t u) { return pirouGainFromUnit(UnitKind::Kind1, u); }};
const Coding Chan2{"channel Kind2", [](std::int16_t v) { return channelToUnit(UnitKind::Kind2, v); },
                   channelFromUnit};
const Coding Chan1{"channel Kind1", [](std::int16_t v) { return channelToUnit(UnitKind::Kind1, v); },
                   channelFromUnit};

TEST(UnitConversion, FieldCodingsBothWays)
{
    struct Case {
        const Coding &coding;
        std::int16_t program;
        std::int16_t unit;
        Dir dir;
    };
    const Case cases[] = {
        // HLD: two linear pieces that meet at 10.
        {Hld, 0, 50, Dir::Both},
        {Hld, 5, 30, Dir::Both},
        {Hld, 10, 10, Dir::Both},
        {Hld, 11, 9, Dir::Both},
        {Hld, 20, 0, Dir::Both},
        {Hld, 9, 11, Dir::FromUnit}, // unit 11 lies between the pieces and reads as 9
        {Hld, 25, -5, Dir::Both},    // out of range still survives the trip
        // CTL: exact integer scale; multiples of 23 are where a float product overshoots.
        {CtlA, 23, 49, Dir::Both},
        {CtlR, 23, 24, Dir::Both},
        {CtlE, 46, 99, Dir::Both},
        {CtlA, 100, 217, Dir::Both},
        {CtlA, 1000, 2173, Dir::Both},
        {CtlR, 1000, 1086, Dir::Both},
        {CtlA, 0, 0, Dir::ToUnit},
        {CtlA, 1, 0, Dir::FromUnit}, // 0 goes out as 0 and comes back as 1
        {CtlR, 1, 0, Dir::FromUnit},
        // A.C gain and rate.
        {Acg, 160, 0x0060, Dir::Both},
        {Acg, 80, 0x00B0, Dir::Both},
        {Acr, 0, 0x0100, Dir::Both},
        {Acr, 30, 0x011E, Dir::Both},
        {Acr, -1, 255, Dir::Both},
        // Pirouette gain is scaled by ten on Kind2 only; zero and negatives read unchanged.
        {Pirou2, 25, 250, Dir::Both},
        {Pirou2, 25, 259, Dir::FromUnit},
        {Pirou2, 0, 0, Dir::Both},
        {Pirou2, -3, -3, Dir::FromUnit},
        {Pirou1, 25, 25, Dir::Both},
        // Channel items INH, GEAR, AUX2.. are the unit's channels 0, 5, 7..
        {Chan2, 0, 0, Dir::Both},
        {Chan2, 1, 5, Dir::Both},
        {Chan2, 2, 7, Dir::Both},
        {Chan2, 11, 16, Dir::Both},
        {Chan2, 1, 6, Dir::FromUnit}, // unit channel 6 reads back as GEAR
        {Chan2, -1, -1, Dir::Both},
        {Chan1, 2, 2, Dir::ToUnit},
    };
    for (const auto &c : cases) {
        if (c.dir != Dir::FromUnit) {
            EXPECT_EQ(c.coding.toUnit(c.program), c.unit) << c.coding.name << " to unit, value " << c.program;
        }
        if (c.dir != Dir::ToUnit) {
            EXPECT_EQ(c.coding.fromUnit(c.unit), c.program)
                << c.coding.name << " from unit, value " << c.unit;
        }
    }
}

TEST(UnitConversion, CtlRoundTripsEveryEnterableValue)
{
    for (Selector axis : AxisSelectors)
        for (int v = 1; v <= 1000; ++v) {
            const auto value = static_cast<std::int16_t>(v);
            ASSERT_EQ(ctlFromUnit(axis, ctlToUnit(axis, value)), value)
                << "axis " << static_cast<char>(axis) << ", value " << v;
        }
}

TEST(UnitConversion, ValueCountByGroupKindAndFirmware)
{
    struct Case {
        Selector group;
        UnitKind kind;
        const char *firmware;
        int n;
    };
    const Case cases[] = {
        {Selector::A, UnitKind::Kind1, " 1.0.4", 11}, {Selector::R, UnitKind::Kind2, " 0.2.0", 11},
        {Selector::C, UnitKind::Kind1, " 1.0.4", 1},  {Selector::C, UnitKind::Kind1, " 1.0.5", 6},
        {Selector::C, UnitKind::Kind1, " 2.0.5", 6},  {Selector::C, UnitKind::Kind2, " 0.2.5", 11},
        {Selector::C, UnitKind::Kind2, " 0.2.6", 12}, {Selector::C, UnitKind::Kind2, " 0.3.8", 12},
        {Selector::C, UnitKind::Kind2, " 0.3.9", 13}, {Selector::C, UnitKind::Kind2, " 0.4.9", 13},
        {Selector::C, UnitKind::Kind2, " 0.5.0", 15}, {Selector::C, UnitKind::Kind2, " 1.2.3", 15},
        {Selector::Z, UnitKind::Kind1, " 1.0.5", 15}, {Selector::G, UnitKind::Kind2, " 0.5.0", 5},
        {Selector::J, UnitKind::Kind2, " 0.3.8", 13},
    };
    for (const auto &c : cases)
        EXPECT_EQ(groupValueCount(c.group, {c.kind, c.firmware}), c.n)
            << static_cast<char>(c.group) << (c.kind == UnitKind::Kind1 ? " Kind1" : " Kind2") << c.firmware;
}

TEST(UnitConversion, CommandLinesAndWireNumbers)
{
    const std::int16_t words[] = {-1, 4999, 176, -32768, 0x7FFF};
    EXPECT_EQ(writeCommandLine(Selector::E, 2, words, 5), "WROM E 2 FFFF 1387 00B0 8000 7FFF\r\n");
    EXPECT_EQ(writeCommandLine(Selector::G, 0, words, 0), "WROM G 0\r\n");
    EXPECT_EQ(readCommandLine(Selector::C, 0), "RROM C 0\r\n");
    EXPECT_EQ(defaultsCommandLine(Selector::R, 1), "RDEF R 1\r\n");
    EXPECT_EQ(valueListReplyLength(1), 10u);
    EXPECT_EQ(valueListReplyLength(11), 60u);
}

TEST(UnitConversion, DeadBandCodesOfBothKindsMapToOneButton)
{
    const std::int16_t codes[][2] = {{0, 0},  {7, 1}, {3, 1},  {13, 2}, {6, 2},
                                     {19, 3}, {9, 3}, {1, -1}, {-1, -1}};
    for (const auto &c : codes)
        EXPECT_EQ(deadBandButton(c[0]), c[1]) << c[0];
    EXPECT_EQ(deadBandCode(2, UnitKind::Kind1), 13);
    EXPECT_EQ(deadBandCode(2, UnitKind::Kind2), 6);
}

TEST(UnitConversion, MaxTableLimits)
{
    constexpr MaxTableType t = makeMaxTable();
    for (int m = 0; m < ModeSetCount; ++m) {
        EXPECT_EQ(t[Aileron][static_cast<int>(LimitField::P)][m], 5000);
        EXPECT_EQ(t[Rudder][static_cast<int>(LimitField::P)][m], 32767);
        EXPECT_EQ(t[Elevator][static_cast<int>(LimitField::FF)][m], 60);
        EXPECT_EQ(t[Rudder][static_cast<int>(LimitField::FF)][m], 32767);
        EXPECT_EQ(t[Rudder][static_cast<int>(LimitField::HLD)][m], 20);
        EXPECT_EQ(t[Elevator][static_cast<int>(LimitField::CTL)][m], 1000);
        EXPECT_EQ(t[Aileron][static_cast<int>(LimitField::ACG)][m], 160);
        EXPECT_EQ(t[Rudder][static_cast<int>(LimitField::ACR)][m], 60);
    }
}

} // namespace
} // namespace vireo
