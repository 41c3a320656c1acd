#include "firmware/FirmwarePacker.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace vireo
{

std::array<std::uint8_t, FirmwareBlockCount> FirmwarePackage::allBlocksSent()
{
    std::array<std::uint8_t, FirmwareBlockCount> flags{};
    flags.fill(BlockSent);
    return flags;
}

std::array<std::uint8_t, FirmwareBlockCount>
FirmwarePackage::onlyBlocksSent(const std::vector<std::size_t> &blocks)
{
    std::array<std::uint8_t, FirmwareBlockCount> flags{};
    for (std::size_t b : blocks)
        flags.at(b) = BlockSent;
    return flags;
}

std::unique_ptr<FirmwareFile> packFirmware(const FirmwarePackage &package)
{
    if (package.version.size() != FirmwareVersionLength)
        throw std::invalid_argument("the version text must be six characters, such as \" 0.5.0\"");
    if (package.payload.size() > FirmwareVersionOffset)
        throw std::invalid_argument("the payload must end before byte " +
                                    std::to_string(FirmwareVersionOffset));

    auto file = std::make_unique<FirmwareFile>();
    auto &image = file->FirmwareImage;
    image.fill(0xFF); // erased flash
    std::copy(package.payload.begin(), package.payload.end(), image.begin());
    std::copy(package.version.begin(), package.version.end(), image.begin() + FirmwareVersionOffset);
    image[UnitKindByteOffset] = unitKindByte(package.kind);
    file->BlockFlags = package.flags;
    scrambleFlaggedBlocks(image, file->BlockFlags);
    return file;
}

namespace
{

std::size_t parseBlockNumber(std::string_view text)
{
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value >= FirmwareBlockCount)
        throw std::invalid_argument("not a block number from 0 to 1503: '" + std::string(text) + "'");
    return value;
}

} // namespace

std::array<std::uint8_t, FirmwareBlockCount> parseBlockList(const std::string &text)
{
    if (text == "all")
        return FirmwarePackage::allBlocksSent();
    std::array<std::uint8_t, FirmwareBlockCount> flags{};
    if (text == "none")
        return flags;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const std::size_t dash = item.find('-');
        const std::size_t first = parseBlockNumber(item.substr(0, dash));
        const std::size_t last =
            dash == std::string_view::npos ? first : parseBlockNumber(item.substr(dash + 1));
        if (last < first)
            throw std::invalid_argument("empty block range '" + std::string(item) + "'");
        std::fill(flags.begin() + static_cast<std::ptrdiff_t>(first),
                  flags.begin() + static_cast<std::ptrdiff_t>(last) + 1, BlockSent);
        if (comma == std::string_view::npos)
            return flags;
        rest.remove_prefix(comma + 1);
    }
}

} // namespace vireo
