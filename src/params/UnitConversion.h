#pragma once
// Conversions between the program's units (what is shown and typed) and the unit's own
// units (what goes over the wire), and the command lines of the parameter blocks. Pure
// integer arithmetic: division truncates toward zero, stored words wrap to 16 bits.
#include "params/ParameterSet.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vireo
{

// Kind and firmware of the connected unit, as identification found them.
struct UnitProfile {
    UnitKind kind = UnitKind::Kind1;
    std::string_view firmware;
};

// ---- Single fields ----------------------------------------------------------------------
std::int16_t hldToUnit(std::int16_t v);
std::int16_t hldFromUnit(std::int16_t u);
// axis is A, E or R: the rudder uses its own CTL scale.
std::int16_t ctlToUnit(Selector axis, std::int16_t v);
std::int16_t ctlFromUnit(Selector axis, std::int16_t u);
std::int16_t acgToUnit(std::int16_t v);
std::int16_t acgFromUnit(std::int16_t u);
std::int16_t acrToUnit(std::int16_t v);
std::int16_t acrFromUnit(std::int16_t u);
std::int16_t pirouGainToUnit(UnitKind kind, std::int16_t v);
std::int16_t pirouGainFromUnit(UnitKind kind, std::int16_t u);
// Channel item index (0 INH, 1 GEAR, 2.. AUX2..) to the unit's channel number and back.
std::int16_t channelToUnit(UnitKind kind, std::int16_t v);
std::int16_t channelFromUnit(std::int16_t u);

// ---- Whole records ----------------------------------------------------------------------
AxisRecord axisToUnit(Selector axis, AxisRecord record);
AxisRecord axisFromUnit(Selector axis, AxisRecord record);
CommonBlock commonToUnit(UnitKind kind, CommonBlock block);
CommonBlock commonFromUnit(UnitKind kind, CommonBlock block);

// ---- Counts and command lines -----------------------------------------------------------

// Number of words a record of this group carries on the wire for this unit.
int groupValueCount(Selector group, const UnitProfile &unit);

// True when the group and mode set exist in this unit (mode set 2 of an axis needs 0.5.0).
bool groupInUnit(Selector group, ModeSet k, const UnitProfile &unit);

// "RROM A 0\r\n", "RDEF R 2\r\n"; k in decimal.
std::string readCommandLine(Selector group, ModeSet k);
std::string defaultsCommandLine(Selector axis, ModeSet k);
// "WROM A 0 0064 ...\r\n": each of the n words as a blank and four upper-case hex digits.
std::string writeCommandLine(Selector group, ModeSet k, const std::int16_t *words, int n);

// Four upper-case hexadecimal digits of the 16-bit two's complement (-1 -> "FFFF").
std::string wireHex(std::int16_t value);

// Reply lengths: a value list of n fields and four more bytes; four bytes after a write.
constexpr std::size_t valueListReplyLength(int n)
{
    return 5 * static_cast<std::size_t>(n) + 5;
}
inline constexpr std::size_t WriteReplyLength = 4;
inline constexpr std::uint32_t BlockTimeoutMs = 5000;

} // namespace vireo
