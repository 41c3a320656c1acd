#include "params/ParameterFlows.h"

#include "seams/ConversionError.h"

namespace vireo
{

namespace
{

// Returns false at the first record that failed.
template <class Transfer> bool forEachAxisRecord(Transfer &&transfer)
{
    for (Selector axis : AxisSelectors)
        for (ModeSet k = 0; k < ModeSetCount; ++k)
            if (!transfer(axis, k))
                return false;
    return true;
}

void readSteps(ParameterFlowHost &host, bool ask)
{
    if (!forEachAxisRecord([&](Selector axis, ModeSet k) { return host.readGroup(axis, k); })) {
        host.showMessage(flowDialog(FlowMessage::ReadError));
        return;
    }
    host.readGroup(Selector::C, 0);
    host.applyAxisMode();
    host.takeUnitCopy();
    host.showParameters();
    host.showDefaults();
    if (ask)
        host.showMessage(flowDialog(FlowMessage::ReadComplete));
}

// Returns with the progress window closed.
void writeSteps(ParameterFlowHost &host)
{
    const bool recordsWritten = forEachAxisRecord([&](Selector axis, ModeSet k) {
        host.processEvents();
        if (!host.writeGroup(axis, k))
            return false;
        host.stepProgress(AxisRecordProgressStep);
        return true;
    });
    if (!recordsWritten || !host.writeGroup(Selector::C, 1)) {
        host.showMessage(flowDialog(FlowMessage::WriteError));
        host.closeProgress();
        return;
    }
    host.stepProgress(CommonBlockProgressStep);
    host.closeProgress();
    host.applyAxisMode();
    host.takeUnitCopy();
    host.showParameters();
    host.showMessage(flowDialog(FlowMessage::WriteComplete));
}

} // namespace

void runReadFlow(ParameterFlowHost &host, bool ask)
{
    if (ask && host.showMessage(flowDialog(FlowMessage::ReadQuestion)) == Yes)
        host.saveParameterFile(); // the read goes on whatever the save did
    host.setReadWriteEnabled(false);
    try {
        readSteps(host, ask);
    } catch (const ConversionError &e) {
        host.reportConversionError(e.what());
    }
    host.endOfMainFlow();
}

void runWriteFlow(ParameterFlowHost &host)
{
    if (host.showMessage(flowDialog(FlowMessage::WriteConfirmation)) == Yes) {
        host.setReadWriteEnabled(false);
        host.showProgress();
        try {
            writeSteps(host);
        } catch (const ConversionError &e) {
            host.closeProgress();
            host.reportConversionError(e.what());
        }
    }
    host.endOfMainFlow();
}

void runWriteCommonFlow(ParameterFlowHost &host)
{
    if (!host.connected())
        return;
    host.showProgress();
    host.processEvents();
    try {
        if (!host.writeGroup(Selector::C, 1)) {
            host.showMessage(flowDialog(FlowMessage::WriteError));
            host.closeProgress();
            return;
        }
        host.stepProgress(100);
        host.processEvents();
        host.waitWithEvents(CommonWriteHoldMs);
        host.closeProgress();
        host.showParameters();
        host.showMessage(flowDialog(FlowMessage::WriteComplete));
    } catch (const ConversionError &e) {
        host.closeProgress();
        host.reportConversionError(e.what());
    }
}

} // namespace vireo
