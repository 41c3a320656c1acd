// Whole flows against the simulated unit with random fault sequences: READ, WRITE, the
// pirouette Set, the factory reset and the preset reset, as the window runs them, between
// user edits, faults coming and going and the unit losing power. After every step:
//  - every write line the program sent carries, for its record, either what the unit held at
//    the start of the step (writing it back changes nothing) or values the user or a preset
//    set: never values it did not get from the unit on this connection (zeros of a record
//    never read, values a reset replaced); a reset whose reply did not come back whole leaves
//    the program unsure, so the values from before it still count as the unit's;
//  - the unit's stored records change only to such values (or to the factory values during a
//    factory reset);
//  - no exception other than the handled conversion error leaves a flow, and every flow ends
//    within a bounded virtual time.
//
// Input: [unit] then ops, each an op byte and its arguments (running dry gives zeros):
//   unit % 4: Kind2 " 0.5.0", Kind2 " 0.3.8", Kind1 " 2.0.5", Kind1 " 1.0.4";
//   unit bit 2: skip the clean read a connection starts with (the working values are then
//   those of a window that never read anything)
//   op % 9: 0 fault [command][nth][action][arg lo][arg hi]   1 faults gone, power back
//           2 READ [ask]   3 WRITE   4 pirouette Set   5 edit an axis field [record][field][lo][hi]
//           6 edit the pirouette gain [value]   7 factory reset   8 preset reset [seed]
//   at most 32 ops.
#include "FuzzSupport.h"
#include "SimulatedPort.h"
#include "UnitSimulator.h"
#include "files/ResetSequence.h"
#include "params/BlockTransfer.h"
#include "params/ParameterFlows.h"
#include "params/UnitConversion.h"
#include "seams/ConversionError.h"
#include "seams/VirtualClock.h"

#include <map>
#include <set>

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;

constexpr int MaxOps = 32;
// Far above any flow: ten exchanges of 5 s, the reset's waits, retries.
constexpr std::int64_t MaxFlowMs = 10 * 60 * 1000;

struct UnitVariant {
    UnitKind kind;
    const char *firmware;
};
constexpr std::array<UnitVariant, 4> Units = {{{UnitKind::Kind2, " 0.5.0"},
                                               {UnitKind::Kind2, " 0.3.8"},
                                               {UnitKind::Kind1, " 2.0.5"},
                                               {UnitKind::Kind1, " 1.0.4"}}};

const std::array<std::string_view, 22> FaultTargets = {
    "",         "RROM",     "WROM",     "RROM A 0", "RROM A 2", "RROM E 1", "RROM R 2", "RROM C 0",
    "WROM A 0", "WROM A 1", "WROM E 2", "WROM R 0", "WROM R 2", "WROM C 1", "WROM Z 0", "WROM G 0",
    "WROM J 0", "RESET",    "RROM R",   "WROM E",   "RROM E 0", "WROM R 1"};
constexpr std::array<FaultAction, 8> FaultActions = {
    FaultAction::Silence,  FaultAction::Ignore, FaultAction::Short,      FaultAction::Garbage,
    FaultAction::WrongAck, FaultAction::Late,   FaultAction::Disconnect, FaultAction::Unplug};

// The records by index: A0..A2, E0..E2, R0..R2, then C, Z, G, J.
constexpr int RecordCount = 13;
struct RecordRef {
    Selector group;
    ModeSet k;
};
RecordRef recordRef(int r)
{
    if (r < 9)
        return {AxisSelectors[static_cast<std::size_t>(r / 3)], r % 3};
    constexpr std::array<Selector, 4> Blocks = {Selector::C, Selector::Z, Selector::G, Selector::J};
    return {Blocks[static_cast<std::size_t>(r - 9)], 0};
}
int recordIndex(char selector, int number)
{
    switch (selector) {
    case 'A':
        return number;
    case 'E':
        return 3 + number;
    case 'R':
        return 6 + number;
    case 'C':
        return 9;
    case 'Z':
        return 10;
    case 'G':
        return 11;
    case 'J':
        return 12;
    default:
        return -1;
    }
}

using Words = std::vector<std::int16_t>;

// A value the user can type into a field. CTL 0 is left out: it goes to the unit as 0, which
// reads back as CTL 1, which a later write sends as 2, so a read and a write without any edit
// change the unit. That drift of the CTL scale is a matter of its own, not of faults.
std::int16_t entryValue(int limitField, int value)
{
    if (LimitFieldAxisField[static_cast<std::size_t>(limitField)] == AxisField::CTL && value == 0)
        return 1;
    return static_cast<std::int16_t>(value);
}

