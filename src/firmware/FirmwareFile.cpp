#include "firmware/FirmwareFile.h"

#include "firmware/ScrambleKey.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vireo
{

namespace
{

std::filesystem::path pathFromUtf8(const std::string &name)
{
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t *>(name.data()), name.size()));
}

} // namespace

std::size_t FirmwareFile::flaggedBlockCount() const
{
    return static_cast<std::size_t>(std::count(BlockFlags.begin(), BlockFlags.end(), BlockSent));
}

bool parseFirmwareFile(const std::uint8_t *data, std::size_t size, FirmwareFile &file)
{
    if (data == nullptr || size != FirmwareFileSize)
        return false;
    std::copy_n(data, FirmwareImageSize, file.FirmwareImage.begin());
    std::copy_n(data + FirmwareImageSize, FirmwareBlockCount, file.BlockFlags.begin());
    return true;
}

bool readFirmwareFile(const std::string &fileName, FirmwareFile &file)
{
    // Only a regular file: opening a named pipe or a device would block the window.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(pathFromUtf8(fileName), ec))
        return false;
    std::ifstream in(pathFromUtf8(fileName), std::ios::binary);
    if (!in)
        return false;
    // One byte more than a firmware file holds tells a longer file apart without reading it all.
    std::vector<std::uint8_t> bytes(FirmwareFileSize + 1);
    in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return false;
    return parseFirmwareFile(bytes.data(), static_cast<std::size_t>(in.gcount()), file);
}

std::vector<std::uint8_t> serializeFirmwareFile(const FirmwareFile &file)
{
    std::vector<std::uint8_t> bytes(file.FirmwareImage.begin(), file.FirmwareImage.end());
    bytes.insert(bytes.end(), file.BlockFlags.begin(), file.BlockFlags.end());
    return bytes;
}

bool writeFirmwareFile(const std::string &fileName, const FirmwareFile &file)
{
    const std::filesystem::path target = pathFromUtf8(fileName);
    std::filesystem::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        const std::vector<std::uint8_t> bytes = serializeFirmwareFile(file);
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

void scrambleFlaggedBlocks(std::array<std::uint8_t, FirmwareImageSize> &image,
                           const std::array<std::uint8_t, FirmwareBlockCount> &flags)
{
    std::size_t k = 0;
    for (std::size_t block = 0; block < FirmwareBlockCount; ++block) {
        if (flags[block] != BlockSent)
            continue;
        for (std::size_t i = block * FirmwareBlockSize; i < (block + 1) * FirmwareBlockSize; ++i) {
            image[i] ^= ScrambleKey[k];
            k = (k + 1) % ScrambleKey.size();
        }
    }
}

std::optional<std::uint8_t> descrambledByte(const FirmwareFile &file, std::size_t offset)
{
    if (offset >= FirmwareImageSize)
        return std::nullopt;
    const std::size_t block = offset / FirmwareBlockSize;
    if (!file.isFlagged(block))
        return std::nullopt;
    // The key position is the number of flagged bytes before this one.
    const auto flaggedBefore = static_cast<std::size_t>(std::count(
        file.BlockFlags.begin(), file.BlockFlags.begin() + static_cast<std::ptrdiff_t>(block), BlockSent));
    const std::size_t k =
        (flaggedBefore * FirmwareBlockSize + offset % FirmwareBlockSize) % ScrambleKey.size();
    return static_cast<std::uint8_t>(file.FirmwareImage[offset] ^ ScrambleKey[k]);
}

std::uint8_t unitKindByte(UnitKind kind)
{
    return kind == UnitKind::Kind1 ? 0xFF : 0x01;
}

bool firmwareSuitsUnit(const FirmwareFile &file, UnitKind kind)
{
    const std::optional<std::uint8_t> b = descrambledByte(file, UnitKindByteOffset);
    return b && *b == unitKindByte(kind);
}

std::optional<std::string> firmwareVersionText(const FirmwareFile &file)
{
    if (!file.isFlagged(FirmwareVersionOffset / FirmwareBlockSize))
        return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i < FirmwareVersionLength; ++i)
        text.push_back(static_cast<char>(*descrambledByte(file, FirmwareVersionOffset + i)));
    return text;
}

} // namespace vireo
