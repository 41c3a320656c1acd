// The scenario that once wrote zeros into a unit: a connection whose parameter read ends
// early, then WRITE. Nothing of the records never read may reach the unit; the window says
// what to do, and READ then WRITE work as before once the unit answers again.
#include "link/gui/LinkWindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace vireo
{
namespace
{

using UnreadRecordsTest = test::LinkWindowFixture;
using test::unitConfig;

TEST_F(UnreadRecordsTest, WriteAfterAReadThatEndedEarlySendsNothingUntilReadAgain)
{
    for (const char *fault : {"RROM E 1:silence", "RROM E 1:garbage", "RROM C 0:silence"}) {
        SCOPED_TRACE(fault);
        start(unitConfig(UnitKind::Kind2, " 0.5.0"));
        const UnitStore stored = unit->store();
        ASSERT_TRUE(unit->addFault(fault));
        script.expectMessage(MsgIcon::Error, std::string(fault).find("garbage") != std::string::npos
                                                 ? "SafeReadGarbledMessage"
                                                 : "CPSReadErrorMessage");
        connect();
        script.verify();
        ASSERT_TRUE(form->Connected);
        unit->clearFaults();

        // The records never read show no number, in every column, on every mode set.
        if (std::string(fault).rfind("RROM E", 0) == 0) {
            control<QRadioButton>("Mode1RadioButton")->setChecked(true);
            EXPECT_EQ(control<QLineEdit>("Edit10")->text(), QString()); // elevator P
            EXPECT_FALSE(control<QLineEdit>("Edit10")->isEnabled());
            EXPECT_EQ(textOf("StaticText10"), QString());
            EXPECT_FALSE(control<QLineEdit>("Edit1")->text().isEmpty()); // aileron was read
            control<QRadioButton>("Mode0RadioButton")->setChecked(true);
            EXPECT_EQ(control<QLineEdit>("Edit19")->text(), QString()); // rudder, never read
        }

        // WRITE: refused, nothing sent, the message names what is missing and what to do.
        const std::size_t heard = unit->commandNames().size();
        script.expectMessage(MsgIcon::Error, "SafeWriteRefusedMessage");
        control<QPushButton>("WriteButton")->click();
        script.verify();
        for (const std::string &line : commandsSince(heard))
            EXPECT_NE(line.rfind("WROM", 0), 0u) << line;
        const std::string refusal = script.messages().back().text;
        EXPECT_NE(refusal.find(language("SafeUnknownRecordsMessage").toStdString()), std::string::npos);
        EXPECT_NE(refusal.find(language("SafeRecordOptions").toStdString()), std::string::npos) << refusal;
        EXPECT_EQ(unit->store().axes, stored.axes);
        EXPECT_EQ(unit->store().common, stored.common);

        // READ, then WRITE: as before.
        script.expectMessage(MsgIcon::Warning, "ParamReadMessage", No)
            .expectMessage(MsgIcon::Information, "CPSReadCompleteMessage")
            .expectMessage(MsgIcon::Question, "CPSWriteCautionMessage", Yes)
            .expectMessage(MsgIcon::Information, "CPSWriteCompleteMessage");
        control<QPushButton>("ReadButton")->click();
        control<QPushButton>("WriteButton")->click();
        script.verify();
        EXPECT_EQ(unit->store().axes, stored.axes) << "what was read goes back unchanged";
        EXPECT_EQ(unit->store().common, stored.common);
    }
}

// A unit that refuses a write ("NG") has not stored it: no completion, and the box says which
// records reached the unit.
TEST_F(UnreadRecordsTest, RefusedWriteIsAFailedWrite)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    connect();
    ASSERT_TRUE(form->Connected);
    ASSERT_TRUE(unit->addFault("WROM R 0:wrongack"));
    script.expectMessage(MsgIcon::Question, "CPSWriteCautionMessage", Yes)
        .expectMessage(MsgIcon::Error, "CPSWriteErrorMessage");
    control<QPushButton>("WriteButton")->click();
    script.verify();
    const std::string box = script.messages().back().text;
    EXPECT_NE(box.find(language("SafeWrittenRecords").toStdString()), std::string::npos) << box;
    EXPECT_TRUE(form->Connected);
    EXPECT_FALSE(form->CurKnown[Rudder][0]);
    EXPECT_TRUE(form->CurKnown[Elevator][2]);
}

} // namespace
} // namespace vireo
