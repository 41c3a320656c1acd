// The simulated unit's answers, byte for byte, per kind and firmware, and what it stores.
#include "UnitSimulator.h"

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
    if (firmware)
        c.firmware = firmware;
    else
        c.firmware.reset();
    return c;
}

// Live values with every field distinct, so a wrong index or count shows.
void scriptLive(UnitSimulator &unit)
{
    LiveValues &live = unit.live();
    live.gyroInfo[0] = {1, 960, -600, 1440, -360};
    live.gyroInfo[1] = {2, 1200, 512, 1800, -1800};
    live.gyroInfo[2] = {0, 0, -512, 0, 0};
    live.volumeLimits[0] = {-256, 256, 7};
    live.volumeLimits[2] = {-512, 512, 0};
    live.channelDetect = {1, 0, 1};
    live.channelDetect2 = 1;
}

struct CommandCase {
    UnitKind kind;
    const char *firmware; // null: loader only
    const char *command;
    std::string reply;
};

class CommandTable : public ::testing::TestWithParam<CommandCase>
{
};

TEST_P(CommandTable, AnswersWithExactBytes)
{
    const CommandCase &c = GetParam();
    UnitSimulator unit(unitConfig(c.kind, c.firmware));
    scriptLive(unit);
    EXPECT_EQ(unit.answer(c.command), c.reply);
}

constexpr auto K1 = UnitKind::Kind1;
constexpr auto K2 = UnitKind::Kind2;
const std::string Ok = "OK\r\n";
const std::string Ng = "NG\r\n";
// Factory records as the unit reports them.
const std::string A0 = "003C 0028 0014 0014 001E 0001 0000 0000 00D9 00B0 011E\r\n";
const std::string R1 = "00DC 0082 0000 0140 0012 0002 0000 0000 0146 00B0 011E\r\n";
const std::string E2 = "0055 0032 001E 001E 001E 0001 0000 0000 00D9 00B0 011E\r\n";

