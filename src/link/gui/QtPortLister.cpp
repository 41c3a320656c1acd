#include "link/gui/QtPortLister.h"

#include "link/PortAccess.h"
#include "link/PortIdentity.h"

#include <QSerialPortInfo>
#include <QtGlobal>

namespace vireo
{

std::vector<PortInfo> QtPortLister::presentPorts()
{
    std::vector<PortInfo> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef _WIN32
        const std::string name = info.portName().toStdString(); // "COM3"
#else
        const std::string name = info.systemLocation().toStdString(); // "/dev/ttyUSB0"
#endif
        UsbIdentity usb;
        if (info.hasVendorIdentifier())
            usb.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            usb.productId = info.productIdentifier();
        usb.serialNumber = info.serialNumber().toStdString();
#ifdef __linux__
        // A cable whose maker programmed a vendor ID of its own still runs on the FTDI driver.
        usb.ftdiDriver = servedByFtdiDriver("/sys", info.portName().toStdString());
#endif
        ports.push_back({name, busIdFor(usb, name)});
    }
    const QByteArray extra = qgetenv("VIREO_EXTRA_PORTS");
    for (PortInfo &p :
         parseExtraPorts(std::string_view(extra.constData(), static_cast<std::size_t>(extra.size()))))
        ports.push_back(std::move(p));
    return ports;
}

} // namespace vireo
