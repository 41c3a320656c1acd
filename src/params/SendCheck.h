#pragma once
// What may be sent to the unit. A record goes out only when its values are known (read from
// the unit, loaded from a file or preset, or set by the user) and every field the window
// limits on typing lies within its limits; a value from a damaged or hand-made file that the
// window would never accept is refused by name instead of going out wrapped to 16 bits.
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vireo
{

// One record of the parameter set by its wire selector (mode set k counts for the axes only).
struct RecordRef {
    Selector group;
    ModeSet k = 0;
    bool operator==(const RecordRef &) const = default;
};

// The records of a WRITE in the order they are sent: A, E, R by mode set, then C.
std::vector<RecordRef> mainWriteRecords();
// The records of a preset reset in the order they are sent: the WRITE records, then Z, G, J.
std::vector<RecordRef> presetWriteRecords();

struct FieldOutOfLimits {
    RecordRef record;
    std::string_view field; // field name of the parameter set ("P", "PirouGain", ...)
    std::int16_t value;
    std::int16_t min;
    std::int16_t max;
    bool operator==(const FieldOutOfLimits &) const = default;
};

struct SendCheck {
    std::vector<RecordRef> unknown;            // records with no trustworthy values
    std::vector<FieldOutOfLimits> outOfLimits; // known records with a field beyond its limits
    bool ok() const { return unknown.empty() && outOfLimits.empty(); }
};

// Checks the records that would be sent to this unit; records the unit does not have (mode
// set 2 before firmware 0.5.0) are not sent and not checked.
SendCheck checkBeforeSend(const ParameterSet &work, const UnitProfile &unit,
                          std::span<const RecordRef> records);

// The window's language text of a key.
using TextOf = std::function<std::string(std::string_view key)>;

// "Aileron MODE1", "Rudder EXTRA", or the option settings' name, in the window's language.
std::string recordName(const TextOf &text, const RecordRef &record);
// Record names joined by ", ".
std::string recordList(const TextOf &text, std::span<const RecordRef> records);
// The refusal of a send: which records are not known and which fields are beyond limits.
std::string refusalText(const TextOf &text, const SendCheck &check);

} // namespace vireo
