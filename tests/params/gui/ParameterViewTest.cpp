// How the window shows the parameter set: value columns, option controls and their repairs,
// and the one-axis greying.
#include "ParamsWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace vireo::paramtest
{
namespace
{

using ParamsView = ParamsWindowTest;

TEST_F(ParamsView, DeadBandCodesOfEitherKindShowAndStoreThePresentKindsCode)
{
    struct Case {
        UnitKind kind;
        std::int16_t stored;
        const char *checkedBefore;
        const char *checkedAfter;
        std::int16_t storedAfter;
    };
    const Case cases[] = {
        {UnitKind::Kind2, 13, "DB0RadioButton", "DB2RadioButton", 6},
        {UnitKind::Kind2, 13, "DB2RadioButton", "DB2RadioButton", 6}, // button already checked
        {UnitKind::Kind1, 3, "DB0RadioButton", "DB1RadioButton", 7},
        {UnitKind::Kind1, 19, "DB1RadioButton", "DB3RadioButton", 19},
        {UnitKind::Kind2, 0, "DB3RadioButton", "DB0RadioButton", 0},
        {UnitKind::Kind2, 5, "DB3RadioButton", "DB3RadioButton", 5}, // unknown: left as it is
    };
    for (const auto &c : cases) {
        TForm1 &f = start(c.kind, c.kind == UnitKind::Kind1 ? " 2.0.5" : " 0.5.0");
        control<QRadioButton>(c.checkedBefore)->setChecked(true);
        f.WorkValues.common.DeadBand() = c.stored;
        f.showParameters();
        EXPECT_TRUE(control<QRadioButton>(c.checkedAfter)->isChecked()) << c.stored << " " << c.checkedAfter;
        EXPECT_EQ(f.WorkValues.common.DeadBand(), c.storedAfter) << c.stored;
    }
}

TEST_F(ParamsView, ReceiverKindOutsideItsListShowsTheFirstAndIsStoredAsZero)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    auto *combo = control<QComboBox>("RxKindSelectComboBox");
    const std::pair<std::int16_t, std::int16_t> cases[] = {{3, 0}, {-1, 0}, {2, 2}, {1, 1}};
    for (const auto &[stored, shown] : cases) {
        f.WorkValues.common.RxKind() = stored;
        f.showParameters();
        EXPECT_EQ(combo->currentIndex(), shown) << stored;
        EXPECT_EQ(f.WorkValues.common.RxKind(), shown) << stored;
    }
}

TEST_F(ParamsView, OptionControlsFollowTheCommonBlock)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    CommonBlock &c = f.WorkValues.common;

    c.ERingOff() = 0;
    c.PirouUse() = 1;
    c.AxisMode() = 1;
    c.AuxOutCh() = 11;
    f.showParameters();
    EXPECT_TRUE(control<QCheckBox>("ERingUseCheckBox")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("PirouUseCheckBox")->isChecked());
    EXPECT_TRUE(control<QWidget>("Edit25")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>("AxisMode1AxisRadioButton")->isChecked());
    EXPECT_EQ(control<QComboBox>("AuxOutComboBox")->currentIndex(), 11);

    c.ERingOff() = 1;
    c.PirouUse() = 2; // not 1: off
    c.AxisMode() = 7; // neither button
    c.AuxOutCh() = 20;
    f.showParameters();
    EXPECT_FALSE(control<QCheckBox>("ERingUseCheckBox")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("PirouUseCheckBox")->isChecked());
    for (const char *name :
         {"PirouDirCheckBox", "Label63", "Label70", "PirouCheckButton", "PirouGainSetButton", "Edit25"})
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(control<QRadioButton>("AxisMode1AxisRadioButton")->isChecked()) << "left as it was";
    EXPECT_EQ(control<QComboBox>("AuxOutComboBox")->currentIndex(), -1) << "no item for an unknown channel";
    EXPECT_EQ(c.AuxOutCh(), 20) << "a combo box set by the program stores nothing";
}

TEST_F(ParamsView, OneAxisModeGreysAileronAndElevatorOnly)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    const QColor grey(0x80, 0x80, 0x80);
    const char *threeAxis[] = {"Edit1",     "StaticText26",      "UpDown9",           "Edit18",
                               "GroupBox2", "StaticText16",      "PirouUseCheckBox",  "ERingUseCheckBox",
                               "Label48",   "AilGainChComboBox", "EleGainChComboBox", "SwashNarrowComboBox"};
    const char *captions[] = {"AilGroupBox", "EleGroupBox", "GroupBox2",     "GroupBox1",
                              "PirouGroup",  "ERingGroup",  "SwashNeutGroup"};
    for (std::int16_t applied : {1, 0}) {
        f.AppliedAxisMode = applied;
        f.showParameters();
        for (const char *name : threeAxis)
            EXPECT_EQ(control<QWidget>(name)->isEnabled(), applied == 0) << name << " applied " << applied;
        for (const char *name : captions)
            EXPECT_EQ(control<QWidget>(name)->palette().color(QPalette::Active, QPalette::WindowText),
                      applied == 0 ? QColor(Qt::black) : grey)
                << name;
        // A disabled control inside keeps the greyed look of its own.
        EXPECT_NE(control<QWidget>("PirouGroup")->palette().color(QPalette::Disabled, QPalette::WindowText),
                  QColor(Qt::black));
        for (const char *name : {"RudGroupBox", "Edit19", "StaticText63", "RudGainChComboBox"})
            EXPECT_TRUE(control<QWidget>(name)->isEnabled()) << name;
    }
}

TEST_F(ParamsView, AxisModeTakesEffectOnlyWhenApplied)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    f.WorkValues.common.AxisMode() = 1;
    f.applyAxisMode();
    EXPECT_EQ(f.AppliedAxisMode, 1);
    EXPECT_EQ(control<QLabel>("Label107")->text(), f.text(QStringLiteral("AxisMode1Message")));
    f.WorkValues.common.AxisMode() = 2;
    f.applyAxisMode();
    EXPECT_EQ(f.AppliedAxisMode, 1);
    EXPECT_EQ(control<QLabel>("Label107")->text(), f.text(QStringLiteral("AxisMode1Message")));
}

TEST_F(ParamsView, ColumnsShowTheSelectedModeSet)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    for (int m = 0; m < ModeSetCount; ++m) {
        f.WorkValues.axes[Elevator][m].D() = static_cast<std::int16_t>(10 + m);
        f.CurValues[Elevator][m].D() = static_cast<std::int16_t>(20 + m);
        f.DefValues[Elevator][m].D() = static_cast<std::int16_t>(-30 - m);
    }
    const char *buttons[] = {"Mode0RadioButton", "Mode1RadioButton", "ExtraRadioButton"};
    for (int m : {2, 0, 1}) {
        control<QRadioButton>(buttons[m])->setChecked(true);
        f.showDefaults();
        f.showParameters();
        EXPECT_EQ(f.selectedModeSet(), m);
        EXPECT_EQ(control<QLineEdit>("Edit12")->text(), QString::number(10 + m));
        EXPECT_EQ(control<QLabel>("StaticText12")->text(), QString::number(20 + m));
        EXPECT_EQ(control<QLabel>("StaticText52")->text(), QString::number(-30 - m));
    }
}

} // namespace
} // namespace vireo::paramtest
