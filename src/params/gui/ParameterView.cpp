// Putting the parameter set into the controls: the three value columns of the selected mode
// set, the option controls of the common block, and the three-axis/one-axis enabling. Also
// the one look-up of those controls.
#include "params/ParameterDisplay.h"
#include "params/gui/ParameterController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace vireo
{

namespace
{

// The controls a table names, in its order.
template <class T, class Table> auto controlsOf(const WindowShell &shell, const Table &names)
{
    std::array<T *, std::tuple_size_v<Table>> out{};
    for (std::size_t i = 0; i < names.size(); ++i)
        out[i] = shell.template control<T>(names[i]);
    return out;
}

// Edits and static texts both carry their value as "text".
template <class T> void showNumber(T *w, std::int16_t value)
{
    w->setText(QString::number(value));
}

// An emptied entry field normally shows "0" at once; one of an unknown record stays empty.
void clearEdit(QLineEdit *edit)
{
    const QSignalBlocker quiet(edit);
    edit->clear();
}

// A record nobody gave shows no number at all.
void showNumberOrNothing(QLineEdit *edit, std::int16_t value, bool known)
{
    if (known)
        showNumber(edit, value);
    else
        clearEdit(edit);
}

void showNumberOrNothing(QLabel *label, std::int16_t value, bool known)
{
    if (known)
        showNumber(label, value);
    else
        label->clear();
}

} // namespace

ParameterControls ParameterControls::find(const WindowShell &shell)
{
    const auto named = [&shell]<class T>(const char *name, T *&w) { w = shell.control<T>(name); };
    ParameterControls v;
    named("ReadButton", v.ReadButton);
    named("WriteButton", v.WriteButton);
    named("ProgressBar1", v.ProgressBar1);
    named("Edit25", v.Edit25);
    named("PirouUseCheckBox", v.PirouUseCheckBox);
    named("PirouDirCheckBox", v.PirouDirCheckBox);
    named("ERingUseCheckBox", v.ERingUseCheckBox);
    named("RxKindSelectComboBox", v.RxKindSelectComboBox);
    named("Label107", v.Label107);

    for (int axis = 0; axis < AxisCount; ++axis)
        for (std::size_t row = 0; row < ShownAxisFields.size(); ++row) {
            const FieldControls &names = AxisFieldControls[axis][row];
            v.fields[axis][row] = {shell.control<QLineEdit>(names.edit), shell.control<QLabel>(names.unit),
                                   shell.control<QLabel>(names.standard), shell.control<QWidget>(names.spin)};
        }
    v.modeSets = controlsOf<QRadioButton>(shell, ModeSetButtons);
    v.deadBands = controlsOf<QAbstractButton>(shell, DeadBandButtons);
    v.axisModes = controlsOf<QAbstractButton>(shell, AxisModeButtons);
    v.pirouDependent = controlsOf<QWidget>(shell, PirouDependentControls);
    for (std::size_t i = 0; i < CommonCombos.size(); ++i)
        v.combos[i] = shell.control<QComboBox>(CommonCombos[i].combo);
    v.threeAxis = controlsOf<QWidget>(shell, ThreeAxisControls);
    v.commonGroups = controlsOf<QWidget>(shell, CommonBlockGroups);
    v.threeAxisCaptions = controlsOf<QWidget>(shell, ThreeAxisGroupCaptions);
    return v;
}

ModeSet ParameterController::selectedModeSet() const
{
    return vireo::selectedModeSet(view_.modeSets[1]->isChecked(), view_.modeSets[2]->isChecked());
}

void ParameterController::showParameters()
{
    const ModeSet s = selectedModeSet();
    enableThreeAxisControls(AppliedAxisMode == 0);
    for (int axis = 0; axis < AxisCount; ++axis) {
        const bool known = WorkValues.origins.axes[axis][s] != Origin::Unknown;
        // An unknown record cannot be edited: the user would set one field of a record whose
        // other fields nobody knows.
        const bool editable = known && (axis == Rudder || AppliedAxisMode == 0);
        for (std::size_t row = 0; row < ShownAxisFields.size(); ++row) {
            const ParameterControls::Field &c = view_.fields[axis][row];
            showNumberOrNothing(c.edit, WorkValues.axes[axis][s][ShownAxisFields[row]], known);
            c.edit->setEnabled(editable);
            c.spin->setEnabled(editable);
        }
    }
    for (int axis = 0; axis < AxisCount; ++axis)
        for (std::size_t row = 0; row < ShownAxisFields.size(); ++row)
            showNumberOrNothing(view_.fields[axis][row].unit, CurValues[axis][s][ShownAxisFields[row]],
                                CurKnown[axis][s]);

    // Option controls cannot show "unknown": their groups are greyed until the block is known,
    // and they are not set from values nobody gave (their handlers would store them).
    const bool commonKnown = WorkValues.origins.common != Origin::Unknown;
    for (std::size_t i = 0; i < CommonBlockGroups.size(); ++i)
        if (!commonKnown)
            view_.commonGroups[i]->setEnabled(false);
        else if (std::find(ThreeAxisControls.begin(), ThreeAxisControls.end(), CommonBlockGroups[i]) ==
                 ThreeAxisControls.end())
            view_.commonGroups[i]->setEnabled(true);
    if (!commonKnown) {
        clearEdit(view_.Edit25);
        return;
    }

    CommonBlock &c = WorkValues.common;
    // Checking from the program changes state like a click; the control's handler (connected
    // to its state change) then stores the value the control shows.
    const int deadBand = deadBandButton(c.DeadBand());
    if (deadBand >= 0) {
        view_.deadBands[static_cast<std::size_t>(deadBand)]->setChecked(true);
        // A code of the other unit kind is rewritten into this kind's coding also when its
        // button was already checked, so the unit never receives a code it does not know.
        c.DeadBand() = deadBandCode(deadBand, window_.unitProfile().kind);
    }

    const bool pirouette = c.PirouUse() == 1;
    view_.PirouUseCheckBox->setChecked(pirouette);
    for (QWidget *w : view_.pirouDependent)
        w->setEnabled(pirouette);
    view_.PirouDirCheckBox->setChecked(c.PirouDir() == 1);
    showNumber(view_.Edit25, c.PirouGain());
    view_.ERingUseCheckBox->setChecked(c.ERingOff() != 1);

    // Setting an item from the program runs no handler (they listen to user choices only).
    for (std::size_t i = 0; i < CommonCombos.size(); ++i)
        view_.combos[i]->setCurrentIndex(c[CommonCombos[i].field]);

    QComboBox *rxKind = view_.RxKindSelectComboBox;
    const RxKindShown shown = rxKindShown(c.RxKind(), rxKind->count());
    rxKind->setCurrentIndex(shown.item);
    if (shown.repaired)
        c.RxKind() = 0;

    const int axisMode = axisModeButton(c.AxisMode());
    if (axisMode >= 0)
        view_.axisModes[static_cast<std::size_t>(axisMode)]->setChecked(true);
}

void ParameterController::showDefaults()
{
    const ModeSet s = selectedModeSet();
    for (int axis = 0; axis < AxisCount; ++axis)
        for (std::size_t row = 0; row < ShownAxisFields.size(); ++row)
            showNumberOrNothing(view_.fields[axis][row].standard, DefValues[axis][s][ShownAxisFields[row]],
                                DefKnown[axis][s]);
}

void ParameterController::enableThreeAxisControls(bool enabled)
{
    for (QWidget *w : view_.threeAxis)
        w->setEnabled(enabled);
    const QColor caption = QColor::fromRgb(enabled ? CaptionEnabledColour : CaptionDisabledColour);
    for (QWidget *group : view_.threeAxisCaptions) {
        QPalette p = group->palette();
        // Only the active and inactive groups: disabled children (an unknown record's spin
        // buttons, a label of a switched-off option) keep the greyed look of their own.
        p.setColor(QPalette::Active, QPalette::WindowText, caption);
        p.setColor(QPalette::Inactive, QPalette::WindowText, caption);
        group->setPalette(p);
    }
}

void ParameterController::applyAxisMode()
{
    const std::int16_t mode = WorkValues.common.AxisMode();
    if (mode != 0 && mode != 1)
        return;
    view_.Label107->setText(
        shell_.text(mode == 0 ? QStringLiteral("AxisMode3Message") : QStringLiteral("AxisMode1Message")));
    AppliedAxisMode = mode;
}

} // namespace vireo
