#pragma once
// What vireo-cli holds while it talks to the unit, and the hosts through which it runs the
// window's flows: its dialogs are the terminal (messages on stderr, questions answered by
// --yes or typed), its progress is a line on stderr, and it shows nothing else.
#include "cli/Cli.h"
#include "cli/CliTexts.h"
#include "files/ResetFlow.h"
#include "firmware/UpdateFlow.h"
#include "link/ConnectFlow.h"
#include "params/ParameterFlows.h"

#include <cstdint>
#include <set>

namespace vireo
{

// Dialogs on a terminal. An information or error box is a message on stderr; a confirmation
// (WRITE, reset, update) is answered yes by --yes, otherwise asked on the terminal, and
// without a terminal declined. Any other question is asked on the terminal and otherwise
// answered no; the questions that only offer to save first are answered no silently.
class CliDialogs : public Dialogs
{
public:
    CliDialogs(CliPlatform &platform, const CliTexts &texts, bool yes)
        : platform_(platform), texts_(texts), yes_(yes)
    {
    }

    MsgButton message(const MessageRequest &request) override;
    std::optional<std::string> openFileName(const FileRequest &) override { return openName; }
    std::optional<std::string> saveFileName(const FileRequest &) override { return saveName; }

    std::optional<std::string> openName; // what the "file dialogs" choose
    std::optional<std::string> saveName;
    bool errorShown = false; // an error box was shown
    bool declined = false;   // a question was answered no
    std::set<std::string> shownKeys;

private:
    CliPlatform &platform_;
    const CliTexts &texts_;
    bool yes_;
};

class CliSession : public ParameterFlowHost,
                   public ConnectFlowHost,
                   public ResetFlowHost,
                   public UpdateFlowHost
{
public:
    CliSession(CliPlatform &platform, PortLister &ports, const CliTexts &texts, bool yes);

    CliPlatform &platform;
    const CliTexts &texts;
    CliDialogs cliDialogs;
    SerialLink serialLink;
    PortLister &portLister;

    ParameterSet work;
    AxisRecordTable cur{};
    AxisRecordTable def{};
    RecordKnown curKnown{};
    RecordKnown defKnown_{};
    UnitKind kind = UnitKind::Kind1;
    std::string firmware;
    std::string loaderVersion;
    bool isConnected = false;
    bool paramsLoaded = false;
    bool updating = false;
    std::int64_t transferStartMs = -1;

    // ---- shared by the hosts ----
    Dialogs &dialogs() override { return cliDialogs; }
    std::string text(std::string_view key) override { return texts.text(key); }
    SerialLink &link() override { return serialLink; }
    UnitProfile unitProfile() override { return {kind, firmware}; }
    ParameterSet &workValues() override { return work; }
    void takeUnitCopy() override { vireo::takeUnitCopy(work, cur, curKnown); }
    void showParameters() override {}
    void showDefaults() override {}
    void endOfMainFlow() override {}
    void applyAxisMode() override {}
    void setReadWriteEnabled(bool) override {}
    void processEvents() override { platform.clock.processEvents(); }
    void forgetUnitValues() override { vireo::forgetUnitValues(work, curKnown, defKnown_); }
    void readParameters() override { runReadFlow(*this, false); }
    void setParamsLoaded(bool loaded) override { paramsLoaded = loaded; }
    void disconnectUnit() override;

    // ---- ParameterFlowHost ----
    bool connected() override { return isConnected; }
    bool readGroup(Selector group, ModeSet k) override;
    bool writeGroup(Selector group, ModeSet k) override;
    bool linkLost() override { return serialLink.lost(); }
    void disconnect() override { disconnectUnit(); }
    MsgButton showMessage(const FlowDialog &d, const std::string &shown) override
    {
        return cliDialogs.message({d.icon, std::string(d.key), shown, d.buttons, d.focused});
    }
    void saveParameterFile() override {}
    void showProgress() override {}
    void stepProgress(int) override {}
    void closeProgress() override {}
    void waitWithEvents(int ms) override { platform.clock.waitWithEvents(ms); }
    void forgetUnitCopy(Selector group, ModeSet k) override
    {
        curKnown[static_cast<std::size_t>(axisIndex(group))][static_cast<std::size_t>(k)] = false;
    }

    // ---- ConnectFlowHost ----
    PortLister &ports() override { return portLister; }
    AxisRecordTable &defValues() override { return def; }
    RecordKnown &defKnown() override { return defKnown_; }
    void setIdentity(const Identification &id) override;
    void applyShapeStep(const ShapeStep &) override {}
    void stopPolling() override {}
    void startPolling() override {}
    void markConnected() override { isConnected = true; }

    // ---- ResetFlowHost ----
    Clock &clock() override { return platform.clock; }
    std::filesystem::path presetDir() override { return platform.programDir; }

    // ---- UpdateFlowHost ----
    UnitKind unitKind() override { return kind; }
    std::string firmwareVersion() override { return firmware; }
    void beginUpdate() override { updating = true; }
    void endUpdate() override;
    void lockForTransfer() override {}
    void transferStarted() override { transferStartMs = platform.clock.nowMs(); }
    void transferProgress(int position, std::size_t attempts, std::size_t total) override;
    void clearProgress() override {}
    bool backupBeforeOverwrite(std::string &note) override;
    bool findUnitPort() override { return discoverUnit(*this).has_value(); }
    void identifyUnit() override { identifyConnectedUnit(*this); }
    void reportLinkLost() override;
    bool unitAnswers() override;
};

// The progress line of a transfer: blocks, per cent, rate and time left.
std::string transferProgressLine(const CliTexts &texts, int position, std::size_t attempts, std::size_t total,
                                 std::int64_t elapsedMs);

} // namespace vireo
