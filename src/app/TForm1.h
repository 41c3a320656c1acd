#pragma once
// The main window: composition root of the program. It builds every control with the object
// name of the window layout, owns the long-lived state, and wires each control to its handler.
// Handlers are short and call into the subsystem code; each subsystem defines its TForm1
// members in its own gui/ source file (src/link/gui, src/params/gui, ...).
#include "app/Captions.h"
#include "app/LanguageTable.h"
#include "app/WindowShell.h"
#include "editing/MaxTable.h"
#include "files/gui/FilesController.h"
#include "firmware/gui/FirmwareController.h"
#include "link/Discovery.h"
#include "link/LiveStatus.h"
#include "link/SerialLink.h"
#include "link/Version.h"
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"

#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

class QLineEdit;
class QProgressBar;
class QTimer;
class QTranslator;

namespace vireo
{

class UpDown;
class TAboutBox;
class TProgressForm;

class TForm1 : public QMainWindow, public WindowShell, public FilesWindow, public FirmwareWindow
{
    Q_OBJECT
public:
    explicit TForm1(Services services, QWidget *parent = nullptr);
    ~TForm1() override;

    // ---- The shell (app/WindowShell.h) ---------------------------------------------------
    QWidget &windowWidget() override { return *this; }
    Services &services() override { return services_; }
    Clock &clock() override { return services_.clock; }
    Dialogs &dialogs() override { return windowDialogs_ ? *windowDialogs_ : services_.dialogs; }
    QString text(const QString &key) const override;
    bool askYesNo(const char *key) override;
    void setReadWriteByActivePage() override;
    void setPageVisible(const QString &tabSheet, bool visible) override;
    bool isPageVisible(const QString &tabSheet) const override;

    // ---- Shell (src/app) ---------------------------------------------------------------
    void PageControl1Change();
    void MenuFileEndClick();
    void MenuHelpVersionClick();

    // Context help of the control parameter page; each receives the label that sent the event.
    void GyroGainLabelMouseEnter(QObject *sender);
    void LockGainLabelMouseEnter(QObject *sender);
    void DumperLabelGainMouseEnter(QObject *sender);
    void FFGainLabelMouseEnter(QObject *sender);
    void HoldingGainMouseEnter(QObject *sender);
    void ControlGainLabelMouseEnter(QObject *sender);
    void HelpMouseLeave(QObject *sender);

    LanguageTable language;
    QTimer *Timer2 = nullptr;                   // 500 ms, running from the end of start-up
    TProgressForm *WriteProgressForm = nullptr; // parameter writing
    TAboutBox *AboutBox = nullptr;              // created after the window (main), not owned

    // Start-up steps that belong to other subsystems (defined in their gui/ files).
    void fillMaxTable();      // limits of the gain fields and the spin-button maxima
    void setSerialDefaults(); // line settings and time-outs of SerialLink

    // ---- Desktop: language menu, remembered settings, screen fit (src/app/Desktop.cpp) ------
    QString LanguageId; // the language file in use (LanguageFile::id in app/Languages.h); empty: default
    // Every caption and stored text from the default language file and then, for another
    // language, from that file over it (a partial translation keeps the other texts). False,
    // with the default applied, when the file of id cannot be read.
    bool applyLanguage(const QString &id);
    // The language menu's items: the choice is applied at once and remembered; the captions
    // the program set since start-up (connect button, unit kind, axis mode, status page, help)
    // are put back from the window's state in the new language.
    void MenuLanguageClick(const QString &id);
    // The window's size: the whole client area under the menu, or as much of it as the screen's
    // available area holds; the client area scrolls then, so the menu and every control stay
    // reachable on a small screen or at a large scale factor.
    void fitToScreen();
    void fitInto(const QSize &room); // the same for a screen area of this size

    // ---- Device link (src/link/gui) ----------------------------------------------------
    SerialLink link;
    UnitKind unitKind = UnitKind::Kind1;
    std::string FirmwareVersion;
    LiveStatus liveStatus;                   // the unit's live status as last polled
    bool inPollingTick = false;              // a tick is running (possibly inside a box it raised)
    GarbledStatusReport garbledStatusReport; // a status reply that stays garbled: one box
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

    // ---- Gyro parameters (src/params/gui) ----------------------------------------------
    ParameterSet WorkValues;          // what the controls show and change and what a write sends
    CurValuesType CurValues{};        // gain records as last read from or written to the unit
    DefValuesType DefValues{};        // the unit's standard values
    RecordKnown CurKnown{};           // which records of CurValues the unit gave on this connection
    RecordKnown DefKnown{};           // which records of DefValues the unit gave on this connection
    std::int16_t AppliedAxisMode = 0; // the axis mode the unit works with, as far as known

