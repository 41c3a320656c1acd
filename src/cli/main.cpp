// vireo-cli: the KALM07 unit from a terminal. Qt Core and Qt SerialPort give the port and the
// event loop; everything else is the command core (cli/Cli.h) on the window's flows.
#include "app/gui/QtClock.h"
#include "cli/Cli.h"
#include "link/PortAccess.h"
#include "link/gui/QtPortLister.h"
#include "link/gui/QtSerialPort.h"

#include <QCoreApplication>
#include <QFile>
#include <QSerialPort>
#include <QStringDecoder>

#include <csignal>
#include <iostream>
#include <unistd.h>

namespace
{

volatile std::sig_atomic_t interruptedBySignal = 0;

void onInterrupt(int)
{
    interruptedBySignal = 1;
}

// Why the port cannot be opened (no permission, held by another program, gone), with the
// group that may open it; empty when it can be opened.
std::string probePort(const std::string &name)
{
    QSerialPort port(QString::fromStdString(name));
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return {};
    }
    switch (vireo::probeOpenFailure(name)) {
    case vireo::OpenFailure::Permission: {
        const auto group = vireo::nodeGroup(name);
        return group && group->readWrite ? "no permission (the group " + group->name + " may open it)"
                                         : std::string("no permission");
    }
    case vireo::OpenFailure::Busy:
        return "in use by another program";
    case vireo::OpenFailure::Gone:
        return "gone";
    default:
        return port.errorString().toStdString();
    }
}

std::optional<std::u16string> readLanguageFile(const std::filesystem::path &path)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    // ICU's Shift_JIS is Microsoft's variant, the one the file is written in.
    QStringDecoder decoder("Shift_JIS");
    if (!decoder.isValid())
        return std::nullopt;
    const QString text = decoder(bytes);
    return text.toStdU16String();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::signal(SIGINT, onInterrupt);

    vireo::QtSerialPort port;
    vireo::QtPortLister ports;
    vireo::QtClock clock;
    const bool terminal = isatty(STDIN_FILENO) != 0;
    vireo::CliPlatform platform{
        port,
        ports,
        clock,
        probePort,
        readLanguageFile,
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()),
        std::cout,
        std::cerr,
        terminal ? std::function<std::optional<std::string>()>([]() -> std::optional<std::string> {
            std::string line;
            if (!std::getline(std::cin, line))
                return std::nullopt;
            return line;
        })
                 : std::function<std::optional<std::string>()>(),
        [] { return interruptedBySignal != 0; }};
    std::vector<std::string> args(argv + 1, argv + argc);
    return vireo::runCli(args, platform);
}
