#include "link/PortAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vireo
{
namespace
{

namespace fs = std::filesystem;

// A folder standing in for /sys with the driver links of a few ttys, as Linux lays them out.
class FakeSysfs
{
public:
    FakeSysfs() : root_(fs::temp_directory_path() / ("vireo-sysfs-" + std::to_string(::getpid())))
    {
        fs::remove_all(root_);
        for (const char *driver : {"ftdi_sio", "cp210x", "serial8250"})
            fs::create_directories(root_ / "bus" / "drivers" / driver);
        tty("ttyUSB0", "../../../../bus/drivers/ftdi_sio");
        tty("ttyUSB1", "../../../../bus/drivers/cp210x");
        tty("ttyS0", "../../../../bus/drivers/serial8250");
        tty("ttyUSB2", "../../../../bus/drivers/ftdi_sio/");                    // a link written with a slash
        fs::create_directories(root_ / "class" / "tty" / "ttyACM0" / "device"); // no driver bound
        fs::create_directories(root_ / "class" / "tty" / "pts");                // no device at all
    }
    ~FakeSysfs() { fs::remove_all(root_); }
    std::string root() const { return root_.string(); }

private:
    void tty(const char *name, const char *driverLink)
    {
        const fs::path device = root_ / "class" / "tty" / name / "device";
        fs::create_directories(device);
        fs::create_directory_symlink(driverLink, device / "driver");
    }
    fs::path root_;
};

TEST(PortAccess, FtdiDriverBehindTheTty)
{
    const FakeSysfs sys;
    const struct {
        const char *tty;
        bool ftdi;
    } cases[] = {
        {"ttyUSB0", true},  {"/dev/ttyUSB0", true}, {"ttyUSB2", true},
        {"ttyUSB1", false}, {"ttyS0", false},       {"ttyACM0", false},
        {"pts", false},     {"ttyUSB9", false},     {"/dev/../ttyUSB0", true},
        {"", false},        {"..", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(servedByFtdiDriver(sys.root(), c.tty), c.ftdi) << c.tty;
}

TEST(PortAccess, FailureOfANodeThatIsNotThereIsGone)
{
    EXPECT_EQ(probeOpenFailure("/dev/vireo-no-such-port"), OpenFailure::Gone);
    EXPECT_FALSE(nodeGroup("/dev/vireo-no-such-port"));
}

TEST(PortAccess, GroupOfTheNodeAndWhetherItMayReadAndWrite)
{
    const fs::path node = fs::temp_directory_path() / ("vireo-node-" + std::to_string(::getpid()));
    std::ofstream(node).put('x');
    for (const auto &[mode, readWrite] :
         {std::pair{fs::perms(0660), true}, {fs::perms(0600), false}, {fs::perms(0640), false}}) {
        fs::permissions(node, mode);
        const std::optional<NodeGroup> g = nodeGroup(node.string());
        ASSERT_TRUE(g);
        EXPECT_FALSE(g->name.empty());
        EXPECT_EQ(g->readWrite, readWrite) << static_cast<int>(mode);
    }
    fs::remove(node);
}

} // namespace
} // namespace vireo
