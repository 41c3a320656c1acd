// The serial adapter's low-latency request and the reasons of a failed open, through
// QSerialPort on kernel pseudo-terminals.
#include "link/Discovery.h"
#include "link/gui/QtSerialPort.h"

#include "link/ScriptedPort.h"

#include <gtest/gtest.h>

#include <pty.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace vireo
{
namespace
{

// A pseudo-terminal pair; the slave's path is what the port opens.
class Pty
{
public:
    Pty()
    {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master_, &slave_, name, &raw, nullptr) == 0)
            path_ = name;
    }
    ~Pty()
    {
        if (master_ >= 0)
            ::close(master_);
        if (slave_ >= 0)
            ::close(slave_);
    }
    const std::string &path() const { return path_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

class RecordingDriver : public SerialDriver
{
public:
    std::vector<std::intptr_t> asked;
    std::vector<std::pair<std::intptr_t, bool>> set;
    std::optional<bool> lowLatency(std::intptr_t handle) override
    {
        asked.push_back(handle);
        return false;
    }
    bool setLowLatency(std::intptr_t handle, bool on) override
    {
        set.emplace_back(handle, on);
        return true;
    }
};

TEST(PortAccessPty, LowLatencyAskedForOnTheOpenPortAndGivenBackBeforeItCloses)
{
    Pty pty;
    ASSERT_FALSE(pty.path().empty());
    RecordingDriver driver;
    {
        QtSerialPort port(driver);
        ASSERT_TRUE(port.open(pty.path(), 230400));
        ASSERT_EQ(driver.asked.size(), 1u);
        const std::intptr_t fd = driver.asked[0];
        EXPECT_GE(fd, 0);
        EXPECT_EQ(driver.set, (std::vector<std::pair<std::intptr_t, bool>>{{fd, true}}));
        EXPECT_EQ(port.openFailure(), OpenFailure::None);
        port.close();
        EXPECT_EQ(driver.set, (std::vector<std::pair<std::intptr_t, bool>>{{fd, true}, {fd, false}}));
        ASSERT_TRUE(port.open(pty.path(), 250000));
    } // going away closes, and gives back first
    ASSERT_EQ(driver.set.size(), 4u);
    EXPECT_FALSE(driver.set[3].second);
}

TEST(PortAccessPty, APtyRefusesTheLowLatencyRequestAndThePortWorksOn)
{
    Pty pty;
    ASSERT_FALSE(pty.path().empty());
    QtSerialPort port; // the system's driver
    ASSERT_TRUE(port.open(pty.path(), 250000));
    const std::uint8_t bytes[] = {'P', 'I', 'N', 'G', '\r', '\n'};
    EXPECT_TRUE(port.write(bytes, sizeof bytes));
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST(PortAccessPty, APortThatIsNotThereIsGone)
{
    QtSerialPort port;
    EXPECT_FALSE(port.open("/dev/pts/vireo-no-such-port", 250000));
    EXPECT_EQ(port.openFailure(), OpenFailure::Gone);
}

// Runs body with the credentials of the user nobody in this thread only (the raw system
// calls change the calling thread alone; the thread's credentials end with it). False when
// the system does not allow it.
bool asNobody(const std::function<void()> &body)
{
    bool dropped = false;
    std::thread([&] {
        constexpr long Nobody = 65534;
        if (syscall(SYS_setgroups, 0, nullptr) != 0 || syscall(SYS_setresgid, Nobody, Nobody, Nobody) != 0 ||
            syscall(SYS_setresuid, Nobody, Nobody, Nobody) != 0)
            return;
        dropped = true;
        body();
    }).join();
    return dropped;
}

// A port the user may not open, for real: a pty whose node grants nobody anything, opened as
// a user without the power to ignore that (tests often run as root, who may open anything).
TEST(PortAccessPty, ANodeTheUserCannotOpenIsToldAsAPermissionProblem)
{
    Pty pty;
    ASSERT_FALSE(pty.path().empty());
    ASSERT_EQ(::chmod(pty.path().c_str(), 0), 0);

    std::optional<std::string> found;
    std::vector<PortOpenFailure> failures;
    OpenFailure reason = OpenFailure::None;
    const auto discover = [&] {
        QtSerialPort port;
        SerialLink link(port);
        test::FixedPortLister lister;
        lister.ports = {{pty.path(), "FTDIBUS\\VID_0403+PID_6001+PTY\\0000"}};
        found = findUnitPort(link, lister, {}, {}, &failures);
        reason = port.openFailure();
    };
    if (::geteuid() != 0)
        discover();
    else if (!asNobody(discover))
        GTEST_SKIP() << "running as root and the thread could not drop to the user nobody, so the node "
                        "cannot be made unopenable";

    EXPECT_EQ(found, std::nullopt);
    EXPECT_EQ(reason, OpenFailure::Permission);
    EXPECT_EQ(failures, (std::vector<PortOpenFailure>{{pty.path(), OpenFailure::Permission}}));
    // Mode 000: joining the owner group would not help, so the advice is the udev rule.
    const auto advice = adviceForOpenFailures(failures, nodeGroup);
    ASSERT_TRUE(advice);
    EXPECT_EQ(*advice, (OpenFailureAdvice{"PortPermissionMessage", pty.path(), ""}));
}

} // namespace
} // namespace vireo
