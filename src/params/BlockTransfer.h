#pragma once
// Moving parameter records between the working copies and the unit: RROM, WROM and RDEF over
// the link's one exchange primitive, with the unit conversions applied on the way.
//
// A read commits to its destination only a reply that was received whole and parsed field by
// field; a short or silent reply returns false and a garbled one throws ConversionError, and in
// both cases the destination keeps its previous values.
#include "link/SerialLink.h"
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"

namespace vireo
{

// RROM of an axis record (mode set k) or of the common block (k = 0) into work; its origin
// becomes Unit on success and Unknown on any failure, garbled replies included. Mode set 2 of
// an axis on firmware before 0.5.0 succeeds without sending. Fields a firmware does not carry
// are set to fixed values (Kind1 before 1.0.5: no pirouette, no E-ring; Kind2 up to 0.2.5:
// receiver kind 0), whether the exchange succeeds or not.
bool readGroup(SerialLink &link, const UnitProfile &unit, Selector group, ModeSet k, ParameterSet &work);

// RDEF of one axis record into def; sent for every mode set whatever the firmware. known
// tells afterwards whether the record holds the unit's standard values.
bool readDefaults(SerialLink &link, Selector axis, ModeSet k, AxisRecordTable &def, RecordKnown &known);
bool readDefaults(SerialLink &link, Selector axis, ModeSet k, AxisRecordTable &def);

// WROM of a record of work (converted copy; the values are never changed). The number sent is
// k for an axis, 1 for the common block and 0 for a preset block. Mode set 2 of an axis on
// firmware before 0.5.0 succeeds without sending. A record whose origin is Unknown is not sent
// (false). Success needs the unit's "OK\r\n"; the record's origin then becomes Unit.
bool writeGroup(SerialLink &link, const UnitProfile &unit, Selector group, ModeSet k, ParameterSet &work);

// The unit's answer to a write it stored.
inline constexpr std::string_view WriteAcknowledgement = "OK\r\n";

// Standard values of every axis and mode set, then the common block; results are ignored.
void readAllDefaults(SerialLink &link, const UnitProfile &unit, ParameterSet &work, AxisRecordTable &def,
                     RecordKnown &known);
void readAllDefaults(SerialLink &link, const UnitProfile &unit, ParameterSet &work, AxisRecordTable &def);

// Parses n value-list fields from the link's reply buffer into dest. Throws ConversionError
// when a field is not hexadecimal or has no separator; dest is then partly written, so callers
// parse into a scratch record.
void parseAllFields(const SerialLink &link, int n, std::int16_t *dest);

} // namespace vireo