// The port with a tap on every line the program writes, whatever becomes of it on the way.
class TapPort : public SerialPort
{
public:
    explicit TapPort(SerialPort &inner) : inner_(inner) {}
    bool open(const std::string &name, std::uint32_t baud) override { return inner_.open(name, baud); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    bool write(const std::uint8_t *data, std::size_t size) override
    {
        written.append(reinterpret_cast<const char *>(data), size);
        return inner_.write(data, size);
    }
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override
    {
        return inner_.readSome(dst, max, timeoutMs);
    }
    void discardInput() override { inner_.discardInput(); }

    std::string written;

private:
    SerialPort &inner_;
};

class Session : public ParameterFlowHost
{
public:
    Session(const UnitVariant &variant, bool readFirst)
        : firmware_(variant.firmware), unit_(config(variant)), port_(unit_, clock_), tap_(port_), link_(tap_)
    {
        profile_ = {variant.kind, firmware_};
        // The unit as its owner left it, not as it left the factory.
        for (auto &axis : unit_.store().axes)
            for (auto &rec : axis) {
                rec[0] = static_cast<std::int16_t>(rec[0] + 17);
                rec[2] = static_cast<std::int16_t>(rec[2] + 3);
            }
        link_.portName = "sim";
        link_.baudRate = variant.kind == UnitKind::Kind1 ? 230400 : 250000;
        FUZZ_CHECK(link_.openPort());
        if (readFirst) // as after a clean connection
            flow([&] { runReadFlow(*this, false); });
    }

    // ---- Steps ---------------------------------------------------------------------------
    void addFault(FuzzInput &in)
    {
        FaultRule rule;
        rule.prefix = std::string(FaultTargets[in.byte() % FaultTargets.size()]);
        rule.nth = in.byte() % 5;
        rule.action = FaultActions[in.byte() % FaultActions.size()];
        const int arg = in.byte() | (in.byte() << 8);
        if (rule.action == FaultAction::Late)
            rule.arg = arg % 8000;
        else if (rule.action == FaultAction::Short || rule.action == FaultAction::Garbage)
            rule.arg = arg % 64 == 63 ? -1 : arg % 64;
        unit_.addFault(rule);
    }

    void powerBack()
    {
        unit_.clearFaults();
        unit_.reconnect();
        clock_.advance(10000);
    }

    void read(bool ask)
    {
        flow([&] { runReadFlow(*this, ask); });
    }
    void write()
    {
        flow([&] { runWriteFlow(*this); });
    }
    void writeCommon()
    {
        flow([&] { runWriteCommonFlow(*this); });
    }

    // The user types a value within the entry limits into a record that holds known values.
    void editAxis(FuzzInput &in)
    {
        const int r = in.byte() % 9;
        const int f = in.byte() % LimitFieldCount;
        const int raw = in.byte() | (in.byte() << 8);
        const RecordRef ref = recordRef(r);
        if (!trusted(r))
            return;
        const std::int16_t limit = makeMaxTable()[static_cast<std::size_t>(r / 3)][f][ref.k];
        work_.axis(ref.group, ref.k)[LimitFieldAxisField[static_cast<std::size_t>(f)]] =
            entryValue(f, raw % (limit + 1));
        work_.origins.of(ref.group, ref.k) = Origin::User;
        intended_[r].insert(encoded(r));
    }

    void editPirouetteGain(FuzzInput &in)
    {
        const int r = 9;
        if (!trusted(r))
            return;
        work_.common.PirouGain() = static_cast<std::int16_t>(in.byte() % (PirouGainLimit + 1));
        work_.origins.common = Origin::User;
        intended_[r].insert(encoded(r));
    }

    void factoryReset() { reset(false); }

    // A preset: every record the reset writes gets values within the limits, all of them intended.
    void presetReset(FuzzInput &in)
    {
        std::uint32_t seed = in.byte() * 2654435761u + 1;
        auto next = [&seed](int modulo) {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<std::int16_t>((seed >> 8) % static_cast<std::uint32_t>(modulo));
        };
        for (int r = 0; r < 9; ++r) {
            const RecordRef ref = recordRef(r);
            AxisRecord &rec = work_.axis(ref.group, ref.k);
            for (int f = 0; f < LimitFieldCount; ++f)
                rec[LimitFieldAxisField[static_cast<std::size_t>(f)]] =
                    entryValue(f, next(makeMaxTable()[static_cast<std::size_t>(r / 3)][f][ref.k] + 1));
            work_.origins.of(ref.group, ref.k) = Origin::Preset;
        }
        work_.common.PirouGain() = next(PirouGainLimit + 1);
        work_.origins.common = Origin::Preset;
        for (PresetBlock *b : {&work_.z, &work_.g, &work_.j})
            for (auto &w : b->words)
                w = next(200);
        work_.origins.z = work_.origins.g = work_.origins.j = Origin::Preset;
        for (int r = 0; r < RecordCount; ++r)
            intended_[r].insert(encoded(r));
        reset(true);
    }

