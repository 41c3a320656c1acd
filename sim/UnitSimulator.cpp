#include "UnitSimulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>

namespace vireo
{

namespace
{

constexpr std::uint32_t Baud230400 = 230400;
constexpr std::uint32_t Baud250000 = 250000;
constexpr std::size_t MaxLine = 256;

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

const std::vector<std::uint8_t> &okReply()
{
    static const std::vector<std::uint8_t> ok = bytesOf("OK\r\n");
    return ok;
}

const std::vector<std::uint8_t> &ngReply()
{
    static const std::vector<std::uint8_t> ng = bytesOf("NG\r\n");
    return ng;
}

} // namespace

LiveValues LiveValues::defaults(UnitKind kind)
{
    LiveValues v;
    if (kind == UnitKind::Kind1) {
        // Transmitter gain 1000 is 80 %, volume 0 is 50 %; limits 25 % and 75 %.
        for (auto &g : v.gyroInfo)
            g = {0, 1000, 0, 0, 0};
        for (auto &l : v.volumeLimits)
            l = {-256, 256, 0};
        v.channelDetect = {1, 1, 0};
    } else {
        // Transmitter gain 960 is 80 %; upper limit 1440 is 80 %, lower -360 is 20 %.
        for (auto &g : v.gyroInfo)
            g = {0, 960, 0, 1440, -360};
        v.channelDetect = {1, 1, 1};
        v.channelDetect2 = 1;
    }
    return v;
}

UnitSimulator::UnitSimulator(UnitConfig config)
    : config_(std::move(config)), firmware_(config_.firmware), store_(UnitStore::factory(config_.kind)),
      standard_(store_), live_(LiveValues::defaults(config_.kind)),
      loader_(config_.kind, config_.checkKindByte)
{
    if (config_.loaderVersion.empty())
        config_.loaderVersion = config_.kind == UnitKind::Kind1 ? "0.3.0" : "0.4.1";
    loader_.setInstalledVersion(firmware_);
}

// --- The wire -------------------------------------------------------------------------------

std::int64_t UnitSimulator::wireTimeUs(std::size_t bytes, std::uint32_t baud)
{
    if (baud == 0)
        return 0;
    const auto bits = static_cast<std::int64_t>(bytes) * 10;
    return (bits * 1'000'000 + baud - 1) / baud;
}

std::vector<std::uint32_t> UnitSimulator::listeningBauds() const
{
    if (!config_.bauds.empty())
        return config_.bauds;
    if (config_.kind == UnitKind::Kind2)
        return {Baud250000, Baud230400};
    // A Kind1 loader takes its command line at 250000 but runs the transfer at 230400.
    if (mode_ == Mode::Transfer || firmware_)
        return {Baud230400};
    return {Baud250000};
}

bool UnitSimulator::answersAt(std::uint32_t baud) const
{
    if (!config_.bauds.empty())
        return std::find(config_.bauds.begin(), config_.bauds.end(), baud) != config_.bauds.end();
    if (config_.kind == UnitKind::Kind2)
        return baud == Baud250000 || baud == Baud230400;
    return baud == (mode_ == Mode::Transfer || firmware_ ? Baud230400 : Baud250000);
}

void UnitSimulator::receive(std::string_view bytes, std::uint32_t baud, std::int64_t nowUs)
{
    receive(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size(), baud, nowUs);
}

void UnitSimulator::receive(const std::uint8_t *data, std::size_t size, std::uint32_t baud,
                            std::int64_t nowUs)
{
    lastUs_ = std::max(lastUs_, nowUs);
    if (unplugged_ || size == 0)
        return;
    // The command bytes queue behind whatever is still going out on the line.
    const std::int64_t start = config_.wireTiming ? std::max(nowUs, uplinkFreeUs_) : nowUs;
    for (std::size_t i = 0; i < size; ++i) {
        const std::int64_t at = config_.wireTiming ? start + wireTimeUs(i + 1, baud) : nowUs;
        receiveByte(data[i], baud, at);
    }
    if (config_.wireTiming)
        uplinkFreeUs_ = start + wireTimeUs(size, baud);
    lastUs_ = std::max(lastUs_, uplinkFreeUs_);
}

void UnitSimulator::receiveByte(std::uint8_t byte, std::uint32_t baud, std::int64_t atUs)
{
    if (disconnected_) {
        unheardByte(byte, baud, atUs);
        return;
    }
    if (mode_ == Mode::Transfer && !answersAt(baud)) {
        // Framing garbage where a loader command belongs ends the transfer like any other
        // byte that is no command, so discovery can reach the loader's command line again.
        if (loader_.waitingForCommand(atUs))
            mode_ = Mode::Command;
        unheardByte(byte, baud, atUs);
        return;
    }
    if (mode_ == Mode::Command) {
        lineByte(byte, baud, atUs);
        return;
    }
    for (const LoaderStep &step : loader_.feed(byte, atUs)) {
        if (step.kind == LoaderStepKind::Text) {
            // Text where a loader command belongs: the loader drops back to its command line.
            mode_ = Mode::Command;
            lineByte(byte, baud, atUs);
            continue;
        }
        TranscriptEntry entry;
        entry.atUs = atUs;
        entry.baud = baud;
        entry.name = step.name();
        entry.command = step.bytes;
        if (step.kind == LoaderStepKind::Abandoned || step.kind == LoaderStepKind::Unknown) {
            if (step.kind == LoaderStepKind::Unknown)
                mode_ = Mode::Command;
            entry.heard = false;
            entry.replyStartUs = entry.replyEndUs = atUs;
            record(std::move(entry));
            continue;
        }
        dispatch(std::move(entry), [this, &step] { return executeLoaderStep(step); });
    }
}

void UnitSimulator::lineByte(std::uint8_t byte, std::uint32_t baud, std::int64_t atUs)
{
    if (!answersAt(baud))
        lineHeard_ = false;
    if (byte != '\n') {
        if (line_.size() < MaxLine)
            line_.push_back(static_cast<char>(byte));
        else
            lineOverflow_ = true;
        return;
    }
    TranscriptEntry entry;
    entry.atUs = atUs;
    entry.baud = baud;
    entry.command = bytesOf(line_);
    entry.command.push_back('\n');
    std::string text = line_;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    entry.name = text;
    entry.heard = lineHeard_;
    const bool overflow = lineOverflow_;
    line_.clear();
    lineHeard_ = true;
    lineOverflow_ = false;
    if (!entry.heard) {
        entry.replyStartUs = entry.replyEndUs = atUs;
        record(std::move(entry));
        return;
    }
    dispatch(std::move(entry),
             [this, text, overflow, atUs] { return overflow ? Reply{} : executeLine(text, atUs); });
}

void UnitSimulator::unheardByte(std::uint8_t byte, std::uint32_t baud, std::int64_t atUs)
{
    // Consecutive bytes nobody understood are kept together as one entry.
    if (!transcript_.empty()) {
        TranscriptEntry &last = transcript_.back();
        if (last.name == "?" && last.baud == baud) {
            last.command.push_back(byte);
            last.atUs = last.replyStartUs = last.replyEndUs = atUs;
            return;
        }
    }
    TranscriptEntry entry;
    entry.atUs = entry.replyStartUs = entry.replyEndUs = atUs;
    entry.baud = baud;
    entry.name = "?";
    entry.command = {byte};
    entry.heard = false;
    entry.fault = disconnected_ ? "disconnected" : "";
    record(std::move(entry));
}

const FaultRule *UnitSimulator::matchFault(std::string_view name)
{
    const FaultRule *chosen = nullptr;
    for (std::size_t i = 0; i < faults_.size(); ++i) {
        const FaultRule &rule = faults_[i];
        if (!rule.matchesName(name))
            continue;
        const int count = ++faultMatches_[i];
        if (!chosen && (rule.nth == 0 || rule.nth == count))
            chosen = &rule;
    }
    return chosen;
}

void UnitSimulator::dispatch(TranscriptEntry entry, const std::function<Reply()> &act)
{
    const FaultRule *fault = matchFault(entry.name);
    if (fault)
        entry.fault = fault->text();
    if (fault && (fault->action == FaultAction::Ignore || fault->action == FaultAction::Disconnect ||
                  fault->action == FaultAction::Unplug)) {
        if (fault->action != FaultAction::Ignore)
            disconnected_ = true;
        if (fault->action == FaultAction::Unplug) {
            unplugged_ = true;
            output_.clear();
        }
        entry.heard = false;
        entry.replyStartUs = entry.replyEndUs = entry.atUs;
        record(std::move(entry));
        return;
    }

    Reply reply = act();
    std::vector<std::uint8_t> bytes = std::move(reply.bytes);
    std::int64_t delayUs = 0;
    if (fault) {
        switch (fault->action) {
        case FaultAction::Silence:
            bytes.clear();
            break;
        case FaultAction::Short:
            bytes.resize(fault->arg >= 0 ? std::min<std::size_t>(bytes.size(), fault->arg)
                                         : (bytes.empty() ? 0 : bytes.size() - 1));
            break;
        case FaultAction::Garbage: {
            const std::size_t n = fault->arg >= 0 ? static_cast<std::size_t>(fault->arg) : bytes.size();
            // Deterministic noise that is neither hex digits, blank, CR nor LF.
            std::uint32_t seed = 0x9E3779B9u ^ static_cast<std::uint32_t>(transcript_.size());
            bytes.assign(n, 0);
            for (auto &b : bytes) {
                seed = seed * 1664525u + 1013904223u;
                b = static_cast<std::uint8_t>(0x80 | (seed >> 24));
            }
            break;
        }
        case FaultAction::WrongAck:
            if (reply.binary && !bytes.empty())
                bytes[0] = bytes[0] == UnitLoader::Ack ? UnitLoader::Nak : UnitLoader::Ack;
            else if (bytes == okReply())
                bytes = ngReply();
            else if (!bytes.empty())
                bytes[0] = '?';
            break;
        case FaultAction::Late:
            delayUs = std::int64_t{fault->arg} * 1000;
            break;
        case FaultAction::Ignore:
        case FaultAction::Disconnect:
        case FaultAction::Unplug:
            break;
        }
    }
    sendReply(entry, std::move(bytes), delayUs);
    record(std::move(entry));
}

void UnitSimulator::sendReply(TranscriptEntry &entry, std::vector<std::uint8_t> bytes, std::int64_t delayUs)
{
    entry.replyStartUs = entry.replyEndUs = entry.atUs;
    if (bytes.empty()) {
        entry.reply.clear();
        return;
    }
    // One line: a reply cannot overtake the one before it.
    const std::int64_t start =
        std::max(entry.atUs + std::int64_t{config_.latencyMs} * 1000 + delayUs, downlinkFreeUs_);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::int64_t at = config_.wireTiming ? start + wireTimeUs(i + 1, entry.baud) : start;
        output_.emplace_back(at, bytes[i]);
        if (i == 0)
            entry.replyStartUs = at;
        entry.replyEndUs = at;
    }
    downlinkFreeUs_ = entry.replyEndUs;
    lastUs_ = std::max(lastUs_, downlinkFreeUs_);
    entry.reply = std::move(bytes);
}

