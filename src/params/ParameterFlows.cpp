#include "params/ParameterFlows.h"

#include "seams/ConversionError.h"

#include <vector>

namespace vireo
{

namespace
{

std::vector<RecordRef> mainReadRecords()
{
    std::vector<RecordRef> records = mainWriteRecords();
    records.back().k = 0; // the common block is read as number 0 and written as 1
    return records;
}

// The records of the list from position i on that this unit has.
std::vector<RecordRef> inUnitFrom(ParameterFlowHost &host, const std::vector<RecordRef> &records,
                                  std::size_t i)
{
    const UnitProfile unit = host.unitProfile();
    std::vector<RecordRef> out;
    for (; i < records.size(); ++i)
        if (groupInUnit(records[i].group, records[i].k, unit))
            out.push_back(records[i]);
    return out;
}

enum class ReadEnd { Complete, Failed, Garbled };

ReadEnd readSteps(ParameterFlowHost &host)
{
    const std::vector<RecordRef> records = mainReadRecords();
    std::size_t done = 0;
    ReadEnd end = ReadEnd::Complete;
    try {
        for (; done < records.size(); ++done)
            if (!host.readGroup(records[done].group, records[done].k)) {
                end = ReadEnd::Failed;
                break;
            }
    } catch (const ConversionError &) {
        end = ReadEnd::Garbled;
    }
    // Nothing read before this flow may pass for what the unit holds now.
    for (std::size_t i = done; i < records.size(); ++i)
        host.workValues().origins.of(records[i].group, records[i].k) = Origin::Unknown;
    return end;
}

MsgButton refuse(ParameterFlowHost &host, const SendCheck &check)
{
    const FlowDialog &d = flowDialog(FlowMessage::WriteRefused);
    const TextOf text = [&host](std::string_view key) { return host.text(key); };
    return host.showMessage(d, host.text(d.key) + "\n\n" + refusalText(text, check));
}

// The write error (or the lost link); after a partial write it names what reached the unit
// and what did not.
void writeError(ParameterFlowHost &host, const std::vector<RecordRef> &records, std::size_t failed)
{
    const bool lost = host.linkLost();
    const FlowDialog &d = flowDialog(lost ? FlowMessage::LinkLost : FlowMessage::WriteError);
    std::string shown = host.text(d.key);
    const TextOf text = [&host](std::string_view key) { return host.text(key); };
    std::vector<RecordRef> written = inUnitFrom(host, records, 0);
    const std::vector<RecordRef> notWritten = inUnitFrom(host, records, failed);
    written.resize(written.size() - notWritten.size());
    if (!written.empty())
        shown += "\n\n" + host.text("SafeWrittenRecords") + "\n" + recordList(text, written) + "\n\n" +
                 host.text("SafeNotWrittenRecords") + "\n" + recordList(text, notWritten);
    host.showMessage(d, shown);
    if (lost)
        host.disconnect();
}

// A write whose answer cannot even be read is as failed as one that got none.
bool writeAcknowledged(ParameterFlowHost &host, const RecordRef &r)
{
    try {
        return host.writeGroup(r.group, r.k);
    } catch (const ConversionError &) {
        return false;
    }
}

// Returns with the progress window closed.
void writeSteps(ParameterFlowHost &host)
{
    const std::vector<RecordRef> records = mainWriteRecords();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordRef &r = records[i];
        const bool axis = isAxis(r.group);
        if (axis)
            host.processEvents();
        if (!writeAcknowledged(host, r)) {
            host.closeProgress();
            // The records the unit acknowledged are what it holds now; the one that got no
            // good answer may or may not have been stored.
            host.takeUnitCopy();
            if (axis)
                host.forgetUnitCopy(r.group, r.k);
            host.showParameters();
            writeError(host, records, i);
            return;
        }
        host.stepProgress(axis ? AxisRecordProgressStep : CommonBlockProgressStep);
    }
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
    const ReadEnd end = readSteps(host);
    if (end == ReadEnd::Complete)
        host.applyAxisMode();
    host.takeUnitCopy();
    host.showParameters();
    host.showDefaults();
    if (end == ReadEnd::Failed && host.linkLost()) {
        if (ask) {
            host.showMessage(flowDialog(FlowMessage::LinkLost));
            host.disconnect();
        }
    } else if (end == ReadEnd::Failed)
        host.showMessage(flowDialog(FlowMessage::ReadError));
    else if (end == ReadEnd::Garbled)
        host.showMessage(flowDialog(FlowMessage::ReadGarbled));
    else if (ask)
        host.showMessage(flowDialog(FlowMessage::ReadComplete));
    host.endOfMainFlow();
}

void runWriteFlow(ParameterFlowHost &host)
{
    const std::vector<RecordRef> records = mainWriteRecords();
    const SendCheck check = checkBeforeSend(host.workValues(), host.unitProfile(), records);
    if (!check.ok())
        refuse(host, check);
    else if (host.showMessage(flowDialog(FlowMessage::WriteConfirmation)) == Yes) {
        host.setReadWriteEnabled(false);
        host.showProgress();
        writeSteps(host);
    }
    host.endOfMainFlow();
}

void runWriteCommonFlow(ParameterFlowHost &host)
{
    if (!host.connected())
        return;
    const RecordRef common[] = {{Selector::C, 1}};
    const SendCheck check = checkBeforeSend(host.workValues(), host.unitProfile(), common);
    if (!check.ok()) {
        refuse(host, check);
        return;
    }
    host.showProgress();
    host.processEvents();
    if (!writeAcknowledged(host, common[0])) {
        host.closeProgress();
        writeError(host, {common[0]}, 0);
        return;
    }
    host.stepProgress(100);
    host.processEvents();
    host.waitWithEvents(CommonWriteHoldMs);
    host.closeProgress();
    host.showParameters();
    host.showMessage(flowDialog(FlowMessage::WriteComplete));
}

void takeUnitCopy(const ParameterSet &work, AxisRecordTable &cur, RecordKnown &curKnown)
{
    for (int a = 0; a < AxisCount; ++a)
        for (int k = 0; k < ModeSetCount; ++k) {
            const Origin origin = work.origins.axes[a][k];
            if (origin == Origin::Unit) {
                cur[a][k] = work.axes[a][k];
                curKnown[a][k] = true;
            } else if (origin == Origin::Unknown) {
                curKnown[a][k] = false;
            }
        }
}

void forgetUnitValues(ParameterSet &work, RecordKnown &curKnown, RecordKnown &defKnown)
{
    work.origins.forget(Origin::Unit);
    curKnown = {};
    defKnown = {};
}

} // namespace vireo