INSTANTIATE_TEST_SUITE_P(
    Unit, CommandTable,
    ::testing::Values(
        // Identification and the bare line.
        CommandCase{K2, " 0.5.0", "\r\n", ""}, CommandCase{K2, " 0.5.0", "PING\r\n", Ok},
        CommandCase{K2, " 0.5.0", "UPVER\r\n", "0.4.1\r\n"},
        CommandCase{K1, " 2.0.5", "UPVER\r\n", "0.3.0\r\n"},
        CommandCase{K2, " 0.5.0", "VER\r\n", " 0.5.0\r\n"},
        CommandCase{K1, " 1.0.4", "VER\r\n", " 1.0.4\r\n"},
        // Only the loader: it pings, names itself, and ignores the application's commands.
        CommandCase{K1, nullptr, "PING\r\n", Ok}, CommandCase{K1, nullptr, "UPVER\r\n", "0.3.0\r\n"},
        CommandCase{K1, nullptr, "VER\r\n", "0000\r\n"}, CommandCase{K2, nullptr, "VER\r\n", "0000\r\n"},
        CommandCase{K2, nullptr, "GINFO A\r\n", ""}, CommandCase{K2, nullptr, "RROM A 0\r\n", ""},
        // Live status: five GINFO values from Kind2 0.2.7 on, three before and on Kind1.
        CommandCase{K2, " 0.5.0", "GINFO A\r\n", "0001 03C0 FDA8 05A0 FE98\r\n"},
        CommandCase{K2, " 0.2.7", "GINFO E\r\n", "0002 04B0 0200 0708 F8F8\r\n"},
        CommandCase{K2, " 0.2.6", "GINFO A\r\n", "0001 03C0 FDA8\r\n"},
        CommandCase{K1, " 2.0.5", "GINFO R\r\n", "0000 0000 FE00\r\n"},
        CommandCase{K1, " 2.0.5", "VOLA A\r\n", "FF00 0100 0007\r\n"},
        CommandCase{K1, " 2.0.5", "VOLA R\r\n", "FE00 0200 0000\r\n"},
        CommandCase{K2, " 0.5.0", "VOLA A\r\n", ""},
        CommandCase{K2, " 0.5.0", "CHDET\r\n", "0001 0000 0001\r\n"},
        CommandCase{K2, " 0.5.0", "CHDET2\r\n", "0001\r\n"}, CommandCase{K2, " 0.4.9", "CHDET2\r\n", ""},
        CommandCase{K1, " 2.0.5", "CHDET2\r\n", ""}, CommandCase{K2, " 0.5.0", "GINFO X\r\n", ""},
        // Actions.
        CommandCase{K2, " 0.5.0", "RESET\r\n", Ok}, CommandCase{K2, " 0.5.0", "PIROU\r\n", Ok},
        // Parameter blocks: value list, then four more bytes.
        CommandCase{K2, " 0.5.0", "RROM A 0\r\n", A0 + Ok},
        CommandCase{K2, " 0.5.0", "RDEF R 1\r\n", R1 + Ok},
        CommandCase{K2, " 0.5.0", "RROM E 2\r\n", E2 + Ok},
        CommandCase{K2, " 0.5.0", "RROM C 0\r\n",
                    "0003 0000 0001 0000 00FA 0000 0005 0007 0008 0000 0000 0000 0000 0009 0000\r\n" + Ok},
        CommandCase{K2, " 0.3.9", "RROM C 0\r\n",
                    "0003 0000 0001 0000 00FA 0000 0005 0007 0008 0000 0000 0000 0000\r\n" + Ok},
        CommandCase{K2, " 0.3.8", "RROM C 0\r\n",
                    "0003 0000 0001 0000 00FA 0000 0005 0007 0008 0000 0000 0000\r\n" + Ok},
        CommandCase{K2, " 0.2.5", "RROM C 0\r\n",
                    "0003 0000 0001 0000 00FA 0000 0005 0007 0008 0000 0000\r\n" + Ok},
        CommandCase{K1, " 1.0.5", "RROM C 0\r\n", "0007 0000 0001 0000 0032 0000\r\n" + Ok},
        CommandCase{K1, " 1.0.4", "RROM C 0\r\n", "0007\r\n" + Ok},
        // Mode set 2 exists from 0.5.0 on; its standard values are readable on any firmware.
        CommandCase{K2, " 0.3.8", "RROM E 2\r\n", Ng}, CommandCase{K2, " 0.3.8", "RDEF E 2\r\n", E2 + Ok},
        // Kind1 reports standard values from 2.0.0 on.
        CommandCase{K1, " 2.0.0", "RDEF A 0\r\n", A0 + Ok}, CommandCase{K1, " 1.0.9", "RDEF A 0\r\n", ""},
        // Lines the unit cannot carry out.
        CommandCase{K2, " 0.5.0", "RROM C 1\r\n", Ng}, CommandCase{K2, " 0.5.0", "RROM A 3\r\n", Ng},
        CommandCase{K2, " 0.5.0", "RDEF C 0\r\n", Ng}, CommandCase{K2, " 0.5.0", "RROM Q 0\r\n", Ng},
        CommandCase{K2, " 0.5.0", "WROM G 0 0001\r\n", Ng},
        CommandCase{K2, " 0.5.0", "WROM G 0 0001 0002 0003 0004 00G5\r\n", Ng},
        CommandCase{K2, " 0.5.0", "WROM G 0 0001 0002 0003 0004 0005\r\n", Ok},
        // Unknown commands get no answer.
        CommandCase{K2, " 0.5.0", "BOGUS\r\n", ""}, CommandCase{K2, " 0.5.0", "ping\r\n", ""},
        CommandCase{K2, " 0.5.0", "PING \r\n", ""}, CommandCase{K2, " 0.5.0", "PING", ""}));

struct RoundTripCase {
    UnitKind kind;
    const char *firmware;
    const char *write;
    const char *read;
    std::string readReply;
};

