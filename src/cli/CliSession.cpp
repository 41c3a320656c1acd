#include "cli/CliSession.h"

#include "files/Backup.h"
#include "files/FileNames.h"
#include "link/Discovery.h"
#include "params/BlockTransfer.h"

#include <cstdio>

namespace vireo
{
namespace
{

// The questions that only offer to save the working values first: vireo-cli has no unsaved
// work to offer.
bool savesFirst(const std::string &key)
{
    return key == "ParamReadMessage";
}

// The confirmations of the flows that change the unit.
bool isConfirmation(const std::string &key)
{
    return key == "CPSWriteCautionMessage" || key == "RESCautionMessage" || key == "UPDConfirmMessage";
}

bool saysYes(const std::string &answer)
{
    const std::string a = answer.substr(0, answer.find_last_not_of(" \r\n\t") + 1);
    return a == "y" || a == "Y" || a == "yes" || a == "YES" || a == "Yes";
}

} // namespace

MsgButton CliDialogs::message(const MessageRequest &request)
{
    shownKeys.insert(request.key);
    const bool question = (request.buttons & (Yes | Cancel)) != 0;
    if (!question) {
        if (request.icon == MsgIcon::Error)
            errorShown = true;
        platform_.err << request.text << "\n";
        return (request.buttons & Ok) ? Ok : static_cast<MsgButton>(request.buttons & -request.buttons);
    }
    const MsgButton yes = (request.buttons & Ok) ? Ok : Yes;
    const MsgButton no = (request.buttons & Cancel) ? Cancel : No;
    if (savesFirst(request.key))
        return no;
    platform_.err << request.text << "\n";
    if (isConfirmation(request.key) && yes_)
        return yes;
    const std::optional<std::string> answer = platform_.readAnswer
                                                  ? (platform_.err << texts_.text("CliAskYesNo") << " ",
                                                     platform_.err.flush(), platform_.readAnswer())
                                                  : std::nullopt;
    if (answer && saysYes(*answer))
        return yes;
    platform_.err << texts_.text("CliDeclinedMessage") << "\n";
    declined = true;
    return no;
}

CliSession::CliSession(CliPlatform &p, PortLister &ports, const CliTexts &t, bool yes)
    : platform(p), texts(t), cliDialogs(p, t, yes), serialLink(p.port), portLister(ports)
{
    // As the window sets its link: a failed exchange is followed by a ping, never inside the
    // firmware transfer, whose loader must not see one.
    serialLink.baudRate = SerialLink::DefaultBaud;
    serialLink.readTimeoutMs = 0xFFFFFFFFu;
    serialLink.lossCheck = [this] { return !updating; };
}

void CliSession::disconnectUnit()
{
    serialLink.closePort();
    isConnected = false;
}

bool CliSession::readGroup(Selector group, ModeSet k)
{
    return vireo::readGroup(serialLink, unitProfile(), group, k, work);
}

bool CliSession::writeGroup(Selector group, ModeSet k)
{
    return vireo::writeGroup(serialLink, unitProfile(), group, k, work);
}

void CliSession::setIdentity(const Identification &id)
{
    kind = id.kind;
    firmware = id.firmwareVersion;
    loaderVersion = id.loaderVersion;
}

void CliSession::endUpdate()
{
    if (transferStartMs >= 0)
        platform.err << "\n";
    transferStartMs = -1;
    updating = false;
}

void CliSession::transferProgress(int position, std::size_t attempts, std::size_t total)
{
    const std::int64_t elapsed = platform.clock.nowMs() - transferStartMs;
    platform.err << "\r" << transferProgressLine(texts, position, attempts, total, elapsed);
    platform.err.flush();
}

bool CliSession::backupBeforeOverwrite(std::string &note)
{
    const TextOf textOf = [this](std::string_view key) { return texts.text(key); };
    return vireo::backupBeforeOverwrite(cliDialogs, textOf, work, unitProfile(), note);
}

void CliSession::reportLinkLost()
{
    disconnectUnit();
    cliDialogs.message({MsgIcon::Error, "LinkLostMessage", texts.text("LinkLostMessage"), Ok, Ok});
}

bool CliSession::unitAnswers()
{
    return vireo::findUnitPort(serialLink, portLister, nullptr).has_value();
}

std::string transferProgressLine(const CliTexts &texts, int position, std::size_t attempts, std::size_t total,
                                 std::int64_t elapsedMs)
{
    const double seconds = static_cast<double>(elapsedMs) / 1000.0;
    const double rate = seconds > 0 ? static_cast<double>(attempts) / seconds : 0.0;
    const std::size_t left = total > attempts ? total - attempts : 0;
    const long secondsLeft = rate > 0 ? static_cast<long>(static_cast<double>(left) / rate + 0.5) : 0;
    char rateText[32];
    std::snprintf(rateText, sizeof rateText, "%.1f", rate);
    return fillIn(texts.text("CliUpdateProgressLine"),
                  {std::to_string(attempts), std::to_string(total), std::to_string(position), rateText,
                   std::to_string(secondsLeft)});
}

} // namespace vireo
