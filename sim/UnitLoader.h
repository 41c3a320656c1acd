#pragma once
// The unit's loader once "UPDATE" has started it: the byte-level protocol (sync, the 0x11
// commands, begin, numbered blocks with checksums, end) and the flash it writes. Bytes arrive
// through feed(), which only splits them into steps; execute() then acts on a step. Keeping
// the two apart lets the simulator drop a step (fault injection) without disturbing the parse.
#include "link/Version.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vireo
{

enum class LoaderStepKind {
    Sync,      // 0x15
    Cmd11,     // 0x11, then a 32-bit argument
    Argument,  // the four bytes after 0x11
    Begin,     // 0x16
    BlockCmd,  // 0x12, then a 32-bit block number
    BlockNum,  // the four bytes after 0x12
    BlockData, // 128 data bytes and the checksum
    End,       // 0x17
    Unknown,   // a byte that is no loader command: the loader is left
    Abandoned, // a step cut short by a pause: dropped
    Text,      // a printable byte, CR or LF where a command belongs: the loader is left
};

struct LoaderStep {
    LoaderStepKind kind = LoaderStepKind::Unknown;
    std::vector<std::uint8_t> bytes;
    std::uint32_t value = 0; // argument or block number
    std::string name() const;
};

struct LoaderResult {
    std::vector<std::uint8_t> reply;
    bool startedWriting = false;               // the first block of this transfer was written
    std::optional<std::string> flashedVersion; // set by a successful end
};

class UnitLoader
{
public:
    static constexpr std::size_t BlockSize = 128;
    static constexpr std::size_t BlockCount = 1504;
    static constexpr std::size_t ImageSize = BlockSize * BlockCount;
    static constexpr std::uint32_t FirstBlockNumber = 32;
    static constexpr std::uint32_t LastBlockNumber = FirstBlockNumber + BlockCount - 1;
    // Descrambled image bytes the unit takes its identity from (the last block).
    static constexpr std::size_t VersionOffset = 192384;
    static constexpr std::size_t KindOffset = 192396;
    // A multi-byte step that pauses longer than this is dropped, so a sender that gave up
    // and starts over from a command byte is understood again.
    static constexpr std::int64_t StepGapUs = 200'000;

    static constexpr std::uint8_t Ack = 0x00;
    static constexpr std::uint8_t Nak = 0x01;
    static constexpr std::uint8_t BlockNumberAck = 0x14;

    UnitLoader(UnitKind kind, bool checkKindByte);

    // Writes the identity of the firmware the unit runs now into the flash image.
    void setInstalledVersion(const std::optional<std::string> &version);

    // "UPDATE" was received: wait for the sync byte.
    void enter();

    std::vector<LoaderStep> feed(std::uint8_t byte, std::int64_t nowUs);
    LoaderResult execute(const LoaderStep &step);

    // True when the next byte would be taken as a command (no step is half received).
    bool waitingForCommand(std::int64_t nowUs) const
    {
        return expect_ == Expect::Command || nowUs - lastByteUs_ > StepGapUs;
    }

    // Descrambled flash contents (what the unit would run).
    const std::vector<std::uint8_t> &flash() const { return flash_; }
    std::size_t blocksReceived() const { return staged_.size(); }
    int checksumErrors() const { return checksumErrors_; }

    static std::uint8_t blockChecksum(std::uint32_t blockNumber, const std::uint8_t *data);
    static std::uint8_t kindByte(UnitKind kind) { return kind == UnitKind::Kind1 ? 0xFF : 0x01; }

private:
    enum class Expect { Command, Argument, BlockNumber, BlockData };

    UnitKind kind_;
    bool checkKindByte_;
    bool synced_ = false;
    bool begun_ = false;
    bool writing_ = false;
    Expect expect_ = Expect::Command;
    std::vector<std::uint8_t> partial_;
    std::int64_t lastByteUs_ = 0;
    std::uint32_t blockNumber_ = 0;
    int checksumErrors_ = 0;
    std::map<std::uint32_t, std::array<std::uint8_t, BlockSize>> staged_; // by block number
    std::vector<std::uint8_t> flash_;

    std::size_t expectedLength() const;
    std::optional<std::string> finish();
};

} // namespace vireo