class WriteThenRead : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(WriteThenRead, ReturnsWhatWasStoredInUnitUnits)
{
    const RoundTripCase &c = GetParam();
    UnitSimulator unit(unitConfig(c.kind, c.firmware));
    const UnitStore before = unit.store();
    ASSERT_EQ(unit.answer(c.write), Ok);
    EXPECT_EQ(unit.answer(c.read), c.readReply + Ok);
    // The written record is the only one that changed.
    const char selector = c.write[5];
    const int number = c.write[7] - '0';
    UnitStore expected = before;
    auto words = expected.words(selector, selector == 'C' ? 0 : number);
    auto stored = unit.store().words(selector, selector == 'C' ? 0 : number);
    std::copy(stored.begin(), stored.end(), words.begin());
    EXPECT_EQ(unit.store(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Unit, WriteThenRead,
    ::testing::Values(
        RoundTripCase{K2, " 0.5.0", "WROM A 1 0064 0032 0014 001E 001E FFFF 8000 7FFF 00D9 00B0 011E\r\n",
                      "RROM A 1\r\n", "0064 0032 0014 001E 001E FFFF 8000 7FFF 00D9 00B0 011E\r\n"},
        RoundTripCase{K2, " 0.5.0", "WROM R 2 0001 0002 0003 0004 0005 0006 0007 0008 0009 000a 000B\r\n",
                      "RROM R 2\r\n", "0001 0002 0003 0004 0005 0006 0007 0008 0009 000A 000B\r\n"},
        RoundTripCase{
            K2, " 0.5.0",
            "WROM C 1 0006 0001 0000 0001 0064 0001 0007 0010 0000 0005 0001 0002 0001 0008 0001\r\n",
            "RROM C 0\r\n", "0006 0001 0000 0001 0064 0001 0007 0010 0000 0005 0001 0002 0001 0008 0001\r\n"},
        // Fewer fields carried: the words beyond them keep their values.
        RoundTripCase{K2, " 0.3.8",
                      "WROM C 1 0009 0001 0000 0001 0064 0001 0007 0010 0000 0005 0001 0002\r\n",
                      "RROM C 0\r\n", "0009 0001 0000 0001 0064 0001 0007 0010 0000 0005 0001 0002\r\n"},
        RoundTripCase{K1, " 1.0.4", "WROM C 1 0013\r\n", "RROM C 0\r\n", "0013\r\n"},
        RoundTripCase{
            K2, " 0.5.0",
            "WROM Z 0 0001 0002 0003 0004 0005 0006 0007 0008 0009 000A 000B 000C 000D 000E 000F\r\n",
            "RROM Z 0\r\n", "0001 0002 0003 0004 0005 0006 0007 0008 0009 000A 000B 000C 000D 000E 000F\r\n"},
        RoundTripCase{
            K2, " 0.5.0", "WROM J 0 FFFF FFFE FFFD FFFC FFFB FFFA FFF9 FFF8 FFF7 FFF6 FFF5 FFF4 FFF3\r\n",
            "RROM J 0\r\n", "FFFF FFFE FFFD FFFC FFFB FFFA FFF9 FFF8 FFF7 FFF6 FFF5 FFF4 FFF3\r\n"}));

TEST(UnitMemoryChanges, ResetRestoresFactoryValuesEverywhere)
{
    UnitSimulator unit;
    int changes = 0;
    unit.onMemoryChanged = [&changes] { ++changes; };
    ASSERT_EQ(unit.answer("WROM A 0 0001 0001 0001 0001 0001 0001 0001 0001 0001 0001 0001\r\n"), Ok);
    ASSERT_EQ(unit.answer(
                  "WROM C 1 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0001 0000 0001\r\n"),
              Ok);
    ASSERT_EQ(unit.answer("WROM G 0 0001 0002 0003 0004 0005\r\n"), Ok);
    ASSERT_NE(unit.store(), unit.standard());

    EXPECT_EQ(unit.answer("RESET\r\n"), Ok);
    EXPECT_EQ(unit.store(), UnitStore::factory(UnitKind::Kind2));
    EXPECT_EQ(unit.answer("RROM A 0\r\n"), unit.answer("RDEF A 0\r\n"));
    EXPECT_EQ(unit.resets(), 1);
    EXPECT_EQ(changes, 4);
}

TEST(UnitMemoryChanges, RefusedWriteChangesNothing)
{
    UnitSimulator unit(unitConfig(K2, " 0.3.8"));
    int changes = 0;
    unit.onMemoryChanged = [&changes] { ++changes; };
    // Mode set 2 and a fifteen-field common block do not exist on this firmware.
    EXPECT_EQ(unit.answer("WROM A 2 0001 0001 0001 0001 0001 0001 0001 0001 0001 0001 0001\r\n"), Ng);
    EXPECT_EQ(unit.answer(
                  "WROM C 1 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0001 0000 0001\r\n"),
              Ng);
    EXPECT_EQ(unit.answer("WROM C 0 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000\r\n"), Ng);
    EXPECT_EQ(unit.store(), unit.standard());
    EXPECT_EQ(changes, 0);
}

TEST(UnitMemoryChanges, PirouetteCheckIsCounted)
{
    UnitSimulator unit;
    unit.answer("PIROU\r\n");
    unit.answer("PIROU\r\n");
    EXPECT_EQ(unit.pirouetteChecks(), 2);
}

TEST(UnitLiveValues, AnimationMovesOnlyTheGainsAndStaysInRange)
{
    UnitSimulator unit;
    unit.setAnimated(true);
    bool moved = false;
    for (std::int64_t t = 0; t < 30'000'000; t += 500'000) {
        const LiveValues v = unit.liveAt(t);
        for (int a = 0; a < 3; ++a) {
            EXPECT_GE(v.gyroInfo[a][2], -512);
            EXPECT_LE(v.gyroInfo[a][2], 512);
            EXPECT_GE(v.gyroInfo[a][1], 0);
            EXPECT_EQ(v.gyroInfo[a][0], unit.live().gyroInfo[a][0]);
            EXPECT_EQ(v.gyroInfo[a][3], unit.live().gyroInfo[a][3]);
            moved = moved || v.gyroInfo[a][2] != unit.live().gyroInfo[a][2];
        }
        EXPECT_EQ(v.channelDetect, unit.live().channelDetect);
    }
    EXPECT_TRUE(moved);
    unit.setAnimated(false);
    EXPECT_EQ(unit.liveAt(3'000'000).gyroInfo, unit.live().gyroInfo);
}

} // namespace
} // namespace vireo
