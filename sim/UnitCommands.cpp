// What the simulated unit does with each command line and each loader step.
#include "UnitSimulator.h"

#include <algorithm>
#include <cstdio>

namespace vireo
{

namespace
{

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> valueList(const std::int16_t *values, std::size_t count)
{
    std::vector<std::uint8_t> out;
    out.reserve(count * 5 + 1);
    for (std::size_t i = 0; i < count; ++i) {
        char field[8];
        std::snprintf(field, sizeof field, "%04X%c",
                      static_cast<unsigned>(static_cast<std::uint16_t>(values[i])),
                      i + 1 < count ? ' ' : '\r');
        out.insert(out.end(), field, field + 5);
    }
    out.push_back('\n');
    return out;
}

std::vector<std::string> splitWords(const std::string &line)
{
    std::vector<std::string> words;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t blank = line.find(' ', pos);
        words.push_back(line.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos));
        if (blank == std::string::npos)
            return words;
        pos = blank + 1;
    }
}

bool parseWireWord(const std::string &text, std::int16_t &value)
{
    if (text.size() != 4 || text.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        return false;
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>(std::stoul(text, nullptr, 16)));
    return true;
}

// Selector and one-digit number of the parameter commands ("RROM A 0").
bool parseTarget(const std::vector<std::string> &words, char &selector, int &number)
{
    if (words.size() < 3 || words[1].size() != 1 || words[2].size() != 1 || words[2][0] < '0' ||
        words[2][0] > '9')
        return false;
    selector = words[1][0];
    number = words[2][0] - '0';
    return true;
}

int liveAxis(const std::vector<std::string> &words)
{
    return words.size() == 2 && words[1].size() == 1 ? axisIndex(words[1][0]) : -1;
}

} // namespace

UnitSimulator::Reply UnitSimulator::executeLine(const std::string &line, std::int64_t atUs)
{
    const std::vector<std::string> words = splitWords(line);
    const std::string &keyword = words.front();
    const bool single = words.size() == 1;

    if (line.empty())
        return {};
    if (line == "PING")
        return {bytesOf("OK\r\n")};
    if (line == "UPVER")
        return {bytesOf(config_.loaderVersion + "\r\n")};
    if (line == "VER")
        return {bytesOf(firmware_ ? *firmware_ + "\r\n" : std::string("0000\r\n"))};
    if (line == "UPDATE") {
        mode_ = Mode::Transfer;
        loader_.enter();
        return {bytesOf("OK\r\n")};
    }
    // Everything else belongs to the application firmware; the bare loader ignores it.
    if (!firmware_)
        return {};
    const std::string &fw = *firmware_;
    const bool kind2 = config_.kind == UnitKind::Kind2;

    if (keyword == "GINFO" && liveAxis(words) >= 0) {
        const LiveValues live = liveAt(atUs);
        const std::size_t count = kind2 && versionAtLeast(fw, " 0.2.7") ? 5 : 3;
        return {valueList(live.gyroInfo[liveAxis(words)].data(), count)};
    }
    if (keyword == "VOLA" && !kind2 && liveAxis(words) >= 0)
        return {valueList(liveAt(atUs).volumeLimits[liveAxis(words)].data(), 3)};
    if (line == "CHDET")
        return {valueList(liveAt(atUs).channelDetect.data(), 3)};
    if (line == "CHDET2" && kind2 && versionAtLeast(fw, " 0.5.0")) {
        const std::int16_t value = liveAt(atUs).channelDetect2;
        return {valueList(&value, 1)};
    }
    if (line == "RESET") {
        store_ = standard_;
        ++resets_;
        memoryChanged();
        return {bytesOf("OK\r\n")};
    }
    if (line == "PIROU") {
        ++pirouetteChecks_;
        return {bytesOf("OK\r\n")};
    }
    // Kind1 firmware keeps standard values readable only from 2.0.0 on.
    if (keyword == "RDEF" && !kind2 && versionLess(fw, " 2.0.0"))
        return {};
    if (!single && (keyword == "RROM" || keyword == "RDEF" || keyword == "WROM"))
        return executeParameterCommand(words);
    return {};
}

// RROM and RDEF answer the record's values and "OK\r\n"; WROM stores and answers "OK\r\n".
// A line the unit cannot carry out (unknown record, wrong number of fields, bad digits) is
// answered "NG\r\n" and changes nothing.
UnitSimulator::Reply UnitSimulator::executeParameterCommand(const std::vector<std::string> &words)
{
    const Reply refused{bytesOf("NG\r\n")};
    const std::string &keyword = words[0];
    const std::string &fw = *firmware_;
    char selector = 0;
    int number = 0;
    if (!parseTarget(words, selector, number))
        return refused;
    const bool axis = axisIndex(selector) >= 0;
    const int n = wireCount(config_.kind, fw, selector);
    if (n == 0)
        return refused;

    if (keyword == "RDEF") {
        if (!axis || number > 2 || words.size() != 3)
            return refused;
        Reply reply{valueList(standard_.words(selector, number).data(), n)};
        reply.bytes.insert(reply.bytes.end(), {'O', 'K', '\r', '\n'});
        return reply;
    }

    // The common block is read as number 0 and written as number 1; the preset blocks use 0.
    bool numberOk;
    if (axis)
        numberOk = number <= 2 && modeSetExists(fw, number);
    else if (selector == 'C')
        numberOk = number == (keyword == "WROM" ? 1 : 0);
    else
        numberOk = number == 0;
    if (!numberOk)
        return refused;

    auto record = store_.words(selector, axis ? number : 0);
    if (keyword == "RROM") {
        if (words.size() != 3)
            return refused;
        Reply reply{valueList(record.data(), n)};
        reply.bytes.insert(reply.bytes.end(), {'O', 'K', '\r', '\n'});
        return reply;
    }

    if (words.size() != static_cast<std::size_t>(3 + n))
        return refused;
    std::vector<std::int16_t> values(n);
    for (int i = 0; i < n; ++i)
        if (!parseWireWord(words[3 + i], values[i]))
            return refused;
    std::copy(values.begin(), values.end(), record.begin());
    memoryChanged();
    return {bytesOf("OK\r\n")};
}

UnitSimulator::Reply UnitSimulator::executeLoaderStep(const LoaderStep &step)
{
    LoaderResult result = loader_.execute(step);
    if (result.startedWriting && firmware_) {
        // Writing the first block overwrites the application: until the end command succeeds
        // only the loader is left.
        firmware_.reset();
        memoryChanged();
    }
    if (result.flashedVersion) {
        firmware_ = result.flashedVersion;
        mode_ = Mode::Command;
        ++updatesCompleted_;
        memoryChanged();
    }
    Reply reply{std::move(result.reply)};
    reply.binary = true;
    return reply;
}

} // namespace vireo