    // ---- ParameterFlowHost ------------------------------------------------------------------
    bool connected() override { return true; }
    bool readGroup(Selector group, ModeSet k) override
    {
        return vireo::readGroup(link_, profile_, group, k, work_);
    }
    bool writeGroup(Selector group, ModeSet k) override
    {
        return vireo::writeGroup(link_, profile_, group, k, work_);
    }
    ParameterSet &workValues() override { return work_; }
    UnitProfile unitProfile() override { return profile_; }
    bool linkLost() override { return link_.lost(); }
    void disconnect() override {}
    std::string text(std::string_view key) override { return std::string(key); }
    MsgButton showMessage(const FlowDialog &d, const std::string &) override
    {
        if (d.message == FlowMessage::ReadQuestion)
            return No;
        return d.message == FlowMessage::WriteConfirmation ? Yes : Ok;
    }
    void saveParameterFile() override {}
    void setReadWriteEnabled(bool) override {}
    void showProgress() override {}
    void stepProgress(int) override {}
    void closeProgress() override {}
    void processEvents() override { clock_.processEvents(); }
    void waitWithEvents(int ms) override { clock_.waitWithEvents(ms); }
    void applyAxisMode() override {}
    void takeUnitCopy() override { cur_ = work_.axes; }
    void forgetUnitCopy(Selector, ModeSet) override {}
    void showParameters() override {}
    void showDefaults() override {}
    void endOfMainFlow() override {}

private:
    static UnitConfig config(const UnitVariant &variant)
    {
        UnitConfig c;
        c.kind = variant.kind;
        c.firmware = std::string(variant.firmware);
        return c;
    }

    static char selectorChar(int r) { return static_cast<char>(recordRef(r).group); }

    int wordCount(int r) const { return groupValueCount(recordRef(r).group, profile_); }

    Words firstWords(int r, std::span<const std::int16_t> words) const
    {
        const auto n = static_cast<std::size_t>(std::min<int>(wordCount(r), static_cast<int>(words.size())));
        return Words(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(n));
    }

    Words stored(int r) const { return firstWords(r, unit_.store().words(selectorChar(r), recordRef(r).k)); }

    // The words a write of record r would send now.
    Words encoded(int r) const
    {
        const RecordRef ref = recordRef(r);
        switch (ref.group) {
        case Selector::C:
            return firstWords(r, commonToUnit(profile_.kind, work_.common).words);
        case Selector::Z:
            return firstWords(r, work_.z.words);
        case Selector::G:
            return firstWords(r, work_.g.words);
        case Selector::J:
            return firstWords(r, work_.j.words);
        default:
            return firstWords(r, axisToUnit(ref.group, work_.axis(ref.group, ref.k)).words);
        }
    }

    // The working values of record r hold what the unit has or what the user set.
    bool trusted(int r) const
    {
        const Words now = encoded(r);
        return now == stored(r) || intended_.at(r).contains(now) || excused_.at(r).contains(now);
    }

    template <class Run> void flow(Run &&run, bool factoryReset = false)
    {
        std::array<Words, RecordCount> before;
        for (int r = 0; r < RecordCount; ++r)
            before[static_cast<std::size_t>(r)] = stored(r);
        unit_.clearTranscript();
        tap_.written.clear();
        const std::int64_t start = clock_.nowMs();
        try {
            run();
        } catch (const ConversionError &) {
            FUZZ_CHECK(!"a conversion error escaped a flow");
        }
        FUZZ_CHECK(clock_.nowMs() - start <= MaxFlowMs);

        auto allowed = [&](int r, const Words &words) {
            if (words == before[static_cast<std::size_t>(r)] || intended_.at(r).contains(words) ||
                excused_.at(r).contains(words))
                return true;
            return factoryReset && words == factory(r);
        };
        for (const auto &[r, words] : writtenRecords()) {
            if (!allowed(r, words))
                report("sent", r, words, before[static_cast<std::size_t>(r)]);
            FUZZ_CHECK(allowed(r, words));
        }
        for (int r = 0; r < RecordCount; ++r) {
            if (!allowed(r, stored(r)))
                report("stored", r, stored(r), before[static_cast<std::size_t>(r)]);
            FUZZ_CHECK(allowed(r, stored(r)));
        }

        // A reset whose answer did not come back whole may or may not have happened: the
        // values from before it are still the unit's as far as the program can know.
        if (factoryReset)
            for (const TranscriptEntry &e : unit_.transcript())
                if (e.name == "RESET" && (!e.heard || !e.fault.empty()))
                    for (int r = 0; r < RecordCount; ++r)
                        excused_.at(r).insert(before[static_cast<std::size_t>(r)]);
    }