void UnitSimulator::record(TranscriptEntry entry)
{
    transcript_.push_back(std::move(entry));
    if (onTranscript)
        onTranscript(transcript_.back());
}

std::optional<std::int64_t> UnitSimulator::nextArrivalUs() const
{
    if (output_.empty())
        return std::nullopt;
    return output_.front().first;
}

std::size_t UnitSimulator::arrivedCount(std::int64_t nowUs) const
{
    std::size_t n = 0;
    while (n < output_.size() && output_[n].first <= nowUs)
        ++n;
    return n;
}

std::size_t UnitSimulator::takeArrived(std::uint8_t *dst, std::size_t max, std::int64_t nowUs)
{
    std::size_t n = 0;
    while (n < max && !output_.empty() && output_.front().first <= nowUs) {
        dst[n++] = output_.front().second;
        output_.pop_front();
    }
    return n;
}

std::size_t UnitSimulator::dropArrived(std::int64_t nowUs)
{
    std::size_t n = 0;
    while (!output_.empty() && output_.front().first <= nowUs) {
        output_.pop_front();
        ++n;
    }
    return n;
}

std::string UnitSimulator::answer(std::string_view bytes)
{
    const auto bauds = listeningBauds();
    const std::int64_t at = std::max(lastUs_, downlinkFreeUs_);
    receive(bytes, bauds.front(), at);
    std::string out;
    for (const auto &[time, byte] : output_)
        out.push_back(static_cast<char>(byte));
    output_.clear();
    return out;
}

