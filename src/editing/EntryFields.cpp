#include "editing/EntryFields.h"

#include <algorithm>

namespace vireo
{

std::optional<GainEntryField> gainFieldByEdit(std::string_view editName)
{
    const auto it = std::find_if(GainEntryFields.begin(), GainEntryFields.end(),
                                 [&](const GainEntryField &f) { return f.edit == editName; });
    return it == GainEntryFields.end() ? std::nullopt : std::optional(*it);
}

std::optional<EntryTarget> entryTarget(std::string_view editName, ModeSet modeSet, const MaxTable &limits)
{
    if (editName == PirouGainEdit)
        return EntryTarget{true, 0, modeSet, AxisField::P, PirouGainLimit};
    const std::optional<GainEntryField> field = gainFieldByEdit(editName);
    if (!field)
        return std::nullopt;
    return EntryTarget{false, field->axis, modeSet, axisFieldOf(field->row),
                       limits.limit(field->axis, field->row, modeSet)};
}

} // namespace vireo
