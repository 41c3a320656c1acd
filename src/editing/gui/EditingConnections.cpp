// Wiring of the editing controls to their handlers. Radio buttons and check boxes report
// every change of state, also one made by the program (the display setting them from the
// working values stores again what they now show); combo boxes report only the user's choice,
// so that setting an item from the program runs no handler.
#include "app/TForm1.h"
#include "app/UpDown.h"
#include "editing/EntryFields.h"
#include "editing/OptionControls.h"
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

} // namespace

void TForm1::fillMaxTable()
{
    MaxTable.fill();
    // The three mode sets share their limits, so one range per spin button serves them all.
    for (const GainEntryField &f : GainEntryFields)
        control<UpDown>(qs(f.upDown))->setRange(0, MaxTable.limit(f.axis, f.row, 0));
}

void TForm1::connectEditingHandlers()
{
    auto *filter = new EntryFieldFilter(*this);
    const auto watchEdit = [&](std::string_view name, bool typing) {
        QLineEdit *edit = control<QLineEdit>(qs(name));
        filter->watch(edit, typing);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { EditChange(edit); });
    };
    for (const GainEntryField &f : GainEntryFields) {
        watchEdit(f.edit, true);
        UpDown *spin = control<UpDown>(qs(f.upDown));
        connect(spin, &UpDown::clicked, this, [this, spin] { UpDown1Click(spin); });
    }
    watchEdit(PirouGainEdit, false);

    const auto onChecked = [this](std::string_view name, void (TForm1::*handler)()) {
        connect(control<QRadioButton>(qs(name)), &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onChecked(ModeSetButtons[0], &TForm1::Mode0RadioButtonClick);
    onChecked(ModeSetButtons[1], &TForm1::Mode1RadioButtonClick);
    onChecked(ModeSetButtons[2], &TForm1::ExtraRadioButtonClick);
    onChecked(AxisModeButtons[0], &TForm1::AxisMode3AxisRadioButtonClick);
    onChecked(AxisModeButtons[1], &TForm1::AxisMode1AxisRadioButtonClick);
    for (int button = 0; button < static_cast<int>(DeadBandButtons.size()); ++button)
        connect(control<QRadioButton>(qs(DeadBandButtons[static_cast<std::size_t>(button)])),
                &QRadioButton::toggled, this, [this, button](bool checked) {
                    if (checked)
                        DBRadioButtonClick(button);
                });

    const auto onToggled = [this](const char *name, void (TForm1::*handler)()) {
        connect(control<QCheckBox>(QString::fromLatin1(name)), &QCheckBox::toggled, this,
                [this, handler] { (this->*handler)(); });
    };
    onToggled("PirouUseCheckBox", &TForm1::PirouUseCheckBoxClick);
    onToggled("PirouDirCheckBox", &TForm1::PirouDirCheckBoxClick);
    onToggled("ERingUseCheckBox", &TForm1::ERingUseCheckBoxClick);

    const auto onChosen = [this](std::string_view name, void (TForm1::*handler)()) {
        connect(control<QComboBox>(qs(name)), &QComboBox::activated, this,
                [this, handler] { (this->*handler)(); });
    };
    onChosen(GainChannelCombos[0].combo, &TForm1::AilGainChComboBoxChange);
    onChosen(GainChannelCombos[1].combo, &TForm1::EleGainChComboBoxChange);
    onChosen(GainChannelCombos[2].combo, &TForm1::RudGainChComboBoxChange);
    onChosen(ConditionChannelCombo.combo, &TForm1::CondGainChComboBoxChange);
    onChosen("AuxOutComboBox", &TForm1::AuxOutComboBoxChange);
    onChosen("RudNarrowComboBox", &TForm1::RudNarrowComboBoxChange);
    onChosen("SwashNarrowComboBox", &TForm1::SwashNarrowComboBoxChange);
    onChosen("RxKindSelectComboBox", &TForm1::RxKindSelectComboBoxChange);
    // PirouGainSetButton starts a flow: connected with the other flow buttons (connectControls).
}

} // namespace vireo
