#pragma once
#ifdef VIREO_SUBSYSTEM_WINDOW_CODE
#error "a subsystem's window code reaches the window through app/gui/WindowShell.h and its own interface"
#endif
// The main window: composition root of the program. It builds every control with the object
// name of the window layout, owns the long-lived state, and wires each control to its handler.
// Handlers are one-line forwards to the subsystems' controllers (src/<subsystem>/gui), which
// reach the window only through WindowShell and their own narrow interfaces.
#include "app/gui/Captions.h"
#include "app/gui/LanguageTable.h"
#include "app/gui/ShellView.h"
#include "app/gui/WindowShell.h"
#include "editing/gui/EditingController.h"
#include "files/gui/FilesController.h"
#include "firmware/gui/FirmwareController.h"
#include "link/gui/LinkController.h"
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"
#include "params/gui/ContextHelpController.h"
#include "params/gui/ParameterController.h"

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

class TForm1 : public QMainWindow,
               public WindowShell,
               public LinkWindow,
               public ParameterWindow,
               public EditingWindow,
               public FilesWindow,
               public FirmwareWindow
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

    // ---- Shell (src/app/gui) -----------------------------------------------------------
    void PageControl1Change();
    void MenuFileEndClick();
    void MenuHelpVersionClick();

    // Context help of the control parameter page (params/gui/ContextHelpController.h); each
    // receives the label that sent the event.
    ContextHelpController contextHelp_{*this};
    void GyroGainLabelMouseEnter(QObject *) { contextHelp_.showGroup(GainHelp::P); }
    void LockGainLabelMouseEnter(QObject *) { contextHelp_.showGroup(GainHelp::I); }
    void DumperLabelGainMouseEnter(QObject *) { contextHelp_.showGroup(GainHelp::D); }
    void FFGainLabelMouseEnter(QObject *) { contextHelp_.showGroup(GainHelp::FF); }
    void HoldingGainMouseEnter(QObject *) { contextHelp_.showGroup(GainHelp::HLD); }
    void ControlGainLabelMouseEnter(QObject *) { contextHelp_.showGroup(GainHelp::CTL); }
    void HelpMouseLeave(QObject *) { contextHelp_.clear(); }

    LanguageTable language;
    TAboutBox *AboutBox = nullptr; // created after the window (main), not owned

    // ---- Desktop: language menu, remembered settings, screen fit (src/app/gui/Desktop.cpp) --
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

    // ---- Device link (src/link/gui/LinkController.h) --------------------------------------
    LinkController linkController_;
    SerialLink &link = linkController_.link;
    UnitKind &unitKind = linkController_.unitKind;
    std::string &FirmwareVersion = linkController_.FirmwareVersion;
    LiveStatus &liveStatus = linkController_.liveStatus;
    bool &inPollingTick = linkController_.inPollingTick;
    GarbledStatusReport &garbledStatusReport = linkController_.garbledStatusReport;
    QTimer *&Timer2 = linkController_.Timer2;
    void setSerialDefaults() { linkController_.setSerialDefaults(); }
    void ConnectSpeedButtonClick() { linkController_.ConnectSpeedButtonClick(); }
    void connectUnit() { linkController_.connectUnit(); }
    void disconnectUnit() { linkController_.disconnectUnit(); }
    std::optional<std::string> findUnitPort() { return linkController_.findUnitPort(); }
    bool identifyUnit() { return linkController_.identifyUnit(); }
    void readStandardValuesOnConnect() { linkController_.readStandardValuesOnConnect(); }
    void Timer2Timer() { linkController_.Timer2Timer(); }
    void showStatusPage() { linkController_.showStatusPage(); }
    void linkLost() { linkController_.linkLost(); }
    void PirouCheckButtonClick() { linkController_.PirouCheckButtonClick(); }
    // What the link needs of the rest of the window (LinkWindow).
    ParameterSet &workValues() override { return WorkValues; }
    DefValuesType &defValues() override { return DefValues; }
    RecordKnown &defKnown() override { return DefKnown; }
    std::int16_t appliedAxisMode() const override { return AppliedAxisMode; }
    void readParameters() override { readFlow(false); }

    // ---- Gyro parameters (src/params/gui) ----------------------------------------------
    ParameterController parameterController_{*this, *this};
    ParameterSet &WorkValues = parameterController_.WorkValues;
    CurValuesType &CurValues = parameterController_.CurValues;
    DefValuesType &DefValues = parameterController_.DefValues;
    RecordKnown &CurKnown = parameterController_.CurKnown;
    RecordKnown &DefKnown = parameterController_.DefKnown;
    std::int16_t &AppliedAxisMode = parameterController_.AppliedAxisMode;
    TProgressForm *&WriteProgressForm = parameterController_.WriteProgressForm; // parameter writing

    // ParameterWindow; disconnectUnit (link) and saveParameterFile (files) are the rest of it.
    SerialLink &unitLink() override { return link; }
    UnitProfile unitProfile() const override { return {unitKind, FirmwareVersion}; }

    bool readGroup(Selector group, ModeSet k) { return parameterController_.readGroup(group, k); }
    bool writeGroup(Selector group, ModeSet k) { return parameterController_.writeGroup(group, k); }
    void readFlow(bool ask) { parameterController_.readFlow(ask); }
    void writeFlow() { parameterController_.writeFlow(); }
    void writeCommonFlow() override { parameterController_.writeCommonFlow(); }
    void takeUnitCopy() { parameterController_.takeUnitCopy(); }
    void forgetUnitValues() { parameterController_.forgetUnitValues(); }
    void waitWithEvents(int ms) { parameterController_.waitWithEvents(ms); }
    void endOfMainFlow() { parameterController_.endOfMainFlow(); }
    ModeSet selectedModeSet() const override { return parameterController_.selectedModeSet(); }
    void showParameters() override { parameterController_.showParameters(); }
    void showDefaults() override { parameterController_.showDefaults(); }
    void enableThreeAxisControls(bool enabled) { parameterController_.enableThreeAxisControls(enabled); }
    void applyAxisMode() { parameterController_.applyAxisMode(); }
    void ReadButtonClick() { parameterController_.ReadButtonClick(); }
    void WriteButtonClick() { parameterController_.WriteButtonClick(); }

    // ---- Parameter editing (src/editing/gui) -------------------------------------------
    // The handlers of the entry fields, spin buttons, mode selector and option controls (see
    // editing/gui/EditingController.h).
    EditingController editingController_{*this, *this, {WorkValues, CurValues, CurKnown, unitKind}};
    vireo::MaxTable &MaxTable = editingController_.MaxTable; // upper limits of the gain fields
    void fillMaxTable() { editingController_.fillMaxTable(); }
    void connectEditingHandlers() { editingController_.connectEditingHandlers(); }
    bool EditKeyPress(QLineEdit *edit, const QString &typed)
    {
        return editingController_.EditKeyPress(edit, typed);
    }
    void EditChange(QLineEdit *edit) { editingController_.EditChange(edit); }
    void EditExit(QLineEdit *edit) { editingController_.EditExit(edit); }
    void UpDown1Click(UpDown *spin) { editingController_.UpDown1Click(spin); }
    void Mode0RadioButtonClick() { editingController_.Mode0RadioButtonClick(); }
    void Mode1RadioButtonClick() { editingController_.Mode1RadioButtonClick(); }
    void ExtraRadioButtonClick() { editingController_.ExtraRadioButtonClick(); }
    void DBRadioButtonClick(int button) { editingController_.DBRadioButtonClick(button); }
    void PirouUseCheckBoxClick() { editingController_.PirouUseCheckBoxClick(); }
    void PirouDirCheckBoxClick() { editingController_.PirouDirCheckBoxClick(); }
    void ERingUseCheckBoxClick() { editingController_.ERingUseCheckBoxClick(); }
    void PirouGainSetButtonClick() { editingController_.PirouGainSetButtonClick(); }
    void AilGainChComboBoxChange() { editingController_.AilGainChComboBoxChange(); }
    void EleGainChComboBoxChange() { editingController_.EleGainChComboBoxChange(); }
    void RudGainChComboBoxChange() { editingController_.RudGainChComboBoxChange(); }
    void CondGainChComboBoxChange() { editingController_.CondGainChComboBoxChange(); }
    void AuxOutComboBoxChange() { editingController_.AuxOutComboBoxChange(); }
    void RudNarrowComboBoxChange() { editingController_.RudNarrowComboBoxChange(); }
    void SwashNarrowComboBoxChange() { editingController_.SwashNarrowComboBoxChange(); }
    void RxKindSelectComboBoxChange() { editingController_.RxKindSelectComboBoxChange(); }
    void AxisMode3AxisRadioButtonClick() { editingController_.AxisMode3AxisRadioButtonClick(); }
    void AxisMode1AxisRadioButtonClick() { editingController_.AxisMode1AxisRadioButtonClick(); }

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

    // ---- Firmware update (src/firmware/gui/FirmwareController.h) -----------------------
    FirmwareController firmwareController_{*this, *this};
    void FileFirmUpdateButtonClick() { firmwareController_.FileFirmUpdateButtonClick(); }

private:
    void buildLayout();
    void fillLanguageMenu();
    void loadStartLanguage();
    void connectControls();
    void loadImages();
    void runSplash();

    Services services_;
    ShellView view_; // the controls the window itself drives, found after the layout
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
