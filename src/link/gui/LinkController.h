#pragma once
// The window side of the device link: the connect button, discovery and identification applied
// to the window, the polling tick with the GAIN CONTROL STATUS page, the loss of the unit and
// the one-shot pirouette check. It owns the link and what the window knows of the connected
// unit; the rest of the window it reaches through WindowShell and LinkWindow.
#include "app/gui/WindowShell.h"
#include "link/LiveStatus.h"
#include "link/SerialLink.h"
#include "link/Version.h"
#include "params/ParameterSet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QProgressBar;
class QTimer;
class QWidget;

namespace vireo
{

class StaticText;
struct ShapeStep;
struct StatusView;

// The read-outs and lamps of one axis on the GAIN CONTROL STATUS page.
struct StatusAxisControls {
    std::array<StaticText *, 3> modeLamps{}; // MODE0(POS0), MODE1(POS1), EXTRA(POS2)
    StaticText *volume = nullptr;
    StaticText *tx = nullptr;
    StaticText *total = nullptr;
    std::array<StaticText *, 2> limitsLow{}; // both VOLUME LIMIT columns
    std::array<StaticText *, 2> limitsHigh{};
};

// Every control a step of identification can name (link/Identification.h), by that name and
// typed as the step uses it.
struct ShapeControls {
    std::unordered_map<std::string, QWidget *> widgets;         // shown, hidden, enabled, pages
    std::unordered_map<std::string, QLabel *> labels;           // captions
    std::unordered_map<std::string, QComboBox *> comboBoxes;    // first item selected
    std::unordered_map<std::string, QAbstractButton *> buttons; // checked instead of another
};

// The controls the link uses, found once when the window has been built.
struct LinkView {
    QAbstractButton *ConnectSpeedButton = nullptr;
    QWidget *LEDRedImage = nullptr;
    QWidget *LEDGreenImage = nullptr;
    QWidget *ReadButton = nullptr;
    QWidget *WriteButton = nullptr;
    QWidget *ReadButton2 = nullptr;
    QWidget *WriteButton2 = nullptr;
    QWidget *FileFirmUpdateButton = nullptr;
    QWidget *ResetButton = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *PirouCheckResultLabel = nullptr;

    // GAIN CONTROL STATUS page.
    std::array<StatusAxisControls, 3> statusAxes{}; // AILE, ELEV, RUDD
    std::array<StaticText *, 3> kind1GainLamps{};
    std::array<StaticText *, 4> kind2ChannelLamps{}; // AILE, ELEV, RUDD, COND
    StaticText *StaticText37 = nullptr;              // the NON lamp
    QLabel *Label62 = nullptr;                       // the channel information line
    std::vector<StaticText *> statusReadOuts;        // every read-out and lamp above, dimmed together

    ShapeControls shape;

    static LinkView find(const WindowShell &shell);
};

// What the link needs of the other parts of the window.
class LinkWindow
{
public:
    virtual ParameterSet &workValues() = 0;
    virtual DefValuesType &defValues() = 0;
    virtual RecordKnown &defKnown() = 0;
    virtual std::int16_t appliedAxisMode() const = 0; // the axis mode the unit works with
    // Nothing the window holds passes for the unit's values any longer.
    virtual void forgetUnitValues() = 0;
    virtual void showParameters() = 0;
    virtual void showDefaults() = 0;
    // READ without its questions, as connecting and the firmware update run it.
    virtual void readParameters() = 0;

protected:
    LinkWindow() = default;
    ~LinkWindow() = default;
    LinkWindow(const LinkWindow &) = delete;
    LinkWindow &operator=(const LinkWindow &) = delete;
};

class LinkController
{
public:
    // Touches no control: the window is not built yet.
    LinkController(WindowShell &shell, LinkWindow &window, SerialPort &port);
    // Finds the controls and creates the polling timer; once, right after the layout is built.
    void attachView();

    SerialLink link;
    UnitKind unitKind = UnitKind::Kind1;
    std::string FirmwareVersion;
    LiveStatus liveStatus;                   // the unit's live status as last polled
    bool inPollingTick = false;              // a tick is running (possibly inside a box it raised)
    GarbledStatusReport garbledStatusReport; // a status reply that stays garbled: one box
    QTimer *Timer2 = nullptr;                // 500 ms, running from the end of start-up

    void setSerialDefaults(); // line settings and time-outs of the link
    void ConnectSpeedButtonClick();
    // Connected only when the unit identified itself and answered throughout; otherwise the
    // port is closed and a box says why.
    void connectUnit();
    // Also blanks the status page: its values are no longer the unit's live state.
    void disconnectUnit();
    // Discovery: the unit's port, left open with the unit identified and the window shaped
    // for it; nothing, with the port closed, when no unit answers or the one that answers
    // does not identify itself.
    std::optional<std::string> findUnitPort();
    // UPVER and VER on the freshly pinged port: sets unitKind and FirmwareVersion, shapes
    // pages and controls, reads the standard values where the firmware has them. False, with
    // kind, version and window left alone, when the answers do not identify a unit.
    bool identifyUnit();
    // The standard values and the common block while connecting; a garbled reply is reported
    // as one of the connection and ends these reads.
    void readStandardValuesOnConnect();
    void Timer2Timer();
    // The status page from liveStatus (blank and greyed while it is not known).
    void showStatusPage();
    // The unit stopped answering while connected: disconnect and say so.
    void linkLost();
    // A box with the language text of key.
    void reportLinkFault(const char *key, MsgIcon icon);
    void PirouCheckButtonClick();

private:
    class ConnectHost;

    void applyShapeStep(const ShapeStep &step);
    void markConnected();
    void showLiveStatus(const StatusView &status);
    void showUnknownStatus();

    WindowShell &shell_;
    LinkWindow &window_;
    LinkView view_;
};

} // namespace vireo
