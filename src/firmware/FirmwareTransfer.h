#pragma once
// The firmware transfer to the unit's loader: "UPDATE\r\n", a short binary handshake, the
// flagged image blocks with their checksums, and the end command, all through exchange.
#include "firmware/FirmwareFile.h"
#include "link/SerialLink.h"
#include "link/Version.h"
#include "seams/Dialogs.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vireo
{

// One exchange of the loader protocol: the bytes written and the single reply byte awaited.
struct LoaderExchange {
    std::array<std::uint8_t, 4> bytes;
    std::size_t length;
    std::uint8_t reply;
    std::uint32_t timeoutMs;
};

inline constexpr std::string_view StartLoaderCommand = "UPDATE\r\n";
inline constexpr std::size_t StartLoaderReplyLength = 4; // not examined
inline constexpr std::uint32_t StartLoaderTimeoutMs = 500;

// Sync, command 0x11 with 1024, command 0x11 with 1022 (arguments 32-bit big-endian), begin.
inline constexpr std::array<LoaderExchange, 6> LoaderHandshake = {{
    {{0x15}, 1, 0x00, 500},
    {{0x11}, 1, 0x00, 500},
    {{0x00, 0x00, 0x04, 0x00}, 4, 0x00, 500},
    {{0x11}, 1, 0x00, 5000},
    {{0x00, 0x00, 0x03, 0xFE}, 4, 0x00, 5000},
    {{0x16}, 1, 0x00, 500},
}};
inline constexpr LoaderExchange LoaderBlockCommand{{0x12}, 1, 0x00, 500};
inline constexpr std::uint8_t BlockNumberReply = 0x14;
inline constexpr std::uint32_t BlockNumberTimeoutMs = 500;
inline constexpr std::uint8_t BlockDataReply = 0x00;
inline constexpr std::uint32_t BlockDataTimeoutMs = 1000;
inline constexpr LoaderExchange LoaderEndCommand{{0x17}, 1, 0x00, 500};

// Image block i travels as block number i + 32.
inline constexpr std::uint32_t FirstWireBlockNumber = 32;
inline constexpr std::uint32_t LastWireBlockNumber = FirstWireBlockNumber + LastFirmwareBlock; // 1535

// Failed or unexpected answers over the whole transfer; the one that reaches it ends it.
inline constexpr int LoaderRetryLimit = 5;

// A unit of the first kind that answers at the program's first rate runs only its loader,
// which talks at the second rate once started.
inline constexpr std::uint32_t LoaderBaudKind1 = 230400;

enum class UpdateOutcome { FileUnsuitable, Failed, Complete };

struct TransferEvents {
    std::function<void(int)> progress;    // progress bar position, 0 to 100
    std::function<void()> dispatchEvents; // pending window events, once per block attempt
};

// Low byte of the block number plus the 128 data bytes, modulo 256.
std::uint8_t blockChecksum(std::uint32_t blockNumber, const std::uint8_t *data);

// attempts / total * 100 in floating point, truncated toward zero, at most 100.
int progressPosition(std::size_t attempts, std::size_t total);

// Reads the file and checks it against the unit kind; an unsuitable file sends nothing.
UpdateOutcome transferFirmware(SerialLink &link, UnitKind kind, const std::string &fileName,
                               const TransferEvents &events);
UpdateOutcome transferFirmware(SerialLink &link, UnitKind kind, const FirmwareFile &file,
                               const TransferEvents &events);

// The message box that reports an outcome.
struct UpdateMessage {
    MsgIcon icon;
    std::string_view key;
};
UpdateMessage updateMessage(UpdateOutcome outcome);

} // namespace vireo
