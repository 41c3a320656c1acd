#include "params/BlockTransfer.h"

#include "LineReplyPort.h"
#include "seams/ConversionError.h"

#include <gtest/gtest.h>

#include <functional>

namespace vireo
{
namespace
{

using paramtest::LineReplyPort;
using paramtest::valueListReply;

class BlockTransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        link.portName = "sim";
        ASSERT_TRUE(link.openPort());
        port.answer = [](const std::string &line) {
            return line.rfind("WROM", 0) == 0 ? std::string("OK\r\n") : std::string();
        };
        work.origins.setAll(Origin::User);
    }
    LineReplyPort port;
    SerialLink link{port};
    ParameterSet work;
    AxisRecordTable def{};
};

TEST_F(BlockTransferTest, WritesAxisRecordLineByteForByte)
{
    AxisRecord &r = work.axis(Selector::A, 0);
    r.words = {100, 50, 20, 30, 5, 0, 0, 0, 100, 80, 30};
    const ParameterSet before = work;
    ASSERT_TRUE(writeGroup(link, {UnitKind::Kind2, " 0.5.0"}, Selector::A, 0, work));
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0], "WROM A 0 0064 0032 0014 001E 001E 0000 0000 0000 00D9 00B0 011E\r\n");
    EXPECT_EQ(work, before) << "the record itself is never converted";
}

TEST_F(BlockTransferTest, WritesCommonAndPresetBlocksWithTheirFixedNumbers)
{
    work.common.words = {6, -1, 1, 0, 25, 0, 0, 2, 1, 11, 1, 2, 1, 3, 1};
    for (int i = 0; i < PresetBlockWordCount; ++i) {
        work.z.words[i] = static_cast<std::int16_t>(i);
        work.g.words[i] = static_cast<std::int16_t>(0x100 + i);
        work.j.words[i] = static_cast<std::int16_t>(-i);
    }
    struct Case {
        Selector group;
        UnitProfile unit;
        const char *line;
    };
    const Case cases[] = {
        {Selector::C,
         {UnitKind::Kind2, " 0.5.0"},
         "WROM C 1 0006 FFFF 0001 0000 00FA 0000 0000 0007 0005 0010 0001 0002 0001 0008 0001\r\n"},
        {Selector::C,
         {UnitKind::Kind2, " 0.3.8"},
         "WROM C 1 0006 FFFF 0001 0000 00FA 0000 0000 0007 0005 0010 0001 0002\r\n"},
        {Selector::C, {UnitKind::Kind1, " 1.0.5"}, "WROM C 1 0006 FFFF 0001 0000 0019 0000\r\n"},
        {Selector::C, {UnitKind::Kind1, " 1.0.4"}, "WROM C 1 0006\r\n"},
        {Selector::Z,
         {UnitKind::Kind2, " 0.5.0"},
         "WROM Z 0 0000 0001 0002 0003 0004 0005 0006 0007 0008 0009 000A 000B 000C 000D 000E\r\n"},
        {Selector::G, {UnitKind::Kind1, " 2.0.5"}, "WROM G 0 0100 0101 0102 0103 0104\r\n"},
        {Selector::J,
         {UnitKind::Kind2, " 0.3.8"},
         "WROM J 0 0000 FFFF FFFE FFFD FFFC FFFB FFFA FFF9 FFF8 FFF7 FFF6 FFF5 FFF4\r\n"},
    };
    for (const auto &c : cases) {
        port.written.clear();
        // The number given is replaced by the block's own one.
        EXPECT_TRUE(writeGroup(link, c.unit, c.group, 2, work));
        ASSERT_EQ(port.written.size(), 1u);
        EXPECT_EQ(port.written[0], c.line) << c.unit.firmware;
    }
}

TEST_F(BlockTransferTest, ReadsAxisRecordAndConvertsFromUnit)
{
    port.answer = [](const std::string &) {
        return valueListReply(
            {"0064", "0032", "0014", "001E", "000B", "FFFF", "7fff", "8000", "00D9", "00B0", "011E"});
    };
    work.axis(Selector::R, 1).words.fill(77);
    ASSERT_TRUE(readGroup(link, {UnitKind::Kind2, " 0.5.0"}, Selector::R, 1, work));
    EXPECT_EQ(port.written, std::vector<std::string>{"RROM R 1\r\n"});
    const AxisRecord expected{{100, 50, 20, 30, 9, -1, 32767, -32768, 200, 80, 30}};
    EXPECT_EQ(work.axis(Selector::R, 1), expected);
}