    UnitProfile unitProfile() const; // unitKind and FirmwareVersion of the connected unit
    // Block transfers on WorkValues (see params/BlockTransfer.h). They return false
    // for a silent or short reply and throw ConversionError for a garbled one.
    bool readGroup(Selector group, ModeSet k);
    bool writeGroup(Selector group, ModeSet k);

    void readFlow(bool ask); // READ (ask), connecting and the firmware update (no dialogs)
    void writeFlow();        // WRITE
    void writeCommonFlow();  // the pirouette gain Set button: common block only
    void takeUnitCopy();     // records the unit gave or acknowledged from WorkValues into CurValues
    // Nothing the window holds passes for the unit's values any longer (a new connection, a
    // reset or a firmware update changes what the unit holds).
    void forgetUnitValues();
    void waitWithEvents(int ms);
    void endOfMainFlow(); // update bar to 0, READ/WRITE by the active page, when connected

    ModeSet selectedModeSet() const; // by the checked mode radio button
    void showParameters();
    void showDefaults();
    void enableThreeAxisControls(bool enabled);
    void applyAxisMode();

    void ReadButtonClick();
    void WriteButtonClick();

    // ---- Parameter editing (src/editing/gui) -------------------------------------------
    vireo::MaxTable MaxTable; // upper limits of the gain fields; filled by fillMaxTable
    // Connects the entry fields, spin buttons, mode selector and option controls to the
    // handlers below; called once by the constructor, after the layout is built.
    void connectEditingHandlers();
    // Entry fields: the 24 gain fields (EditKeyPress only these) and the pirouette gain Edit25.
    bool EditKeyPress(QLineEdit *edit, const QString &typed); // true: discard the typed text
    void EditChange(QLineEdit *edit);
    void EditExit(QLineEdit *edit);
    void UpDown1Click(UpDown *spin); // every spin button of the gain fields
    void Mode0RadioButtonClick();
    void Mode1RadioButtonClick();
    void ExtraRadioButtonClick();
    void DBRadioButtonClick(int button); // DB0RadioButton .. DB3RadioButton
    void PirouUseCheckBoxClick();
    void PirouDirCheckBoxClick();
    void ERingUseCheckBoxClick();
    void PirouGainSetButtonClick();
    void AilGainChComboBoxChange();
    void EleGainChComboBoxChange();
    void RudGainChComboBoxChange();
    void CondGainChComboBoxChange();
    void AuxOutComboBoxChange();
    void RudNarrowComboBoxChange();
    void SwashNarrowComboBoxChange();
    void RxKindSelectComboBoxChange();
    void AxisMode3AxisRadioButtonClick();
    void AxisMode1AxisRadioButtonClick();

    // ---- Parameter files, presets, reset (src/files/gui/FilesController.h) --------------
    FilesController filesController_{*this, *this};
    TProgressForm *&ResetProgressForm = filesController_.ResetProgressForm; // reset
    void MenuFileOpenClick() { filesController_.MenuFileOpenClick(); }
    void MenuFileSaveClick() { filesController_.MenuFileSaveClick(); }
    void ResetButtonClick() { filesController_.ResetButtonClick(); }
    void saveParameterFile() { filesController_.saveParameterFile(); }
    void openParameterFile() { filesController_.openParameterFile(); }
    bool loadPreset(int p) { return filesController_.loadPreset(p); }
    void resetFlow() { filesController_.resetFlow(); }
    bool backupBeforeOverwrite(std::string &note) override
    {
        return filesController_.backupBeforeOverwrite(note);
    }
    // What files and the firmware update need of the link and of the parameters.
    SerialLink &serialLink() override { return link; }
    ParameterSet &workValues() override { return WorkValues; }
    void readParameters() override { readFlow(false); }

    // ---- Firmware update (src/firmware/gui/FirmwareController.h) -----------------------
    FirmwareController firmwareController_{*this, *this};
    void FileFirmUpdateButtonClick() { firmwareController_.FileFirmUpdateButtonClick(); }

private:
    void buildLayout();
    void fillLanguageMenu();
    void loadStartLanguage();
    void connectControls();
    void connectHelp();
    void loadImages();
    void runSplash();
    void showHelpGroup(int group);

    Services services_;
    std::unique_ptr<Dialogs> windowDialogs_;
    QTranslator *qtTexts_ = nullptr;
    bool centred_ = false;

protected:
    QObject &controlRoot() const override { return const_cast<TForm1 &>(*this); }
    void showEvent(QShowEvent *event) override;
    // Asks before edits the unit never got are lost; during a flow the close waits for its end
    // (a firmware update asks first).
    void closeEvent(QCloseEvent *event) override;

private:
    void closeAsked(QCloseEvent *event); // the questions of closeEvent; accepts the event or not
};

} // namespace vireo
