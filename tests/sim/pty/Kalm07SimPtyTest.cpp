// kalm07-sim through real kernel pseudo-terminals: plain POSIX at 230400, QSerialPort at the
// custom rate 250000, and the state file across runs.
#include <QSerialPort>

#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace
{

// One kalm07-sim process; its first stdout line names the ports.
using vireo::test::SimProcess;

class RawPort
{
public:
    RawPort(const std::string &path, speed_t speed)
    {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        if (fd_ < 0)
            return;
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        cfsetspeed(&t, speed);
        tcsetattr(fd_, TCSANOW, &t);
    }
    ~RawPort()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }

    // Writes the command and reads until n bytes came or the line stayed quiet for quietMs.
    std::string exchange(const std::string &command, std::size_t n, int quietMs = 2000)
    {
        if (::write(fd_, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
            return "write failed";
        std::string reply;
        while (reply.size() < n) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, quietMs) <= 0)
                break;
            char buf[256];
            const ssize_t got = ::read(fd_, buf, std::min(sizeof buf, n - reply.size()));
            if (got <= 0)
                break;
            reply.append(buf, static_cast<std::size_t>(got));
        }
        return reply;
    }

private:
    int fd_ = -1;
};

std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Kalm07SimPty, AnswersAt230400AndKeepsStoredValuesBetweenRuns)
{
    char dir[] = "/tmp/kalm07-sim-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string state = std::string(dir) + "/unit.state";
    const std::string transcript = std::string(dir) + "/transcript.txt";
    const std::string write = "WROM A 1 0064 0032 0014 001E 001E FFFF 0000 0000 00D9 00B0 011E\r\n";
    const std::string stored = "0064 0032 0014 001E 001E FFFF 0000 0000 00D9 00B0 011E\r\nOK\r\n";
    {
        SimProcess sim({"--kind", "2", "--firmware", " 0.5.0", "--state", state, "--transcript", transcript});
        ASSERT_NE(sim.firstLine().find("=FTDIBUS\\VID_0403+PID_6001+SIM0001\\0000"), std::string::npos)
            << sim.firstLine();
        RawPort port(sim.portPath(), B230400);
        ASSERT_TRUE(port.ok());
        EXPECT_EQ(port.exchange("\r\n\r\n", 0), "");
        EXPECT_EQ(port.exchange("PING\r\n", 4), "OK\r\n");
        EXPECT_EQ(port.exchange("VER\r\n", 8), " 0.5.0\r\n");
        EXPECT_EQ(port.exchange(write, 4), "OK\r\n");
    }
    EXPECT_NE(readFile(transcript).find("230400 > PING\\r\\n  < @"), std::string::npos);
    {
        SimProcess sim({"--kind", "2", "--firmware", " 0.5.0", "--state", state});
        RawPort port(sim.portPath(), B230400);
        ASSERT_TRUE(port.ok());
        EXPECT_EQ(port.exchange("RROM A 1\r\n", 60), stored);
    }
    std::remove(state.c_str());
    std::remove(transcript.c_str());
    rmdir(dir);
}

TEST(Kalm07SimPty, SeesTheCustomRateQSerialPortSets)
{
    // A Kind1 unit with only its loader answers at 250000 and not at 230400.
    SimProcess sim({"--kind", "1", "--loader"});
    QSerialPort port(QString::fromStdString(sim.portPath()));
    for (const auto &[rate, reply] :
         std::vector<std::pair<int, QByteArray>>{{250000, "OK\r\n"}, {230400, ""}}) {
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        ASSERT_TRUE(port.setBaudRate(rate));
        port.write("PING\r\n");
        port.waitForBytesWritten(1000);
        QByteArray got;
        while (got.size() < 4 && port.waitForReadyRead(rate == 250000 ? 2000 : 300))
            got += port.readAll();
        EXPECT_EQ(got, reply) << rate;
        port.close();
    }
}

} // namespace
