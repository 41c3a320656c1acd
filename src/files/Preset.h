#pragma once
// Helicopter presets: a pair of files in the program's directory, a ".tpd" with the three
// preset blocks and a ".gdt" parameter file read by the preset rules.
#include "files/ParameterFile.h"
#include "params/ParameterSet.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace vireo
{

inline constexpr int PresetCount = 3;

struct PresetFileNames {
    std::string_view tpd;
    std::string_view gdt;
};

// Preset p (the selector's item index minus one).
inline constexpr std::array<PresetFileNames, PresetCount> PresetFiles = {{
    {"tarvo450.tpd", "tarvo450.gdt"},
    {"tarvo700.tpd", "tarvo700.gdt"},
    {"kalm07.tpd", "kalm07.gdt"},
}};

// ".tpd": one unused word, then ZBlock, GBlock and JBlock of sixteen words each.
inline constexpr std::size_t PresetBlockFileWords = 1 + 3 * PresetBlockWordCount;
inline constexpr std::size_t PresetBlockFileBytes = 2 * PresetBlockFileWords;
using PresetBlockImage = std::array<std::uint16_t, PresetBlockFileWords>;

PresetBlockImage encodePresetBlockFile(std::uint16_t firstWord, const ParameterSet &blocks);
// The words of a ".tpd"; nothing when the file is shorter than its 98 bytes.
std::optional<PresetBlockImage> presetBlockImageFromBytes(std::span<const std::uint8_t> bytes);

// The ".gdt" half of a preset in the one layout whose common fields a preset loads: format 2,
// 81 words (format word, the records of mode sets 0 and 1, common fields 0..12, checksum).
inline constexpr std::uint16_t PresetCommonFormat = 2;
inline constexpr std::size_t PresetParameterFileWords = 81;
std::vector<std::uint16_t> encodePresetParameterFile(const ParameterSet &preset);

// Fills work from the two preset images by the preset rules: the three blocks; the records of
// mode sets 0 and 1; common fields 0..11 only from a format-2 file (then AxisMode 0); from
// firmware " 0.5.0" on, mode set 1 copied into mode set 2 and CondCh, SwashNeutral 0; for
// preset 2 RxKind 0. The records it sets are marked as coming from a preset (the common block
// set only in part stays Unknown when it was Unknown). False (work untouched) when the ".gdt"
// is too short for what it loads or fails its checksum.
bool applyPreset(int p, const PresetBlockImage &blocks, const WordImage &gdt, std::string_view firmware,
                 ParameterSet &work);

enum class PresetStatus { Loaded, Unavailable };

// Reads preset p from programDir and applies it. Unavailable when either file is missing, not
// a regular file, unreadable, short, too long or fails its checksum; work is then left exactly as it was,
// so a reset never sends half a preset.
PresetStatus loadPreset(int p, const std::filesystem::path &programDir, std::string_view firmware,
                        ParameterSet &work);

} // namespace vireo