// --- Faults ---------------------------------------------------------------------------------

void UnitSimulator::addFault(FaultRule rule)
{
    faults_.push_back(std::move(rule));
    faultMatches_.push_back(0);
}

bool UnitSimulator::addFault(std::string_view text, std::string *error)
{
    auto rule = FaultRule::parse(text, error);
    if (!rule)
        return false;
    addFault(std::move(*rule));
    return true;
}

void UnitSimulator::clearFaults()
{
    faults_.clear();
    faultMatches_.clear();
}

void UnitSimulator::reconnect()
{
    disconnected_ = false;
    unplugged_ = false;
    mode_ = Mode::Command;
    line_.clear();
    lineHeard_ = true;
    lineOverflow_ = false;
}

// --- Memory ---------------------------------------------------------------------------------

UnitMemory UnitSimulator::memory() const
{
    return UnitMemory{config_.kind, firmware_, store_};
}

bool UnitSimulator::loadMemory(const UnitMemory &memory, std::string *error)
{
    if (memory.kind != config_.kind) {
        if (error)
            *error = "the stored state belongs to a unit of the other kind";
        return false;
    }
    firmware_ = memory.firmware;
    store_ = memory.store;
    loader_.setInstalledVersion(firmware_);
    return true;
}

bool UnitSimulator::saveStateFile(const std::string &path, std::string *error) const
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << formatMemory(memory());
        if (!out.flush()) {
            if (error)
                *error = "cannot write " + temp;
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        if (error)
            *error = "cannot replace " + path;
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool UnitSimulator::loadStateFile(const std::string &path, std::string *error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            error->clear();
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    const auto parsed = parseMemory(text.str(), error);
    return parsed && loadMemory(*parsed, error);
}

void UnitSimulator::memoryChanged()
{
    if (onMemoryChanged)
        onMemoryChanged();
}

// --- Live values ----------------------------------------------------------------------------

LiveValues UnitSimulator::liveAt(std::int64_t nowUs) const
{
    LiveValues v = live_;
    if (!config_.animate)
        return v;
    const double t = static_cast<double>(nowUs) / 1e6;
    constexpr double TwoPi = 2 * std::numbers::pi;
    for (int a = 0; a < 3; ++a) {
        const double phase = a * 2.1;
        auto &g = v.gyroInfo[a];
        const double volume = live_.gyroInfo[a][2] + 250 * std::sin(TwoPi * t / 12 + phase);
        const double tx = live_.gyroInfo[a][1] + 150 * std::sin(TwoPi * t / 17 + phase);
        g[2] = static_cast<std::int16_t>(std::lround(std::clamp(volume, -512.0, 512.0)));
        g[1] = static_cast<std::int16_t>(std::lround(std::max(tx, 0.0)));
    }
    return v;
}

// --- Transcript -----------------------------------------------------------------------------

std::vector<std::string> UnitSimulator::commandNames() const
{
    std::vector<std::string> names;
    for (const auto &e : transcript_)
        if (e.heard)
            names.push_back(e.name);
    return names;
}

std::string UnitSimulator::escapeBytes(const std::vector<std::uint8_t> &bytes)
{
    std::string out;
    for (std::uint8_t b : bytes) {
        if (b == '\r')
            out += "\\r";
        else if (b == '\n')
            out += "\\n";
        else if (b == '\\')
            out += "\\\\";
        else if (b >= 0x20 && b <= 0x7E)
            out.push_back(static_cast<char>(b));
        else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

std::string UnitSimulator::formatEntry(const TranscriptEntry &e)
{
    char head[64];
    std::snprintf(head, sizeof head, "%lld.%06lld %u ", static_cast<long long>(e.atUs / 1'000'000),
                  static_cast<long long>(e.atUs % 1'000'000), e.baud);
    std::string out = head;
    out += "> " + escapeBytes(e.command);
    if (!e.heard)
        out += "  (not heard)";
    if (!e.reply.empty()) {
        char at[64];
        std::snprintf(at, sizeof at, "  < @%lld.%06lld ", static_cast<long long>(e.replyStartUs / 1'000'000),
                      static_cast<long long>(e.replyStartUs % 1'000'000));
        out += at + escapeBytes(e.reply);
    }
    if (!e.fault.empty())
        out += "  [fault " + e.fault + "]";
    return out;
}

} // namespace vireo
