// READ, WRITE and the pirouette Set button on the real window against the simulated unit.
#include "ParamsWindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace vireo::paramtest
{
namespace
{

// Distinct values for every record, inside the entry ranges so the display shows them as is.
void fillWorkValues(TForm1 &f, int seed)
{
    for (int a = 0; a < AxisCount; ++a)
        for (int m = 0; m < ModeSetCount; ++m) {
            const auto base = static_cast<std::int16_t>(seed + 10 * (3 * a + m));
            f.WorkValues.axes[a][m].words = {base,
                                             static_cast<std::int16_t>(base + 1),
                                             static_cast<std::int16_t>(base + 2),
                                             7,
                                             11,
                                             -1,
                                             0,
                                             3,
                                             23,
                                             160,
                                             0};
        }
    f.WorkValues.common.words = {6, 0, 1, 0, 25, 0, 1, 2, 3, 4, 1, 2, 0, 5, 1};
    f.WorkValues.origins.setAll(Origin::User); // as typed in: not yet in the unit
}

using ParamsFlows = ParamsWindowTest;

TEST_F(ParamsFlows, WriteOnFirmware038SendsSevenLinesAndFillsTheBar)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.3.8");
    fillWorkValues(f, 100);
    int largestBar = 0;
    QObject::connect(f.WriteProgressForm->ProgressBar1, &QProgressBar::valueChanged,
                     [&](int v) { largestBar = std::max(largestBar, v); });
    dialogs.expectMessage(MsgIcon::Question, "CPSWriteCautionMessage", Yes)
        .expectMessage(MsgIcon::Information, "CPSWriteCompleteMessage");

    control<QPushButton>("WriteButton")->click();

    const std::vector<std::string> expected = {
        "WROM A 0 0064 0065 0066 0007 0009 FFFF 0000 0003 0031 0060 0100\r\n",
        "WROM A 1 006E 006F 0070 0007 0009 FFFF 0000 0003 0031 0060 0100\r\n",
        "WROM E 0 0082 0083 0084 0007 0009 FFFF 0000 0003 0031 0060 0100\r\n",
        "WROM E 1 008C 008D 008E 0007 0009 FFFF 0000 0003 0031 0060 0100\r\n",
        "WROM R 0 00A0 00A1 00A2 0007 0009 FFFF 0000 0003 0018 0060 0100\r\n",
        "WROM R 1 00AA 00AB 00AC 0007 0009 FFFF 0000 0003 0018 0060 0100\r\n",
        "WROM C 1 0006 0000 0001 0000 00FA 0000 0005 0007 0008 0009 0001 0002\r\n",
    };
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(largestBar, 100);
    EXPECT_FALSE(f.WriteProgressForm->isVisible());
    for (int a = 0; a < AxisCount; ++a)
        for (int m = 0; m < 2; ++m) // this unit has no mode set 2: nothing of it is the unit's
            EXPECT_EQ(f.CurValues[a][m], f.WorkValues.axes[a][m]) << a << m;
    EXPECT_EQ(control<QLabel>("Label107")->text(), f.text(QStringLiteral("AxisMode3Message")));
    EXPECT_TRUE(control<QPushButton>("WriteButton")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("ReadButton")->isEnabled());
}

TEST_F(ParamsFlows, UnitThatStopsAnsweringAfterElevatorModeSet1)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    const CurValuesType before = f.CurValues;
    const UnitStore storedBefore = unit->store();
    fillWorkValues(f, 200);
    ASSERT_TRUE(unit->addFault("WROM E 2:disconnect"));
    // The unit is gone: one message that says so and what reached it; the window lets go.
    dialogs.expectMessage(MsgIcon::Question, "CPSWriteCautionMessage", Yes)
        .expectMessage(MsgIcon::Error, "LinkLostMessage");

    f.WriteButtonClick();

    // The failed write is followed by the ping that finds the unit gone.
    const std::vector<std::string> expected = {"WROM A 0", "WROM A 1", "WROM A 2", "WROM E 0",
                                               "WROM E 1", "WROM E 2", "PING\r\n"};
    std::vector<std::string> heard;
    for (const std::string &line : lines())
        heard.push_back(line.substr(0, 8));
    EXPECT_EQ(heard, expected);
    EXPECT_NE(unit->store().axes[0], storedBefore.axes[0]) << "aileron records written";
    EXPECT_NE(unit->store().axes[1][1], storedBefore.axes[1][1]) << "elevator mode set 1 written";
    EXPECT_EQ(unit->store().axes[1][2], storedBefore.axes[1][2]);
    EXPECT_EQ(unit->store().axes[2], storedBefore.axes[2]);
    EXPECT_FALSE(f.WriteProgressForm->isVisible());
    // The unit column shows what the unit took: the acknowledged records; the record that got
    // no answer is unknown; the records never sent still show what was there before.
    for (int k = 0; k < ModeSetCount; ++k)
        EXPECT_EQ(f.CurValues[Aileron][k], f.WorkValues.axes[Aileron][k]) << k;
    EXPECT_EQ(f.CurValues[Elevator][1], f.WorkValues.axes[Elevator][1]);
    EXPECT_FALSE(f.CurKnown[Elevator][2]);
    EXPECT_EQ(f.CurValues[Rudder], before[Rudder]);
    EXPECT_TRUE(f.CurKnown[Rudder][0]);
    EXPECT_NE(
        dialogs.messages().back().text.find(f.text(QStringLiteral("SafeNotWrittenRecords")).toStdString()),
        std::string::npos);
    EXPECT_FALSE(f.Connected);
    EXPECT_FALSE(control<QPushButton>("WriteButton")->isEnabled());
}

