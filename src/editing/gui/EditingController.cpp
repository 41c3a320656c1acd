// The window's handlers of the gain entry fields, the mode selector and the option controls,
// and their wiring. They change the working values only; nothing here talks to the unit except
// the pirouette gain Set button, which hands over to the common-block write.
#include "editing/gui/EditingController.h"

#include "app/gui/WindowText.h"
#include "editing/ValueEntry.h"
#include "editing/gui/EntryFieldFilter.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace vireo
{

namespace
{

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

template <class T, std::size_t N>
std::array<T *, N> findAll(const WindowShell &shell, const std::array<std::string_view, N> &names)
{
    std::array<T *, N> found{};
    for (std::size_t i = 0; i < N; ++i)
        found[i] = shell.control<T>(names[i]);
    return found;
}

// Sets a combo box to the item a field holds; a value outside its items shows no item.
void showItem(QComboBox *box, std::int16_t value)
{
    box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1);
}

// Stores a value the user set; a change makes the record the user's.
void storeUserValue(ParameterSet &work, Selector record, ModeSet k, std::int16_t &word, std::int16_t value)
{
    if (word == value)
        return;
    word = value;
    work.origins.edited(record, k);
}

} // namespace

EditingView EditingView::find(const WindowShell &shell)
{
    EditingView v;
    for (std::size_t i = 0; i < GainEntryFields.size(); ++i) {
        v.gainEdits[i] = shell.control<QLineEdit>(GainEntryFields[i].edit);
        v.gainUpDowns[i] = shell.control<UpDown>(GainEntryFields[i].upDown);
    }
    v.Edit25 = shell.control<QLineEdit>(PirouGainEdit);
    v.modeSetButtons = findAll<QRadioButton>(shell, ModeSetButtons);
    v.axisModeButtons = findAll<QRadioButton>(shell, AxisModeButtons);
    v.deadBandButtons = findAll<QRadioButton>(shell, DeadBandButtons);
    v.PirouUseCheckBox = shell.control<QCheckBox>(QStringLiteral("PirouUseCheckBox"));
    v.PirouDirCheckBox = shell.control<QCheckBox>(QStringLiteral("PirouDirCheckBox"));
    v.ERingUseCheckBox = shell.control<QCheckBox>(QStringLiteral("ERingUseCheckBox"));
    v.pirouDependentControls = findAll<QWidget>(shell, PirouDependentControls);
    for (std::size_t i = 0; i < GainChannelCombos.size(); ++i)
        v.gainChannelCombos[i] = shell.control<QComboBox>(GainChannelCombos[i].combo);
    v.CondSelChComboBox = shell.control<QComboBox>(ConditionChannelCombo.combo);
    v.AuxOutComboBox = shell.control<QComboBox>(QStringLiteral("AuxOutComboBox"));
    v.RudNarrowComboBox = shell.control<QComboBox>(QStringLiteral("RudNarrowComboBox"));
    v.SwashNarrowComboBox = shell.control<QComboBox>(QStringLiteral("SwashNarrowComboBox"));
    v.RxKindSelectComboBox = shell.control<QComboBox>(QStringLiteral("RxKindSelectComboBox"));
    return v;
}

EditingController::EditingController(WindowShell &shell, EditingWindow &window, EditedValues values)
    : shell_(shell), window_(window), values_(values)
{
}

void EditingController::attachView()
{
    view_ = EditingView::find(shell_);
}

// ---- Start-up ------------------------------------------------------------------------------

void EditingController::fillMaxTable()
{
    MaxTable.fill();
    // The three mode sets share their limits, so one range per spin button serves them all.
    for (std::size_t i = 0; i < GainEntryFields.size(); ++i)
        view_.gainUpDowns[i]->setRange(0, MaxTable.limit(GainEntryFields[i].axis, GainEntryFields[i].row, 0));
}