TEST_F(BlockTransferTest, ExtraModeSetNeedsFirmware050ButDefaultsAlwaysAsk)
{
    int exchanges = 0;
    port.answer = [&](const std::string &) {
        ++exchanges;
        return valueListReply(
            {"0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008", "0009", "000A", "000B"});
    };
    work.axis(Selector::E, 2).words.fill(42);
    const UnitProfile old{UnitKind::Kind2, " 0.3.8"};
    EXPECT_TRUE(readGroup(link, old, Selector::E, 2, work));
    EXPECT_TRUE(writeGroup(link, old, Selector::E, 2, work));
    EXPECT_EQ(exchanges, 0);
    EXPECT_EQ(work.axis(Selector::E, 2).words[0], 42);

    EXPECT_TRUE(readDefaults(link, Selector::E, 2, def));
    EXPECT_EQ(port.written, std::vector<std::string>{"RDEF E 2\r\n"});
    EXPECT_EQ(def[Elevator][2].P(), 1);
    EXPECT_EQ(def[Elevator][2].HLD(), 15);
}

TEST_F(BlockTransferTest, CommonBlockOfOldKind1FirmwareFixesUncarriedFields)
{
    port.answer = [&](const std::string &) { return valueListReply({"0013"}); };
    work.common.words.fill(5);
    ASSERT_TRUE(readGroup(link, {UnitKind::Kind1, " 1.0.4"}, Selector::C, 0, work));
    EXPECT_EQ(port.written, std::vector<std::string>{"RROM C 0\r\n"});
    EXPECT_EQ(link.received(), 10u) << "one field and four trailing bytes awaited";
    CommonBlock expected{};
    expected.DeadBand() = 19;
    expected.ERingOff() = 1;
    EXPECT_EQ(work.common, expected);
}

TEST_F(BlockTransferTest, CommonBlockOfKind2ConvertsGainAndChannels)
{
    port.answer = [](const std::string &) {
        return valueListReply({"0006", "0004", "0001", "0001", "00FA", "0000", "0006", "0007", "0010", "0000",
                               "0001", "0002", "0001", "0005", "0001"});
    };
    ASSERT_TRUE(readGroup(link, {UnitKind::Kind2, " 0.5.0"}, Selector::C, 0, work));
    const CommonBlock expected{{6, 4, 1, 1, 25, 0, 1, 2, 11, 0, 1, 2, 1, 1, 1}};
    EXPECT_EQ(work.common, expected);

    // Up to 0.2.5 the receiver kind is not carried and reads as 0 even when a reply fails.
    port.answer = [](const std::string &) { return std::string(); };
    EXPECT_FALSE(readGroup(link, {UnitKind::Kind2, " 0.2.5"}, Selector::C, 0, work));
    EXPECT_EQ(work.common.RxKind(), 0);
    EXPECT_EQ(work.common.PirouGain(), 25);
}

// A reply that is short, silent or garbled must not leave a half-cleared record behind.
TEST_F(BlockTransferTest, BadReplyLeavesRecordIntact)
{
    // Each case spoils a well-formed reply of as many fields as the command awaits.
    struct Case {
        const char *what;
        std::function<std::string(std::string)> spoil;
        bool throws;
    };
    const Case cases[] = {
        {"silent", [](std::string) { return std::string(); }, false},
        {"short", [](std::string r) { return r.substr(0, r.size() - 6); }, false},
        {"non-hex field", [](std::string r) { return r.replace(5 * 6 + 2, 1, "G"); }, true},
        {"blank field", [](std::string r) { return r.replace(5 * 3, 4, "    "); }, true},
        {"field without separator", [](std::string r) { return r.replace(5 * 3 + 4, 1, "x"); }, true},
    };
    auto reply = [](const std::string &line) {
        const std::vector<std::string> fields(line == "RROM C 0\r\n" ? 15 : 11, "0011");
        return valueListReply(fields);
    };
    const UnitProfile unit{UnitKind::Kind2, " 0.5.0"};
    for (const auto &c : cases) {
        port.answer = [&](const std::string &line) { return c.spoil(reply(line)); };
        // A bad reply either reports failure or raises the conversion error, never both.
        auto rejected = [&](const std::function<bool()> &read) {
            if (!c.throws)
                return !read();
            try {
                read();
            } catch (const ConversionError &) {
                return true;
            }
            return false;
        };
        for (Selector axis : {Selector::A, Selector::R}) {
            AxisRecord &r = work.axis(axis, 1);
            r.words = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
            const AxisRecord before = r;
            work.origins.of(axis, 1) = Origin::Unit;
            EXPECT_TRUE(rejected([&] { return readGroup(link, unit, axis, 1, work); })) << c.what;
            EXPECT_EQ(r, before) << c.what;
            // The old values stay, but nothing may take them for the unit's.
            EXPECT_EQ(work.origins.of(axis, 1), Origin::Unknown) << c.what;

            def[axisIndex(axis)][0] = before;
            RecordKnown known{};
            known[axisIndex(axis)][0] = true;
            EXPECT_TRUE(rejected([&] { return readDefaults(link, axis, 0, def, known); })) << c.what;
            EXPECT_EQ(def[axisIndex(axis)][0], before) << c.what;
            EXPECT_FALSE(known[axisIndex(axis)][0]) << c.what;
        }
        work.common.words.fill(3);
        work.origins.common = Origin::Unit;
        const CommonBlock commonBefore = work.common;
        EXPECT_TRUE(rejected([&] { return readGroup(link, unit, Selector::C, 0, work); })) << c.what;
        EXPECT_EQ(work.common, commonBefore) << c.what;
        EXPECT_EQ(work.origins.common, Origin::Unknown) << c.what;
    }
}

