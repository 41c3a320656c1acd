// The UPDATE button of the window against a simulated unit on a simulated FTDI port: the
// file choice, the transfer with its boxes, and the rediscovery and parameter read after it.
#include "SimulatedPort.h"
#include "files/ParameterFile.h"
#include "firmware/FirmwarePacker.h"
#include "link/gui/LinkWindowFixture.h"
#include "support/MainWindowFixture.h"
#include "widgets/PageControl.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace vireo
{
namespace
{

using test::DialogsWithHook;
using test::ScriptedDialogs;

std::string demoFile(const char *name)
{
    return (QCoreApplication::applicationDirPath() + QStringLiteral("/firmware/") + QString::fromLatin1(name))
        .toStdString();
}

// What the window showed while the blocks went out, taken at the first event dispatch.
struct DuringTransfer {
    bool seen = false;
    bool updating = false;
    bool pagesEnabled = true;
    bool connectEnabled = true;
    bool updateEnabled = true;
    QString status;
};

// What the window showed behind a box, box by box.
struct BehindBox {
    QString status;
    int bar;
};

class FirmwareUpdateWindow : public ::testing::Test
{
protected:
    // Connects the window to a unit of this kind and firmware, without dialogs.
    void connectTo(UnitConfig config)
    {
        form.reset();
        bus.reset();
        unit = std::make_unique<UnitSimulator>(config);
        bus = std::make_unique<SimulatedBus>(clock);
        bus->addPort("COM3", SimulatedBus::ftdiBusId("A50285BI"), unit.get());
        form = std::make_unique<TForm1>(Services{clock, dialogs, bus->port(), *bus, dir.path()});
        form->Timer2->stop(); // polling ticks would interleave by wall-clock time
        form->connectUnit();
        ASSERT_TRUE(form->Connected);
        unit->clearTranscript();
    }

    void clickUpdate()
    {
        clock.onProcessEvents = [this] {
            if (during.seen || !unit->inTransfer())
                return;
            during.seen = true;
            during.updating = form->Updating;
            during.pagesEnabled = form->PageControl1->isEnabled();
            during.connectEnabled = control("ConnectSpeedButton")->isEnabled();
            during.updateEnabled = control("FileFirmUpdateButton")->isEnabled();
            during.status = control<QLabel>("Label53")->text();
        };
        dialogs.whileOpen = [this] {
            behind.push_back(
                {control<QLabel>("Label53")->text(), control<QProgressBar>("ProgressBar1")->value()});
        };
        control<QAbstractButton>("FileFirmUpdateButton")->click();
        clock.onProcessEvents = nullptr;
        dialogs.whileOpen = nullptr;
    }

    template <class T = QWidget> T *control(const char *name) const
    {
        return form->control<T>(QString::fromUtf8(name));
    }

    bool heard(const std::string &prefix) const
    {
        const auto names = unit->commandNames();
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string &n) { return n.rfind(prefix, 0) == 0; });
    }

    test::TestProgramDir dir;
    VirtualClock clock;
    ScriptedDialogs script;
    DialogsWithHook dialogs{script};
    std::unique_ptr<UnitSimulator> unit;
    std::unique_ptr<SimulatedBus> bus; // after the unit it reaches
    DuringTransfer during;
    std::vector<BehindBox> behind;
    std::unique_ptr<TForm1> form; // last: destroyed before what it uses
};