// Radio buttons and check boxes report every change of state, also one made by the program
// (the display setting them from the working values stores again what they now show); combo
// boxes report only the user's choice, so that setting an item from the program runs no
// handler.
void EditingController::connectEditingHandlers()
{
    QObject *context = &shell_.windowWidget();
    auto *filter = new EntryFieldFilter(*this, context);
    const auto watchEdit = [&](QLineEdit *edit, bool typing) {
        filter->watch(edit, typing);
        QObject::connect(edit, &QLineEdit::textChanged, context, [this, edit] { EditChange(edit); });
    };
    for (std::size_t i = 0; i < GainEntryFields.size(); ++i) {
        watchEdit(view_.gainEdits[i], true);
        UpDown *spin = view_.gainUpDowns[i];
        QObject::connect(spin, &UpDown::clicked, context, [this, spin] { UpDown1Click(spin); });
    }
    watchEdit(view_.Edit25, false);

    const auto onChecked = [this, context](QRadioButton *button, auto handler) {
        QObject::connect(button, &QRadioButton::toggled, context, [this, handler](bool checked) {
            if (checked)
                handler(*this);
        });
    };
    onChecked(view_.modeSetButtons[0], [](EditingController &c) { c.Mode0RadioButtonClick(); });
    onChecked(view_.modeSetButtons[1], [](EditingController &c) { c.Mode1RadioButtonClick(); });
    onChecked(view_.modeSetButtons[2], [](EditingController &c) { c.ExtraRadioButtonClick(); });
    onChecked(view_.axisModeButtons[0], [](EditingController &c) { c.AxisMode3AxisRadioButtonClick(); });
    onChecked(view_.axisModeButtons[1], [](EditingController &c) { c.AxisMode1AxisRadioButtonClick(); });
    for (std::size_t button = 0; button < view_.deadBandButtons.size(); ++button)
        onChecked(view_.deadBandButtons[button],
                  [button](EditingController &c) { c.DBRadioButtonClick(static_cast<int>(button)); });

    const auto onToggled = [this, context](QCheckBox *box, void (EditingController::*handler)()) {
        QObject::connect(box, &QCheckBox::toggled, context, [this, handler] { (this->*handler)(); });
    };
    onToggled(view_.PirouUseCheckBox, &EditingController::PirouUseCheckBoxClick);
    onToggled(view_.PirouDirCheckBox, &EditingController::PirouDirCheckBoxClick);
    onToggled(view_.ERingUseCheckBox, &EditingController::ERingUseCheckBoxClick);

    const auto onChosen = [this, context](QComboBox *box, void (EditingController::*handler)()) {
        QObject::connect(box, &QComboBox::activated, context, [this, handler] { (this->*handler)(); });
    };
    onChosen(view_.gainChannelCombos[0], &EditingController::AilGainChComboBoxChange);
    onChosen(view_.gainChannelCombos[1], &EditingController::EleGainChComboBoxChange);
    onChosen(view_.gainChannelCombos[2], &EditingController::RudGainChComboBoxChange);
    onChosen(view_.CondSelChComboBox, &EditingController::CondGainChComboBoxChange);
    onChosen(view_.AuxOutComboBox, &EditingController::AuxOutComboBoxChange);
    onChosen(view_.RudNarrowComboBox, &EditingController::RudNarrowComboBoxChange);
    onChosen(view_.SwashNarrowComboBox, &EditingController::SwashNarrowComboBoxChange);
    onChosen(view_.RxKindSelectComboBox, &EditingController::RxKindSelectComboBoxChange);
    // PirouGainSetButton starts a flow: connected with the window's other flow buttons.
}

// ---- Storing -------------------------------------------------------------------------------

void EditingController::showError(std::string_view key, const std::string &text)
{
    shell_.dialogs().message({MsgIcon::Error, std::string(key), text, MsgButton::Ok, MsgButton::Ok});
}

void EditingController::storeCommon(CommonField field, std::int16_t value)
{
    ParameterSet &work = values_.WorkValues;
    storeUserValue(work, Selector::C, 0, work.common[field], value);
}

void EditingController::storeItemIndex(CommonField field, const QComboBox *box)
{
    storeCommon(field, static_cast<std::int16_t>(box->currentIndex()));
}

// A refused channel: the message, then the box shows again what its field holds.
void EditingController::refuseChannel(std::string_view refusalKey, CommonField field, QComboBox *box)
{
    showError(refusalKey, windowText(shell_, refusalKey));
    showItem(box, values_.WorkValues.common[field]);
}

// ---- Entry fields ------------------------------------------------------------------------

bool EditingController::EditKeyPress(QLineEdit *, const QString &typed)
{
    const std::u32string chars = typed.toStdU32String();
    for (char32_t c : chars)
        if (!typedCharPasses(c))
            return true;
    return false;
}

void EditingController::EditChange(QLineEdit *edit)
{
    if (edit->text().isEmpty())
        edit->setText(qs(textAfterChange("")));
}

void EditingController::EditExit(QLineEdit *edit)
{
    ParameterSet &work = values_.WorkValues;
    const ModeSet mode = window_.selectedModeSet();
    const std::optional<EntryTarget> target = entryTarget(edit->objectName().toStdString(), mode, MaxTable);
    if (!target)
        return;
    const auto axis = static_cast<std::size_t>(target->axis);
    const auto fallback = [&] {
        // The unit's value where the unit gave one on this connection, else what is stored.
        if (target->pirouetteGain)
            return work.common.PirouGain();
        return values_.CurKnown[axis][static_cast<std::size_t>(mode)]
                   ? values_.CurValues[axis][mode][target->field]
                   : work.axes[axis][mode][target->field];
    };

    EntryResult result = checkEntry(edit->text().toStdString(), target->limit, fallback());
    if (result.overLimit) {
        showError(
            "CPSInputErrorMessage",
            entryErrorText(shell_.text(QStringLiteral("CPSInputErrorMessage")).toStdString(), target->limit));
        // The unit copy may have been renewed while the dialog was open.
        result.value = fallback();
    }

    if (target->pirouetteGain)
        storeCommon(CommonField::PirouGain, result.value);
    else
        storeUserValue(work, AxisSelectors[axis], mode, work.axes[axis][mode][target->field], result.value);
    edit->setText(qs(entryText(result.value)));
}

