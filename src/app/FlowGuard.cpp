#include "app/FlowGuard.h"

#include <algorithm>

namespace vireo
{

bool FlowGuard::begin(Flow f)
{
    if (running_)
        return false;
    running_ = f;
    return true;
}

bool FlowGuard::end()
{
    running_.reset();
    const bool close = closePending_;
    closePending_ = false;
    return close;
}

CloseStep closeStep(std::optional<Flow> running, bool unwrittenEdits)
{
    // Stopping a transfer leaves the unit with half an image and only its loader: the update
    // is let finish (its retries bound it), with the window on screen, and the close follows.
    if (running == Flow::FirmwareUpdate)
        return CloseStep::AskToFinish;
    if (running)
        return CloseStep::CloseWhenDone;
    return unwrittenEdits ? CloseStep::AskUnwritten : CloseStep::Close;
}

bool hasUnwrittenEdits(const RecordOrigins &origins)
{
    const auto user = [](Origin o) { return o == Origin::User; };
    return std::any_of(origins.axes.begin(), origins.axes.end(),
                       [&](const auto &sets) { return std::any_of(sets.begin(), sets.end(), user); }) ||
           user(origins.common) || user(origins.z) || user(origins.g) || user(origins.j);
}

} // namespace vireo
