#pragma once
// Firmware blocks for loader tests, scrambled the way firmware files are: the key runs over
// the bytes of the sent blocks only, in block order.
#include "UnitLoader.h"
#include "firmware/ScrambleKey.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vireo::simtest
{

inline std::map<std::uint32_t, std::vector<std::uint8_t>>
scrambledBlocks(const std::string &version, std::uint8_t kindByte, const std::vector<int> &imageBlocks)
{
    std::vector<std::uint8_t> plain(UnitLoader::ImageSize);
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<std::uint8_t>(i * 7 + 3);
    std::copy(version.begin(), version.end(), plain.begin() + UnitLoader::VersionOffset);
    plain[UnitLoader::KindOffset] = kindByte;
    std::map<std::uint32_t, std::vector<std::uint8_t>> blocks;
    std::size_t k = 0;
    for (int b : imageBlocks) {
        auto &out = blocks[UnitLoader::FirstBlockNumber + b];
        for (std::size_t i = 0; i < UnitLoader::BlockSize; ++i) {
            out.push_back(plain[b * UnitLoader::BlockSize + i] ^ ScrambleKey[k]);
            k = (k + 1) % ScrambleKey.size();
        }
    }
    return blocks;
}

inline std::vector<std::uint8_t> bigEndian32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

} // namespace vireo::simtest