    void reset(bool preset)
    {
        flow(
            [&] {
                LinkResetTarget target(link_, profile_, work_, clock_);
                try {
                    if (runResetSequence(target, preset).outcome == ResetOutcome::Completed)
                        takeUnitCopy();
                } catch (const ConversionError &) {
                    // The window reports it and ends the flow.
                }
            },
            !preset);
    }

    static std::string hex(const Words &words)
    {
        std::string out;
        for (std::int16_t w : words)
            out += " " + wireHex(w);
        return out;
    }

    // What went wrong, before the check aborts.
    void report(const char *what, int r, const Words &words, const Words &before) const
    {
        static constexpr std::array<const char *, RecordCount> Names = {
            "A0", "A1", "A2", "E0", "E1", "E2", "R0", "R1", "R2", "C", "Z", "G", "J"};
        std::fprintf(stderr, "record %s %s:%s\n  the unit held:%s\n", Names[static_cast<std::size_t>(r)],
                     what, hex(words).c_str(), hex(before).c_str());
        for (const Words &w : intended_.at(r))
            std::fprintf(stderr, "  set by the user or a preset:%s\n", hex(w).c_str());
    }

    Words factory(int r) const
    {
        return firstWords(r, unit_.standard().words(selectorChar(r), recordRef(r).k));
    }

    // The records and words of every write line sent during the flow.
    std::vector<std::pair<int, Words>> writtenRecords() const
    {
        std::vector<std::pair<int, Words>> out;
        std::size_t begin = 0;
        while (begin < tap_.written.size()) {
            const std::size_t end = tap_.written.find('\n', begin);
            const std::string line =
                tap_.written.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
            begin = end == std::string::npos ? tap_.written.size() : end + 1;
            if (line.rfind("WROM ", 0) != 0)
                continue;
            FUZZ_CHECK(line.size() >= 8);
            const int r = recordIndex(line[5], line[7] - '0');
            FUZZ_CHECK(r >= 0);
            Words words;
            for (std::size_t pos = 8; pos + 5 <= line.size(); pos += 5) {
                const std::string hex = line.substr(pos + 1, 4);
                FUZZ_CHECK(line[pos] == ' ' &&
                           hex.find_first_not_of("0123456789ABCDEF") == std::string::npos);
                words.push_back(static_cast<std::int16_t>(std::stoul(hex, nullptr, 16)));
            }
            FUZZ_CHECK(words.size() == static_cast<std::size_t>(wordCount(r)));
            out.emplace_back(r, std::move(words));
        }
        return out;
    }

    std::string firmware_;
    UnitProfile profile_;
    VirtualClock clock_;
    UnitSimulator unit_;
    SimulatedPort port_;
    TapPort tap_;
    SerialLink link_;
    ParameterSet work_;
    CurValuesType cur_{};
    // Per record, as a write sends them: what the user or a preset set, and the values from
    // before a reset the program could not see.
    std::map<int, std::set<Words>> intended_ = emptySets();
    std::map<int, std::set<Words>> excused_ = emptySets();

    static std::map<int, std::set<Words>> emptySets()
    {
        std::map<int, std::set<Words>> sets;
        for (int r = 0; r < RecordCount; ++r)
            sets[r];
        return sets;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::uint8_t unit = in.byte();
    Session session(Units[unit % Units.size()], !(unit & 4));
    for (int op = 0; op < MaxOps && !in.empty(); ++op) {
        switch (in.byte() % 9) {
        case 0:
            session.addFault(in);
            break;
        case 1:
            session.powerBack();
            break;
        case 2:
            session.read(in.byte() & 1);
            break;
        case 3:
            session.write();
            break;
        case 4:
            session.writeCommon();
            break;
        case 5:
            session.editAxis(in);
            break;
        case 6:
            session.editPirouetteGain(in);
            break;
        case 7:
            session.factoryReset();
            break;
        case 8:
            session.presetReset(in);
            break;
        }
    }
    return 0;
}
