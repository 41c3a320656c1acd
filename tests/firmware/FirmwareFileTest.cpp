#include "firmware/FirmwareFile.h"
#include "firmware/FirmwarePacker.h"
#include "firmware/ScrambleKey.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace vireo
{
namespace
{

// A stored image whose only meaningful byte is the unit-kind byte, scrambled by hand with the
// key position that the running sequence must reach there.
TEST(FirmwareFile, UnitKindByteIsDescrambledWithTheRunningKey)
{
    struct Case {
        const char *what;
        const char *blocks;     // flagged with 1
        std::size_t flaggedAs2; // a block flagged with 2, or 0 for none
        int keyIndex;           // -1: stored plain
        std::uint8_t plain;
        UnitKind kind;
        bool suits;
    };
    const std::vector<Case> cases = {
        {"only the last block", "1503", 0, 12, 0x01, UnitKind::Kind2, true},
        {"only the last block, other kind", "1503", 0, 12, 0x01, UnitKind::Kind1, false},
        {"first and last block", "0,1503", 0, 13, 0xFF, UnitKind::Kind1, true},
        {"first and last block, other kind", "0,1503", 0, 13, 0xFF, UnitKind::Kind2, false},
        {"key must advance over a flagged block", "0,1503", 0, 12, 0x01, UnitKind::Kind2, false},
        {"a flag of 2 skips and leaves the key", "1503", 7, 12, 0x01, UnitKind::Kind2, true},
        // 1503 * 128 + 12 flagged bytes before it: position 118 of the 127-byte key
        {"every block", "all", 0, 118, 0x01, UnitKind::Kind2, true},
        {"last block unflagged, Kind1 byte", "0-1502", 0, -1, 0xFF, UnitKind::Kind1, false},
        {"last block unflagged, Kind2 byte", "0", 0, -1, 0x01, UnitKind::Kind2, false},
    };
    for (const Case &c : cases) {
        auto file = std::make_unique<FirmwareFile>();
        file->BlockFlags = parseBlockList(c.blocks);
        if (c.flaggedAs2 != 0)
            file->BlockFlags[c.flaggedAs2] = 2;
        file->FirmwareImage[UnitKindByteOffset] =
            c.keyIndex < 0 ? c.plain : static_cast<std::uint8_t>(c.plain ^ ScrambleKey[c.keyIndex]);
        EXPECT_EQ(firmwareSuitsUnit(*file, c.kind), c.suits) << c.what;
    }
}

TEST(FirmwareFile, PackedFilesCarryKindAndVersionThroughDisk)
{
    struct Case {
        UnitKind kind;
        const char *version;
        const char *blocks;
    };
    const Case cases[] = {
        {UnitKind::Kind1, " 2.0.5", "all"},
        {UnitKind::Kind2, " 0.5.0", "0,1503"},
        {UnitKind::Kind2, " 0.3.9", "5-9,700-701,1503"},
    };
    const auto path = std::filesystem::temp_directory_path() / "vireo_packed_firmware_test.dat";
    for (const Case &c : cases) {
        FirmwarePackage package;
        package.kind = c.kind;
        package.version = c.version;
        package.payload.assign(4000, 0xA5); // spills past block 0, so skipped blocks hold plain bytes
        package.flags = parseBlockList(c.blocks);
        const auto packed = packFirmware(package);
        ASSERT_TRUE(writeFirmwareFile(path.string(), *packed));
        EXPECT_EQ(std::filesystem::file_size(path), FirmwareFileSize);

        auto read = std::make_unique<FirmwareFile>();
        ASSERT_TRUE(readFirmwareFile(path.string(), *read)) << c.blocks;
        EXPECT_EQ(read->FirmwareImage, packed->FirmwareImage);
        EXPECT_EQ(read->BlockFlags, packed->BlockFlags);
        const UnitKind other = c.kind == UnitKind::Kind1 ? UnitKind::Kind2 : UnitKind::Kind1;
        EXPECT_TRUE(firmwareSuitsUnit(*read, c.kind)) << c.blocks;
        EXPECT_FALSE(firmwareSuitsUnit(*read, other)) << c.blocks;
        EXPECT_EQ(firmwareVersionText(*read), c.version);
        // Descrambling twice gives back what was stored.
        auto image = read->FirmwareImage;
        scrambleFlaggedBlocks(image, read->BlockFlags);
        scrambleFlaggedBlocks(image, read->BlockFlags);
        EXPECT_EQ(image, read->FirmwareImage);
    }
    std::filesystem::remove(path);
}

// The demo files under assets/firmware are made with:
//   pack_firmware --kind 2 --version " 0.4.9" --payload <banner> KALM07_Kind2_0.4.9.dat
// (and " 0.5.0" likewise); a full image, every block flagged.
TEST(FirmwareFile, ShippedDemoFilesSuitKind2AndCarryTheirVersion)
{
    // The copies beside the test program: the build puts assets/ there, whatever path the
    // compiler was given for this source.
    const auto dir = std::filesystem::canonical("/proc/self/exe").parent_path() / "firmware";
    const std::pair<const char *, const char *> demos[] = {
        {"KALM07_Kind2_0.4.9.dat", " 0.4.9"},
        {"KALM07_Kind2_0.5.0.dat", " 0.5.0"},
    };
    for (auto [name, version] : demos) {
        auto file = std::make_unique<FirmwareFile>();
        ASSERT_TRUE(readFirmwareFile((dir / name).string(), *file)) << name;
        EXPECT_TRUE(firmwareSuitsUnit(*file, UnitKind::Kind2)) << name;
        EXPECT_EQ(firmwareVersionText(*file), version);
        EXPECT_EQ(file->flaggedBlockCount(), FirmwareBlockCount) << name;
    }
}

TEST(FirmwarePacker, BlockListsAndTheirErrors)
{
    struct Case {
        const char *text;
        std::vector<std::size_t> flagged; // empty with valid=false: rejected
        bool valid;
    };
    const std::vector<Case> cases = {
        {"none", {}, true},  {"0,1503", {0, 1503}, true}, {"2-4,1503", {2, 3, 4, 1503}, true},
        {"1504", {}, false}, {"4-2", {}, false},          {"", {}, false},
        {"0,", {}, false},   {"1,x", {}, false},          {"-3", {}, false},
    };
    for (const Case &c : cases) {
        if (!c.valid) {
            EXPECT_THROW(parseBlockList(c.text), std::invalid_argument) << '"' << c.text << '"';
            continue;
        }
        EXPECT_EQ(parseBlockList(c.text), FirmwarePackage::onlyBlocksSent(c.flagged)) << c.text;
    }
    EXPECT_EQ(parseBlockList("all"), FirmwarePackage::allBlocksSent());

    FirmwarePackage bad;
    bad.version = "0.5.0"; // no leading blank: five characters
    EXPECT_THROW(packFirmware(bad), std::invalid_argument);
    bad.version = " 0.5.0";
    bad.payload.assign(FirmwareVersionOffset + 1, 0);
    EXPECT_THROW(packFirmware(bad), std::invalid_argument);
}

} // namespace
} // namespace vireo
