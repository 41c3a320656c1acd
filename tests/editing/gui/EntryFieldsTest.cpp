// Value entry through the real window: typing, emptying, leaving a field, the error dialog
// and the spin buttons, with the window's own controls and working values.
#include "support/MainWindowFixture.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace vireo::test
{
namespace
{

class EntryFieldsTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        start();
        holdKnownValues();
    }

    QLineEdit *edit(const char *name) const { return control<QLineEdit>(name); }

    // The field loses the focus to another control of the window.
    static void leave(QLineEdit *field, Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(field, &out);
    }

    void selectMode(const char *button) const { control<QRadioButton>(button)->click(); }
};

// One row per entry: the mode button checked, the field, the text that ends up in it (typed
// where typing can produce it, else pasted), the dialog and its limit, and the one working
// value that may change.
struct EntryCase {
    const char *name;
    const char *modeButton;
    const char *edit;
    const char *text;
    bool pasted;
    int axis; // -1: the pirouette gain of the common block
    ModeSet mode;
    AxisField field;
    std::int16_t unitValue;  // CurValues there, or the PirouGain held before
    const char *dialogLimit; // second line of the error text, nullptr: no dialog
    std::int16_t stored;
};

const EntryCase EntryCases[] = {
    {"AileronPAtLimit", "Mode0RadioButton", "Edit1", "5000", false, Aileron, 0, AxisField::P, 1200, nullptr,
     5000},
    {"AileronPOverLimit", "Mode0RadioButton", "Edit1", "5001", false, Aileron, 0, AxisField::P, 1200,
     "(0-5000)", 1200},
    {"ElevatorDModeSet1", "Mode1RadioButton", "Edit12", "1234", false, Elevator, 1, AxisField::D, 77, nullptr,
     1234},
    {"RudderPAboveSixteenBits", "Mode0RadioButton", "Edit19", "70000", false, Rudder, 0, AxisField::P, 2100,
     "(0-32767)", 2100},
    {"RudderCtlInExtra", "ExtraRadioButton", "Edit27", "1000", false, Rudder, 2, AxisField::CTL, 5, nullptr,
     1000},
    {"NegativePasted", "Mode0RadioButton", "Edit2", "-5", true, Aileron, 0, AxisField::I, 300, nullptr, 300},
    {"LetterPasted", "Mode1RadioButton", "Edit20", "12a", true, Rudder, 1, AxisField::I, 9, nullptr, 9},
    {"LeadingZeros", "Mode0RadioButton", "Edit14", "007", false, Elevator, 0, AxisField::HLD, 3, nullptr, 7},
    {"PirouetteGainOverLimit", "Mode0RadioButton", "Edit25", "150", false, -1, 0, AxisField::P, 30, "(0-100)",
     30},
    {"PirouetteGainPasted", "Mode0RadioButton", "Edit25", "4x", true, -1, 0, AxisField::P, 30, nullptr, 30},
};

class EntryCaseTest : public EntryFieldsTest, public ::testing::WithParamInterface<EntryCase>
{
};

