// The mode selector and the option pages through the real window: what each control stores
// in the working values, and the refused channel choices with their messages.
#include "support/MainWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <functional>

namespace vireo::test
{
namespace
{

class OptionControlsTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        start();
        holdKnownValues();
    }

    QComboBox *combo(const char *name) const { return control<QComboBox>(name); }

    // What a user's pick from the drop-down list does.
    static void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // Channels held and shown before the user's pick, as after a read.
    void holdChannels(int ail, int ele, int rud, int cond)
    {
        const std::pair<const char *, CommonField> boxes[] = {{"AilGainChComboBox", CommonField::AilGainCh},
                                                              {"EleGainChComboBox", CommonField::EleGainCh},
                                                              {"RudGainChComboBox", CommonField::RudGainCh},
                                                              {"CondSelChComboBox", CommonField::CondCh}};
        const int values[] = {ail, ele, rud, cond};
        for (std::size_t i = 0; i < std::size(boxes); ++i) {
            form->WorkValues.common[boxes[i].second] = static_cast<std::int16_t>(values[i]);
            combo(boxes[i].first)->setCurrentIndex(values[i]);
        }
    }
};

enum Channel { INH = 0, GEAR = 1, AUX2 = 2, AUX3 = 3, AUX5 = 5, AUX11 = 11 };

TEST_F(OptionControlsTest, GainAndConditionChannelsNeverShareARealChannel)
{
    struct Case {
        const char *what;
        std::array<int, 4> held; // aileron, elevator, rudder, condition
        const char *box;
        CommonField field;
        int chosen;
        const char *refusal; // language key of the message, nullptr: accepted
    };
    const Case cases[] = {
        {"rudder takes the condition channel",
         {INH, INH, GEAR, AUX3},
         "RudGainChComboBox",
         CommonField::RudGainCh,
         AUX3,
         "GASChErrorMessage1"},
        {"aileron takes the condition channel",
         {AUX2, INH, INH, AUX5},
         "AilGainChComboBox",
         CommonField::AilGainCh,
         AUX5,
         "GASChErrorMessage1"},
        {"rudder INH beside condition INH",
         {INH, INH, AUX3, INH},
         "RudGainChComboBox",
         CommonField::RudGainCh,
         INH,
         nullptr},
        {"elevator shares with aileron",
         {AUX2, INH, INH, GEAR},
         "EleGainChComboBox",
         CommonField::EleGainCh,
         AUX2,
         nullptr},
        {"condition takes the aileron channel",
         {GEAR, INH, INH, AUX2},
         "CondSelChComboBox",
         CommonField::CondCh,
         GEAR,
         "GASChErrorMessage2"},
        {"condition takes the rudder channel",
         {INH, AUX2, AUX11, INH},
         "CondSelChComboBox",
         CommonField::CondCh,
         AUX11,
         "GASChErrorMessage2"},
        {"condition back to INH",
         {AUX3, AUX3, AUX3, AUX5},
         "CondSelChComboBox",
         CommonField::CondCh,
         INH,
         nullptr},
        {"condition on a free channel",
         {GEAR, AUX2, AUX3, INH},
         "CondSelChComboBox",
         CommonField::CondCh,
         AUX11,
         nullptr},
    };
    for (const Case &c : cases) {
        holdChannels(c.held[0], c.held[1], c.held[2], c.held[3]);
        const ParameterSet before = form->WorkValues;
        const int heldIndex = combo(c.box)->currentIndex();
        if (c.refusal)
            dialogs.expectMessage(MsgIcon::Error, c.refusal, Ok);
        choose(combo(c.box), c.chosen);
        dialogs.verify();

        ParameterSet expected = before;
        if (!c.refusal)
            expected.common[c.field] = static_cast<std::int16_t>(c.chosen);
        EXPECT_EQ(form->WorkValues, expected) << c.what;
        EXPECT_EQ(combo(c.box)->currentIndex(), c.refusal ? heldIndex : c.chosen) << c.what;
        if (c.refusal && !dialogs.messages().empty()) {
            EXPECT_EQ(dialogs.messages().back().text,
                      form->text(QString::fromLatin1(c.refusal)).toStdString());
        }
    }
}

TEST_F(OptionControlsTest, RefusedChannelReturnsToTheHeldItemEvenWhenTheBoxShowedAnother)
{
    // A box showing something else than its field (set from the program) returns to the field.
    holdChannels(INH, INH, GEAR, AUX3);
    combo("RudGainChComboBox")->setCurrentIndex(AUX2);
    dialogs.expectMessage(MsgIcon::Error, "GASChErrorMessage1", Ok);
    choose(combo("RudGainChComboBox"), AUX3);
    EXPECT_EQ(combo("RudGainChComboBox")->currentIndex(), GEAR);
    EXPECT_EQ(form->WorkValues.common.RudGainCh(), GEAR);
}