TEST_F(ParamsFlows, CancelledWriteSendsNothing)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    fillWorkValues(f, 300);
    dialogs.expectMessage(MsgIcon::Question, "CPSWriteCautionMessage", Cancel);
    control<QPushButton>("WriteButton")->click();
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(control<QPushButton>("ReadButton")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("WriteButton")->isEnabled());
}

TEST_F(ParamsFlows, WriteThenReadShowsTheUnitsValues)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    fillWorkValues(f, 400);
    const ParameterSet written = f.WorkValues;
    dialogs.expectMessage(MsgIcon::Question, "CPSWriteCautionMessage", Yes)
        .expectMessage(MsgIcon::Information, "CPSWriteCompleteMessage");
    f.writeFlow();

    f.WorkValues = ParameterSet{};
    f.CurValues = {};
    unit->clearTranscript();
    dialogs.expectMessage(MsgIcon::Warning, "ParamReadMessage", No)
        .expectMessage(MsgIcon::Information, "CPSReadCompleteMessage");
    control<QPushButton>("ReadButton")->click();

    EXPECT_EQ(lines().size(), 10u);
    EXPECT_EQ(f.WorkValues, written);
    EXPECT_EQ(f.CurValues, written.axes);
    EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "400");
    EXPECT_EQ(control<QLabel>("StaticText27")->text(), "23") << "rudder CTL, unit column";
    EXPECT_EQ(control<QLineEdit>("Edit5")->text(), "11");
    EXPECT_EQ(control<QLineEdit>("Edit25")->text(), "25");
}

TEST_F(ParamsFlows, ExtraModeSetOfOldFirmwareSurvivesARead)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.3.8");
    f.WorkValues.axes[Elevator][2].P() = 4321;
    dialogs.expectMessage(MsgIcon::Warning, "ParamReadMessage", No)
        .expectMessage(MsgIcon::Information, "CPSReadCompleteMessage");
    f.readFlow(true);
    EXPECT_EQ(lines().size(), 7u);
    EXPECT_EQ(f.WorkValues.axes[Elevator][2].P(), 4321);
}