TEST_P(EntryCaseTest, LeavingTheFieldStoresOnlyItsValue)
{
    const EntryCase &c = GetParam();
    // Distinct values everywhere, so a store into the wrong record or field shows.
    for (int a = 0; a < AxisCount; ++a)
        for (ModeSet m = 0; m < ModeSetCount; ++m)
            for (int f = 0; f < AxisFieldCount; ++f) {
                form->CurValues[a][m].words[f] = static_cast<std::int16_t>(1 + a * 100 + m * 20 + f);
                form->WorkValues.axes[a][m].words[f] = static_cast<std::int16_t>(-1 - a * 100 - m * 20 - f);
            }
    if (c.axis < 0) {
        form->WorkValues.common.PirouGain() = c.unitValue;
        control<QCheckBox>("PirouUseCheckBox")->click(); // Edit25 is usable only with compensation on
    } else {
        form->CurValues[c.axis][c.mode][c.field] = c.unitValue;
    }
    selectMode(c.modeButton);
    ParameterSet expected = form->WorkValues;
    if (c.axis < 0)
        expected.common.PirouGain() = c.stored;
    else
        expected.axes[c.axis][c.mode][c.field] = c.stored;

    QLineEdit *field = edit(c.edit);
    if (c.pasted) {
        field->setText(QString::fromUtf8(c.text));
    } else {
        field->selectAll(); // typing replaces the whole text
        QTest::keyClicks(field, QString::fromUtf8(c.text));
        ASSERT_EQ(field->text().toStdString(), c.text); // typing reaches the field unfiltered
    }
    if (c.dialogLimit)
        dialogs.expectMessage(MsgIcon::Error, "CPSInputErrorMessage", Ok);
    leave(field);
    dialogs.verify();

    if (c.dialogLimit) {
        ASSERT_EQ(dialogs.messages().size(), 1u);
        const MessageRequest &shown = dialogs.messages().back();
        EXPECT_EQ(shown.text,
                  form->text(QStringLiteral("CPSInputErrorMessage")).toStdString() + "\n" + c.dialogLimit);
        EXPECT_EQ(shown.buttons, unsigned{Ok});
    }
    EXPECT_EQ(form->WorkValues, expected);
    EXPECT_EQ(field->text().toStdString(), std::to_string(c.stored));
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryCaseTest, ::testing::ValuesIn(EntryCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EntryFieldsTest, GainFieldsTakeDigitsAndBackspaceOnly)
{
    QLineEdit *field = edit("Edit10");
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("1a -2.+3"));
    EXPECT_EQ(field->text().toStdString(), "123");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text().toStdString(), "12");

    // The pirouette gain field has no such filter; its check on leaving is what holds.
    control<QCheckBox>("PirouUseCheckBox")->click();
    QLineEdit *pirouette = edit("Edit25");
    pirouette->selectAll();
    QTest::keyClicks(pirouette, QStringLiteral("4a"));
    EXPECT_EQ(pirouette->text().toStdString(), "4a");
}

TEST_F(EntryFieldsTest, EmptiedFieldShowsZeroAtOnce)
{
    control<QCheckBox>("PirouUseCheckBox")->click();
    for (const char *name : {"Edit1", "Edit23", "Edit25"}) {
        QLineEdit *field = edit(name);
        field->setText(QStringLiteral("57"));
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text().toStdString(), "0") << name;
        field->clear(); // a change made by the program too
        EXPECT_EQ(field->text().toStdString(), "0") << name;
    }
}

TEST_F(EntryFieldsTest, FocusMovingOutOfTheWindowOrIntoAMenuIsNoLeave)
{
    struct Case {
        Qt::FocusReason reason;
        bool checked;
    };
    const Case cases[] = {{Qt::MouseFocusReason, true},         {Qt::TabFocusReason, true},
                          {Qt::BacktabFocusReason, true},       {Qt::OtherFocusReason, true},
                          {Qt::ActiveWindowFocusReason, false}, {Qt::PopupFocusReason, false}};
    QLineEdit *field = edit("Edit11");
    for (const Case &c : cases) {
        form->WorkValues.axes[Elevator][0].I() = 0;
        field->setText(QStringLiteral("25"));
        leave(field, c.reason);
        EXPECT_EQ(form->WorkValues.axes[Elevator][0].I(), c.checked ? 25 : 0) << c.reason;
    }
}

TEST_F(EntryFieldsTest, ClickingAnotherControlChecksTheFieldOnce)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QLineEdit *field = edit("Edit4");
    field->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(field->hasFocus());
    form->CurValues[Aileron][0].FF() = 12;
    form->WorkValues.axes[Aileron][1].FF() = 33;
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("61"));

    dialogs.expectMessage(MsgIcon::Error, "CPSInputErrorMessage", Ok);
    QTest::mouseClick(control("Mode1RadioButton"), Qt::LeftButton);
    dialogs.verify();
    EXPECT_EQ(dialogs.messages().size(), 1u);
    // Checked against the mode set that was selected while the entry was made; the field
    // then shows the mode set the click selected.
    EXPECT_EQ(form->WorkValues.axes[Aileron][0].FF(), 12);
    EXPECT_TRUE(control<QRadioButton>("Mode1RadioButton")->isChecked());
    EXPECT_EQ(field->text().toStdString(), std::to_string(form->WorkValues.axes[Aileron][1].FF()));
}

