#include "files/ResetSequence.h"

#include "link/DeviceActions.h"
#include "params/BlockTransfer.h"

namespace vireo
{

ResetResult runResetSequence(ResetTarget &target, bool preset)
{
    ResetResult result;
    if (!preset) {
        // Whatever RESET did, the window's copy of the unit's values is out of date.
        const bool reset = target.resetUnit();
        target.forgetUnitValues();
        if (!reset) {
            result.outcome = ResetOutcome::ResetFailed;
            return result;
        }
    } else {
        result.refusal = target.checkPreset();
        if (!result.refusal.ok()) {
            result.outcome = ResetOutcome::Refused;
            return result;
        }
        for (const RecordRef &r : presetWriteRecords())
            if (!target.writeGroup(r.group, r.k)) {
                result.outcome = ResetOutcome::WriteFailed;
                result.failedWrite = r;
                return result;
            }
    }
    target.waitWithEvents(ResetSettleMs);

    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k) {
            target.processEvents();
            if (!target.readGroup(axis, k)) {
                result.outcome = ResetOutcome::ReadFailed;
                return result;
            }
            target.stepProgress(ResetProgressStep);
        }

    target.waitWithEvents(ResetReadBackHoldMs);
    target.closeProgress();
    if (!target.readGroup(Selector::C, 0))
        result.outcome = ResetOutcome::CommonReadFailed;
    return result;
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

SendCheck LinkResetTarget::checkPreset()
{
    const std::vector<RecordRef> records = presetWriteRecords();
    return checkBeforeSend(work_, unit_, records);
}

} // namespace vireo
