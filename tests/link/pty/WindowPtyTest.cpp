// The window as it runs in production: QSerialPort and the port list with VIREO_EXTRA_PORTS,
// against kalm07-sim through kernel pseudo-terminals.
#include "app/gui/TForm1.h"
#include "link/gui/QtPortLister.h"
#include "link/gui/QtSerialPort.h"
#include "seams/VirtualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestProgramDir.h"

#include "support/SimProcess.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>

#include <cstdlib>

namespace vireo::test
{
namespace
{

TEST(WindowPty, ConnectAndPollThroughQSerialPort)
{
    SimProcess sim({"--kind", "2", "--firmware", " 0.5.0", "--empty-ports", "1"});
    ASSERT_FALSE(sim.extraPorts().empty());
    setenv("VIREO_EXTRA_PORTS", sim.extraPorts().c_str(), 1);

    TestProgramDir dir;
    VirtualClock clock; // the splash only; the port runs in real time
    ScriptedDialogs dialogs;
    QtSerialPort port;
    QtPortLister ports;
    {
        TForm1 form(Services{clock, dialogs, port, ports, dir.path()});
        form.control<QAbstractButton>(QStringLiteral("ConnectSpeedButton"))->click();
        form.Timer2->stop();
        ASSERT_TRUE(form.Connected);
        EXPECT_EQ(form.link.portName, sim.portPath(1));
        EXPECT_EQ(form.link.baudRate, 250000u);
        EXPECT_EQ(form.control<QLabel>(QStringLiteral("Label35"))->text(), QStringLiteral(" 0.5.0"));

        // The simulated unit's live values: transmitter gain 960 (80 %), volume 0 (50 %).
        form.Timer2Timer();
        EXPECT_TRUE(form.Connected);
        EXPECT_EQ(form.control<QLabel>(QStringLiteral("StaticText81"))->text(), QStringLiteral("80"));
        EXPECT_EQ(form.control<QLabel>(QStringLiteral("StaticText35"))->text(), QStringLiteral("50"));
        EXPECT_EQ(form.control<QLabel>(QStringLiteral("StaticText8"))->text(), QStringLiteral("40"));
    }
    unsetenv("VIREO_EXTRA_PORTS");
}

} // namespace
} // namespace vireo::test
