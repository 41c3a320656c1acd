// vireo-cli and the window put the same bytes on the wire for the same action: each runs
// against a unit of its own, and the CLI's commands are the window's connection followed by
// the window's action.
#include "app/gui/LanguageTable.h"
#include "cli/Cli.h"
#include "files/ParameterFile.h"
#include "firmware/FirmwarePacker.h"
#include "link/gui/LinkWindowFixture.h"
#include "support/SimProcess.h"

#include <QByteArray>
#include <QComboBox>
#include <QFile>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace vireo
{
namespace
{

using Wire = std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>>;

Wire wire(const UnitSimulator &unit)
{
    Wire out;
    for (const TranscriptEntry &e : unit.transcript())
        out.emplace_back(e.baud, e.command);
    return out;
}

std::optional<std::u16string> decodeLanguageFile(const std::filesystem::path &path)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return LanguageTable::decode(file.readAll()).toStdU16String();
}

class CliWire : public test::LinkWindowFixture
{
protected:
    // The CLI against a unit of its own on the same ports as the window's.
    Wire runCli(const std::vector<std::string> &args)
    {
        VirtualClock cliClock;
        SimulatedBus cliBus(cliClock);
        UnitSimulator cliUnit(test::unitConfig(UnitKind::Kind2, " 0.5.0"));
        cliBus.addPort("/dev/ttyUSB0", SimulatedBus::ftdiBusId("EMPTY"));
        cliBus.addPort("/dev/ttyUSB1", SimulatedBus::ftdiBusId("A50285BI"), &cliUnit);
        std::ostringstream out, err;
        CliPlatform platform{cliBus.port(),
                             cliBus,
                             cliClock,
                             [](const std::string &) { return std::string(); },
                             decodeLanguageFile,
                             test::executableDir(),
                             out,
                             err,
                             {}};
        EXPECT_EQ(vireo::runCli(args, platform), ExitOk) << err.str();
        return wire(cliUnit);
    }
};

TEST_F(CliWire, SameBytesAsTheWindow)
{
    const std::filesystem::path image = std::filesystem::temp_directory_path() / "vireo-cli-wire.dat";
    FirmwarePackage package;
    package.version = " 0.6.0";
    package.flags = parseBlockList("0-3,1503");
    ASSERT_TRUE(writeFirmwareFile(image.string(), *packFirmware(package)));
    const std::filesystem::path gdt = std::filesystem::temp_directory_path() / "vireo-cli-wire.gdt";

    struct Case {
        const char *what;
        std::vector<std::string> args;
        std::function<void()> act; // the window's action after connecting
        const char *sent;          // a command of the action
    };
    const std::vector<Case> cases = {
        {"info: the connection", {"info"}, [] {}, "RROM C 0"},
        {"factory reset",
         {"reset", "factory", "--yes"},
         [this] {
             control<QComboBox>("ResHeliSelectComboBox")->setCurrentIndex(0);
             script.expectMessage(MsgIcon::Warning, "RESCautionMessage", Ok)
                 .expectMessage(MsgIcon::Information, "RESCompleteMessage", Ok);
             form->ResetButtonClick();
         },
         "RESET"},
        {"write with its read-back",
         {"write", gdt.string(), "--yes"},
         [this, &gdt] {
             ASSERT_TRUE(writeFileReplacing(gdt, imageBytes(encodeParameterFile(form->WorkValues))));
             script.expectOpenFile(gdt.string())
                 .expectMessage(MsgIcon::Warning, "ParamReadMessage", No)
                 .expectMessage(MsgIcon::Question, "CPSWriteCautionMessage", Yes)
                 .expectMessage(MsgIcon::Information, "CPSWriteCompleteMessage", Ok)
                 .expectMessage(MsgIcon::Warning, "ParamReadMessage", No)
                 .expectMessage(MsgIcon::Information, "CPSReadCompleteMessage", Ok);
             form->MenuFileOpenClick();
             form->WriteButtonClick();
             form->ReadButtonClick();
         },
         "WROM C 1"},
        {"firmware update",
         {"update", image.string(), "--yes"},
         [this, &image] {
             script.expectOpenFile(image.string())
                 .expectMessage(MsgIcon::Warning, "UPDConfirmMessage", Yes)
                 .expectMessage(MsgIcon::Information, "UPDCompMessage", Ok);
             form->FileFirmUpdateButtonClick();
         },
         "UPDATE"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start(test::unitConfig(UnitKind::Kind2, " 0.5.0"));
        connect();
        c.act();
        script.verify();
        const std::vector<std::string> names = unit->commandNames();
        EXPECT_TRUE(
            std::ranges::any_of(names, [&](const std::string &n) { return n.rfind(c.sent, 0) == 0; }));
        EXPECT_EQ(runCli(c.args), wire(*unit));
    }
    std::filesystem::remove(image);
    std::filesystem::remove(gdt);
}

} // namespace
} // namespace vireo
