#include "link/gui/QtSerialPort.h"

#include "link/PortAccess.h"

#include <QSerialPort>

#include <chrono>
#include <climits>

#ifndef _WIN32
#include <cerrno>
#include <poll.h>
#include <unistd.h>
#endif

namespace vireo
{
namespace
{

// A write that makes no progress for this long means the port is gone; the writes of the
// protocol are a few hundred bytes at most.
constexpr int WriteStallMs = 5000;

#ifdef _WIN32
int qtTimeout(std::uint32_t ms)
{
    return ms > static_cast<std::uint32_t>(INT_MAX) ? -1 : static_cast<int>(ms);
}
#endif

// Qt says "permission" for a port held by another program too (EBUSY, a lock file), so
// the file system is asked which it was.
OpenFailure classifyFailure(QSerialPort::SerialPortError error, const std::string &portName)
{
    if (error == QSerialPort::DeviceNotFoundError)
        return OpenFailure::Gone;
#ifdef _WIN32
    // Windows refuses access to a COM port that another program holds.
    return error == QSerialPort::PermissionError ? OpenFailure::Busy : OpenFailure::Other;
#else
    return probeOpenFailure(portName);
#endif
}

std::intptr_t nativeHandle(const QSerialPort &port)
{
#ifdef _WIN32
    return reinterpret_cast<std::intptr_t>(port.handle());
#else
    return port.handle();
#endif
}

} // namespace

QtSerialPort::QtSerialPort(SerialDriver &driver) : port_(std::make_unique<QSerialPort>()), lowLatency_(driver)
{
}

QtSerialPort::~QtSerialPort()
{
    close(); // gives the driver's latency back before the port goes
}

bool QtSerialPort::open(const std::string &portName, std::uint32_t baud)
{
    close();
    openFailure_ = OpenFailure::None;
    port_->setPortName(QString::fromStdString(portName));
    port_->setBaudRate(static_cast<qint32>(baud)); // 250000 goes through the custom-rate path
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    // QSerialPort opens exclusively (lock file and TIOCEXCL), so a port another program
    // holds fails here.
    if (!port_->open(QIODevice::ReadWrite)) {
        openFailure_ = classifyFailure(port_->error(), portName);
        return false;
    }
    // Modem lines off; pseudo-terminals have none and refuse, which does not matter.
    port_->setDataTerminalReady(false);
    port_->setRequestToSend(false);
    port_->clearError();
    lowLatency_.engage(nativeHandle(*port_));
    return true;
}

void QtSerialPort::close()
{
    if (!port_->isOpen())
        return;
    lowLatency_.release();
    port_->close();
}

bool QtSerialPort::isOpen() const
{
    return port_->isOpen();
}

bool QtSerialPort::write(const std::uint8_t *data, std::size_t size)
{
    if (!port_->isOpen())
        return false;
    const auto *bytes = reinterpret_cast<const char *>(data);
    std::size_t queued = 0;
    while (queued < size) {
        const qint64 n = port_->write(bytes + queued, static_cast<qint64>(size - queued));
        if (n <= 0)
            return false;
        queued += static_cast<std::size_t>(n);
    }
    while (port_->bytesToWrite() > 0) {
        if (!port_->waitForBytesWritten(WriteStallMs))
            return false;
    }
    return true;
}

std::size_t QtSerialPort::readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs)
{
    if (!port_->isOpen() || max == 0)
        return 0;
    // What QSerialPort took in while events ran comes first.
    if (port_->bytesAvailable() > 0) {
        const qint64 n = port_->read(reinterpret_cast<char *>(dst), static_cast<qint64>(max));
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
#ifndef _WIN32
    // Straight from the descriptor (non-blocking, as QSerialPort opens it): at 0 to 1 ms
    // adapter latency a reply comes a few bytes at a time, and QSerialPort's wait, with its
    // notifier switching and signals for every few bytes, costs more than the bytes' own
    // line time.
    const int fd = port_->handle();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const ssize_t n = ::read(fd, dst, max);
        if (n > 0)
            return static_cast<std::size_t>(n);
        // With no minimum count set (VMIN 0) an empty queue reads as 0 bytes, not EAGAIN.
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return 0; // gone
        int waitMs = -1;
        if (timeoutMs != 0xFFFFFFFFu) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return 0;
            waitMs = static_cast<int>(std::min<std::int64_t>(left.count(), INT_MAX));
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, waitMs);
        if (ready == 0)
            return 0;
        if (ready < 0 && errno != EINTR)
            return 0;
        if (ready > 0 && !(p.revents & POLLIN))
            return 0; // hang-up or error without data
    }
#else
    if (!port_->waitForReadyRead(qtTimeout(timeoutMs)))
        return 0;
    const qint64 n = port_->read(reinterpret_cast<char *>(dst), static_cast<qint64>(max));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
#endif
}

void QtSerialPort::discardInput()
{
    if (!port_->isOpen())
        return;
    // Drops QSerialPort's buffer and the kernel's input queue (tcflush / PurgeComm).
    port_->clear(QSerialPort::Input);
}

} // namespace vireo
