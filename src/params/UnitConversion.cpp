#include "params/UnitConversion.h"

namespace vireo
{

namespace
{

// Results are computed in int and wrap into the 16-bit word, as the unit's words do.
constexpr std::int16_t word(int v)
{
    return static_cast<std::int16_t>(v);
}

} // namespace

std::int16_t hldToUnit(std::int16_t v)
{
    return word(v <= 10 ? 50 - 4 * v : 20 - v);
}
std::int16_t hldFromUnit(std::int16_t u)
{
    return word(u >= 10 ? (50 - u) / 4 : 20 - u);
}

// The scale is chosen so that every value 1..1000 survives the trip to the unit and back; the
// write side is exact integer arithmetic (a float product would overshoot multiples of 23).
std::int16_t ctlToUnit(Selector axis, std::int16_t v)
{
    if (v == 0)
        return 0;
    const int scale = axis == Selector::R ? 25 : 50;
    return word((scale * v - 1) / 23);
}

std::int16_t ctlFromUnit(Selector axis, std::int16_t u)
{
    const int scale = axis == Selector::R ? 92 : 46;
    return word(scale * u / 100 + 1);
}

std::int16_t acgToUnit(std::int16_t v)
{
    return word(256 - v);
}
std::int16_t acgFromUnit(std::int16_t u)
{
    return word(256 - u);
}
std::int16_t acrToUnit(std::int16_t v)
{
    return word(v + 256);
}
std::int16_t acrFromUnit(std::int16_t u)
{
    return word(u - 256);
}

std::int16_t pirouGainToUnit(UnitKind kind, std::int16_t v)
{
    return kind == UnitKind::Kind2 ? word(10 * v) : v;
}

std::int16_t pirouGainFromUnit(UnitKind kind, std::int16_t u)
{
    return kind == UnitKind::Kind2 && u > 0 ? word(u / 10) : u;
}

std::int16_t channelToUnit(UnitKind kind, std::int16_t v)
{
    if (kind != UnitKind::Kind2 || v <= 0)
        return v;
    return v == 1 ? std::int16_t{5} : word(v + 5);
}

std::int16_t channelFromUnit(std::int16_t u)
{
    if (u <= 0)
        return u;
    return u == 5 ? std::int16_t{1} : word(u - 5);
}

AxisRecord axisToUnit(Selector axis, AxisRecord r)
{
    r.HLD() = hldToUnit(r.HLD());
    r.CTL() = ctlToUnit(axis, r.CTL());
    r.ACG() = acgToUnit(r.ACG());
    r.ACR() = acrToUnit(r.ACR());
    return r;
}

AxisRecord axisFromUnit(Selector axis, AxisRecord r)
{
    r.HLD() = hldFromUnit(r.HLD());
    r.CTL() = ctlFromUnit(axis, r.CTL());
    r.ACG() = acgFromUnit(r.ACG());
    r.ACR() = acrFromUnit(r.ACR());
    return r;
}

CommonBlock commonToUnit(UnitKind kind, CommonBlock b)
{
    for (const auto &info : CommonFields) {
        auto &w = b[info.field];
        if (info.coding == CommonCoding::PirouGain)
            w = pirouGainToUnit(kind, w);
        else if (info.coding == CommonCoding::Channel)
            w = channelToUnit(kind, w);
    }
    return b;
}

CommonBlock commonFromUnit(UnitKind kind, CommonBlock b)
{
    for (const auto &info : CommonFields) {
        auto &w = b[info.field];
        if (info.coding == CommonCoding::PirouGain)
            w = pirouGainFromUnit(kind, w);
        else if (info.coding == CommonCoding::Channel)
            w = channelFromUnit(w);
    }
    return b;
}

int groupValueCount(Selector group, const UnitProfile &unit)
{
    switch (group) {
    case Selector::A:
    case Selector::E:
    case Selector::R:
        return AxisFieldCount;
    case Selector::C:
        return commonValueCount(unit.kind, unit.firmware);
    case Selector::Z:
        return 15;
    case Selector::G:
        return 5;
    case Selector::J:
        return 13;
    }
    return 0;
}

bool groupInUnit(Selector group, ModeSet k, const UnitProfile &unit)
{
    return !isAxis(group) || modeSetAvailable(k, unit.firmware);
}

namespace
{

std::string commandHead(std::string_view keyword, Selector group, ModeSet k)
{
    std::string line(keyword);
    line += ' ';
    line += static_cast<char>(group);
    line += ' ';
    line += static_cast<char>('0' + k);
    return line;
}

} // namespace

std::string readCommandLine(Selector group, ModeSet k)
{
    return commandHead("RROM", group, k) + "\r\n";
}
std::string defaultsCommandLine(Selector axis, ModeSet k)
{
    return commandHead("RDEF", axis, k) + "\r\n";
}

std::string wireHex(std::int16_t value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    const auto u = static_cast<std::uint16_t>(value);
    return {digits[(u >> 12) & 0xF], digits[(u >> 8) & 0xF], digits[(u >> 4) & 0xF], digits[u & 0xF]};
}

std::string writeCommandLine(Selector group, ModeSet k, const std::int16_t *words, int n)
{
    std::string line = commandHead("WROM", group, k);
    for (int i = 0; i < n; ++i) {
        line += ' ';
        line += wireHex(words[i]);
    }
    return line + "\r\n";
}

} // namespace vireo
