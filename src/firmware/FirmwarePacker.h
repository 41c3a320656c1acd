#pragma once
// Builds firmware files: a plain image (payload, version text, unit-kind byte) scrambled over
// its flagged blocks. Used by the packer tool, the demo files and the tests.
#include "firmware/FirmwareFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vireo
{

struct FirmwarePackage {
    UnitKind kind = UnitKind::Kind2;
    std::string version = " 0.5.0";    // exactly six characters, as the unit reports it
    std::vector<std::uint8_t> payload; // plain image bytes from offset 0; the rest is 0xFF
    std::array<std::uint8_t, FirmwareBlockCount> flags = allBlocksSent();

    static std::array<std::uint8_t, FirmwareBlockCount> allBlocksSent();
    static std::array<std::uint8_t, FirmwareBlockCount>
    onlyBlocksSent(const std::vector<std::size_t> &blocks);
};

// Throws std::invalid_argument when the version is not six characters or the payload reaches
// into the version text.
std::unique_ptr<FirmwareFile> packFirmware(const FirmwarePackage &package);

// Parses a block list such as "all", "none" or "0-99,1503" into flags; throws
// std::invalid_argument on anything else or on a block beyond the image.
std::array<std::uint8_t, FirmwareBlockCount> parseBlockList(const std::string &text);

} // namespace vireo
