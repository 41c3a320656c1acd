#pragma once
// The image the firmware transfer target sends, shared with the seed writer so that the
// seeds' loader answers belong to the same transfer.
#include "firmware/FirmwarePacker.h"

#include <cstdint>
#include <memory>

namespace vireo::fuzz
{

// Flags blocks a * 6 and b * 6 + 3 (mod 1504) and the last block, which holds the identity.
inline std::unique_ptr<FirmwareFile> transferImage(UnitKind kind, std::uint8_t a, std::uint8_t b)
{
    FirmwarePackage package;
    package.kind = kind;
    package.payload = {0x02, 0x00, 0x80, 0xFE};
    package.flags = FirmwarePackage::onlyBlocksSent(
        {(a * 6u) % FirmwareBlockCount, (b * 6u + 3u) % FirmwareBlockCount, LastFirmwareBlock});
    return packFirmware(package);
}

} // namespace vireo::fuzz
