#pragma once
// The editing of the working values in the window: the gain entry fields with their spin
// buttons, the mode selector and the option controls of the SETTING pages. Every handler
// changes the working values only; the pirouette gain Set button hands over to the
// common-block write of the parameter subsystem.
#include "app/gui/WindowShell.h"
#include "editing/EntryFields.h"
#include "editing/MaxTable.h"
#include "editing/OptionControls.h"
#include "params/ParameterSet.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QString;
class QWidget;

namespace vireo
{

class UpDown;

// The controls the editing handlers work on, found once when the layout exists. Lists of
// controls follow the order of the tables that name them (EntryFields.h, ParameterDisplay.h,
// OptionControls.h).
struct EditingView {
    std::array<QLineEdit *, GainEntryFields.size()> gainEdits{}; // GainEntryFields[i].edit
    std::array<UpDown *, GainEntryFields.size()> gainUpDowns{};  // GainEntryFields[i].upDown
    QLineEdit *Edit25 = nullptr;                                 // PirouGainEdit
    std::array<QRadioButton *, ModeSetButtons.size()> modeSetButtons{};
    std::array<QRadioButton *, AxisModeButtons.size()> axisModeButtons{};
    std::array<QRadioButton *, DeadBandButtons.size()> deadBandButtons{};
    QCheckBox *PirouUseCheckBox = nullptr;
    QCheckBox *PirouDirCheckBox = nullptr;
    QCheckBox *ERingUseCheckBox = nullptr;
    std::array<QWidget *, PirouDependentControls.size()> pirouDependentControls{};
    std::array<QComboBox *, GainChannelCombos.size()> gainChannelCombos{}; // GainChannelCombos[i]
    QComboBox *CondSelChComboBox = nullptr;                                // ConditionChannelCombo
    QComboBox *AuxOutComboBox = nullptr;
    QComboBox *RudNarrowComboBox = nullptr;
    QComboBox *SwashNarrowComboBox = nullptr;
    QComboBox *RxKindSelectComboBox = nullptr;

    static EditingView find(const WindowShell &shell);
};

// What the editing needs of the other subsystems of the window.
class EditingWindow
{
public:
    virtual ModeSet selectedModeSet() const = 0; // by the checked mode radio button
    virtual void showParameters() = 0;
    virtual void showDefaults() = 0;
    virtual void writeCommonFlow() = 0; // the common block to the unit

protected:
    ~EditingWindow() = default;
};

// The state of other subsystems the editing reads or changes, bound for the window's life.
struct EditedValues {
    ParameterSet &WorkValues;       // what every edit changes
    const CurValuesType &CurValues; // the unit's copy: what an unreadable entry falls back to
    const RecordKnown &CurKnown;    // which records of CurValues the unit gave on this connection
    const UnitKind &unitKind;       // the dead-band codes depend on it
};

class EditingController
{
public:
    // Touches no control: the layout does not exist yet.
    EditingController(WindowShell &shell, EditingWindow &window, EditedValues values);

    // Finds the controls; once, right after the layout is built.
    void attachView();

    vireo::MaxTable MaxTable; // upper limits of the gain fields; filled by fillMaxTable

    // The limits and the spin-button maxima (start-up).
    void fillMaxTable();
    // Connects the entry fields, spin buttons, mode selector and option controls to the
    // handlers below; once, at start-up.
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

private:
    void showSelectedModeSet();
    void gainChannelChanged(std::size_t gain);
    void showError(std::string_view key, const std::string &text);
    void storeCommon(CommonField field, std::int16_t value);
    void storeItemIndex(CommonField field, const QComboBox *box);
    void refuseChannel(std::string_view refusalKey, CommonField field, QComboBox *box);

    WindowShell &shell_;
    EditingWindow &window_;
    EditedValues values_;
    EditingView view_;
};

} // namespace vireo