TEST_F(FirmwareUpdateWindow, UpdateThenReconnectAndReadTheParameters)
{
    struct Case {
        const char *what;
        std::optional<std::string> file; // nothing: the dialog is cancelled
        std::vector<const char *> faults;
        std::vector<std::pair<MsgIcon, const char *>> boxes;
        MsgButton confirm; // answer to the question before the transfer (Ok: not asked)
        bool sent;
        const char *versionAfter;
        bool paramsLoaded;
        bool found = true;        // the unit answers after the update
        bool valuesKnown = false; // every record read: a backup is taken first
    };
    const std::string wrongKind =
        (std::filesystem::temp_directory_path() / "vireo_firmware_window_kind1.dat").string();
    FirmwarePackage kind1;
    kind1.kind = UnitKind::Kind1;
    kind1.version = " 2.0.5";
    ASSERT_TRUE(writeFirmwareFile(wrongKind, *packFirmware(kind1)));

    const std::vector<Case> cases = {
        {"update to 0.5.0",
         demoFile("KALM07_Kind2_0.5.0.dat"),
         {},
         {{MsgIcon::Information, "UPDCompMessage"}},
         Yes,
         true,
         " 0.5.0",
         true},
        {"update with every value known",
         demoFile("KALM07_Kind2_0.5.0.dat"),
         {},
         {{MsgIcon::Information, "UPDCompMessage"}},
         Yes,
         true,
         " 0.5.0",
         true,
         true,
         true},
        {"cancelled choice", std::nullopt, {}, {}, Ok, false, " 0.4.9", true},
        {"question answered No", demoFile("KALM07_Kind2_0.5.0.dat"), {}, {}, No, false, " 0.4.9", true},
        // Refused before any question: nothing would be sent.
        {"file for the other kind",
         wrongKind,
         {},
         {{MsgIcon::Error, "UPDFileErrorMessage"}},
         Ok,
         false,
         " 0.4.9",
         true},
        // The loader never hears the end command: the image is half written and only the
        // loader is left, so the reconnection offers the UPDATE page alone.
        {"end never heard",
         demoFile("KALM07_Kind2_0.5.0.dat"),
         {"END:ignore"},
         {{MsgIcon::Error, "UPDFailMessage"}, {MsgIcon::Error, "FirmwareErrorMessage"}},
         Yes,
         true,
         "0.0.0",
         false},
        // The link goes in the middle of the blocks: one message that says so, and the
        // window is disconnected (nothing is read from a unit that is not there).
        {"adapter unplugged",
         demoFile("KALM07_Kind2_0.5.0.dat"),
         {"BLKDATA#40:unplug"},
         {{MsgIcon::Error, "UPDLinkLostMessage"}},
         Yes,
         true,
         " 0.4.9",
         false,
         false},
        {"unit dead",
         demoFile("KALM07_Kind2_0.5.0.dat"),
         {"BLKDATA#40:disconnect"},
         {{MsgIcon::Error, "UPDLinkLostMessage"}},
         Yes,
         true,
         " 0.4.9",
         false,
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        during = {};
        behind.clear();
        UnitConfig config;
        config.firmware = " 0.4.9";
        connectTo(config);
        for (const char *f : c.faults)
            unit->addFault(f);
        if (c.valuesKnown) {
            form->WorkValues.origins.setAll(Origin::Unit);
        } else {
            form->WorkValues.origins.forgetAll(); // no backup without every value known
        }

        script.expectOpenFile(c.file);
        if (c.confirm != Ok)
            script.expectMessage(MsgIcon::Warning, "UPDConfirmMessage", c.confirm);
        for (const auto &[icon, key] : c.boxes)
            script.expectMessage(icon, key);
        const std::size_t shownBefore = script.messages().size();
        clickUpdate();
        script.verify();
        ASSERT_FALSE(script.fileRequests().empty());
        EXPECT_EQ(script.fileRequests().back().filter, "firmware|*.dat");
        if (c.confirm != Ok) {
            // The question names the file and the unit kind it is made for.
            const std::string question = script.messages().at(shownBefore).text;
            EXPECT_NE(question.find("KALM07_Kind2_0.5.0.dat"), std::string::npos) << question;
            EXPECT_NE(question.find(form->text(QStringLiteral("KALMKind2")).toStdString()), std::string::npos)
                << question;
            EXPECT_EQ(script.messages().at(shownBefore).focused, No);
        }
        if (c.valuesKnown) {
            // The completion names the backup taken before the transfer.
            const std::string done = script.messages().back().text;
            const auto at = done.find(QDir(QString::fromUtf8(qgetenv("XDG_DATA_HOME")))
                                          .filePath("vireo/backups/backup_")
                                          .toStdString());
            ASSERT_NE(at, std::string::npos) << done;
            EXPECT_TRUE(std::filesystem::exists(pathFromUtf8(done.substr(at)))) << done;
        }

        EXPECT_EQ(heard("UPDATE"), c.sent);
        EXPECT_EQ(during.seen, c.sent);
        if (c.sent) {
            EXPECT_TRUE(during.updating);
            EXPECT_FALSE(during.pagesEnabled);
            EXPECT_FALSE(during.connectEnabled);
            EXPECT_FALSE(during.updateEnabled);
            EXPECT_EQ(during.status, form->text(QStringLiteral("UPDFileLabel2")));
        }
        // No "updating" status behind any box, nor a half-full bar behind an error.
        const auto &boxes = script.messages();
        ASSERT_EQ(behind.size(), c.boxes.size() + (c.confirm != Ok ? 1u : 0u));
        for (std::size_t i = 0; i < behind.size(); ++i) {
            const MessageRequest &box = boxes[boxes.size() - behind.size() + i];
            EXPECT_TRUE(behind[i].status.isEmpty()) << box.key;
            if (box.icon == MsgIcon::Error) {
                EXPECT_EQ(behind[i].bar, 0) << box.key;
            }
        }
        // Discovery and identification run again whenever the unit still answers; the
        // parameters are read only from application firmware.
        EXPECT_EQ(heard("UPVER"), c.found);
        EXPECT_EQ(heard("RROM"), c.paramsLoaded);
        EXPECT_EQ(form->FirmwareVersion, c.versionAfter);
        EXPECT_EQ(control<QLabel>("Label35")->text(), QString::fromLatin1(c.versionAfter));
        EXPECT_EQ(form->ParamsLoaded, c.paramsLoaded);

        EXPECT_FALSE(form->Updating);
        EXPECT_TRUE(form->PageControl1->isEnabled());
        EXPECT_TRUE(control("ConnectSpeedButton")->isEnabled());
        EXPECT_EQ(form->Connected, c.found);
        EXPECT_EQ(control("FileFirmUpdateButton")->isEnabled(), c.found);
        EXPECT_TRUE(control<QLabel>("Label53")->text().isEmpty());
    }
    std::filesystem::remove(wrongKind);
}

TEST_F(FirmwareUpdateWindow, ProgressBarFollowsTheBlocks)
{
    UnitConfig config;
    config.firmware = " 0.4.9";
    connectTo(config);
    const std::string twoBlocks =
        (std::filesystem::temp_directory_path() / "vireo_firmware_two_blocks.dat").string();
    FirmwarePackage package;
    package.version = " 0.5.0";
    package.flags = parseBlockList("0,1503");
    ASSERT_TRUE(writeFirmwareFile(twoBlocks, *packFirmware(package)));

    std::vector<int> positions;
    auto *bar = control<QProgressBar>("ProgressBar1");
    bar->setValue(37); // left over from an earlier update
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { positions.push_back(v); });
    script.expectOpenFile(twoBlocks)
        .expectMessage(MsgIcon::Warning, "UPDConfirmMessage", Yes)
        .expectMessage(MsgIcon::Information, "UPDCompMessage");
    clickUpdate();
    // From 0 at the start, one step per block, and back to 0 when the parameter read ends.
    EXPECT_EQ(positions, (std::vector<int>{0, 50, 100, 0}));
    EXPECT_EQ(form->FirmwareVersion, " 0.5.0");
    std::filesystem::remove(twoBlocks);
}

} // namespace
} // namespace vireo