TEST_F(BlockTransferTest, ReadRecordBecomesTheUnits)
{
    port.answer = [](const std::string &) { return valueListReply(std::vector<std::string>(11, "0001")); };
    RecordKnown known{};
    ASSERT_TRUE(readGroup(link, {UnitKind::Kind2, " 0.5.0"}, Selector::E, 2, work));
    ASSERT_TRUE(readDefaults(link, Selector::E, 2, def, known));
    EXPECT_EQ(work.origins.of(Selector::E, 2), Origin::Unit);
    EXPECT_TRUE(known[Elevator][2]);
}

// Only the unit's "OK" makes a write count; a record nobody gave is never sent at all.
TEST_F(BlockTransferTest, WriteCountsOnlyWhenTheUnitSaysOK)
{
    const struct {
        const char *answer;
        bool written;
    } cases[] = {
        {"OK\r\n", true}, {"NG\r\n", false}, {"", false}, {"OK\r", false}, {"XXXX", false}, {"ok\r\n", false},
    };
    for (const auto &c : cases) {
        port.answer = [&](const std::string &) { return std::string(c.answer); };
        for (Selector group : {Selector::R, Selector::C, Selector::J}) {
            work.origins.of(group, 1) = Origin::File;
            EXPECT_EQ(writeGroup(link, {UnitKind::Kind2, " 0.5.0"}, group, 1, work), c.written) << c.answer;
            EXPECT_EQ(work.origins.of(group, 1), c.written ? Origin::Unit : Origin::File) << c.answer;
        }
    }

    port.written.clear();
    work.origins.of(Selector::A, 0) = Origin::Unknown;
    work.origins.common = Origin::Unknown;
    EXPECT_FALSE(writeGroup(link, {UnitKind::Kind2, " 0.5.0"}, Selector::A, 0, work));
    EXPECT_FALSE(writeGroup(link, {UnitKind::Kind2, " 0.5.0"}, Selector::C, 1, work));
    EXPECT_TRUE(port.written.empty());
}

TEST_F(BlockTransferTest, ReadAllDefaultsRunsNineRecordsThenCommon)
{
    port.answer = [](const std::string &line) {
        if (line.rfind("RDEF", 0) == 0)
            return valueListReply(
                {"0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008", "0009", "000A", "000B"});
        return std::string(); // the common block read fails and is ignored
    };
    readAllDefaults(link, {UnitKind::Kind2, " 0.3.8"}, work, def);
    const std::vector<std::string> expected = {"RDEF A 0\r\n", "RDEF A 1\r\n", "RDEF A 2\r\n", "RDEF E 0\r\n",
                                               "RDEF E 1\r\n", "RDEF E 2\r\n", "RDEF R 0\r\n", "RDEF R 1\r\n",
                                               "RDEF R 2\r\n", "RROM C 0\r\n"};
    EXPECT_EQ(port.written, expected);
    EXPECT_EQ(def[Rudder][2].ACR(), 11 - 256);
}

} // namespace
} // namespace vireo
