// The unit's memory kept between runs: text form, files, and what a loaded unit answers.
#include "UnitSimulator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace vireo
{
namespace
{

std::string replaceLine(std::string text, const std::string &start, const std::string &with)
{
    const std::size_t at = text.find("\n" + start);
    const std::size_t end = text.find('\n', at + 1);
    return text.replace(at + 1, end - at - 1, with);
}

TEST(UnitState, TextKeepsRecordsFirmwareAndKind)
{
    UnitSimulator unit;
    ASSERT_EQ(unit.answer("WROM R 2 8000 7FFF FFFF 0000 0001 0002 0003 0004 0005 0006 0007\r\n"), "OK\r\n");
    ASSERT_EQ(unit.answer("WROM J 0 0001 0002 0003 0004 0005 0006 0007 0008 0009 000A 000B 000C 000D\r\n"),
              "OK\r\n");
    const std::string text = formatMemory(unit.memory());

    std::string error;
    const auto parsed = parseMemory(text, &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->store, unit.store());
    EXPECT_EQ(parsed->firmware, std::optional<std::string>(" 0.5.0"));
    EXPECT_EQ(formatMemory(*parsed), text);

    UnitConfig loaderOnly;
    loaderOnly.kind = UnitKind::Kind1;
    loaderOnly.firmware.reset();
    const auto reparsed = parseMemory(formatMemory(UnitSimulator(loaderOnly).memory()));
    ASSERT_TRUE(reparsed);
    EXPECT_EQ(reparsed->kind, UnitKind::Kind1);
    EXPECT_FALSE(reparsed->firmware);
}

TEST(UnitState, MalformedTextIsRefused)
{
    const std::string good = formatMemory(UnitSimulator().memory());
    const std::vector<std::pair<const char *, std::string>> cases = {
        {"empty", ""},
        {"header", "kalm07-sim-state 2" + good.substr(good.find('\n'))},
        {"kind", replaceLine(good, "kind", "kind 3")},
        {"firmware unquoted", replaceLine(good, "firmware", "firmware 0.5.0")},
        {"firmware length", replaceLine(good, "firmware", "firmware \"0.5.0\"")},
        {"record label",
         replaceLine(good, "A1", "A3 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000")},
        {"short record", replaceLine(good, "E0", "E0 0000 0000")},
        {"long record", replaceLine(good, "G",
                                    "G 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 "
                                    "0000 0000 0000 0000 0000")},
        {"bad digits", replaceLine(good, "C",
                                   "C 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 "
                                   "0000 0000 00X0")},
        {"five digits", replaceLine(good, "Z",
                                    "Z 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 "
                                    "0000 0000 0000 00000")},
        {"truncated", good.substr(0, good.find("\nR0"))},
    };
    for (const auto &[what, text] : cases) {
        std::string error;
        EXPECT_FALSE(parseMemory(text, &error)) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
}

TEST(UnitState, FileRoundTripRestoresWhatTheUnitAnswers)
{
    char dir[] = "/tmp/unit-state-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/unit.state";

    UnitSimulator first;
    ASSERT_EQ(first.answer("WROM A 0 0001 0002 0003 0004 0005 0006 0007 0008 0009 000A 000B\r\n"), "OK\r\n");
    std::string error;
    ASSERT_TRUE(first.saveStateFile(path, &error)) << error;

    UnitConfig older;
    older.firmware = " 0.3.8"; // the stored firmware wins over the configured one
    UnitSimulator second(older);
    ASSERT_TRUE(second.loadStateFile(path, &error)) << error;
    EXPECT_EQ(second.answer("VER\r\n"), " 0.5.0\r\n");
    EXPECT_EQ(second.answer("RROM A 0\r\n"),
              "0001 0002 0003 0004 0005 0006 0007 0008 0009 000A 000B\r\nOK\r\n");

    UnitConfig kind1;
    kind1.kind = UnitKind::Kind1;
    UnitSimulator other(kind1);
    EXPECT_FALSE(other.loadStateFile(path, &error)) << "memory of the other kind";
    EXPECT_FALSE(error.empty());

    EXPECT_FALSE(second.loadStateFile(path + ".missing", &error));
    EXPECT_TRUE(error.empty()) << "a missing file is a first run, not an error";

    std::remove(path.c_str());
    rmdir(dir);
}

} // namespace
} // namespace vireo