void EditingController::UpDown1Click(UpDown *spin)
{
    const auto at = std::find(view_.gainUpDowns.begin(), view_.gainUpDowns.end(), spin);
    if (at == view_.gainUpDowns.end())
        return;
    const auto i = static_cast<std::size_t>(at - view_.gainUpDowns.begin());
    const GainEntryField &field = GainEntryFields[i];
    ParameterSet &work = values_.WorkValues;
    const ModeSet mode = window_.selectedModeSet();
    std::int16_t &stored = work.axes[field.axis][mode][axisFieldOf(field.row)];
    // The spin button has already put its new position into the field; its range keeps it
    // within the limit, so no dialog is needed, only the guard against a text it did not write.
    storeUserValue(work, AxisSelectors[static_cast<std::size_t>(field.axis)], mode, stored,
                   checkEntry(view_.gainEdits[i]->text().toStdString(),
                              MaxTable.limit(field.axis, field.row, mode), stored)
                       .value);
}

// ---- Mode selector -------------------------------------------------------------------------

void EditingController::showSelectedModeSet()
{
    const ModeSelectSteps steps = modeSelectSteps(shell_.Connected);
    if (steps.showDefaults)
        window_.showDefaults();
    if (steps.showParameters)
        window_.showParameters();
}

void EditingController::Mode0RadioButtonClick()
{
    showSelectedModeSet();
}
void EditingController::Mode1RadioButtonClick()
{
    showSelectedModeSet();
}
void EditingController::ExtraRadioButtonClick()
{
    showSelectedModeSet();
}

// ---- SETTING1: dead band, pirouette compensation, E-ring -------------------------------------

void EditingController::DBRadioButtonClick(int button)
{
    storeCommon(CommonField::DeadBand, deadBandCode(button, values_.unitKind));
}

void EditingController::PirouUseCheckBoxClick()
{
    const bool on = view_.PirouUseCheckBox->isChecked();
    storeCommon(CommonField::PirouUse, checkBoxValue(on));
    for (QWidget *w : view_.pirouDependentControls)
        w->setEnabled(on);
}

void EditingController::PirouDirCheckBoxClick()
{
    storeCommon(CommonField::PirouDir, checkBoxValue(view_.PirouDirCheckBox->isChecked()));
}

void EditingController::ERingUseCheckBoxClick()
{
    storeCommon(CommonField::ERingOff, eRingOffValue(view_.ERingUseCheckBox->isChecked()));
}

void EditingController::PirouGainSetButtonClick()
{
    window_.writeCommonFlow();
}

// ---- SETTING2 and SETTING3: channels, neutrals, receiver, axes -------------------------------

void EditingController::gainChannelChanged(std::size_t gain)
{
    QComboBox *box = view_.gainChannelCombos[gain];
    const ChannelChoice choice =
        gainChannelChoice(box->currentIndex(), view_.CondSelChComboBox->currentIndex());
    if (choice.accepted)
        storeItemIndex(GainChannelCombos[gain].field, box);
    else
        refuseChannel(choice.refusalKey, GainChannelCombos[gain].field, box);
}

void EditingController::AilGainChComboBoxChange()
{
    gainChannelChanged(0);
}
void EditingController::EleGainChComboBoxChange()
{
    gainChannelChanged(1);
}
void EditingController::RudGainChComboBoxChange()
{
    gainChannelChanged(2);
}

void EditingController::CondGainChComboBoxChange()
{
    std::array<int, GainChannelCombos.size()> gains{};
    for (std::size_t i = 0; i < gains.size(); ++i)
        gains[i] = view_.gainChannelCombos[i]->currentIndex();
    QComboBox *box = view_.CondSelChComboBox;
    const ChannelChoice choice = conditionChannelChoice(box->currentIndex(), gains);
    if (choice.accepted)
        storeItemIndex(ConditionChannelCombo.field, box);
    else
        refuseChannel(choice.refusalKey, ConditionChannelCombo.field, box);
}

void EditingController::AuxOutComboBoxChange()
{
    storeItemIndex(CommonField::AuxOutCh, view_.AuxOutComboBox);
}
void EditingController::RudNarrowComboBoxChange()
{
    storeItemIndex(CommonField::RudNeutral, view_.RudNarrowComboBox);
}
void EditingController::SwashNarrowComboBoxChange()
{
    storeItemIndex(CommonField::SwashNeutral, view_.SwashNarrowComboBox);
}
void EditingController::RxKindSelectComboBoxChange()
{
    storeItemIndex(CommonField::RxKind, view_.RxKindSelectComboBox);
}

void EditingController::AxisMode3AxisRadioButtonClick()
{
    storeCommon(CommonField::AxisMode, ThreeAxisMode);
}
void EditingController::AxisMode1AxisRadioButtonClick()
{
    storeCommon(CommonField::AxisMode, OneAxisMode);
}

} // namespace vireo
