#pragma once
// A byte-level model of one KALM07 unit: what it answers to every command line, its loader,
// the values it stores, its live status, and the time at which each reply byte reaches the
// program. Pure and deterministic: time comes in with the bytes (microseconds), nothing runs
// by itself. SimulatedPort (in-process, virtual time) and kalm07-sim (pseudo-terminals, real
// time) both sit on top of it.
#include "FaultRule.h"
#include "UnitLoader.h"
#include "UnitStore.h"
#include "link/Version.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vireo
{

struct UnitConfig {
    UnitKind kind = UnitKind::Kind2;
    // Six characters with the leading blank (" 0.5.0"); nullopt: only the loader is present.
    std::optional<std::string> firmware = std::string(" 0.5.0");
    // Rates the unit answers at, in every mode. Empty: the kind's own rates (see listeningBauds).
    std::vector<std::uint32_t> bauds;
    // The UPVER answer without CR LF. Empty: "0.3.0" for Kind1, "0.4.1" for Kind2.
    std::string loaderVersion;
    // Delay each reply by the time its bytes and the command's bytes take on the line.
    bool wireTiming = false;
    // Added to every reply (USB adapter latency).
    int latencyMs = 0;
    // Let the gains of the live status follow a slow sine.
    bool animate = false;
    // The loader refuses an image whose unit-kind byte is not its own.
    bool checkKindByte = true;
};

// The live status the unit reports (GINFO, VOLA, CHDET, CHDET2), raw as on the wire.
struct LiveValues {
    // Per axis A, E, R: mode, transmitter gain, volume gain, upper volume limit, lower limit.
    std::array<std::array<std::int16_t, 5>, 3> gyroInfo{};
    // Per axis A, E, R (VOLA, Kind1): lower limit, upper limit, unused.
    std::array<std::array<std::int16_t, 3>, 3> volumeLimits{};
    std::array<std::int16_t, 3> channelDetect{};
    std::int16_t channelDetect2 = 0;

    static LiveValues defaults(UnitKind kind);
};

// One command as the unit saw it and what went back.
struct TranscriptEntry {
    std::int64_t atUs = 0;  // the command's last byte reached the unit
    std::uint32_t baud = 0; // the rate it was sent at
    std::string name;       // see FaultRule.h; "?" for bytes the unit could not take in
    std::vector<std::uint8_t> command;
    std::vector<std::uint8_t> reply; // as sent, after any fault
    std::int64_t replyStartUs = 0;   // arrival of the first reply byte (atUs without a reply)
    std::int64_t replyEndUs = 0;     // arrival of the last reply byte
    bool heard = true;               // false: wrong rate, dead unit, or the step was dropped
    std::string fault;               // the rule that applied, in its text form

    std::string commandText() const { return std::string(command.begin(), command.end()); }
    std::string replyText() const { return std::string(reply.begin(), reply.end()); }
};

class UnitSimulator
{
public:
    explicit UnitSimulator(UnitConfig config = {});

    // --- The wire -------------------------------------------------------------------------
    // Bytes the program wrote at nowUs with its port set to baud. A unit that does not listen
    // at that rate sees only framing garbage, finds no command in it and stays silent.
    void receive(const std::uint8_t *data, std::size_t size, std::uint32_t baud, std::int64_t nowUs);
    void receive(std::string_view bytes, std::uint32_t baud, std::int64_t nowUs);

    // Reply bytes on their way, each with the time it reaches the program.
    bool hasOutput() const { return !output_.empty(); }
    std::optional<std::int64_t> nextArrivalUs() const;
    std::size_t arrivedCount(std::int64_t nowUs) const;
    std::size_t takeArrived(std::uint8_t *dst, std::size_t max, std::int64_t nowUs);
    std::size_t dropArrived(std::int64_t nowUs);
    void dropAllOutput() { output_.clear(); }

    // Convenience for tests: sends the bytes at the first rate the unit listens at, just after
    // everything so far, and returns the whole reply regardless of its timing.
    std::string answer(std::string_view bytes);

    // Line time of n bytes at a rate: 10 bits a byte (start, 8 data, stop), rounded up to whole us.
    static std::int64_t wireTimeUs(std::size_t bytes, std::uint32_t baud);

    // --- Identity ---------------------------------------------------------------------------
    UnitKind kind() const { return config_.kind; }
    const UnitConfig &config() const { return config_; }
    bool loaderOnly() const { return !firmware_; }
    // Six characters, or empty when only the loader is present.
    std::string firmwareVersion() const { return firmware_.value_or(std::string()); }
    bool inTransfer() const { return mode_ == Mode::Transfer; }
    // Kind1: the application at 230400, the loader's command line at 250000, its transfer at
    // 230400. Kind2: 250000 and 230400 throughout. A configured list replaces these.
    std::vector<std::uint32_t> listeningBauds() const;
    bool answersAt(std::uint32_t baud) const;

    // --- Stored values (unit units) -----------------------------------------------------------
    UnitStore &store() { return store_; }
    const UnitStore &store() const { return store_; }
    const UnitStore &standard() const { return standard_; }
    const UnitLoader &loader() const { return loader_; }
    int pirouetteChecks() const { return pirouetteChecks_; }
    int resets() const { return resets_; }
    int updatesCompleted() const { return updatesCompleted_; }
    // Called after every change of stored values or firmware (WROM, RESET, a flash).
    std::function<void()> onMemoryChanged;

    // Memory as kept between runs; load replaces records and firmware (not the kind).
    UnitMemory memory() const;
    bool loadMemory(const UnitMemory &memory, std::string *error = nullptr);
    // The same as a small text file (see UnitStore.h). Saving writes a temporary file and
    // renames it into place; loading a missing file fails with an empty error.
    bool saveStateFile(const std::string &path, std::string *error = nullptr) const;
    bool loadStateFile(const std::string &path, std::string *error = nullptr);

    // --- Live values --------------------------------------------------------------------------
    LiveValues &live() { return live_; }
    void setAnimated(bool on) { config_.animate = on; }
    // What GINFO, VOLA, CHDET and CHDET2 report at that moment.
    LiveValues liveAt(std::int64_t nowUs) const;

    // --- Faults, timing -------------------------------------------------------------------------
    void addFault(FaultRule rule);
    bool addFault(std::string_view text, std::string *error = nullptr);
    void clearFaults();
    bool disconnected() const { return disconnected_; }
    bool unplugged() const { return unplugged_; }
    // Power comes back: the unit answers again, from its command line.
    void reconnect();
    void setWireTiming(bool on) { config_.wireTiming = on; }
    void setLatencyMs(int ms) { config_.latencyMs = ms; }

    // --- Transcript ----------------------------------------------------------------------------
    const std::vector<TranscriptEntry> &transcript() const { return transcript_; }
    void clearTranscript() { transcript_.clear(); }
    // The names of the commands the unit heard, in order.
    std::vector<std::string> commandNames() const;
    // One line per entry: time, rate, command and reply with control bytes escaped.
    static std::string formatEntry(const TranscriptEntry &entry);
    static std::string escapeBytes(const std::vector<std::uint8_t> &bytes);
    // Called with every entry as it is recorded.
    std::function<void(const TranscriptEntry &)> onTranscript;

private:
    enum class Mode { Command, Transfer };

    struct Reply {
        std::vector<std::uint8_t> bytes;
        bool binary = false; // a one-byte loader answer
    };

    UnitConfig config_;
    std::optional<std::string> firmware_;
    UnitStore store_;
    UnitStore standard_;
    LiveValues live_;
    UnitLoader loader_;
    Mode mode_ = Mode::Command;
    std::string line_;
    bool lineHeard_ = true;
    bool lineOverflow_ = false;
    std::deque<std::pair<std::int64_t, std::uint8_t>> output_;
    std::int64_t uplinkFreeUs_ = 0;
    std::int64_t downlinkFreeUs_ = 0;
    std::int64_t lastUs_ = 0;
    std::vector<FaultRule> faults_;
    std::vector<int> faultMatches_;
    bool disconnected_ = false;
    bool unplugged_ = false;
    int pirouetteChecks_ = 0;
    int resets_ = 0;
    int updatesCompleted_ = 0;
    std::vector<TranscriptEntry> transcript_;

    void receiveByte(std::uint8_t byte, std::uint32_t baud, std::int64_t atUs);
    void lineByte(std::uint8_t byte, std::uint32_t baud, std::int64_t atUs);
    void unheardByte(std::uint8_t byte, std::uint32_t baud, std::int64_t atUs);
    void dispatch(TranscriptEntry entry, const std::function<Reply()> &act);
    const FaultRule *matchFault(std::string_view name);
    void sendReply(TranscriptEntry &entry, std::vector<std::uint8_t> bytes, std::int64_t delayUs);
    void record(TranscriptEntry entry);
    void memoryChanged();

    Reply executeLine(const std::string &line, std::int64_t atUs);
    Reply executeParameterCommand(const std::vector<std::string> &words);
    Reply executeLoaderStep(const LoaderStep &step);
};

} // namespace vireo
