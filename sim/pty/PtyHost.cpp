#include "PtyHost.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace vireo
{

namespace
{

constexpr std::int64_t SpinUs = 300;

std::int64_t monotonicUs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000 + ts.tv_nsec / 1000;
}

} // namespace

PtyHost::PtyHost() : startUs_(monotonicUs()) {}

PtyHost::~PtyHost()
{
    for (auto &s : units_)
        closeServed(s);
}

std::int64_t PtyHost::nowUs() const
{
    return monotonicUs() - startUs_;
}

bool PtyHost::addUnit(UnitSimulator *unit, std::string *error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    // Raw from the start: until the program sets its own termios nothing may be echoed or
    // translated (the host's replies would otherwise come back to it as input).
    termios raw{};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B230400);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        if (error)
            *error = std::string("openpty: ") + std::strerror(errno);
        return false;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    Served s;
    s.unit = unit;
    s.master = master;
    s.slaveKeep = slave;
    s.slavePath = name;
    units_.push_back(std::move(s));
    return true;
}

void PtyHost::closeServed(Served &s)
{
    if (s.master >= 0)
        ::close(s.master);
    if (s.slaveKeep >= 0)
        ::close(s.slaveKeep);
    s.master = s.slaveKeep = -1;
}

void PtyHost::deliver(Served &s)
{
    if (!s.unit)
        return;
    const std::int64_t now = nowUs();
    std::uint8_t buf[512];
    while (std::size_t n = s.unit->takeArrived(buf, sizeof buf, now))
        s.due.insert(s.due.end(), buf, buf + n);
    while (!s.due.empty()) {
        const ssize_t written = ::write(s.master, s.due.data(), s.due.size());
        if (written <= 0)
            break; // the slave's input is full; try again when the master is writable
        s.due.erase(s.due.begin(), s.due.begin() + written);
    }
}

void PtyHost::readFrom(Served &s)
{
    std::uint8_t buf[4096];
    for (;;) {
        const ssize_t n = ::read(s.master, buf, sizeof buf);
        if (n <= 0)
            return;
        if (!s.unit)
            continue;
        // The rate in effect now is the rate these bytes were sent at.
        s.unit->receive(buf, static_cast<std::size_t>(n), ptyBaudRate(s.master), nowUs());
    }
}

void PtyHost::run(const volatile std::sig_atomic_t &stop)
{
    // Reply bytes are due at exact microseconds. The kernel may otherwise let each wait run up
    // to 50 us long (timer slack), which on a line of short exchanges adds up to more than the
    // program's own cost per exchange.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    std::vector<pollfd> fds;
    while (!stop) {
        fds.clear();
        std::int64_t waitUs = 1'000'000;
        for (auto &s : units_) {
            if (s.master >= 0 && s.unit && s.unit->unplugged())
                closeServed(s); // the adapter is gone: the program sees a hang-up
            if (s.master < 0)
                continue;
            deliver(s);
            if (const auto next = s.unit ? s.unit->nextArrivalUs() : std::nullopt)
                waitUs = std::min(waitUs, std::max<std::int64_t>(0, *next - nowUs()));
            fds.push_back({s.master, static_cast<short>(POLLIN | (s.due.empty() ? 0 : POLLOUT)), 0});
        }
        // The last SpinUs before a byte is due are waited for by polling without sleeping: even
        // with the slack at 1 us, a timer's wake-up comes tens to hundreds of microseconds late,
        // more than a whole bare round trip on the pty, and a short reply would end that late.
        waitUs = waitUs < SpinUs ? 0 : waitUs - SpinUs;
        const timespec timeout{static_cast<time_t>(waitUs / 1'000'000),
                               static_cast<long>(waitUs % 1'000'000) * 1000};
        const int ready = ppoll(fds.data(), fds.size(), &timeout, nullptr);
        if (ready <= 0)
            continue;
        for (const pollfd &p : fds) {
            if (!(p.revents & POLLIN))
                continue;
            for (auto &s : units_)
                if (s.master == p.fd)
                    readFrom(s);
        }
    }
}

} // namespace vireo
