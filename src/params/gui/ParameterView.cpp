// Putting the parameter set into the controls: the three value columns of the selected mode
// set, the option controls of the common block, and the three-axis/one-axis enabling.
#include "app/TForm1.h"
#include "params/ParameterDisplay.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace vireo
{

namespace
{

QString qname(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Edits and static texts both carry their value as "text".
void showNumber(TForm1 &f, std::string_view name, std::int16_t value)
{
    QWidget *w = f.control<QWidget>(qname(name));
    const QString text = QString::number(value);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->setText(text);
    else
        f.control<QLabel>(qname(name))->setText(text);
}

// An emptied entry field normally shows "0" at once; one of an unknown record stays empty.
void clearEdit(QLineEdit *edit)
{
    const QSignalBlocker quiet(edit);
    edit->clear();
}

// A record nobody gave shows no number at all.
void showNumberOrNothing(TForm1 &f, std::string_view name, std::int16_t value, bool known)
{
    if (known)
        showNumber(f, name, value);
    else if (auto *edit = qobject_cast<QLineEdit *>(f.control<QWidget>(qname(name))))
        clearEdit(edit);
    else
        f.control<QLabel>(qname(name))->clear();
}

// Checking from the program changes state like a click; the control's handler (connected to
// its state change) then stores the value the control shows.
void check(TForm1 &f, std::string_view name, bool checked)
{
    f.control<QAbstractButton>(qname(name))->setChecked(checked);
}

} // namespace

ModeSet TForm1::selectedModeSet() const
{
    return vireo::selectedModeSet(control<QRadioButton>(qname(ModeSetButtons[1]))->isChecked(),
                                  control<QRadioButton>(qname(ModeSetButtons[2]))->isChecked());
}

void TForm1::showParameters()
{
    const ModeSet s = selectedModeSet();
    enableThreeAxisControls(AppliedAxisMode == 0);
    for (int axis = 0; axis < AxisCount; ++axis) {
        const bool known = WorkValues.origins.axes[axis][s] != Origin::Unknown;
        // An unknown record cannot be edited: the user would set one field of a record whose
        // other fields nobody knows.
        const bool editable = known && (axis == Rudder || AppliedAxisMode == 0);
        for (std::size_t row = 0; row < ShownAxisFields.size(); ++row) {
            const FieldControls &c = AxisFieldControls[axis][row];
            showNumberOrNothing(*this, c.edit, WorkValues.axes[axis][s][ShownAxisFields[row]], known);
            control<QWidget>(qname(c.edit))->setEnabled(editable);
            control<QWidget>(qname(c.spin))->setEnabled(editable);
        }
    }
    for (int axis = 0; axis < AxisCount; ++axis)
        for (std::size_t row = 0; row < ShownAxisFields.size(); ++row)
            showNumberOrNothing(*this, AxisFieldControls[axis][row].unit,
                                CurValues[axis][s][ShownAxisFields[row]], CurKnown[axis][s]);

    // Option controls cannot show "unknown": their groups are greyed until the block is known,
    // and they are not set from values nobody gave (their handlers would store them).
    const bool commonKnown = WorkValues.origins.common != Origin::Unknown;
    for (std::string_view group : CommonBlockGroups)
        if (!commonKnown)
            control<QWidget>(qname(group))->setEnabled(false);
        else if (std::find(ThreeAxisControls.begin(), ThreeAxisControls.end(), group) ==
                 ThreeAxisControls.end())
            control<QWidget>(qname(group))->setEnabled(true);
    if (!commonKnown) {
        clearEdit(control<QLineEdit>(QStringLiteral("Edit25")));
        return;
    }

    CommonBlock &c = WorkValues.common;
    const int deadBand = deadBandButton(c.DeadBand());
    if (deadBand >= 0) {
        check(*this, DeadBandButtons[static_cast<std::size_t>(deadBand)], true);
        // A code of the other unit kind is rewritten into this kind's coding also when its
        // button was already checked, so the unit never receives a code it does not know.
        c.DeadBand() = deadBandCode(deadBand, unitKind);
    }

    const bool pirouette = c.PirouUse() == 1;
    check(*this, "PirouUseCheckBox", pirouette);
    for (std::string_view name : PirouDependentControls)
        control<QWidget>(qname(name))->setEnabled(pirouette);
    check(*this, "PirouDirCheckBox", c.PirouDir() == 1);
    showNumber(*this, "Edit25", c.PirouGain());
    check(*this, "ERingUseCheckBox", c.ERingOff() != 1);

    // Setting an item from the program runs no handler (they listen to user choices only).
    for (const ComboField &combo : CommonCombos)
        control<QComboBox>(qname(combo.combo))->setCurrentIndex(c[combo.field]);

    auto *rxKind = control<QComboBox>(QStringLiteral("RxKindSelectComboBox"));
    const RxKindShown shown = rxKindShown(c.RxKind(), rxKind->count());
    rxKind->setCurrentIndex(shown.item);
    if (shown.repaired)
        c.RxKind() = 0;

    const int axisMode = axisModeButton(c.AxisMode());
    if (axisMode >= 0)
        check(*this, AxisModeButtons[static_cast<std::size_t>(axisMode)], true);
}

void TForm1::showDefaults()
{
    const ModeSet s = selectedModeSet();
    for (int axis = 0; axis < AxisCount; ++axis)
        for (std::size_t row = 0; row < ShownAxisFields.size(); ++row)
            showNumberOrNothing(*this, AxisFieldControls[axis][row].standard,
                                DefValues[axis][s][ShownAxisFields[row]], DefKnown[axis][s]);
}

void TForm1::enableThreeAxisControls(bool enabled)
{
    for (std::string_view name : ThreeAxisControls)
        control<QWidget>(qname(name))->setEnabled(enabled);
    const QColor caption = QColor::fromRgb(enabled ? CaptionEnabledColour : CaptionDisabledColour);
    for (std::string_view name : ThreeAxisGroupCaptions) {
        QWidget *group = control<QWidget>(qname(name));
        QPalette p = group->palette();
        // Only the active and inactive groups: disabled children (an unknown record's spin
        // buttons, a label of a switched-off option) keep the greyed look of their own.
        p.setColor(QPalette::Active, QPalette::WindowText, caption);
        p.setColor(QPalette::Inactive, QPalette::WindowText, caption);
        group->setPalette(p);
    }
}

void TForm1::applyAxisMode()
{
    const std::int16_t mode = WorkValues.common.AxisMode();
    if (mode != 0 && mode != 1)
        return;
    control<QLabel>(QStringLiteral("Label107"))
        ->setText(text(mode == 0 ? QStringLiteral("AxisMode3Message") : QStringLiteral("AxisMode1Message")));
    AppliedAxisMode = mode;
}

} // namespace vireo
