// The window side of the firmware update: the UPDATE button of the "File Update" group,
// the transfer with its progress bar and boxes, and the reconnection that follows it.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "files/FileNames.h"
#include "files/ParameterFile.h"
#include "firmware/FirmwareTransfer.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>

namespace vireo
{
namespace
{

const std::string UpdateFileFilter = "firmware|*.dat";

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

    // No other flow can start while the transfer runs; the main menu stays usable.
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

bool TForm1::transferFirmware(const std::string &fileName, QProgressBar *bar, const std::string &note)
{
    const TransferEvents events{[bar](int position) { bar->setValue(position); },
                                [this] { clock().processEvents(); }};
    const UpdateOutcome outcome = vireo::transferFirmware(link, unitKind, fileName, events);
    const UpdateMessage box = updateMessage(outcome);
    const std::string key(box.key);
    dialogs().message({box.icon, key, text(QString::fromStdString(key)).toStdString() + note, Ok, Ok});
    return outcome == UpdateOutcome::Complete;
}

void TForm1::FileFirmUpdateButtonClick()
{
    Updating = true;
    control<QWidget>(QStringLiteral("FileFirmUpdateButton"))->setEnabled(false);
    auto *bar = control<QProgressBar>(QStringLiteral("ProgressBar1"));
    bar->setValue(0);
    {
        UpdateControls controls(*this);
        const auto fileName = dialogs().openFileName({UpdateFileFilter, {}});
        std::string backupNote;
        if (fileName && updateConfirmed(*this, *fileName, backupNote)) {
            controls.lock();
            control<QLabel>(QStringLiteral("Label53"))->setText(text(QStringLiteral("UPDFileLabel2")));
            transferFirmware(*fileName, bar, backupNote); // its boxes say how it went
        }
    }
    ParamsLoaded = false;

    // Also after a cancelled choice: the unit's firmware and rate may have changed, and only a
    // fresh identification tells which pages and fields apply.
    forgetUnitValues(); // the new firmware may hold other values
    findUnitPort();
    if (hasApplicationFirmware(FirmwareVersion)) {
        readFlow(false);
        ParamsLoaded = true;
        showDefaults();
    }
}

} // namespace vireo
