#pragma once
// The firmware update as the user sees it, from the file choice to the read after the
// reconnection: the confirmation (file name and unit kind) and the backup, the transfer with
// its progress, the outcome box, the rediscovery and the read of the parameters. Qt-free; the
// window and vireo-cli supply the operations through UpdateFlowHost, so both run the same flow.
#include "firmware/FirmwareTransfer.h"
#include "link/SerialLink.h"
#include "link/Version.h"
#include "seams/Dialogs.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vireo
{

class UpdateFlowHost
{
public:
    virtual ~UpdateFlowHost() = default;

    virtual Dialogs &dialogs() = 0;
    virtual std::string text(std::string_view key) = 0;
    virtual SerialLink &link() = 0;
    virtual UnitKind unitKind() = 0;
    virtual std::string firmwareVersion() = 0;

    // The update starts (window: polling paused, UPDATE disabled, bar at 0) and ends, however
    // it ends (locked controls free again, the status line cleared).
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;
    // The file is accepted: nothing of the window changes under the transfer.
    virtual void lockForTransfer() = 0;
    // The status line says "updating" (the file was accepted).
    virtual void transferStarted() = 0;
    // After every block attempt: bar position 0..100, attempts so far of total.
    virtual void transferProgress(int position, std::size_t attempts, std::size_t total) = 0;
    virtual void processEvents() = 0;
    virtual void clearProgress() = 0;

    // See the window's members of the same names.
    virtual bool backupBeforeOverwrite(std::string &note) = 0;
    virtual void setParamsLoaded(bool loaded) = 0;
    virtual void forgetUnitValues() = 0;
    // Discovery with identification; true with the unit's port open.
    virtual bool findUnitPort() = 0;
    // Identification on the port discovery left open.
    virtual void identifyUnit() = 0;
    virtual void disconnectUnit() = 0;
    // The read of every record as connecting does it (no dialogs of its own but errors).
    virtual void readParameters() = 0;
    // The unit stopped answering: disconnect and say so.
    virtual void reportLinkLost() = 0;
    virtual void showDefaults() = 0;
    // Discovery without identification or any change to what is shown: does a unit answer?
    virtual bool unitAnswers() = 0;
};

enum class UpdateFlowEnd {
    Declined,  // no file chosen, or the confirmation or backup question not answered yes
    Completed, // the unit took the image and was found again
    Failed     // a box said what went wrong
};

// fileName: the image to send; without one the host's dialogs choose it.
UpdateFlowEnd runUpdateFlow(UpdateFlowHost &host, const std::optional<std::string> &fileName = std::nullopt);

} // namespace vireo
