#include "editing/OptionControls.h"

#include <algorithm>

namespace vireo
{

std::int16_t deadBandCode(UnitKind kind, int button)
{
    const auto &codes = kind == UnitKind::Kind1 ? DeadBandCodesKind1 : DeadBandCodesKind2;
    return codes.at(static_cast<std::size_t>(button));
}

std::optional<int> deadBandButton(std::int16_t code)
{
    for (int button = 0; button < static_cast<int>(DeadBandCodesKind1.size()); ++button)
        if (DeadBandCodesKind1[button] == code || DeadBandCodesKind2[button] == code)
            return button;
    return std::nullopt;
}

ChannelChoice gainChannelChoice(int newIndex, int conditionIndex)
{
    if (newIndex != NoChannel && newIndex == conditionIndex)
        return {false, "GASChErrorMessage1"};
    return {};
}

ChannelChoice conditionChannelChoice(int newIndex, const std::array<int, 3> &gainIndices)
{
    if (newIndex != NoChannel &&
        std::find(gainIndices.begin(), gainIndices.end(), newIndex) != gainIndices.end())
        return {false, "GASChErrorMessage2"};
    return {};
}

} // namespace vireo
