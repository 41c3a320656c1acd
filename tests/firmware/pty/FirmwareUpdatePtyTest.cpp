// A Kind1 unit found at 250000 runs only its loader: after "UPDATE" the program reopens the
// real port at 230400 and the transfer goes on there, through QSerialPort and a kernel
// pseudo-terminal to kalm07-sim, which hears each byte only at the rate it listens at.
#include "firmware/FirmwarePacker.h"
#include "firmware/FirmwareTransfer.h"
#include "link/SerialLink.h"
#include "link/gui/QtSerialPort.h"

#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vireo
{
namespace
{

// kalm07-sim in a child process; its first stdout line is "path=busid".
using vireo::test::SimProcess;

TEST(FirmwareUpdatePty, Kind1LoaderAt250000TakesTheImageAt230400)
{
    char dir[] = "/tmp/vireo-firmware-pty-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string transcript = std::string(dir) + "/transcript.txt";
    const std::string image = std::string(dir) + "/kind1.dat";

    FirmwarePackage package;
    package.kind = UnitKind::Kind1;
    package.version = " 2.1.0";
    package.flags = parseBlockList("0-15,1503");
    ASSERT_TRUE(writeFirmwareFile(image, *packFirmware(package)));

    {
        SimProcess sim({"--kind", "1", "--loader", "--transcript", transcript});
        ASSERT_FALSE(sim.portPath().empty());
        QtSerialPort port;
        SerialLink link(port);
        link.portName = sim.portPath();
        link.baudRate = 250000;
        ASSERT_TRUE(link.openPort());
        ASSERT_TRUE(link.exchange("VER\r\n", 6, 500));
        EXPECT_EQ(link.replyText(), "0000\r\n"); // only the loader answers

        EXPECT_EQ(transferFirmware(link, UnitKind::Kind1, image, TransferEvents{}), UpdateOutcome::Complete);
        EXPECT_EQ(link.baudRate, 230400u);
        ASSERT_TRUE(link.exchange("VER\r\n", 8, 500));
        EXPECT_EQ(link.replyText(), " 2.1.0\r\n");
        link.closePort();
    }

    // The unit heard "UPDATE" at 250000 and every loader step at 230400.
    std::ifstream in(transcript);
    std::string line;
    int loaderSteps = 0;
    bool updateAt250000 = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string time, baud, arrow, command;
        words >> time >> baud >> arrow >> command;
        if (command.rfind("UPDATE", 0) == 0)
            updateAt250000 = baud == "250000";
        else if (command.rfind("\\x", 0) == 0) { // loader steps are binary
            ++loaderSteps;
            EXPECT_EQ(baud, "230400") << line;
        }
    }
    EXPECT_TRUE(updateAt250000);
    EXPECT_GT(loaderSteps, 0);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vireo
