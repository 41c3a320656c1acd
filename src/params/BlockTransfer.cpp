#include "params/BlockTransfer.h"

#include "seams/ConversionError.h"

#include <algorithm>

namespace vireo
{

void parseAllFields(const SerialLink &link, int n, std::int16_t *dest)
{
    const auto &buffer = link.ReplyBuffer();
    for (int i = 0; i < n; ++i) {
        const std::size_t offset = static_cast<std::size_t>(i) * 5;
        std::string_view field(reinterpret_cast<const char *>(buffer.data() + offset),
                               std::min<std::size_t>(5, buffer.size() - offset));
        field = field.substr(0, std::min(field.size(), field.find('\0')));
        // A field without its separator is as garbled as one with a stray character; letting it
        // through would commit a value that never came from the unit.
        if (!parseValueField(field, dest[i]))
            throw ConversionError("'" + std::string(field) + "' is not a valid value field");
    }
}

namespace
{

// Fields the firmware does not carry hold fixed values after every common block read.
void setUncarriedCommonFields(const UnitProfile &unit, CommonBlock &c)
{
    if (unit.kind == UnitKind::Kind1 && versionLess(unit.firmware, " 1.0.5")) {
        c.PirouUse() = 0;
        c.PirouDir() = 0;
        c.PirouGain() = 0;
        c.ERingOff() = 1;
    }
    if (unit.kind == UnitKind::Kind2 && !versionGreater(unit.firmware, " 0.2.5"))
        c.RxKind() = 0;
}

bool exchangeLine(SerialLink &link, const std::string &line, std::size_t replyLength)
{
    return link.exchange(line, replyLength, BlockTimeoutMs);
}

} // namespace

namespace
{

// The exchange of a read and the parse of its reply into a scratch record; the record's origin
// is Unknown unless both succeed, so a failed read never leaves values that pass for the unit's.
template <class Record>
bool readRecord(SerialLink &link, const std::string &line, int n, Record &fresh, Origin &origin)
{
    origin = Origin::Unknown;
    if (!exchangeLine(link, line, valueListReplyLength(n)))
        return false;
    parseAllFields(link, n, fresh.words.data());
    return true;
}

} // namespace

bool readGroup(SerialLink &link, const UnitProfile &unit, Selector group, ModeSet k, ParameterSet &work)
{
    if (!groupInUnit(group, k, unit))
        return true;
    const int n = groupValueCount(group, unit);
    Origin &origin = work.origins.of(group, k);
    if (group == Selector::C) {
        setUncarriedCommonFields(unit, work.common);
        CommonBlock fresh{};
        if (!readRecord(link, readCommandLine(group, k), n, fresh, origin))
            return false;
        setUncarriedCommonFields(unit, fresh);
        work.common = commonFromUnit(unit.kind, fresh);
        origin = Origin::Unit;
        return true;
    }
    if (!isAxis(group))
        return false; // preset blocks are never read from the unit
    AxisRecord fresh{};
    if (!readRecord(link, readCommandLine(group, k), n, fresh, origin))
        return false;
    work.axis(group, k) = axisFromUnit(group, fresh);
    origin = Origin::Unit;
    return true;
}

bool readDefaults(SerialLink &link, Selector axis, ModeSet k, AxisRecordTable &def)
{
    RecordKnown known{};
    return readDefaults(link, axis, k, def, known);
}

bool readDefaults(SerialLink &link, Selector axis, ModeSet k, AxisRecordTable &def, RecordKnown &known)
{
    if (!isAxis(axis))
        return false;
    const auto a = static_cast<std::size_t>(axisIndex(axis));
    const auto m = static_cast<std::size_t>(k);
    known[a][m] = false;
    if (!exchangeLine(link, defaultsCommandLine(axis, k), valueListReplyLength(AxisFieldCount)))
        return false;
    AxisRecord fresh{};
    parseAllFields(link, AxisFieldCount, fresh.words.data());
    def[a][m] = axisFromUnit(axis, fresh);
    known[a][m] = true;
    return true;
}

bool writeGroup(SerialLink &link, const UnitProfile &unit, Selector group, ModeSet k, ParameterSet &work)
{
    if (!groupInUnit(group, k, unit))
        return true;
    // A record with no trustworthy values is never sent, whoever asks.
    if (!work.origins.known(group, k))
        return false;
    const int n = groupValueCount(group, unit);
    std::string line;
    switch (group) {
    case Selector::A:
    case Selector::E:
    case Selector::R:
        line = writeCommandLine(group, k, axisToUnit(group, work.axis(group, k)).words.data(), n);
        break;
    case Selector::C:
        line = writeCommandLine(group, 1, commonToUnit(unit.kind, work.common).words.data(), n);
        break;
    case Selector::Z:
        line = writeCommandLine(group, 0, work.z.words.data(), n);
        break;
    case Selector::G:
        line = writeCommandLine(group, 0, work.g.words.data(), n);
        break;
    case Selector::J:
        line = writeCommandLine(group, 0, work.j.words.data(), n);
        break;
    }
    // Only the unit's "OK" says the record is stored; "NG", noise or a short answer do not.
    if (!exchangeLine(link, line, WriteReplyLength) || link.replyText() != WriteAcknowledgement)
        return false;
    work.origins.of(group, k) = Origin::Unit;
    return true;
}

void readAllDefaults(SerialLink &link, const UnitProfile &unit, ParameterSet &work, AxisRecordTable &def)
{
    RecordKnown known{};
    readAllDefaults(link, unit, work, def, known);
}

void readAllDefaults(SerialLink &link, const UnitProfile &unit, ParameterSet &work, AxisRecordTable &def,
                     RecordKnown &known)
{
    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k)
            readDefaults(link, axis, k, def, known);
    readGroup(link, unit, Selector::C, 0, work);
}

} // namespace vireo
