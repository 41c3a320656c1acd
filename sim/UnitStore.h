#pragma once
// What a simulated unit keeps in its non-volatile memory, in the unit's own units: the gain
// records, the common block and the preset blocks, plus the rules that say how many words of
// each group travel on the wire for a kind and firmware.
#include "link/Version.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vireo
{

struct UnitStore {
    static constexpr int AxisWords = 11;
    static constexpr int CommonWords = 15;
    static constexpr int PresetWords = 16;

    // [axis A, E, R][mode set 0..2]
    std::array<std::array<std::array<std::int16_t, AxisWords>, 3>, 3> axes{};
    std::array<std::int16_t, CommonWords> common{};
    // [Z, G, J]
    std::array<std::array<std::int16_t, PresetWords>, 3> presets{};

    // The values a unit of this kind leaves the factory with; also what RDEF reports.
    static UnitStore factory(UnitKind kind);

    // The stored words of a group (selector A, E, R, C, Z, G or J; mode set for the axes).
    // Empty for an unknown selector or mode set.
    std::span<std::int16_t> words(char selector, int modeSet);
    std::span<const std::int16_t> words(char selector, int modeSet) const;

    bool operator==(const UnitStore &) const = default;
};

// 0, 1, 2 for A, E, R; -1 otherwise.
int axisIndex(char selector);

// Number of values a unit of this kind and firmware sends for RROM/RDEF and takes with WROM.
int wireCount(UnitKind kind, std::string_view firmware, char selector);

// Whether the axis records of this mode set exist in the unit (mode set 2 came with 0.5.0).
bool modeSetExists(std::string_view firmware, int modeSet);

// Small text form of a unit's memory, for keeping it between runs:
//   kalm07-sim-state 1 / kind 1|2 / firmware " 0.5.0" or firmware loader / one line per
//   record ("A0", ..., "R2", "C", "Z", "G", "J") followed by its words as four hex digits.
struct UnitMemory {
    UnitKind kind = UnitKind::Kind2;
    std::optional<std::string> firmware; // nullopt: only the loader is present
    UnitStore store;
};
std::string formatMemory(const UnitMemory &memory);
// Returns nullopt and sets error for a text that is not a complete state file.
std::optional<UnitMemory> parseMemory(std::string_view text, std::string *error = nullptr);

} // namespace vireo
