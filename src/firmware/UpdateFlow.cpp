#include "firmware/UpdateFlow.h"

#include "files/FileNames.h"
#include "files/ParameterFile.h"

#include <memory>

namespace vireo
{
namespace
{

const std::string UpdateFileFilter = "firmware|*.dat";

// note: a line appended to the language text (where the backup went)
void showLanguageBox(UpdateFlowHost &host, MsgIcon icon, const std::string &key, const std::string &note = {})
{
    host.dialogs().message({icon, key, host.text(key) + note, Ok, Ok});
}

// Ends the update however the file choice and transfer end, so an exception leaves neither
// polling paused nor the window locked.
class UpdateScope
{
public:
    explicit UpdateScope(UpdateFlowHost &host) : host_(host) { host_.beginUpdate(); }
    ~UpdateScope() { host_.endUpdate(); }
    UpdateScope(const UpdateScope &) = delete;
    UpdateScope &operator=(const UpdateScope &) = delete;

private:
    UpdateFlowHost &host_;
};

enum class Confirmation { Yes, No, Unsuitable };

// Asks before a suitable file is sent (its name and the unit kind it is made for), then backs
// up the unit's values. An unsuitable file goes on to the transfer, which refuses it before
// anything is sent.
Confirmation updateConfirmed(UpdateFlowHost &host, const std::string &fileName, std::string &backupNote)
{
    FirmwareFile file;
    if (!readFirmwareFile(fileName, file) || !firmwareSuitsUnit(file, host.unitKind()))
        return Confirmation::Unsuitable;
    const std::string kind = host.text(host.unitKind() == UnitKind::Kind1 ? "KALMKind1" : "KALMKind2");
    const std::string question =
        fillIn(host.text("UPDConfirmMessage"), {utf8FromPath(pathFromUtf8(fileName).filename()), kind});
    if (host.dialogs().message({MsgIcon::Warning, "UPDConfirmMessage", question, Yes | No, No}) != Yes)
        return Confirmation::No;
    return host.backupBeforeOverwrite(backupNote) ? Confirmation::Yes : Confirmation::No;
}

UpdateOutcome transfer(UpdateFlowHost &host, const std::string &fileName)
{
    auto file = std::make_unique<FirmwareFile>(); // too large for a small stack
    if (!readFirmwareFile(fileName, *file) || !firmwareSuitsUnit(*file, host.unitKind()))
        return UpdateOutcome::FileUnsuitable; // nothing sent, so nothing is said to be running
    host.transferStarted();
    // The transfer reports once per block attempt, a block sent again counting again.
    const std::size_t total = file->flaggedBlockCount();
    std::size_t attempts = 0;
    const TransferEvents events{[&](int position) { host.transferProgress(position, ++attempts, total); },
                                [&host] { host.processEvents(); }};
    return transferFirmware(host.link(), host.unitKind(), *file, events);
}

} // namespace

UpdateFlowEnd runUpdateFlow(UpdateFlowHost &host, const std::optional<std::string> &fileName)
{
    std::optional<UpdateOutcome> outcome;
    std::string backupNote;
    bool declined = false;
    {
        UpdateScope scope(host);
        const auto chosen =
            fileName ? fileName : host.dialogs().openFileName({UpdateFileFilter, {}, FileKind::Firmware});
        const Confirmation confirmed = chosen ? updateConfirmed(host, *chosen, backupNote) : Confirmation::No;
        declined = confirmed == Confirmation::No;
        if (!declined) {
            host.lockForTransfer();
            outcome = transfer(host, *chosen);
        }
    } // the boxes below come with the status line empty
    host.setParamsLoaded(false);

    // Also after a cancelled choice: the unit's firmware and rate may have changed, and only a
    // fresh identification tells which pages and fields apply.
    if (outcome && *outcome != UpdateOutcome::FileUnsuitable)
        host.forgetUnitValues(); // the new firmware may hold other values
    bool found = false;
    if (outcome == UpdateOutcome::Failed) {
        host.clearProgress(); // no half-full bar behind the box
        // Whether the unit still answers decides the one message: the transfer failed, or the
        // link was lost under it. Identification (with its own boxes) follows the message.
        found = host.unitAnswers();
        showLanguageBox(host, MsgIcon::Error, found ? "UPDFailMessage" : "UPDLinkLostMessage", backupNote);
        if (found)
            host.identifyUnit();
    } else {
        if (outcome) {
            const UpdateMessage box = updateMessage(*outcome);
            showLanguageBox(host, box.icon, std::string(box.key), backupNote);
        }
        found = host.findUnitPort();
        if (!found)
            showLanguageBox(host, MsgIcon::Error, "ConnectErrorMessage");
    }
    const UpdateFlowEnd end = declined                             ? UpdateFlowEnd::Declined
                              : outcome == UpdateOutcome::Complete ? UpdateFlowEnd::Completed
                                                                   : UpdateFlowEnd::Failed;
    if (!found) {
        host.disconnectUnit(); // the port is closed: nothing to read
        return UpdateFlowEnd::Failed;
    }
    if (hasApplicationFirmware(host.firmwareVersion())) {
        host.readParameters();
        if (host.link().lost()) {
            host.reportLinkLost(); // the read said nothing of it: one box, and the window lets go
            return UpdateFlowEnd::Failed;
        }
        host.setParamsLoaded(true);
        host.showDefaults();
    }
    return end;
}

} // namespace vireo
