// The mode buttons and the pirouette gain Set button through the real window: what a click
// shows, and what reaches the unit.
#include "params/gui/ParamsWindowFixture.h"
#include "support/MainWindowFixture.h"
#include "widgets/PageControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace vireo::test
{
namespace
{

class ModeButtonsTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        start();
        holdKnownValues();
        for (ModeSet m = 0; m < ModeSetCount; ++m) {
            form->WorkValues.axes[Rudder][m].P() = static_cast<std::int16_t>(100 + m);
            form->CurValues[Rudder][m].P() = static_cast<std::int16_t>(200 + m);
            form->DefValues[Rudder][m].P() = static_cast<std::int16_t>(300 + m);
        }
    }
};

TEST_F(ModeButtonsTest, ClickShowsTheModeSetAndStandardValuesOnlyWhileConnected)
{
    struct Case {
        bool connected;
        const char *button;
        ModeSet mode;
    };
    const Case cases[] = {{false, "ExtraRadioButton", 2},
                          {false, "Mode1RadioButton", 1},
                          {true, "ExtraRadioButton", 2},
                          {true, "Mode0RadioButton", 0},
                          {false, "Mode1RadioButton", 1}};
    for (const Case &c : cases) {
        form->Connected = c.connected;
        const QString standardBefore = control<QLabel>("StaticText58")->text();
        control<QRadioButton>(c.button)->click();
        EXPECT_EQ(control<QLineEdit>("Edit19")->text().toStdString(), std::to_string(100 + c.mode))
            << c.button;
        EXPECT_EQ(control<QLabel>("StaticText19")->text().toStdString(), std::to_string(200 + c.mode))
            << c.button;
        const std::string standard =
            c.connected ? std::to_string(300 + c.mode) : standardBefore.toStdString();
        EXPECT_EQ(control<QLabel>("StaticText58")->text().toStdString(), standard) << c.button;
    }
}

TEST_F(ModeButtonsTest, EntryMadeInExtraStaysWithExtra)
{
    control<QRadioButton>("ExtraRadioButton")->click();
    QLineEdit *field = control<QLineEdit>("Edit19");
    field->setText(QStringLiteral("777"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
    EXPECT_EQ(form->WorkValues.axes[Rudder][2].P(), 777);

    control<QRadioButton>("Mode0RadioButton")->click();
    EXPECT_EQ(field->text().toStdString(), "100");
    control<QRadioButton>("ExtraRadioButton")->click();
    EXPECT_EQ(field->text().toStdString(), "777");
}

TEST_F(ModeButtonsTest, PirouetteSetWhileDisconnectedDoesNothing)
{
    control<QCheckBox>("PirouUseCheckBox")->click();
    const ParameterSet before = form->WorkValues;
    control<QPushButton>("PirouGainSetButton")->click();
    EXPECT_EQ(port.openAttempts, 0);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(form->WorkValues, before);
}

using PirouetteSetTest = paramtest::ParamsWindowTest;

// Typing a gain and going straight to the Set button: the field is checked as the focus
// leaves it, before the click writes the common block.
TEST_F(PirouetteSetTest, PirouetteGainTypedThenSetReachesTheUnit)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.PageControl1->setCurrentWidget(control("TabSheet4"));
    control<QCheckBox>("PirouUseCheckBox")->click();
    auto *field = control<QLineEdit>("Edit25");
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("55"));

    dialogs.expectMessage(MsgIcon::Information, "CPSWriteCompleteMessage");
    QTest::mouseClick(control("PirouGainSetButton"), Qt::LeftButton);
    dialogs.verify();
    EXPECT_EQ(f.WorkValues.common.PirouGain(), 55);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].substr(0, 9), "WROM C 1 ");
    EXPECT_EQ(unit->store().common[static_cast<std::size_t>(CommonField::PirouGain)], 550);
}

} // namespace
} // namespace vireo::test
