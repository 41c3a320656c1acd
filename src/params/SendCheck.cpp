#include "params/SendCheck.h"

namespace vireo
{

std::vector<RecordRef> mainWriteRecords()
{
    std::vector<RecordRef> records;
    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k)
            records.push_back({axis, k});
    records.push_back({Selector::C, 1});
    return records;
}

std::vector<RecordRef> presetWriteRecords()
{
    std::vector<RecordRef> records = mainWriteRecords();
    for (Selector block : {Selector::Z, Selector::G, Selector::J})
        records.push_back({block, 0});
    return records;
}

namespace
{

struct CommonLimit {
    CommonField field;
    std::int16_t max;
};
// The common fields the window limits: the pirouette gain as typed, the channels by their
// items.
constexpr std::array<CommonLimit, 6> CommonLimits = {{
    {CommonField::PirouGain, PirouGainLimit},
    {CommonField::RudGainCh, ChannelItemCount - 1},
    {CommonField::AilGainCh, ChannelItemCount - 1},
    {CommonField::EleGainCh, ChannelItemCount - 1},
    {CommonField::AuxOutCh, ChannelItemCount - 1},
    {CommonField::CondCh, ChannelItemCount - 1},
}};

void checkAxis(const ParameterSet &work, const RecordRef &r, std::vector<FieldOutOfLimits> &out)
{
    static constexpr MaxTableType Limits = makeMaxTable();
    const int axis = axisIndex(r.group);
    const AxisRecord &record = work.axis(r.group, r.k);
    for (int f = 0; f < LimitFieldCount; ++f) {
        const AxisField field = LimitFieldAxisField[static_cast<std::size_t>(f)];
        const std::int16_t max = Limits[static_cast<std::size_t>(axis)][static_cast<std::size_t>(f)]
                                       [static_cast<std::size_t>(r.k)];
        const std::int16_t v = record[field];
        if (v < 0 || v > max)
            out.push_back({r, AxisFields[static_cast<std::size_t>(field)].name, v, 0, max});
    }
}

void checkCommon(const ParameterSet &work, const UnitProfile &unit, const RecordRef &r,
                 std::vector<FieldOutOfLimits> &out)
{
    for (const CommonLimit &l : CommonLimits) {
        if (!commonFieldCarried(l.field, unit.kind, unit.firmware))
            continue;
        const std::int16_t v = work.common[l.field];
        if (v < 0 || v > l.max)
            out.push_back({r, CommonFields[static_cast<std::size_t>(l.field)].name, v, 0, l.max});
    }
}

} // namespace

SendCheck checkBeforeSend(const ParameterSet &work, const UnitProfile &unit,
                          std::span<const RecordRef> records)
{
    SendCheck check;
    for (const RecordRef &r : records) {
        if (!groupInUnit(r.group, r.k, unit))
            continue;
        if (!work.origins.known(r.group, r.k)) {
            check.unknown.push_back(r);
            continue;
        }
        if (isAxis(r.group))
            checkAxis(work, r, check.outOfLimits);
        else if (r.group == Selector::C)
            checkCommon(work, unit, r, check.outOfLimits);
    }
    return check;
}

namespace
{

constexpr std::array<std::string_view, AxisCount> AxisNameKeys = {"SafeRecordAileron", "SafeRecordElevator",
                                                                  "SafeRecordRudder"};
constexpr std::array<std::string_view, ModeSetCount> ModeSetNameKeys = {"SafeRecordMode0", "SafeRecordMode1",
                                                                        "SafeRecordExtra"};

// The field's caption ("P gain", "Pirouette gain") where the language file has one, else the
// field's own name.
std::string fieldName(const TextOf &text, const FieldOutOfLimits &f)
{
    const std::string caption = text("SafeField" + std::string(f.field));
    return caption.empty() ? std::string(f.field) : caption;
}

} // namespace

std::string recordName(const TextOf &text, const RecordRef &record)
{
    if (isAxis(record.group))
        return text(AxisNameKeys[static_cast<std::size_t>(axisIndex(record.group))]) + " " +
               text(ModeSetNameKeys[static_cast<std::size_t>(record.k)]);
    switch (record.group) {
    case Selector::C:
        return text("SafeRecordOptions");
    default:
        return text("SafeRecordPresetBlock") + " " + static_cast<char>(record.group);
    }
}

std::string recordList(const TextOf &text, std::span<const RecordRef> records)
{
    std::string list;
    for (const RecordRef &r : records) {
        if (!list.empty())
            list += ", ";
        list += recordName(text, r);
    }
    return list;
}

std::string refusalText(const TextOf &text, const SendCheck &check)
{
    std::string out;
    if (!check.unknown.empty())
        out += text("SafeUnknownRecordsMessage") + "\n" + recordList(text, check.unknown);
    if (!check.outOfLimits.empty()) {
        if (!out.empty())
            out += "\n\n";
        out += text("SafeOutOfLimitsMessage");
        for (const FieldOutOfLimits &f : check.outOfLimits)
            out += "\n" + recordName(text, f.record) + " " + fieldName(text, f) + " = " +
                   std::to_string(f.value) + " (" + std::to_string(f.min) + "-" + std::to_string(f.max) + ")";
    }
    return out;
}

} // namespace vireo