TEST_F(OptionControlsTest, DeadBandStoresTheCodeOfTheUnitKind)
{
    struct Case {
        UnitKind kind;
        const char *button;
        std::int16_t code;
    };
    // Every click checks another button than the one before, as a click on the checked one
    // changes nothing.
    const Case cases[] = {
        {UnitKind::Kind1, "DB2RadioButton", 13}, {UnitKind::Kind2, "DB1RadioButton", 3},
        {UnitKind::Kind1, "DB3RadioButton", 19}, {UnitKind::Kind2, "DB2RadioButton", 6},
        {UnitKind::Kind1, "DB1RadioButton", 7},  {UnitKind::Kind2, "DB3RadioButton", 9},
        {UnitKind::Kind1, "DB0RadioButton", 0},  {UnitKind::Kind2, "DB1RadioButton", 3},
        {UnitKind::Kind2, "DB0RadioButton", 0},
    };
    for (const Case &c : cases) {
        form->unitKind = c.kind;
        form->WorkValues.common.DeadBand() = -1;
        control<QRadioButton>(c.button)->click();
        EXPECT_EQ(form->WorkValues.common.DeadBand(), c.code) << c.button;
    }
}

TEST_F(OptionControlsTest, ControlsStoreTheirCodingInTheCommonBlock)
{
    struct Case {
        const char *what;
        std::function<void()> act;
        CommonField field;
        std::int16_t stored;
    };
    const auto check = [this](const char *box, bool on) {
        return [this, box, on] { control<QCheckBox>(box)->setChecked(on); };
    };
    const auto pick = [this](const char *box, int index) {
        return [this, box, index] { choose(combo(box), index); };
    };
    const auto click = [this](const char *button) {
        return [this, button] { control<QRadioButton>(button)->click(); };
    };
    const Case cases[] = {
        {"E-RING off", check("ERingUseCheckBox", false), CommonField::ERingOff, 1},
        {"E-RING on", check("ERingUseCheckBox", true), CommonField::ERingOff, 0},
        {"pirouette on", check("PirouUseCheckBox", true), CommonField::PirouUse, 1},
        {"pirouette reversed", check("PirouDirCheckBox", true), CommonField::PirouDir, 1},
        {"pirouette normal", check("PirouDirCheckBox", false), CommonField::PirouDir, 0},
        {"pirouette off", check("PirouUseCheckBox", false), CommonField::PirouUse, 0},
        {"AUX output", pick("AuxOutComboBox", AUX11), CommonField::AuxOutCh, AUX11},
        {"AUX output off", pick("AuxOutComboBox", INH), CommonField::AuxOutCh, INH},
        {"rudder neutral 760", pick("RudNarrowComboBox", 1), CommonField::RudNeutral, 1},
        {"swash neutral 760", pick("SwashNarrowComboBox", 1), CommonField::SwashNeutral, 1},
        {"swash neutral 1500", pick("SwashNarrowComboBox", 0), CommonField::SwashNeutral, 0},
        {"receiver", pick("RxKindSelectComboBox", 2), CommonField::RxKind, 2},
        {"one axis", click("AxisMode1AxisRadioButton"), CommonField::AxisMode, 1},
        {"three axes", click("AxisMode3AxisRadioButton"), CommonField::AxisMode, 0},
    };
    for (const Case &c : cases) {
        ParameterSet expected = form->WorkValues;
        expected.common[c.field] = c.stored;
        c.act();
        EXPECT_EQ(form->WorkValues, expected) << c.what;
    }
}

TEST_F(OptionControlsTest, PirouetteControlsFollowTheUseBox)
{
    const char *dependent[] = {"PirouDirCheckBox", "Label63",          "Edit25",
                               "Label70",          "PirouCheckButton", "PirouGainSetButton"};
    for (bool on : {true, false, true}) {
        control<QCheckBox>("PirouUseCheckBox")->click();
        ASSERT_EQ(control<QCheckBox>("PirouUseCheckBox")->isChecked(), on);
        for (const char *name : dependent)
            EXPECT_EQ(control(name)->isEnabled(), on) << name;
    }
}

TEST_F(OptionControlsTest, AxisModeLabelWaitsForTheUnit)
{
    const QString before = control<QLabel>("Label107")->text();
    control<QRadioButton>("AxisMode1AxisRadioButton")->click();
    EXPECT_EQ(form->WorkValues.common.AxisMode(), 1);
    EXPECT_EQ(control<QLabel>("Label107")->text(), before);
}

TEST_F(OptionControlsTest, ComboItemsSetByTheProgramStoreNothing)
{
    const ParameterSet before = form->WorkValues;
    for (const char *box :
         {"AilGainChComboBox", "CondSelChComboBox", "AuxOutComboBox", "RxKindSelectComboBox"})
        combo(box)->setCurrentIndex(2);
    EXPECT_EQ(form->WorkValues, before);
}

} // namespace
} // namespace vireo::test
