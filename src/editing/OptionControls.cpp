#include "editing/OptionControls.h"

#include <algorithm>

namespace vireo
{

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
