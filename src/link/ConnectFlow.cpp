#include "link/ConnectFlow.h"

#include "files/FileNames.h"
#include "link/Discovery.h"
#include "link/PortAccess.h"
#include "link/Version.h"
#include "params/BlockTransfer.h"
#include "seams/ConversionError.h"

#include <algorithm>

namespace vireo
{
namespace
{

// Starts polling again when the scope ends, however it ends.
class PollingRestart
{
public:
    explicit PollingRestart(ConnectFlowHost &host) : host_(host) {}
    ~PollingRestart() { host_.startPolling(); }
    PollingRestart(const PollingRestart &) = delete;
    PollingRestart &operator=(const PollingRestart &) = delete;

private:
    ConnectFlowHost &host_;
};

// Discovery with identification; unidentified tells whether the unit that answered did not
// identify itself, openFailures which adapter ports could not be opened and why.
std::optional<std::string> discover(ConnectFlowHost &host, bool &unidentified,
                                    std::vector<PortOpenFailure> *openFailures = nullptr)
{
    unidentified = false;
    return findUnitPort(
        host.link(), host.ports(),
        [&host, &unidentified] {
            unidentified = !identifyConnectedUnit(host);
            return !unidentified;
        },
        {}, openFailures);
}

// The language file breaks a message into lines with '#'.
std::string withLineBreaks(std::string text)
{
    std::replace(text.begin(), text.end(), '#', '\n');
    return text;
}

// No unit found: a port that could not be opened is the likely cause, so the box names the
// port, the reason and the fix; otherwise the plain "not found".
void reportNoUnit(ConnectFlowHost &host, const std::vector<PortOpenFailure> &openFailures)
{
    const auto advice = adviceForOpenFailures(openFailures, nodeGroup);
    if (!advice) {
        reportLinkFault(host, "ConnectErrorMessage", MsgIcon::Error);
        return;
    }
    const std::string text = host.text(advice->key);
    const std::string message = withLineBreaks(
        advice->group.empty() ? fillIn(text, {advice->port}) : fillIn(text, {advice->port, advice->group}));
    host.dialogs().message({MsgIcon::Error, advice->key, message, Ok, Ok});
}

} // namespace

void reportLinkFault(ConnectFlowHost &host, const char *key, MsgIcon icon)
{
    host.dialogs().message({icon, key, host.text(key), Ok, Ok});
}

std::optional<std::string> discoverUnit(ConnectFlowHost &host)
{
    bool unidentified = false;
    return discover(host, unidentified);
}

bool identifyConnectedUnit(ConnectFlowHost &host)
{
    const std::optional<Identification> id = identifyUnit(host.link());
    if (!id) {
        // Kind, version and the window's shape stay as they were; nothing is guessed.
        return false;
    }
    host.setIdentity(*id);
    for (const ShapeStep &step : id->shape) {
        if (step.action == ShapeAction::ErrorBox)
            host.dialogs().message({MsgIcon::Error, step.arg, host.text(step.arg), Ok, Ok});
        else if (step.action == ShapeAction::ReadAllDefaults)
            readStandardValuesOnConnect(host);
        else
            host.applyShapeStep(step);
    }
    return true;
}

void readStandardValuesOnConnect(ConnectFlowHost &host)
{
    // Connecting goes on after a garbled standard value: the records not yet read keep what
    // they held.
    try {
        readAllDefaults(host.link(), host.unitProfile(), host.workValues(), host.defValues(),
                        host.defKnown());
    } catch (const ConversionError &) {
        reportLinkFault(host, "LinkConnectGarbledMessage", MsgIcon::Error);
        return;
    }
    // A standard value that did not come is shown empty; say so (a lost unit is said by the
    // connection itself).
    const bool allKnown = std::ranges::all_of(host.defKnown(), [](const auto &axis) {
        return std::ranges::all_of(axis, [](bool known) { return known; });
    });
    if (!allKnown && !host.link().lost())
        reportLinkFault(host, "SafeDefaultsReadErrorMessage", MsgIcon::Warning);
}

bool runConnectFlow(ConnectFlowHost &host)
{
    host.stopPolling();
    host.forgetUnitValues(); // what an earlier connection read is not this unit's word
    std::optional<std::string> port;
    bool unidentified = false;
    std::vector<PortOpenFailure> openFailures;
    {
        // Polling resumes even when a garbled reply ends the identification's reads.
        PollingRestart restart(host);
        port = discover(host, unidentified, &openFailures);
    }
    if (!port) {
        host.showParameters();
        host.showDefaults();
        if (unidentified)
            reportLinkFault(host, "LinkUnidentifiedMessage", MsgIcon::Error);
        else
            reportNoUnit(host, openFailures);
        return false;
    }
    SerialLink &link = host.link();
    if (!link.lost() && hasApplicationFirmware(host.unitProfile().firmware)) {
        host.readParameters();
        if (!link.lost())
            host.setParamsLoaded(true);
    }
    if (link.lost()) {
        // The unit stopped answering part-way: it is not connected.
        link.closePort();
        reportLinkFault(host, "LinkConnectLostMessage", MsgIcon::Error);
        return false;
    }
    host.showDefaults();
    host.markConnected();
    return true;
}

} // namespace vireo
