// The window side of the firmware update: the UPDATE button of the "File Update" group,
// the transfer with its progress bar and boxes, and the reconnection that follows it. The
// button's flow (BusyFlow) keeps every other flow out from the file choice to the read after
// the reconnection.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "files/FileNames.h"
#include "files/ParameterFile.h"
#include "firmware/FirmwareTransfer.h"
#include "link/Discovery.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>

#include <memory>
#include <optional>

namespace vireo
{
namespace
{

const std::string UpdateFileFilter = "firmware|*.dat";

// note: a line appended to the language text (where the backup went)
void showLanguageBox(TForm1 &form, MsgIcon icon, const std::string &key, const std::string &note = {})
{
    form.dialogs().message({icon, key, form.text(QString::fromStdString(key)).toStdString() + note, Ok, Ok});
}

// Gives the controls and the pause flag back however the file choice and transfer end, so an
// exception leaves neither polling paused nor the window locked.
class UpdateControls
{
public:
    explicit UpdateControls(TForm1 &form) : form_(form) {}
    ~UpdateControls()
    {
        if (locked_) {
            form_.control<QWidget>(QStringLiteral("ConnectSpeedButton"))->setEnabled(true);
            form_.PageControl1->setEnabled(true);
        }
        form_.control<QWidget>(QStringLiteral("FileFirmUpdateButton"))->setEnabled(true);
        form_.control<QLabel>(QStringLiteral("Label53"))->clear();
        form_.Updating = false;
    }
    UpdateControls(const UpdateControls &) = delete;
    UpdateControls &operator=(const UpdateControls &) = delete;

    // Nothing of the window changes under the transfer; the flow's BusyFlow keeps the other
    // flows and the menu's dialogs out.
    void lock()
    {
        form_.PageControl1->setEnabled(false);
        form_.control<QWidget>(QStringLiteral("ConnectSpeedButton"))->setEnabled(false);
        locked_ = true;
    }

private:
    TForm1 &form_;
    bool locked_ = false;
};

// Asks before a suitable file is sent (its name and the unit kind it is made for), then backs
// up the unit's values. True to start the transfer; an unsuitable file goes on to the
// transfer, which refuses it with its own box before anything is sent.
bool updateConfirmed(TForm1 &form, const std::string &fileName, std::string &backupNote)
{
    FirmwareFile file;
    if (!readFirmwareFile(fileName, file) || !firmwareSuitsUnit(file, form.unitKind))
        return true;
    const QString kind = form.text(form.unitKind == UnitKind::Kind1 ? QStringLiteral("KALMKind1")
                                                                    : QStringLiteral("KALMKind2"));
    const std::string question =
        fillIn(form.text(QStringLiteral("UPDConfirmMessage")).toStdString(),
               {utf8FromPath(pathFromUtf8(fileName).filename()), kind.toStdString()});
    if (form.dialogs().message({MsgIcon::Warning, "UPDConfirmMessage", question, Yes | No, No}) != Yes)
        return false;
    return form.backupBeforeOverwrite(backupNote);
}

} // namespace

UpdateOutcome TForm1::transferFirmware(const std::string &fileName, QProgressBar *bar)
{
    auto file = std::make_unique<FirmwareFile>(); // too large for a small stack
    if (!readFirmwareFile(fileName, *file) || !firmwareSuitsUnit(*file, unitKind))
        return UpdateOutcome::FileUnsuitable; // nothing sent, so nothing is said to be running
    control<QLabel>(QStringLiteral("Label53"))->setText(text(QStringLiteral("UPDFileLabel2")));
    const TransferEvents events{[bar](int position) { bar->setValue(position); },
                                [this] { clock().processEvents(); }};
    return vireo::transferFirmware(link, unitKind, *file, events);
}

void TForm1::FileFirmUpdateButtonClick()
{
    Updating = true;
    control<QWidget>(QStringLiteral("FileFirmUpdateButton"))->setEnabled(false);
    auto *bar = control<QProgressBar>(QStringLiteral("ProgressBar1"));
    bar->setValue(0);
    std::optional<UpdateOutcome> outcome;
    std::string backupNote;
    {
        UpdateControls controls(*this);
        const auto fileName = dialogs().openFileName({UpdateFileFilter, {}, FileKind::Firmware});
        if (fileName && updateConfirmed(*this, *fileName, backupNote)) {
            controls.lock();
            outcome = transferFirmware(*fileName, bar);
        }
    } // the boxes below come with the status line empty
    ParamsLoaded = false;

    // Also after a cancelled choice: the unit's firmware and rate may have changed, and only a
    // fresh identification tells which pages and fields apply.
    if (outcome && *outcome != UpdateOutcome::FileUnsuitable)
        forgetUnitValues(); // the new firmware may hold other values
    bool found = false;
    if (outcome == UpdateOutcome::Failed) {
        bar->setValue(0); // no half-full bar behind the box
        // Whether the unit still answers decides the one message: the transfer failed, or the
        // link was lost under it. Identification (with its own boxes) follows the message.
        found = vireo::findUnitPort(link, services().ports, nullptr).has_value();
        showLanguageBox(*this, MsgIcon::Error, found ? "UPDFailMessage" : "UPDLinkLostMessage", backupNote);
        if (found)
            identifyUnit();
    } else {
        if (outcome) {
            const UpdateMessage box = updateMessage(*outcome);
            showLanguageBox(*this, box.icon, std::string(box.key), backupNote);
        }
        found = findUnitPort().has_value();
        if (!found)
            showLanguageBox(*this, MsgIcon::Error, "ConnectErrorMessage");
    }
    if (!found) {
        disconnectUnit(); // the port is closed: nothing to read
        return;
    }
    if (hasApplicationFirmware(FirmwareVersion)) {
        readFlow(false);
        if (link.lost()) {
            linkLost(); // the read said nothing of it: one box, and the window lets go
            return;
        }
        ParamsLoaded = true;
        showDefaults();
    }
}

} // namespace vireo
