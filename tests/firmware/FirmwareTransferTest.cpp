#include "firmware/FirmwareTransfer.h"
#include "firmware/FakeLoaderPort.h"
#include "firmware/FirmwarePacker.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace vireo
{
namespace
{

using test::FakeLoaderPort;
using test::LoaderWrite;
using Bytes = std::vector<std::uint8_t>;

std::unique_ptr<FirmwareFile> packed(UnitKind kind, const char *blocks)
{
    FirmwarePackage package;
    package.kind = kind;
    package.version = " 0.5.0";
    for (std::size_t i = 0; i < 3000; ++i)
        package.payload.push_back(static_cast<std::uint8_t>(i * 7));
    package.flags = parseBlockList(blocks);
    return packFirmware(package);
}

class FirmwareTransfer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        link.portName = "loader";
        ASSERT_TRUE(link.openPort());
        port.opens.clear();
    }

    UpdateOutcome transfer(UnitKind kind, const FirmwareFile &file)
    {
        return transferFirmware(link, kind, file, events);
    }

    FakeLoaderPort port;
    SerialLink link{port};
    std::vector<int> progress;
    int dispatched = 0;
    TransferEvents events{[this](int p) { progress.push_back(p); }, [this] { ++dispatched; }};
};

TEST_F(FirmwareTransfer, UnsuitableFilesSendNothing)
{
    const auto dir = std::filesystem::temp_directory_path() / "vireo_firmware_transfer_test";
    std::filesystem::create_directories(dir);
    const Bytes good = serializeFirmwareFile(*packed(UnitKind::Kind2, "all"));
    struct Case {
        const char *name;
        Bytes bytes;
        UnitKind kind;
    };
    std::vector<Case> cases = {
        {"short.dat", Bytes(good.begin(), good.end() - 1), UnitKind::Kind2},
        {"long.dat", good, UnitKind::Kind2},
        {"other-kind.dat", good, UnitKind::Kind1},
        {"last-block-skipped.dat", serializeFirmwareFile(*packed(UnitKind::Kind2, "0-1502")),
         UnitKind::Kind2},
        {"empty.dat", Bytes{}, UnitKind::Kind2},
    };
    cases[1].bytes.push_back(0x00);
    for (const Case &c : cases) {
        const auto path = dir / c.name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(c.bytes.data()),
                   static_cast<std::streamsize>(c.bytes.size()));
        EXPECT_EQ(transferFirmware(link, c.kind, path.string(), events), UpdateOutcome::FileUnsuitable)
            << c.name;
    }
    EXPECT_EQ(transferFirmware(link, UnitKind::Kind2, (dir / "missing.dat").string(), events),
              UpdateOutcome::FileUnsuitable);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(updateMessage(UpdateOutcome::FileUnsuitable).key, "UPDFileErrorMessage");
    EXPECT_EQ(updateMessage(UpdateOutcome::FileUnsuitable).icon, MsgIcon::Error);
    std::filesystem::remove_all(dir);
}

TEST_F(FirmwareTransfer, FirstAndLastBlockGoOutNumbered32And1535)
{
    const auto file = packed(UnitKind::Kind2, "0,1503");
    ASSERT_EQ(transfer(UnitKind::Kind2, *file), UpdateOutcome::Complete);

    auto blockWithChecksum = [&](std::size_t block, std::uint8_t checksum) {
        const auto *begin = file->FirmwareImage.data() + block * FirmwareBlockSize;
        Bytes bytes(begin, begin + FirmwareBlockSize); // as stored, never descrambled
        bytes.push_back(checksum);
        return bytes;
    };
    auto sum = [&](std::size_t block, unsigned start) {
        for (std::size_t i = 0; i < FirmwareBlockSize; ++i)
            start += file->FirmwareImage[block * FirmwareBlockSize + i];
        return static_cast<std::uint8_t>(start);
    };
    const std::vector<std::pair<Bytes, std::uint32_t>> expected = {
        {{'U', 'P', 'D', 'A', 'T', 'E', '\r', '\n'}, 500},
        {{0x15}, 500},
        {{0x11}, 500},
        {{0x00, 0x00, 0x04, 0x00}, 500},
        {{0x11}, 5000},
        {{0x00, 0x00, 0x03, 0xFE}, 5000},
        {{0x16}, 500},
        {{0x12}, 500},
        {{0x00, 0x00, 0x00, 0x20}, 500},
        {blockWithChecksum(0, sum(0, 0x20)), 1000},
        {{0x12}, 500},
        {{0x00, 0x00, 0x05, 0xFF}, 500},
        {blockWithChecksum(1503, sum(1503, 0xFF)), 1000},
        {{0x17}, 500},
    };
    ASSERT_EQ(port.writes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(port.writes[i].bytes, expected[i].first) << "write " << i;
        EXPECT_EQ(port.writes[i].timeoutMs, expected[i].second) << "write " << i;
    }
    EXPECT_EQ(progress, (std::vector<int>{50, 100}));
    EXPECT_GE(dispatched, 2);
    EXPECT_TRUE(port.opens.empty()); // a Kind2 unit stays at the rate it answered at
    EXPECT_EQ(updateMessage(UpdateOutcome::Complete).key, "UPDCompMessage");
}