TEST_F(ParamsFlows, ReadFailureIsReportedAlsoWithoutQuestions)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    const CurValuesType before = f.CurValues;
    ASSERT_TRUE(unit->addFault("RROM E 1:silence"));
    dialogs.expectMessage(MsgIcon::Error, "CPSReadErrorMessage");
    f.readFlow(false);
    // The ping after the failed read finds the unit there; the reads stop all the same.
    EXPECT_EQ(lines().size(), 6u) << "reads stop at the failed record";
    EXPECT_NE(f.WorkValues.axes[Aileron][0], AxisRecord{}) << "records read before the failure are kept";
    EXPECT_EQ(f.CurValues[Aileron], f.WorkValues.axes[Aileron]);
    EXPECT_EQ(f.CurValues[Rudder], before[Rudder]);
    // What was not read now shows no number in any column and cannot be edited or sent.
    EXPECT_FALSE(f.WorkValues.origins.known(Selector::E, 1));
    EXPECT_FALSE(f.WorkValues.origins.known(Selector::R, 0));
    EXPECT_FALSE(f.WorkValues.origins.known(Selector::C));
    EXPECT_FALSE(f.CurKnown[Rudder][0]);
    EXPECT_EQ(control<QLineEdit>("Edit19")->text(), QString());
    EXPECT_FALSE(control<QLineEdit>("Edit19")->isEnabled());
    EXPECT_EQ(control<QLabel>("StaticText19")->text(), QString());
    EXPECT_EQ(control<QLineEdit>("Edit1")->text().toInt(), f.WorkValues.axes[Aileron][0].P());
    EXPECT_TRUE(control<QPushButton>("ReadButton")->isEnabled());
}

// A garbled value is reported once; the record keeps its values and the window is usable.
TEST_F(ParamsFlows, GarbledReplyEndsTheReadCleanly)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    f.WorkValues.axes[Rudder][0].words.fill(9);
    const AxisRecord before = f.WorkValues.axes[Rudder][0];
    ASSERT_TRUE(unit->addFault("RROM R 0:garbage"));
    dialogs.expectMessage(MsgIcon::Warning, "ParamReadMessage", No)
        .expectMessage(MsgIcon::Error, "SafeReadGarbledMessage");
    f.readFlow(true);
    EXPECT_EQ(f.WorkValues.axes[Rudder][0], before);
    EXPECT_EQ(lines().size(), 7u);
    EXPECT_TRUE(control<QPushButton>("ReadButton")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("WriteButton")->isEnabled());
}

// Connecting reads the standard values first; a garbled one is reported once and the rest of
// the connection can go on.
TEST_F(ParamsFlows, GarbledStandardValueIsReportedOnceAndReadingStops)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    f.DefValues[Elevator][1].words.fill(5);
    const AxisRecord before = f.DefValues[Elevator][1];
    ASSERT_TRUE(unit->addFault("RDEF E 1:garbage"));
    dialogs.expectMessage(MsgIcon::Error, "LinkConnectGarbledMessage");
    f.readStandardValuesOnConnect();
    EXPECT_EQ(f.DefValues[Elevator][1], before);
    EXPECT_FALSE(f.DefKnown[Elevator][1]);
    EXPECT_TRUE(f.DefKnown[Aileron][2]);
    EXPECT_NE(f.DefValues[Aileron][2], AxisRecord{});
    EXPECT_EQ(lines().back(), "RDEF E 1\r\n");
}

TEST_F(ParamsFlows, PirouetteSetWritesTheCommonBlockOnly)
{
    TForm1 &f = start(UnitKind::Kind2, " 0.5.0");
    f.WorkValues.common.PirouGain() = 42;
    f.WorkValues.common.AxisMode() = 1;
    dialogs.expectMessage(MsgIcon::Information, "CPSWriteCompleteMessage");
    const std::int64_t startMs = clock.nowMs();
    f.writeCommonFlow();
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].substr(0, 9), "WROM C 1 ");
    EXPECT_GE(clock.nowMs() - startMs, 2000) << "the progress window stays up two seconds";
    EXPECT_FALSE(f.WriteProgressForm->isVisible());
    EXPECT_EQ(f.AppliedAxisMode, 0);
    EXPECT_EQ(unit->store().common[4], 420);

    f.Connected = false;
    unit->clearTranscript();
    f.writeCommonFlow();
    EXPECT_TRUE(lines().empty());
}

} // namespace
} // namespace vireo::paramtest
