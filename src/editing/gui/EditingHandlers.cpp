// The window's handlers of the gain entry fields, the mode selector and the option controls.
// They change the working values only; nothing here talks to the unit except the pirouette
// gain Set button, which hands over to the common-block write.
#include "app/TForm1.h"
#include "app/UpDown.h"
#include "editing/EntryFields.h"
#include "editing/OptionControls.h"
#include "editing/ValueEntry.h"
#include "editing/gui/EntryFieldFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vireo
{

namespace
{

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void showError(TForm1 &form, std::string_view key, const std::string &text)
{
    form.dialogs().message({MsgIcon::Error, std::string(key), text, MsgButton::Ok, MsgButton::Ok});
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

void storeCommon(TForm1 &form, CommonField field, std::int16_t value)
{
    storeUserValue(form.WorkValues, Selector::C, 0, form.WorkValues.common[field], value);
}

} // namespace

// ---- Entry fields ------------------------------------------------------------------------

bool TForm1::EditKeyPress(QLineEdit *, const QString &typed)
{
    const std::u32string chars = typed.toStdU32String();
    for (char32_t c : chars)
        if (!typedCharPasses(c))
            return true;
    return false;
}

void TForm1::EditChange(QLineEdit *edit)
{
    if (edit->text().isEmpty())
        edit->setText(qs(textAfterChange("")));
}

void TForm1::EditExit(QLineEdit *edit)
{
    const ModeSet mode = selectedModeSet();
    const std::optional<EntryTarget> target = entryTarget(edit->objectName().toStdString(), mode, MaxTable);
    if (!target)
        return;
    const auto axis = static_cast<std::size_t>(target->axis);
    const auto fallback = [&] {
        // The unit's value where the unit gave one on this connection, else what is stored.
        if (target->pirouetteGain)
            return WorkValues.common.PirouGain();
        return CurKnown[axis][static_cast<std::size_t>(mode)] ? CurValues[axis][mode][target->field]
                                                              : WorkValues.axes[axis][mode][target->field];
    };

    EntryResult result = checkEntry(edit->text().toStdString(), target->limit, fallback());
    if (result.overLimit) {
        showError(*this, "CPSInputErrorMessage",
                  entryErrorText(text(QStringLiteral("CPSInputErrorMessage")).toStdString(), target->limit));
        // The unit copy may have been renewed while the dialog was open.
        result.value = fallback();
    }

    if (target->pirouetteGain)
        storeCommon(*this, CommonField::PirouGain, result.value);
    else
        storeUserValue(WorkValues, AxisSelectors[axis], mode, WorkValues.axes[axis][mode][target->field],
                       result.value);
    edit->setText(qs(entryText(result.value)));
}

void TForm1::UpDown1Click(UpDown *spin)
{
    const std::optional<GainEntryField> field = gainFieldByUpDown(spin->objectName().toStdString());
    if (!field)
        return;
    const ModeSet mode = selectedModeSet();
    std::int16_t &stored = WorkValues.axes[field->axis][mode][axisFieldOf(field->row)];
    // The spin button has already put its new position into the field; its range keeps it
    // within the limit, so no dialog is needed, only the guard against a text it did not write.
    const QLineEdit *edit = control<QLineEdit>(qs(field->edit));
    storeUserValue(
        WorkValues, AxisSelectors[static_cast<std::size_t>(field->axis)], mode, stored,
        checkEntry(edit->text().toStdString(), MaxTable.limit(field->axis, field->row, mode), stored).value);
}

// ---- Mode selector -------------------------------------------------------------------------

namespace
{

void showSelectedModeSet(TForm1 &form)
{
    const ModeSelectSteps steps = modeSelectSteps(form.Connected);
    if (steps.showDefaults)
        form.showDefaults();
    if (steps.showParameters)
        form.showParameters();
}

} // namespace

void TForm1::Mode0RadioButtonClick()
{
    showSelectedModeSet(*this);
}
void TForm1::Mode1RadioButtonClick()
{
    showSelectedModeSet(*this);
}
void TForm1::ExtraRadioButtonClick()
{
    showSelectedModeSet(*this);
}

// ---- SETTING1: dead band, pirouette compensation, E-ring -------------------------------------

void TForm1::DBRadioButtonClick(int button)
{
    storeCommon(*this, CommonField::DeadBand, deadBandCode(button, unitKind));
}

void TForm1::PirouUseCheckBoxClick()
{
    const bool on = control<QCheckBox>(QStringLiteral("PirouUseCheckBox"))->isChecked();
    storeCommon(*this, CommonField::PirouUse, checkBoxValue(on));
    for (std::string_view name : PirouDependentControls)
        control<QWidget>(qs(name))->setEnabled(on);
}

void TForm1::PirouDirCheckBoxClick()
{
    storeCommon(*this, CommonField::PirouDir,
                checkBoxValue(control<QCheckBox>(QStringLiteral("PirouDirCheckBox"))->isChecked()));
}

void TForm1::ERingUseCheckBoxClick()
{
    storeCommon(*this, CommonField::ERingOff,
                eRingOffValue(control<QCheckBox>(QStringLiteral("ERingUseCheckBox"))->isChecked()));
}

void TForm1::PirouGainSetButtonClick()
{
    writeCommonFlow();
}

// ---- SETTING2 and SETTING3: channels, neutrals, receiver, axes -------------------------------

namespace
{

QComboBox *comboBox(const TForm1 &form, std::string_view name)
{
    return form.control<QComboBox>(qs(name));
}

// A refused channel: the message, then the box shows again what its field holds.
void refuseChannel(TForm1 &form, const ChannelChoice &choice, const ComboField &combo)
{
    showError(form, choice.refusalKey, form.text(qs(choice.refusalKey)).toStdString());
    showItem(comboBox(form, combo.combo), form.WorkValues.common[combo.field]);
}

void storeItemIndex(TForm1 &form, const ComboField &combo)
{
    storeCommon(form, combo.field, static_cast<std::int16_t>(comboBox(form, combo.combo)->currentIndex()));
}

void gainChannelChanged(TForm1 &form, const ComboField &gain)
{
    const ChannelChoice choice =
        gainChannelChoice(comboBox(form, gain.combo)->currentIndex(),
                          comboBox(form, ConditionChannelCombo.combo)->currentIndex());
    if (choice.accepted)
        storeItemIndex(form, gain);
    else
        refuseChannel(form, choice, gain);
}

} // namespace

void TForm1::AilGainChComboBoxChange()
{
    gainChannelChanged(*this, GainChannelCombos[0]);
}
void TForm1::EleGainChComboBoxChange()
{
    gainChannelChanged(*this, GainChannelCombos[1]);
}
void TForm1::RudGainChComboBoxChange()
{
    gainChannelChanged(*this, GainChannelCombos[2]);
}

void TForm1::CondGainChComboBoxChange()
{
    std::array<int, GainChannelCombos.size()> gains{};
    for (std::size_t i = 0; i < gains.size(); ++i)
        gains[i] = comboBox(*this, GainChannelCombos[i].combo)->currentIndex();
    const ChannelChoice choice =
        conditionChannelChoice(comboBox(*this, ConditionChannelCombo.combo)->currentIndex(), gains);
    if (choice.accepted)
        storeItemIndex(*this, ConditionChannelCombo);
    else
        refuseChannel(*this, choice, ConditionChannelCombo);
}

void TForm1::AuxOutComboBoxChange()
{
    storeItemIndex(*this, {CommonField::AuxOutCh, "AuxOutComboBox"});
}
void TForm1::RudNarrowComboBoxChange()
{
    storeItemIndex(*this, {CommonField::RudNeutral, "RudNarrowComboBox"});
}
void TForm1::SwashNarrowComboBoxChange()
{
    storeItemIndex(*this, {CommonField::SwashNeutral, "SwashNarrowComboBox"});
}
void TForm1::RxKindSelectComboBoxChange()
{
    storeItemIndex(*this, {CommonField::RxKind, "RxKindSelectComboBox"});
}

void TForm1::AxisMode3AxisRadioButtonClick()
{
    storeCommon(*this, CommonField::AxisMode, ThreeAxisMode);
}
void TForm1::AxisMode1AxisRadioButtonClick()
{
    storeCommon(*this, CommonField::AxisMode, OneAxisMode);
}

} // namespace vireo
