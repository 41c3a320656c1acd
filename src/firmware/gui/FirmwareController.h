#pragma once
// The window side of the firmware update: the UPDATE button of the "File Update" group runs
// the update flow (firmware/UpdateFlow.h) with the window's progress bar, status line and
// boxes. The button's flow (BusyFlow) keeps every other flow out from the file choice to the
// read after the reconnection.
#include "app/gui/WindowShell.h"
#include "params/UnitConversion.h"

#include <optional>
#include <string>

class QAbstractButton;
class QLabel;
class QProgressBar;

namespace vireo
{

class SerialLink;

// The controls the firmware controller uses, by their layout names.
struct FirmwareView {
    QAbstractButton *FileFirmUpdateButton = nullptr;
    QAbstractButton *ConnectSpeedButton = nullptr;
    QLabel *Label53 = nullptr; // the update's status line
    QProgressBar *ProgressBar1 = nullptr;

    static FirmwareView find(const WindowShell &shell);
};

// What the firmware update needs of the other subsystems: the link to the unit, the backup
// before the unit's values are overwritten, and the reconnection with its read afterwards.
class FirmwareWindow
{
public:
    virtual SerialLink &unitLink() = 0;
    virtual UnitProfile unitProfile() const = 0;
    virtual bool backupBeforeOverwrite(std::string &note) = 0;
    virtual void forgetUnitValues() = 0;
    virtual std::optional<std::string> findUnitPort() = 0;
    virtual bool identifyUnit() = 0;
    virtual void disconnectUnit() = 0;
    virtual void readParameters() = 0; // READ without its questions
    virtual void linkLost() = 0;
    virtual void showDefaults() = 0;

protected:
    FirmwareWindow() = default;
    ~FirmwareWindow() = default;
    FirmwareWindow(const FirmwareWindow &) = delete;
    FirmwareWindow &operator=(const FirmwareWindow &) = delete;
};

class FirmwareController
{
public:
    FirmwareController(WindowShell &shell, FirmwareWindow &window) : shell_(shell), window_(window) {}

    // Looks the controls up; once, right after the layout is built.
    void attachView();

    // Chooses a firmware file, sends it to the unit's loader, then finds and identifies the
    // unit again and, with application firmware, reads its parameters.
    void FileFirmUpdateButtonClick();

private:
    class UpdateHost;

    WindowShell &shell_;
    FirmwareWindow &window_;
    FirmwareView view_;
};

} // namespace vireo
