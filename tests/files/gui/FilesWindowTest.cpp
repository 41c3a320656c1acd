// File menu, READ's save offer and the RESET page on the real window, against the simulated
// unit in virtual time.
#include "app/gui/TForm1.h"
#include "files/FileNames.h"
#include "files/FileTestSupport.h"
#include "files/ParameterFile.h"
#include "files/Preset.h"
#include "params/UnitConversion.h"
#include "support/KnownValues.h"
#include "support/NullPorts.h"
#include "support/ScriptedDialogs.h"
#include "support/TestProgramDir.h"
#include "widgets/PageControl.h"
#include "widgets/TProgressForm.h"

#include "SimulatedPort.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace vireo
{
namespace
{

class FilesWindow : public ::testing::Test
{
protected:
    // The window as connecting leaves it: link open, unit identified, RESET page shown.
    TForm1 &start(const char *firmware = " 0.5.0")
    {
        for (const auto &names : PresetFiles)
            for (std::string_view name : {names.tpd, names.gdt}) {
                const QString n = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
                QFile::copy(test::TestProgramDir::shipped(n), dir.path() + n);
            }
        UnitConfig config;
        config.kind = UnitKind::Kind2;
        config.firmware = std::string(firmware);
        unit = std::make_unique<UnitSimulator>(config);
        port = std::make_unique<SimulatedPort>(*unit, clock);
        form = std::make_unique<TForm1>(Services{clock, dialogs, *port, ports, dir.path()});

        form->link.portName = "sim";
        EXPECT_TRUE(form->link.openPort());
        form->Connected = true;
        form->unitKind = UnitKind::Kind2;
        form->FirmwareVersion = firmware;
        test::markAllKnown(*form); // the connection's read
        button("ResetButton")->setEnabled(true);
        form->PageControl1->setCurrentWidget(form->control<QWidget>(QStringLiteral("TabSheet6")));
        form->setReadWriteByActivePage();
        unit->clearTranscript();

        // What the rest of the window sees whenever the flow lets events through.
        clock.onProcessEvents = [this] {
            ++pumps;
            pausedAtEveryPump = pausedAtEveryPump && form->Resetting && !form->PageControl1->isEnabled();
        };
        return *form;
    }

    // Back to no window, before a table row starts another one.
    void stop()
    {
        clock.onProcessEvents = nullptr;
        form.reset();
        port.reset();
        unit.reset();
        pumps = 0;
        pausedAtEveryPump = true;
    }

    QPushButton *button(const char *name) const
    {
        return form->control<QPushButton>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) const { return form->control<QAction>(QString::fromLatin1(name)); }
    void chooseHeli(int item) const
    {
        form->control<QComboBox>(QStringLiteral("ResHeliSelectComboBox"))->setCurrentIndex(item);
    }

    // Heard commands, WROM lines without their fields.
    std::vector<std::string> commands() const
    {
        std::vector<std::string> heads;
        for (std::string name : unit->commandNames()) {
            if (name.rfind("WROM", 0) == 0 && name.size() > 8)
                name.resize(8);
            heads.push_back(name);
        }
        return heads;
    }

    void expectRestored() const
    {
        EXPECT_FALSE(form->Resetting);
        EXPECT_TRUE(form->PageControl1->isEnabled());
        EXPECT_FALSE(form->ResetProgressForm->isVisible());
        // The RESET page is active: READ and WRITE stay disabled after the flow.
        EXPECT_FALSE(button("ReadButton")->isEnabled());
        EXPECT_FALSE(button("WriteButton")->isEnabled());
    }

    test::TestProgramDir dir;
    VirtualClock clock;
    test::ScriptedDialogs dialogs;
    test::NoPorts ports;
    std::unique_ptr<UnitSimulator> unit;
    std::unique_ptr<SimulatedPort> port;
    std::unique_ptr<TForm1> form; // after what it uses, so destroyed first
    int pumps = 0;
    bool pausedAtEveryPump = true;

    void TearDown() override { stop(); }
};

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

const std::vector<std::string> ReadBack = {"RROM A 0", "RROM A 1", "RROM A 2", "RROM E 0", "RROM E 1",
                                           "RROM E 2", "RROM R 0", "RROM R 1", "RROM R 2", "RROM C 0"};
const std::vector<std::string> PresetWrites = {"WROM A 0", "WROM A 1", "WROM A 2", "WROM E 0", "WROM E 1",
                                               "WROM E 2", "WROM R 0", "WROM R 1", "WROM R 2", "WROM C 1",
                                               "WROM Z 0", "WROM G 0", "WROM J 0"};

TEST_F(FilesWindow, ResetRunsToCompletion)
{
    const struct {
        const char *name;
        const char *firmware;
        int heli;
        std::vector<std::string> commands;
    } cases[] = {
        {"factory reset", " 0.5.0", 0, concat({{"RESET"}, ReadBack})},
        {"500-600 preset", " 0.5.0", 3, concat({PresetWrites, ReadBack})},
        {"TARVO450 preset, firmware 0.3.8",
         " 0.3.8",
         1,
         {"WROM A 0", "WROM A 1", "WROM E 0", "WROM E 1", "WROM R 0", "WROM R 1", "WROM C 1", "WROM Z 0",
          "WROM G 0", "WROM J 0", "RROM A 0", "RROM A 1", "RROM E 0", "RROM E 1", "RROM R 0", "RROM R 1",
          "RROM C 0"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        stop();
        start(c.firmware);
        form->WorkValues.common.CondCh() = 3;
        form->WorkValues.axes[Aileron][2].P() = 777; // survives where mode set 2 does not exist
        chooseHeli(c.heli);

        dialogs.expectMessage(MsgIcon::Warning, "RESCautionMessage", Ok)
            .expectMessage(MsgIcon::Information, "RESCompleteMessage", Ok);
        button("ResetButton")->click();
        dialogs.verify();

        EXPECT_EQ(commands(), c.commands);
        EXPECT_GT(pumps, 0);
        EXPECT_TRUE(pausedAtEveryPump);
        expectRestored();
        EXPECT_EQ(form->CurValues, form->WorkValues.axes);
        EXPECT_EQ(form->ResetProgressForm->position(), 100);
        EXPECT_EQ(form->control<QLineEdit>(QStringLiteral("Edit1"))->text().toInt(),
                  form->WorkValues.axes[Aileron][0].P());

        const bool extra = versionAtLeast(c.firmware, " 0.5.0");
        if (c.heli == 3) {
            for (int a = 0; a < AxisCount; ++a)
                EXPECT_EQ(form->WorkValues.axes[a][2], form->WorkValues.axes[a][1]);
            EXPECT_EQ(form->WorkValues.common.CondCh(), 0);
            EXPECT_EQ(form->WorkValues.common.RxKind(), 0);
            EXPECT_EQ(unit->store().presets[0][0], form->WorkValues.z.words[0]);
        }
        if (!extra) {
            EXPECT_EQ(form->WorkValues.axes[Aileron][2].P(), 777);
        }
        if (c.heli == 0) {
            EXPECT_EQ(unit->resets(), 1);
        }
    }
}

TEST_F(FilesWindow, ResetThatCannotGoOnSendsNothingMoreAndRestoresTheWindow)
{
    enum class Trouble { Cancelled, PresetMissing, PresetDamaged, UnitSilent, GarbledReply };
    const struct {
        const char *name;
        Trouble trouble;
        int heli;
        std::vector<std::string> commands;
    } cases[] = {
        {"confirmation cancelled", Trouble::Cancelled, 1, {}},
        {"tarvo700.tpd missing", Trouble::PresetMissing, 2, {}},
        {"kalm07.gdt fails its checksum", Trouble::PresetDamaged, 3, {}},
        {"unit stops answering after the aileron",
         Trouble::UnitSilent,
         0,
         {"RESET", "RROM A 0", "RROM A 1", "RROM A 2", "RROM E 0", "PING"}}, // the ping finds the unit there
        {"garbled reply in the read-back", Trouble::GarbledReply, 0, {"RESET", "RROM A 0", "RROM A 1"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        stop();
        start();
        chooseHeli(c.heli);
        const ParameterSet before = form->WorkValues;
        const CurValuesType unitCopy = form->CurValues;

        dialogs.expectMessage(MsgIcon::Warning, "RESCautionMessage",
                              c.trouble == Trouble::Cancelled ? Cancel : Ok);
        switch (c.trouble) {
        case Trouble::Cancelled:
            break;
        case Trouble::PresetMissing:
            dir.remove(QStringLiteral("tarvo700.tpd"));
            dialogs.expectMessage(MsgIcon::Error, "RESPresetErrorMessage", Ok);
            break;
        case Trouble::PresetDamaged: {
            QFile f(dir.path() + QStringLiteral("kalm07.gdt"));
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            f.seek(10);
            f.write("\x01", 1);
            f.close();
            dialogs.expectMessage(MsgIcon::Error, "RESPresetErrorMessage", Ok);
            break;
        }
        case Trouble::UnitSilent:
            ASSERT_TRUE(unit->addFault("RROM E 0:silence"));
            dialogs.expectMessage(MsgIcon::Error, "SafeResetReadErrorMessage", Ok);
            break;
        case Trouble::GarbledReply:
            ASSERT_TRUE(unit->addFault("RROM A 1:garbage"));
            dialogs.expectMessage(MsgIcon::Error, "SafeReadGarbledMessage", Ok);
            break;
        }
        const std::size_t first = dialogs.messages().size();
        button("ResetButton")->click();
        dialogs.verify();

        EXPECT_EQ(commands(), c.commands);
        expectRestored();
        if (c.heli == 0 && c.trouble != Trouble::Cancelled) {
            // After RESET the old unit copy is out of date: the column shows what came back and
            // nothing for the records that did not.
            EXPECT_EQ(form->CurValues[Aileron][0], form->WorkValues.axes[Aileron][0]);
            EXPECT_TRUE(form->CurKnown[Aileron][0]);
            EXPECT_FALSE(form->CurKnown[Elevator][0]);
            EXPECT_FALSE(form->WorkValues.origins.known(Selector::E, 0));
            EXPECT_FALSE(form->WorkValues.origins.known(Selector::C));
        } else {
            EXPECT_EQ(form->CurValues, unitCopy);
        }
        const auto &shown = dialogs.messages();
        const MessageRequest &confirmation = shown.at(first);
        if (c.trouble == Trouble::PresetMissing || c.trouble == Trouble::PresetDamaged) {
            EXPECT_EQ(shown.back().text, form->text(QStringLiteral("RESPresetErrorMessage")).toStdString());
            EXPECT_EQ(form->WorkValues, before);
        }
        if (c.trouble == Trouble::UnitSilent) {
            // The error, then where the unit's values were saved before the reset.
            const std::string said = form->text(QStringLiteral("SafeResetReadErrorMessage")).toStdString();
            EXPECT_EQ(shown.back().text.substr(0, said.size()), said);
            EXPECT_NE(shown.back().text.find("/vireo/backups/backup_"), std::string::npos);
        }
        if (c.trouble == Trouble::Cancelled) {
            EXPECT_EQ(confirmation.focused, Cancel);
            EXPECT_EQ(confirmation.buttons, unsigned(Ok | Cancel));
        }
        // The confirmation says what the reset will put into the unit.
        const std::string lead =
            c.heli > 0 ? fillIn(form->text(QStringLiteral("RESPresetConfirmLine")).toStdString(),
                                {form->control<QComboBox>(QStringLiteral("ResHeliSelectComboBox"))
                                     ->itemText(c.heli)
                                     .toStdString()})
                       : form->text(QStringLiteral("RESFactoryConfirmLine")).toStdString();
        EXPECT_EQ(confirmation.text,
                  lead + "\n" + form->text(QStringLiteral("RESCautionMessage")).toStdString());
    }
}

TEST_F(FilesWindow, FileMenuSavesAndOpens)
{
    start();
    QTemporaryDir files;
    const std::string path = (files.path() + QStringLiteral("/tuned")).toStdString();
    for (int a = 0; a < AxisCount; ++a)
        for (int k = 0; k < ModeSetCount; ++k)
            for (int f = 0; f < AxisFieldCount; ++f)
                form->WorkValues.axes[a][k].words[f] = static_cast<std::int16_t>(100 * a + 10 * k + f - 3);
    form->WorkValues.common.W1() = -7;
    const ParameterSet saved = form->WorkValues;

    dialogs.expectSaveFile(path);
    action("MenuFileSave")->trigger();
    dialogs.verify();
    EXPECT_EQ(dialogs.fileRequests().back().filter, "VIREO File|*.gdt");
    EXPECT_EQ(QFile(QString::fromStdString(path + ".gdt")).size(), 232);

    form->WorkValues = ParameterSet{};
    dialogs.expectOpenFile(path + ".gdt").expectMessage(MsgIcon::Warning, "ParamReadMessage", No);
    action("MenuFileOpen")->trigger();
    dialogs.verify();
    EXPECT_EQ(form->WorkValues.axes, saved.axes);
    EXPECT_EQ(form->WorkValues.common, saved.common);
    EXPECT_EQ(form->control<QLineEdit>(QStringLiteral("Edit1"))->text(), QStringLiteral("-3"));
    EXPECT_TRUE(unit->commandNames().empty()); // files never talk to the unit

    // A save that cannot be written says so, in the window's language.
    dialogs.expectSaveFile((files.path() + QStringLiteral("/missing/dir/x")).toStdString())
        .expectMessage(MsgIcon::Error, "FileSaveErrorMessage", Ok);
    action("MenuFileSave")->trigger();
    dialogs.verify();
    EXPECT_EQ(dialogs.messages().back().text,
              form->text(QStringLiteral("FileSaveErrorMessage")).toStdString());
}

// Before a reset overwrites the unit, the values it holds are saved as File > Save would save
// them, into the user's data folder; the completion names the file. A backup that cannot be
// written is a question, not a silent loss.
TEST_F(FilesWindow, ResetBacksUpTheUnitValuesFirst)
{
    // The run's data folder comes back however a case ends.
    struct RestoreDataHome {
        QByteArray saved = qgetenv("XDG_DATA_HOME");
        ~RestoreDataHome() { qputenv("XDG_DATA_HOME", saved); }
    } restore;
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const std::filesystem::path folder =
        pathFromUtf8((data.path() + QStringLiteral("/vireo/backups")).toStdString());
    const struct {
        const char *name;
        bool folderBlocked;
        MsgButton answer; // to the question after a failed backup
        bool resets;
    } cases[] = {
        {"backup written", false, Ok, true},
        {"backup impossible, go on", true, Yes, true},
        {"backup impossible, stop", true, No, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        stop();
        start();
        std::filesystem::remove_all(folder);
        // A file where the data folder should be leaves no place for the backup.
        const QString home = c.folderBlocked ? data.path() + QStringLiteral("/blocked") : data.path();
        if (c.folderBlocked) {
            QFile blocker(home);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        qputenv("XDG_DATA_HOME", home.toUtf8());
        for (auto &axis : form->WorkValues.origins.axes)
            axis.fill(Origin::Unit);
        form->WorkValues.origins.common = Origin::Unit;
        form->WorkValues.axes[Aileron][0].P() = 321;
        const auto expected = imageBytes(encodeParameterFile(form->WorkValues));
        chooseHeli(1);

        dialogs.expectMessage(MsgIcon::Warning, "RESCautionMessage", Ok);
        if (c.folderBlocked)
            dialogs.expectMessage(MsgIcon::Warning, "BackupFailedMessage", c.answer);
        if (c.resets)
            dialogs.expectMessage(MsgIcon::Information, "RESCompleteMessage", Ok);
        button("ResetButton")->click();
        dialogs.verify();
        QFile::remove(data.path() + QStringLiteral("/blocked"));

        EXPECT_EQ(commands().empty(), !c.resets);
        expectRestored();
        std::vector<std::filesystem::path> backups;
        if (std::filesystem::exists(folder))
            for (const auto &e : std::filesystem::directory_iterator(folder))
                backups.push_back(e.path());
        if (c.folderBlocked) {
            EXPECT_TRUE(backups.empty());
            continue;
        }
        ASSERT_EQ(backups.size(), 1u);
        const std::string name = backups[0].filename().string();
        EXPECT_EQ(name.rfind("backup_", 0), 0u) << name;
        EXPECT_TRUE(name.ends_with("_kind2_0.5.0.gdt")) << name;
        // The values before the preset replaced them, exactly as File > Save writes them.
        EXPECT_EQ(test::readBytes(backups[0]), expected);
        EXPECT_TRUE(dialogs.messages().back().text.ends_with(utf8FromPath(backups[0])))
            << dialogs.messages().back().text;
    }
}

TEST_F(FilesWindow, ReadOffersTheSaveFirst)
{
    start();
    form->PageControl1->setCurrentWidget(form->control<QWidget>(QStringLiteral("TabSheet2")));
    form->setReadWriteByActivePage();
    dialogs.expectMessage(MsgIcon::Warning, "ParamReadMessage", Yes)
        .expectSaveFile(std::nullopt)
        .expectMessage(MsgIcon::Information, "CPSReadCompleteMessage", Ok);
    button("ReadButton")->click();
    dialogs.verify();
    EXPECT_EQ(unit->commandNames().size(), 10u);
}

} // namespace
} // namespace vireo
