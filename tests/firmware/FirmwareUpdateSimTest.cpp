// The transfer against the simulated unit's loader, which checks the handshake, every
// checksum and the image's unit-kind byte, and runs the version it was sent.
#include "SimulatedPort.h"
#include "firmware/FirmwarePacker.h"
#include "firmware/FirmwareTransfer.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

TEST(FirmwareUpdateWithSimulatedUnit, UnitRunsTheVersionItWasSent)
{
    struct Case {
        const char *what;
        UnitKind kind;
        std::optional<std::string> installed; // nothing: only the loader runs
        std::uint32_t baud;                   // where discovery found the unit
        const char *blocks;
        std::vector<const char *> faults;
        UpdateOutcome outcome;
        std::string versionAfter; // empty: only the loader is left
    };
    const std::vector<Case> cases = {
        {"Kind2, full image",
         UnitKind::Kind2,
         " 0.4.9",
         250000,
         "all",
         {},
         UpdateOutcome::Complete,
         " 0.5.0"},
        {"Kind2 at 230400, two blocks",
         UnitKind::Kind2,
         " 0.4.9",
         230400,
         "0,1503",
         {},
         UpdateOutcome::Complete,
         " 0.5.0"},
        {"Kind1 loader found at 250000",
         UnitKind::Kind1,
         std::nullopt,
         250000,
         "0-40,1503",
         {},
         UpdateOutcome::Complete,
         " 0.5.0"},
        {"Kind1 application at 230400",
         UnitKind::Kind1,
         " 2.0.5",
         230400,
         "1503",
         {},
         UpdateOutcome::Complete,
         " 0.5.0"},
        {"lost answers are sent again",
         UnitKind::Kind2,
         " 0.4.9",
         250000,
         "0-9,1503",
         {"BLKDATA 35#1:silence", "BLKNUM 40#1:ignore", "SYNC#1:silence", "END#1:ignore"},
         UpdateOutcome::Complete,
         " 0.5.0"},
        {"every block number refused",
         UnitKind::Kind2,
         " 0.4.9",
         250000,
         "0-9,1503",
         {"BLKNUM:wrongack"},
         UpdateOutcome::Failed,
         " 0.4.9"},
        {"end never heard, after writing",
         UnitKind::Kind2,
         " 0.4.9",
         250000,
         "0-9,1503",
         {"END:ignore"},
         UpdateOutcome::Failed,
         ""},
    };
    for (const Case &c : cases) {
        UnitConfig config;
        config.kind = c.kind;
        config.firmware = c.installed;
        UnitSimulator unit(config);
        for (const char *f : c.faults)
            ASSERT_TRUE(unit.addFault(f)) << f;
        VirtualClock clock;
        SimulatedPort port(unit, clock);
        SerialLink link(port);
        link.portName = "sim";
        link.baudRate = c.baud;
        ASSERT_TRUE(link.openPort());

        FirmwarePackage package;
        package.kind = c.kind;
        package.version = " 0.5.0";
        package.flags = parseBlockList(c.blocks);
        int lastProgress = -1;
        const TransferEvents events{[&](int p) { lastProgress = p; }, {}};
        EXPECT_EQ(transferFirmware(link, c.kind, *packFirmware(package), events), c.outcome) << c.what;
        EXPECT_EQ(unit.firmwareVersion(), c.versionAfter) << c.what;
        EXPECT_EQ(unit.loader().checksumErrors(), 0) << c.what;
        if (c.outcome == UpdateOutcome::Complete) {
            EXPECT_EQ(lastProgress, 100) << c.what;
            // The application answers where the link now is.
            EXPECT_TRUE(link.exchange("VER\r\n", 8, 500)) << c.what;
            EXPECT_EQ(link.replyText(), c.versionAfter + "\r\n") << c.what;
        }
    }
}

} // namespace
} // namespace vireo
