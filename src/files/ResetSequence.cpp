#include "files/ResetSequence.h"

#include "link/DeviceActions.h"
#include "params/BlockTransfer.h"

namespace vireo
{

ResetOutcome runResetSequence(ResetTarget &target, bool preset)
{
    if (!preset) {
        target.resetUnit();
    } else {
        for (Selector axis : AxisSelectors)
            for (ModeSet k = 0; k < ModeSetCount; ++k)
                target.writeGroup(axis, k);
        for (Selector block : {Selector::C, Selector::Z, Selector::G, Selector::J})
            target.writeGroup(block, 0);
    }
    target.waitWithEvents(ResetSettleMs);

    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k) {
            target.processEvents();
            if (!target.readGroup(axis, k))
                return ResetOutcome::ReadFailed;
            target.stepProgress(ResetProgressStep);
        }

    target.waitWithEvents(ResetReadBackHoldMs);
    target.closeProgress();
    target.readGroup(Selector::C, 0);
    return ResetOutcome::Completed;
}

bool LinkResetTarget::resetUnit()
{
    return vireo::resetUnit(link_);
}

bool LinkResetTarget::writeGroup(Selector s, ModeSet k)
{
    return vireo::writeGroup(link_, unit_, s, k, work_);
}

bool LinkResetTarget::readGroup(Selector s, ModeSet k)
{
    return vireo::readGroup(link_, unit_, s, k, work_);
}

} // namespace vireo