// While the error dialog is open the field loses the focus once more (to the dialog, and
// back to the control the user went to); that is still the same leave.
class FocusStealingDialogs : public Dialogs
{
public:
    FocusStealingDialogs(Dialogs &inner, QLineEdit *&field) : inner_(inner), field_(field) {}
    MsgButton message(const MessageRequest &request) override
    {
        for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::MouseFocusReason}) {
            QFocusEvent out(QEvent::FocusOut, reason);
            QCoreApplication::sendEvent(field_, &out);
        }
        return inner_.message(request);
    }
    std::optional<std::string> openFileName(const FileRequest &r) override { return inner_.openFileName(r); }
    std::optional<std::string> saveFileName(const FileRequest &r) override { return inner_.saveFileName(r); }

private:
    Dialogs &inner_;
    QLineEdit *&field_;
};

class EntryExitOnceTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>(Services{clock, stealing, port, ports, dir.path()});
        holdKnownValues();
        field = form->control<QLineEdit>(QStringLiteral("Edit3"));
    }
    QLineEdit *field = nullptr;
    FocusStealingDialogs stealing{dialogs, field};
};

TEST_F(EntryExitOnceTest, ErrorDialogDoesNotStartASecondCheck)
{
    form->CurValues[Aileron][0].D() = 40;
    field->setText(QStringLiteral("9999"));
    dialogs.expectMessage(MsgIcon::Error, "CPSInputErrorMessage", Ok);
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(field, &out);
    dialogs.verify();
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(form->WorkValues.axes[Aileron][0].D(), 40);
    EXPECT_EQ(field->text().toStdString(), "40");
}

TEST_F(EntryFieldsTest, SpinButtonsStoreAtOnceWithinZeroAndLimit)
{
    struct Case {
        const char *spin;
        const char *edit;
        int axis;
        AxisField field;
        const char *start;
        UpDown::Button button;
        std::int16_t expected;
    };
    const Case cases[] = {
        {"UpDown1", "Edit1", Aileron, AxisField::P, "5000", UpDown::Button::Up, 5000},
        {"UpDown1", "Edit1", Aileron, AxisField::P, "0", UpDown::Button::Down, 0},
        {"UpDown10", "Edit10", Elevator, AxisField::P, "5000", UpDown::Button::Up, 5000},
        {"UpDown11", "Edit11", Elevator, AxisField::I, "0", UpDown::Button::Down, 0},
        {"UpDown12", "Edit12", Elevator, AxisField::D, "4999", UpDown::Button::Up, 5000},
        {"UpDown19", "Edit19", Rudder, AxisField::P, "32767", UpDown::Button::Up, 32767},
        {"UpDown20", "Edit20", Rudder, AxisField::I, "0", UpDown::Button::Down, 0},
        {"UpDown21", "Edit21", Rudder, AxisField::D, "1", UpDown::Button::Down, 0},
        {"UpDown13", "Edit13", Elevator, AxisField::FF, "60", UpDown::Button::Up, 60},
        {"UpDown23", "Edit23", Rudder, AxisField::HLD, "20", UpDown::Button::Up, 20},
        {"UpDown27", "Edit27", Rudder, AxisField::CTL, "999", UpDown::Button::Up, 1000},
        {"UpDown9", "Edit9", Aileron, AxisField::CTL, "1000", UpDown::Button::Up, 1000},
        // typed over the limit and not yet left: the spin button starts from its limit
        {"UpDown22", "Edit22", Rudder, AxisField::FF, "70000", UpDown::Button::Up, 32767},
    };
    selectMode("Mode1RadioButton");
    for (const Case &c : cases) {
        form->WorkValues.axes[c.axis][1][c.field] = -1;
        edit(c.edit)->setText(QString::fromUtf8(c.start));
        control<UpDown>(c.spin)->click(c.button);
        EXPECT_EQ(form->WorkValues.axes[c.axis][1][c.field], c.expected) << c.spin << " from " << c.start;
        EXPECT_EQ(edit(c.edit)->text().toStdString(), std::to_string(c.expected)) << c.spin;
    }
}

} // namespace
} // namespace vireo::test
