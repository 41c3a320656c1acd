// The block transfer against the simulated unit: what WROM stores comes back by RROM, in the
// program's units, and the lines on the wire are exactly the expected ones.
#include "SimulatedPort.h"
#include "UnitSimulator.h"
#include "params/BlockTransfer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vireo
{
namespace
{

UnitConfig unitConfig(UnitKind kind, const char *firmware)
{
    UnitConfig c;
    c.kind = kind;
    c.firmware = std::string(firmware);
    return c;
}

// Working values with something distinct in every word, including the coded fields' corner
// cases (HLD 10/11, CTL on multiples of 23, negative carried words).
ParameterSet distinctValues()
{
    ParameterSet p;
    for (int a = 0; a < AxisCount; ++a)
        for (int m = 0; m < ModeSetCount; ++m) {
            AxisRecord &r = p.axes[a][m];
            const int base = 100 * (3 * a + m + 1);
            r.words = {static_cast<std::int16_t>(base),
                       static_cast<std::int16_t>(base + 1),
                       static_cast<std::int16_t>(base + 2),
                       static_cast<std::int16_t>(a * 20 + m),
                       0,
                       -1,
                       static_cast<std::int16_t>(-base),
                       32767,
                       0,
                       0,
                       0};
            r.HLD() = static_cast<std::int16_t>(9 + a + m); // 9..13 across the records
            r.CTL() = static_cast<std::int16_t>(23 * (1 + a + 3 * m));
            r.ACG() = static_cast<std::int16_t>(160 - a - m);
            r.ACR() = static_cast<std::int16_t>(a + m);
        }
    p.common.words = {6, -7, 1, 1, 25, 0, 11, 2, 1, 3, 1, 2, 1, 4, 1};
    return p;
}

struct UnitCase {
    UnitKind kind;
    const char *firmware;
};

class TransferOnSimulator : public ::testing::TestWithParam<UnitCase>
{
protected:
    TransferOnSimulator()
        : unit(unitConfig(GetParam().kind, GetParam().firmware)), port(unit, clock), link(port)
    {
        link.portName = "sim";
        link.baudRate = GetParam().kind == UnitKind::Kind1 ? 230400 : 250000;
        link.openPort();
    }
    UnitProfile profile() const { return {GetParam().kind, GetParam().firmware}; }

    VirtualClock clock;
    UnitSimulator unit;
    SimulatedPort port;
    SerialLink link;
};

TEST_P(TransferOnSimulator, WrittenRecordsReadBackUnchanged)
{
    const UnitProfile u = profile();
    ParameterSet written = distinctValues();
    written.origins.setAll(Origin::User);
    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k)
            ASSERT_TRUE(writeGroup(link, u, axis, k, written));
    ASSERT_TRUE(writeGroup(link, u, Selector::C, 0, written));

    ParameterSet read; // all zero
    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k)
            ASSERT_TRUE(readGroup(link, u, axis, k, read));
    ASSERT_TRUE(readGroup(link, u, Selector::C, 0, read));

    const bool extra = versionAtLeast(u.firmware, " 0.5.0");
    for (int a = 0; a < AxisCount; ++a)
        for (int m = 0; m < ModeSetCount; ++m) {
            const AxisRecord expected = m == 2 && !extra ? AxisRecord{} : written.axes[a][m];
            EXPECT_EQ(read.axes[a][m], expected) << "axis " << a << " mode set " << m;
        }
    const int n = commonValueCount(u.kind, u.firmware);
    for (int i = 0; i < CommonFieldCount; ++i) {
        std::int16_t expected = i < n ? written.common.words[i] : 0;
        if (u.kind == UnitKind::Kind1 && n == 1 && i == static_cast<int>(CommonField::ERingOff))
            expected = 1; // not carried: E-ring reads as not in use
        EXPECT_EQ(read.common.words[i], expected) << CommonFields[i].name;
    }
}

TEST_P(TransferOnSimulator, LinesOnTheWire)
{
    const UnitProfile u = profile();
    ParameterSet p = distinctValues();
    unit.clearTranscript();
    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k)
            readGroup(link, u, axis, k, p);
    readGroup(link, u, Selector::C, 0, p);

    std::vector<std::string> expected;
    const bool extra = versionAtLeast(u.firmware, " 0.5.0");
    for (const char *axis : {"A", "E", "R"})
        for (int k = 0; k < (extra ? 3 : 2); ++k)
            expected.push_back(std::string("RROM ") + axis + " " + std::to_string(k));
    expected.push_back("RROM C 0");
    EXPECT_EQ(unit.commandNames(), expected);
    for (const TranscriptEntry &e : unit.transcript())
        EXPECT_EQ(e.replyText().substr(e.reply.size() - 4), "OK\r\n") << e.name;
}

INSTANTIATE_TEST_SUITE_P(Units, TransferOnSimulator,
                         ::testing::Values(UnitCase{UnitKind::Kind2, " 0.5.0"},
                                           UnitCase{UnitKind::Kind2, " 0.3.8"},
                                           UnitCase{UnitKind::Kind2, " 0.2.5"},
                                           UnitCase{UnitKind::Kind1, " 2.0.5"},
                                           UnitCase{UnitKind::Kind1, " 1.0.4"}),
                         [](const auto &info) {
                             std::string name = info.param.kind == UnitKind::Kind1 ? "Kind1_" : "Kind2_";
                             for (char c : std::string(info.param.firmware))
                                 if (c != ' ')
                                     name += c == '.' ? '_' : c;
                             return name;
                         });

// The unit keeps its own units: the program's CTL 23 is stored as 49 on the aileron and 24 on
// the rudder, HLD 11 as 9, ACG 160 as 0x60, and the Kind2 pirouette gain ten times larger.
TEST(TransferOnSimulatorUnits, UnitStoresItsOwnUnits)
{
    VirtualClock clock;
    UnitSimulator unit(unitConfig(UnitKind::Kind2, " 0.5.0"));
    SimulatedPort port(unit, clock);
    SerialLink link(port);
    link.openPort();
    const UnitProfile u{UnitKind::Kind2, " 0.5.0"};
    ParameterSet p;
    p.axis(Selector::A, 0).words = {100, 50, 20, 30, 5, 0, 0, 0, 100, 80, 30};
    p.axis(Selector::R, 1).CTL() = 23;
    p.axis(Selector::R, 1).HLD() = 11;
    p.axis(Selector::R, 1).ACG() = 160;
    p.common.PirouGain() = 25;
    p.common.AilGainCh() = 2;
    p.origins.setAll(Origin::User);
    ASSERT_TRUE(writeGroup(link, u, Selector::A, 0, p));
    ASSERT_TRUE(writeGroup(link, u, Selector::R, 1, p));
    ASSERT_TRUE(writeGroup(link, u, Selector::C, 1, p));

    EXPECT_EQ(unit.transcript().front().commandText(),
              "WROM A 0 0064 0032 0014 001E 001E 0000 0000 0000 00D9 00B0 011E\r\n");
    const auto r1 = unit.store().words('R', 1);
    EXPECT_EQ(r1[8], 24);
    EXPECT_EQ(r1[4], 9);
    EXPECT_EQ(r1[9], 0x60);
    EXPECT_EQ(r1[10], 0x100);
    EXPECT_EQ(unit.store().common[4], 250);
    EXPECT_EQ(unit.store().common[7], 7);
}

} // namespace
} // namespace vireo
