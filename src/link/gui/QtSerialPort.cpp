#include "link/gui/QtSerialPort.h"

#include "link/PortAccess.h"

#include <QSerialPort>

#include <climits>

namespace vireo
{
namespace
{

// A write that makes no progress for this long means the port is gone; the writes of the
// protocol are a few hundred bytes at most.
constexpr int WriteStallMs = 5000;

int qtTimeout(std::uint32_t ms)
{
    return ms > static_cast<std::uint32_t>(INT_MAX) ? -1 : static_cast<int>(ms);
}

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
    // Bytes already in the kernel's queue but not yet in QSerialPort's buffer are picked up
    // by the wait at once.
    if (port_->bytesAvailable() == 0 && !port_->waitForReadyRead(qtTimeout(timeoutMs)))
        return 0;
    const qint64 n = port_->read(reinterpret_cast<char *>(dst), static_cast<qint64>(max));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void QtSerialPort::discardInput()
{
    if (!port_->isOpen())
        return;
    // Drops QSerialPort's buffer and the kernel's input queue (tcflush / PurgeComm).
    port_->clear(QSerialPort::Input);
}

} // namespace vireo
