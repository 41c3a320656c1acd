#include "UnitStore.h"

#include <cstdio>
#include <sstream>
#include <utility>

namespace vireo
{

namespace
{

using AxisWords = std::array<std::int16_t, UnitStore::AxisWords>;

// Factory gain records in unit units: P, I, D, FF, HLD, W5, W6, W7, CTL, ACG, ACR.
// HLD 30 is hold gain 5, CTL 217 is 100 (A/E) and 326 is 300 (R), ACG 176 is 80, ACR 286 is 30.
constexpr std::array<std::array<AxisWords, 3>, 3> FactoryAxes = {{
    {{{60, 40, 20, 20, 30, 1, 0, 0, 217, 176, 286},
      {70, 45, 25, 25, 30, 1, 0, 0, 217, 176, 286},
      {80, 50, 30, 30, 30, 1, 0, 0, 217, 176, 286}}},
    {{{65, 40, 20, 20, 30, 1, 0, 0, 217, 176, 286},
      {75, 45, 25, 25, 30, 1, 0, 0, 217, 176, 286},
      {85, 50, 30, 30, 30, 1, 0, 0, 217, 176, 286}}},
    {{{200, 120, 0, 300, 18, 2, 0, 0, 326, 176, 286},
      {220, 130, 0, 320, 18, 2, 0, 0, 326, 176, 286},
      {240, 140, 0, 340, 18, 2, 0, 0, 326, 176, 286}}},
}};

// Common block in unit units. Kind2: dead band 3 (1 us), pirouette gain 250 (25), rudder gain
// on unit channel 5 (GEAR), aileron 7 (AUX2), elevator 8 (AUX3), condition 9 (AUX4).
constexpr std::array<std::int16_t, UnitStore::CommonWords> FactoryCommonKind2 = {3, 0, 1, 0, 250, 0, 5, 7,
                                                                                 8, 0, 0, 0, 0,   9, 0};
// Kind1: dead band 7 (1 us), pirouette gain 50 as it stands; the rest is not carried.
constexpr std::array<std::int16_t, UnitStore::CommonWords> FactoryCommonKind1 = {7, 0, 1, 0, 50, 0, 0, 0,
                                                                                 0, 0, 0, 0, 0,  0, 0};

constexpr std::string_view RecordNames[] = {"A0", "A1", "A2", "E0", "E1", "E2", "R0",
                                            "R1", "R2", "C",  "Z",  "G",  "J"};

int presetIndex(char selector)
{
    switch (selector) {
    case 'Z':
        return 0;
    case 'G':
        return 1;
    case 'J':
        return 2;
    default:
        return -1;
    }
}

std::span<const std::int16_t> recordByName(const UnitStore &store, std::string_view name)
{
    return store.words(name[0], name.size() > 1 ? name[1] - '0' : 0);
}

} // namespace

UnitStore UnitStore::factory(UnitKind kind)
{
    UnitStore s;
    s.axes = FactoryAxes;
    s.common = kind == UnitKind::Kind1 ? FactoryCommonKind1 : FactoryCommonKind2;
    return s;
}

int axisIndex(char selector)
{
    switch (selector) {
    case 'A':
        return 0;
    case 'E':
        return 1;
    case 'R':
        return 2;
    default:
        return -1;
    }
}

std::span<std::int16_t> UnitStore::words(char selector, int modeSet)
{
    const auto words = std::as_const(*this).words(selector, modeSet);
    return {const_cast<std::int16_t *>(words.data()), words.size()};
}

std::span<const std::int16_t> UnitStore::words(char selector, int modeSet) const
{
    if (const int a = axisIndex(selector); a >= 0)
        return modeSet >= 0 && modeSet < 3 ? std::span<const std::int16_t>(axes[a][modeSet])
                                           : std::span<const std::int16_t>();
    if (selector == 'C')
        return common;
    if (const int p = presetIndex(selector); p >= 0)
        return presets[p];
    return {};
}

int wireCount(UnitKind kind, std::string_view firmware, char selector)
{
    if (axisIndex(selector) >= 0)
        return UnitStore::AxisWords;
    switch (selector) {
    case 'C':
        if (kind == UnitKind::Kind1)
            return versionLess(firmware, " 1.0.5") ? 1 : 6;
        if (versionAtLeast(firmware, " 0.5.0"))
            return 15;
        if (versionGreater(firmware, " 0.3.8"))
            return 13;
        if (versionGreater(firmware, " 0.2.5"))
            return 12;
        return 11;
    case 'Z':
        return 15;
    case 'G':
        return 5;
    case 'J':
        return 13;
    default:
        return 0;
    }
}

bool modeSetExists(std::string_view firmware, int modeSet)
{
    return modeSet == 0 || modeSet == 1 || (modeSet == 2 && versionAtLeast(firmware, " 0.5.0"));
}

std::string formatMemory(const UnitMemory &memory)
{
    std::string out = "kalm07-sim-state 1\n";
    out += memory.kind == UnitKind::Kind1 ? "kind 1\n" : "kind 2\n";
    out += memory.firmware ? "firmware \"" + *memory.firmware + "\"\n" : std::string("firmware loader\n");
    for (std::string_view name : RecordNames) {
        out += name;
        for (std::int16_t w : recordByName(memory.store, name)) {
            char field[8];
            std::snprintf(field, sizeof field, " %04X", static_cast<unsigned>(static_cast<std::uint16_t>(w)));
            out += field;
        }
        out += '\n';
    }
    return out;
}

std::optional<UnitMemory> parseMemory(std::string_view text, std::string *error)
{
    auto fail = [error](std::string message) -> std::optional<UnitMemory> {
        if (error)
            *error = std::move(message);
        return std::nullopt;
    };
    std::istringstream in{std::string(text)};
    std::string line;
    if (!std::getline(in, line) || line != "kalm07-sim-state 1")
        return fail("not a kalm07-sim state file");
    UnitMemory memory;
    if (!std::getline(in, line) || (line != "kind 1" && line != "kind 2"))
        return fail("missing kind line");
    memory.kind = line == "kind 1" ? UnitKind::Kind1 : UnitKind::Kind2;
    if (!std::getline(in, line) || line.rfind("firmware ", 0) != 0)
        return fail("missing firmware line");
    const std::string fw = line.substr(9);
    if (fw == "loader")
        memory.firmware.reset();
    else if (fw.size() == 8 && fw.front() == '"' && fw.back() == '"')
        memory.firmware = fw.substr(1, 6);
    else
        return fail("firmware must be \"x.y.z\" with its leading blank, or loader");
    for (std::string_view name : RecordNames) {
        if (!std::getline(in, line))
            return fail("record " + std::string(name) + " missing");
        std::istringstream fields(line);
        std::string label;
        fields >> label;
        if (label != name)
            return fail("expected record " + std::string(name) + ", found '" + label + "'");
        auto words = memory.store.words(name[0], name.size() > 1 ? name[1] - '0' : 0);
        for (auto &w : words) {
            std::string hex;
            if (!(fields >> hex) || hex.size() != 4 ||
                hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
                return fail("record " + std::string(name) + " needs " + std::to_string(words.size()) +
                            " words of four hex digits");
            w = static_cast<std::int16_t>(static_cast<std::uint16_t>(std::stoul(hex, nullptr, 16)));
        }
        std::string extra;
        if (fields >> extra)
            return fail("record " + std::string(name) + " has too many words");
    }
    return memory;
}

} // namespace vireo
