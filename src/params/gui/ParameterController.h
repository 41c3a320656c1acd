#pragma once
// The window side of the gyro parameters: the working values, the unit copy and the standard
// values the window holds, the block transfers and the READ/WRITE flows on them, and putting
// the values into the controls of the parameter and option pages.
#include "app/gui/WindowShell.h"
#include "params/ParameterDisplay.h"
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"

#include <array>
#include <cstdint>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vireo
{

class SerialLink;
class TProgressForm;

// The controls the parameter controller uses, looked up once. The tables of
// params/ParameterDisplay.h name most of them; each such table has a widget array here in its
// order.
struct ParameterControls {
    // The widgets of one shown axis field (FieldControls).
    struct Field {
        QLineEdit *edit = nullptr;
        QLabel *unit = nullptr;
        QLabel *standard = nullptr;
        QWidget *spin = nullptr;
    };

    QPushButton *ReadButton = nullptr;
    QPushButton *WriteButton = nullptr;
    QProgressBar *ProgressBar1 = nullptr; // of the update page
    QLineEdit *Edit25 = nullptr;          // pirouette gain
    QAbstractButton *PirouUseCheckBox = nullptr;
    QAbstractButton *PirouDirCheckBox = nullptr;
    QAbstractButton *ERingUseCheckBox = nullptr;
    QComboBox *RxKindSelectComboBox = nullptr;
    QLabel *Label107 = nullptr; // the axis mode message

    std::array<std::array<Field, ShownAxisFields.size()>, AxisCount> fields{}; // AxisFieldControls
    std::array<QRadioButton *, ModeSetButtons.size()> modeSets{};
    std::array<QAbstractButton *, DeadBandButtons.size()> deadBands{};
    std::array<QAbstractButton *, AxisModeButtons.size()> axisModes{};
    std::array<QWidget *, PirouDependentControls.size()> pirouDependent{};
    std::array<QComboBox *, CommonCombos.size()> combos{};
    std::array<QWidget *, ThreeAxisControls.size()> threeAxis{};
    std::array<QWidget *, CommonBlockGroups.size()> commonGroups{};
    std::array<QWidget *, ThreeAxisGroupCaptions.size()> threeAxisCaptions{};

    static ParameterControls find(const WindowShell &shell);
};

// What the parameter controller needs of the rest of the window.
class ParameterWindow
{
public:
    // The link to the unit the transfers run over.
    virtual SerialLink &unitLink() = 0;
    virtual UnitProfile unitProfile() const = 0; // kind and firmware of the connected unit
    // Ends the connection after a lost link was reported.
    virtual void disconnectUnit() = 0;
    // READ's offer to keep the working values: into a file the user names.
    virtual void saveParameterFile() = 0;

protected:
    ~ParameterWindow() = default;
};

class ParameterController
{
public:
    ParameterController(WindowShell &shell, ParameterWindow &window) : shell_(shell), window_(window) {}
    ParameterController(const ParameterController &) = delete;
    ParameterController &operator=(const ParameterController &) = delete;

    // Once the layout exists.
    void attachView() { view_ = ParameterControls::find(shell_); }

    ParameterSet WorkValues;                    // what the controls show and change and what a write sends
    CurValuesType CurValues{};                  // gain records as last read from or written to the unit
    DefValuesType DefValues{};                  // the unit's standard values
    RecordKnown CurKnown{};                     // which records of CurValues the unit gave on this connection
    RecordKnown DefKnown{};                     // which records of DefValues the unit gave on this connection
    std::int16_t AppliedAxisMode = 0;           // the axis mode the unit works with, as far as known
    TProgressForm *WriteProgressForm = nullptr; // parameter writing; the window creates it

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

private:
    class FlowHost;

    WindowShell &shell_;
    ParameterWindow &window_;
    ParameterControls view_;
};

} // namespace vireo
