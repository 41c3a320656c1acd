#pragma once
// The firmware file: the scrambled image of 1504 blocks of 128 bytes followed by one flag byte
// per block, and the check that a file suits the attached unit's kind.
#include "link/Version.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vireo
{

inline constexpr std::size_t FirmwareBlockSize = 128;
inline constexpr std::size_t FirmwareBlockCount = 1504;
inline constexpr std::size_t FirmwareImageSize = FirmwareBlockSize * FirmwareBlockCount; // 192512
inline constexpr std::size_t FirmwareFileSize = FirmwareImageSize + FirmwareBlockCount;  // 194016
inline constexpr std::size_t LastFirmwareBlock = FirmwareBlockCount - 1;

// The byte that tells which unit kind an image is made for: last block, byte 12.
inline constexpr std::size_t UnitKindByteOffset = 192396;
// Where an image carries the six-character version text the unit reports once it runs it
// (last block, bytes 0 to 5). The loader ignores it; the packer and the simulated unit agree on it.
inline constexpr std::size_t FirmwareVersionOffset = 192384;
inline constexpr std::size_t FirmwareVersionLength = 6;

// A flag of exactly 1 sends the block; any other value skips it.
inline constexpr std::uint8_t BlockSent = 1;

struct FirmwareFile {
    std::array<std::uint8_t, FirmwareImageSize> FirmwareImage{}; // as stored: flagged blocks scrambled
    std::array<std::uint8_t, FirmwareBlockCount> BlockFlags{};

    bool isFlagged(std::size_t block) const { return BlockFlags[block] == BlockSent; }
    std::size_t flaggedBlockCount() const;
};

// Success only when the file opens and is exactly FirmwareFileSize bytes long. The name is UTF-8.
bool readFirmwareFile(const std::string &fileName, FirmwareFile &file);
// The same from bytes already in memory.
bool parseFirmwareFile(const std::uint8_t *data, std::size_t size, FirmwareFile &file);
std::vector<std::uint8_t> serializeFirmwareFile(const FirmwareFile &file);
// Writes to a temporary name and renames it into place, so a failed write leaves no torn file.
bool writeFirmwareFile(const std::string &fileName, const FirmwareFile &file);

// Exclusive-or of the flagged blocks' bytes with ScrambleKey taken as one running sequence
// over the flagged bytes only; unflagged blocks neither change nor advance the key. Its own
// inverse: it scrambles a plain image and descrambles a stored one.
void scrambleFlaggedBlocks(std::array<std::uint8_t, FirmwareImageSize> &image,
                           const std::array<std::uint8_t, FirmwareBlockCount> &flags);

// The descrambled value of one image byte; nothing when its block is not flagged, since such
// a byte never went through the running key and has no defined plain value.
std::optional<std::uint8_t> descrambledByte(const FirmwareFile &file, std::size_t offset);

// The unit-kind byte an image must carry: 0xFF for Kind1, 0x01 for Kind2.
std::uint8_t unitKindByte(UnitKind kind);

// True when the descrambled unit-kind byte matches the unit. A file whose last block is not
// flagged has no defined unit-kind byte and never suits.
bool firmwareSuitsUnit(const FirmwareFile &file, UnitKind kind);

// The version text the image carries (descrambled), when its last block is flagged.
std::optional<std::string> firmwareVersionText(const FirmwareFile &file);

} // namespace vireo