TEST(BlockChecksum, LowByteOfNumberPlusData)
{
    struct Case {
        std::uint32_t number;
        std::uint8_t fill;
        std::uint8_t checksum;
    };
    const Case cases[] = {
        {300, 0x00, 0x2C},  // only the low byte of the number counts
        {32, 0xFF, 0xA0},   // 0x20 + 128 * 0xFF, modulo 256
        {1535, 0x01, 0x7F}, // 0xFF + 128
    };
    for (const Case &c : cases) {
        std::array<std::uint8_t, FirmwareBlockSize> data;
        data.fill(c.fill);
        EXPECT_EQ(blockChecksum(c.number, data.data()), c.checksum) << c.number;
    }
}

// Answers that go wrong, each named by the write it answers and its occurrence.
struct Fault {
    LoaderWrite kind;
    int occurrence; // 0: every occurrence
    Bytes answer;   // empty: silence
};

TEST_F(FirmwareTransfer, OneRetryCounterForTheWholeTransfer)
{
    const Bytes silence;
    struct Case {
        const char *what;
        std::vector<Fault> faults;
        UpdateOutcome outcome;
        int syncs;
        int blockData; // block data writes
        int ends;
    };
    // The file has three flagged blocks.
    const std::vector<Case> cases = {
        {"block number answered 0x00 five times",
         {{LoaderWrite::BlockNumber, 0, {0x00}}},
         UpdateOutcome::Failed,
         1,
         0,
         1},
        {"four failures over the blocks, then a failed end",
         {{LoaderWrite::BlockNumber, 1, {0x00}},
          {LoaderWrite::BlockData, 2, silence},
          {LoaderWrite::BlockCommand, 4, {0xFF}},
          {LoaderWrite::BlockData, 4, {0x01}},
          {LoaderWrite::End, 1, {0x01}}},
         UpdateOutcome::Failed,
         1,
         5,
         1},
        {"three failures and a failed end send everything again",
         {{LoaderWrite::BlockData, 1, silence},
          {LoaderWrite::BlockNumber, 3, {0x15}},
          {LoaderWrite::Begin, 1, {0x01}},
          {LoaderWrite::End, 1, silence}},
         UpdateOutcome::Complete,
         3,
         7,
         2},
        {"silent sync ends without an end command",
         {{LoaderWrite::Sync, 0, silence}},
         UpdateOutcome::Failed,
         5,
         0,
         0},
        {"a bad handshake answer restarts from the sync",
         {{LoaderWrite::Argument, 2, {0x01}}},
         UpdateOutcome::Complete,
         2,
         3,
         1},
        {"a failure at the fifth block data after four others",
         {{LoaderWrite::BlockData, 1, silence},
          {LoaderWrite::BlockData, 2, silence},
          {LoaderWrite::BlockData, 3, silence},
          {LoaderWrite::BlockData, 4, silence},
          {LoaderWrite::BlockData, 5, silence}},
         UpdateOutcome::Failed,
         1,
         5,
         1},
    };
    const auto file = packed(UnitKind::Kind2, "0,1,1503");
    for (const Case &c : cases) {
        port.writes.clear();
        progress.clear();
        port.fault = [&](LoaderWrite kind, int occurrence) -> std::optional<Bytes> {
            for (const Fault &f : c.faults)
                if (f.kind == kind && (f.occurrence == 0 || f.occurrence == occurrence))
                    return f.answer;
            return std::nullopt;
        };
        EXPECT_EQ(transfer(UnitKind::Kind2, *file), c.outcome) << c.what;
        EXPECT_EQ(port.count(LoaderWrite::Sync), c.syncs) << c.what;
        EXPECT_EQ(port.count(LoaderWrite::BlockData), c.blockData) << c.what;
        EXPECT_EQ(port.count(LoaderWrite::End), c.ends) << c.what;
        for (int p : progress)
            EXPECT_LE(p, 100) << c.what;
    }
    EXPECT_EQ(updateMessage(UpdateOutcome::Failed).key, "UPDFailMessage");
    EXPECT_EQ(updateMessage(UpdateOutcome::Failed).icon, MsgIcon::Error);
}

TEST_F(FirmwareTransfer, Kind1FoundAt250000GoesOnAt230400)
{
    struct Case {
        UnitKind kind;
        std::uint32_t baud;
        std::vector<std::uint32_t> reopened;
        std::uint32_t loaderBaud;
    };
    const Case cases[] = {
        {UnitKind::Kind1, 250000, {230400}, 230400},
        {UnitKind::Kind1, 230400, {}, 230400},
        {UnitKind::Kind2, 250000, {}, 250000},
    };
    for (const Case &c : cases) {
        link.closePort();
        link.baudRate = c.baud;
        ASSERT_TRUE(link.openPort());
        port.opens.clear();
        port.writes.clear();
        EXPECT_EQ(transfer(c.kind, *packed(c.kind, "1503")), UpdateOutcome::Complete);
        EXPECT_EQ(port.opens, c.reopened);
        ASSERT_GE(port.writes.size(), 2u);
        EXPECT_EQ(port.writes.front().baud, c.baud); // UPDATE goes out at the rate discovery found
        for (std::size_t i = 1; i < port.writes.size(); ++i)
            EXPECT_EQ(port.writes[i].baud, c.loaderBaud);
        EXPECT_EQ(link.baudRate, c.loaderBaud);
    }
}

} // namespace
} // namespace vireo
