#include "support/FaultMatrix.h"

#include "SimulatedPort.h"
#include "UnitSimulator.h"
#include "app/gui/TForm1.h"
#include "files/ParameterFile.h"
#include "firmware/FirmwarePacker.h"
#include "params/UnitConversion.h"
#include "seams/VirtualClock.h"
#include "support/RecordingDialogs.h"
#include "support/TestProgramDir.h"
#include "widgets/PageControl.h"
#include "widgets/TProgressForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace vireo::faults
{

namespace
{

using test::RecordingDialogs;
using test::TestProgramDir;

// A failing case may take this much longer than the flow without its fault: one 5 s time-out,
// a ping, and the short waits of a discovery that looks at the other rate and port.
constexpr std::int64_t HangAllowanceMs = 7000;
// Past every time-out of the protocol (the longest is 5000 ms).
constexpr int LateReplyMs = 6000;
// The user's pause before acting again after a fault: replies still under way arrive.
constexpr int PauseAfterFaultMs = 10000;
constexpr int PollingTicks = 3;

const std::vector<std::string> LoaderSteps = {"SYNC",   "CMD11",  "ARG",     "BEGIN",
                                              "BLKCMD", "BLKNUM", "BLKDATA", "END"};

struct FlowDef {
    Flow flow;
    const char *name;
    UnitKind kind;
    const char *firmware;
    bool connectFirst;
    bool tickBased; // the flow's exchanges are polling ticks
};

// The pirouette Set button exists only on firmware that shows the pirouette gain entry.
const std::array<FlowDef, 10> Flows = {{
    {Flow::Connect, "connect", UnitKind::Kind2, " 0.5.0", false, false},
    {Flow::Read, "read", UnitKind::Kind2, " 0.5.0", true, false},
    {Flow::Write, "write", UnitKind::Kind2, " 0.5.0", true, false},
    {Flow::PirouetteSet, "pirouette-set", UnitKind::Kind2, " 0.3.3", true, false},
    {Flow::Reset, "reset", UnitKind::Kind2, " 0.5.0", true, false},
    {Flow::PresetReset, "preset-reset", UnitKind::Kind2, " 0.5.0", true, false},
    {Flow::Polling, "polling", UnitKind::Kind2, " 0.5.0", true, true},
    {Flow::FirmwareUpdate, "firmware-update", UnitKind::Kind2, " 0.5.0", true, false},
    {Flow::OpenFile, "open-file", UnitKind::Kind2, " 0.5.0", true, true},
    {Flow::SaveFile, "save-file", UnitKind::Kind2, " 0.5.0", true, true},
}};

const FlowDef &flowDef(Flow flow)
{
    for (const FlowDef &d : Flows)
        if (d.flow == flow)
            return d;
    throw std::logic_error("unknown flow");
}

struct FaultDef {
    Fault fault;
    const char *name;
    FaultAction action;
    int arg;
};
const std::array<FaultDef, 7> Faults = {{
    {Fault::Silence, "silence", FaultAction::Silence, -1},
    {Fault::Short, "short", FaultAction::Short, -1},
    {Fault::Garbage, "garbage", FaultAction::Garbage, -1},
    {Fault::WrongAck, "wrongack", FaultAction::WrongAck, -1},
    {Fault::Late, "late", FaultAction::Late, LateReplyMs},
    {Fault::Disconnect, "disconnect", FaultAction::Disconnect, -1},
    {Fault::Unplug, "unplug", FaultAction::Unplug, -1},
}};

const FaultDef &faultDef(Fault fault)
{
    return Faults[static_cast<std::size_t>(fault)];
}

// The unit as its owner left it: every gain record and the common block different from the
// factory values, so a reset, a preset or a stray write shows in every record.
UnitStore tunedStore(UnitKind kind)
{
    UnitStore s = UnitStore::factory(kind);
    for (int a = 0; a < 3; ++a)
        for (int m = 0; m < 3; ++m) {
            auto &w = s.axes[a][m];
            w[0] = static_cast<std::int16_t>(310 + 10 * (3 * a + m));
            w[1] = static_cast<std::int16_t>(120 + 10 * (3 * a + m));
            w[2] = static_cast<std::int16_t>(40 + (3 * a + m));
        }
    // Dead band 2 us, pirouette gain 37.
    s.common[0] = kind == UnitKind::Kind1 ? 13 : 6;
    s.common[4] = kind == UnitKind::Kind1 ? 37 : 370;
    return s;
}

// Working values that differ from the unit's in every record, as edits that were never
// written: a read that does not complete cannot pass for one that did.
void unwrittenEdits(ParameterSet &work)
{
    for (auto &axis : work.axes)
        for (auto &rec : axis)
            rec.P() = static_cast<std::int16_t>(rec.P() + 1);
    work.common.PirouGain() = static_cast<std::int16_t>(work.common.PirouGain() + 1);
}

// Values a parameter file carries, inside every entry limit: the unit's factory values with
// other gains, and other options.
ParameterSet fileValues()
{
    ParameterSet s;
    const UnitStore factory = UnitStore::factory(UnitKind::Kind2);
    for (int a = 0; a < AxisCount; ++a)
        for (int m = 0; m < ModeSetCount; ++m) {
            AxisRecord unitRecord;
            std::copy(factory.axes[a][m].begin(), factory.axes[a][m].end(), unitRecord.words.begin());
            s.axes[a][m] = axisFromUnit(AxisSelectors[static_cast<std::size_t>(a)], unitRecord);
            s.axes[a][m].P() = static_cast<std::int16_t>(700 + 10 * (3 * a + m));
        }
    s.common.words = {6, 0, 1, 0, 25, 0, 1, 2, 3, 4, 1, 2, 0, 5, 1};
    return s;
}

std::string recordName(int index)
{
    static const char *const Names[] = {"A0", "A1", "A2", "E0", "E1", "E2", "R0",
                                        "R1", "R2", "C",  "Z",  "G",  "J"};
    return Names[index];
}

// The stored records of a unit as 13 word lists (A0..R2, C, Z, G, J).
std::vector<std::vector<std::int16_t>> records(const UnitStore &s)
{
    std::vector<std::vector<std::int16_t>> out;
    for (const auto &axis : s.axes)
        for (const auto &rec : axis)
            out.emplace_back(rec.begin(), rec.end());
    out.emplace_back(s.common.begin(), s.common.end());
    for (const auto &p : s.presets)
        out.emplace_back(p.begin(), p.end());
    return out;
}

// Records of now that are none of the allowed stores' records.
std::vector<std::string> strayRecords(const UnitStore &now, const std::vector<const UnitStore *> &allowed)
{
    std::vector<std::string> stray;
    const auto current = records(now);
    std::vector<std::vector<std::vector<std::int16_t>>> ok;
    for (const UnitStore *s : allowed)
        ok.push_back(records(*s));
    for (std::size_t r = 0; r < current.size(); ++r) {
        const bool fine =
            std::any_of(ok.begin(), ok.end(), [&](const auto &store) { return store[r] == current[r]; });
        if (!fine)
            stray.push_back(recordName(static_cast<int>(r)));
    }
    return stray;
}

// fallback, except the records in which written differs from before: those of written.
UnitStore changedRecords(const UnitStore &written, const UnitStore &before, const UnitStore &fallback)
{
    UnitStore out = fallback;
    for (const char selector : {'A', 'E', 'R', 'C', 'Z', 'G', 'J'})
        for (int k = 0; k < (axisIndex(selector) >= 0 ? 3 : 1); ++k) {
            const auto w = written.words(selector, k);
            const auto b = before.words(selector, k);
            if (!std::equal(w.begin(), w.end(), b.begin(), b.end()))
                std::copy(w.begin(), w.end(), out.words(selector, k).begin());
        }
    return out;
}

std::string joined(const std::vector<std::string> &parts, const char *separator = " ")
{
    std::string out;
    for (const std::string &p : parts)
        out += (out.empty() ? "" : separator) + p;
    return out;
}

// ---- One window with its unit ------------------------------------------------------------

struct Files {
    std::string firmware;  // a small update for a Kind2 unit
    std::string parameter; // a current-layout parameter file of fileValues()
};

class Bench
{
public:
    Bench(const FlowDef &def, const Files &files) : def_(def), files_(files)
    {
        for (const auto &preset : {"tarvo450", "tarvo700", "kalm07"})
            for (const char *ext : {".tpd", ".gdt"})
                dir.copyShipped(QString::fromLatin1(preset) + QString::fromLatin1(ext));
        savePath = (dir.path() + QStringLiteral("saved.gdt")).toStdString();
        dialogs.fileAnswer = [this](RecordingDialogs::Kind kind,
                                    const FileRequest &request) -> std::optional<std::string> {
            if (kind == RecordingDialogs::Kind::Save)
                return savePath;
            if (request.filter.find(".dat") != std::string::npos)
                return files_.firmware;
            return files_.parameter;
        };

        UnitConfig config;
        config.kind = def.kind;
        config.firmware = std::string(def.firmware);
        unit = std::make_unique<UnitSimulator>(config);
        unit->store() = tunedStore(def.kind);
        bus = std::make_unique<SimulatedBus>(clock);
        bus->addPort("/dev/ttyUSB0", SimulatedBus::ftdiBusId("EMPTY"));
        bus->addPort("/dev/ttyUSB1", SimulatedBus::ftdiBusId("A50285BI"), unit.get());
        form = std::make_unique<TForm1>(Services{clock, dialogs, bus->port(), *bus, dir.path()});
        form->Timer2->stop(); // ticks come from the matrix, never from the real timer
    }

    template <class T = QWidget> T *control(const char *name) const
    {
        return form->control<T>(QString::fromLatin1(name));
    }
    bool enabled(const char *name) const { return control(name)->isEnabled(); }
    // A click as the user makes it: nothing happens on a disabled button.
    void click(const char *name)
    {
        control<QAbstractButton>(name)->click();
        form->Timer2->stop();
    }
    void trigger(const char *action)
    {
        control<QAction>(action)->trigger();
        form->Timer2->stop();
    }
    void tick() { form->Timer2Timer(); }

    // Types a number into an entry field and leaves it.
    void type(const char *edit, int value)
    {
        auto *field = control<QLineEdit>(edit);
        field->setText(QString::number(value));
        form->EditExit(field);
    }

    // Connects and makes the flow's preparations; throws when that is not clean.
    void setUp()
    {
        if (def_.connectFirst) {
            click("ConnectSpeedButton");
            if (!form->Connected || dialogs.size() != 0)
                throw std::runtime_error("the connection before the flow did not go cleanly");
        }
        switch (def_.flow) {
        case Flow::Write: {
            const int p = control<QLineEdit>("Edit1")->text().toInt();
            type("Edit1", p + 7);
            break;
        }
        case Flow::Read:
        case Flow::FirmwareUpdate:
            unwrittenEdits(form->WorkValues);
            break;
        case Flow::PirouetteSet:
            type("Edit25", 45);
            break;
        case Flow::Reset:
            control<QComboBox>("ResHeliSelectComboBox")->setCurrentIndex(0);
            break;
        case Flow::PresetReset:
            control<QComboBox>("ResHeliSelectComboBox")->setCurrentIndex(3);
            break;
        default:
            break;
        }
        if (dialogs.size() != 0)
            throw std::runtime_error("preparing the flow raised a box");
        unit->clearTranscript();
    }

    void runFlow()
    {
        switch (def_.flow) {
        case Flow::Connect:
            click("ConnectSpeedButton");
            break;
        case Flow::Read:
            click("ReadButton");
            break;
        case Flow::Write:
            click("WriteButton");
            break;
        case Flow::PirouetteSet:
            click("PirouGainSetButton");
            break;
        case Flow::Reset:
        case Flow::PresetReset:
            click("ResetButton");
            break;
        case Flow::Polling:
            for (int i = 0; i < PollingTicks; ++i)
                tick();
            break;
        case Flow::FirmwareUpdate:
            click("FileFirmUpdateButton");
            break;
        case Flow::OpenFile:
        case Flow::SaveFile:
            // The polling timer keeps firing while the file dialog is up.
            dialogs.whileFileDialogOpen = [this] {
                dialogs.whileFileDialogOpen = nullptr;
                tick();
            };
            trigger(def_.flow == Flow::OpenFile ? "MenuFileOpen" : "MenuFileSave");
            dialogs.whileFileDialogOpen = nullptr;
            break;
        }
        form->Timer2->stop();
    }

    TestProgramDir dir;
    VirtualClock clock;
    RecordingDialogs dialogs;
    std::unique_ptr<UnitSimulator> unit;
    std::unique_ptr<SimulatedBus> bus; // after the unit it reaches
    std::unique_ptr<TForm1> form;      // last: destroyed before what it uses
    std::string savePath;

private:
    const FlowDef &def_;
    const Files &files_;
};

// ---- Boxes ---------------------------------------------------------------------------------

enum class BoxKind { Question, Error, Info };

BoxKind boxKind(const MessageRequest &r)
{
    if (RecordingDialogs::isQuestion(r))
        return BoxKind::Question;
    return r.icon == MsgIcon::Error || r.icon == MsgIcon::Warning ? BoxKind::Error : BoxKind::Info;
}

std::string signature(const MessageRequest &r)
{
    static const char *const Kinds[] = {"question", "error", "info"};
    return std::string(Kinds[static_cast<int>(boxKind(r))]) + ":" + (r.key.empty() ? "(built-in)" : r.key);
}

std::vector<MessageRequest> boxesSince(const RecordingDialogs &d, std::size_t from)
{
    std::vector<MessageRequest> out;
    for (std::size_t i = from; i < d.events().size(); ++i)
        if (d.events()[i].kind == RecordingDialogs::Kind::Message)
            out.push_back(d.events()[i].message);
    return out;
}

std::vector<std::string> outcomeSignatures(const std::vector<MessageRequest> &boxes)
{
    std::vector<std::string> out;
    for (const MessageRequest &r : boxes)
        if (boxKind(r) != BoxKind::Question)
            out.push_back(signature(r));
    return out;
}

// Empty when an error box's text is a proper language text.
std::string errorTextProblem(TForm1 &form, const MessageRequest &r)
{
    const std::string quoted = "\"" + r.text + "\"";
    if (r.key.empty())
        return "a built-in text instead of a language text: " + quoted;
    if (form.text(QString::fromStdString(r.key)).isEmpty())
        return "key " + r.key + " has no language text";
    if (r.text.empty())
        return "an empty text";
    if (r.text.find("\xEF\xBF\xBD") != std::string::npos)
        return "replacement characters in " + quoted;
    if (r.text.find("not a valid") != std::string::npos)
        return "raw conversion text " + quoted;
    return {};
}

// ---- What a flow leaves behind -------------------------------------------------------------

struct Outcome {
    ParameterSet work;
    CurValuesType cur{};
    DefValuesType def{};
    UnitStore store;
    bool connected = false;
    std::string firmware;
};

Outcome outcomeOf(const Bench &b)
{
    return {b.form->WorkValues, b.form->CurValues, b.form->DefValues,
            b.unit->store(),    b.form->Connected, b.form->FirmwareVersion};
}

// The first difference, or empty.
std::string difference(const Outcome &got, const Outcome &clean)
{
    if (got.connected != clean.connected)
        return got.connected ? "the window stayed connected" : "the window is not connected";
    if (got.firmware != clean.firmware)
        return "firmware \"" + got.firmware + "\" instead of \"" + clean.firmware + "\"";
    if (!(got.work == clean.work))
        return "other working values";
    if (got.cur != clean.cur)
        return "another unit column";
    if (got.def != clean.def)
        return "other standard values";
    if (!(got.store == clean.store))
        return "the unit stores other values";
    return {};
}

// ---- The clean run of a flow ---------------------------------------------------------------

struct Baseline {
    std::vector<std::string> problems;      // empty: the flow is clean
    std::vector<TranscriptEntry> exchanges; // what the unit heard during the flow
    std::vector<std::string> boxes;         // error and information boxes, in order
    Outcome outcome;                        // right after the flow
    UnitStore followUp;                     // after a WRITE clicked right afterwards
    UnitStore initial;                      // before the flow
    UnitStore editsWritten;                 // after a WRITE instead of the flow
    std::int64_t elapsedMs = 0;
};

std::vector<TranscriptEntry> heardEntries(const UnitSimulator &unit)
{
    std::vector<TranscriptEntry> out;
    for (const TranscriptEntry &e : unit.transcript())
        if (e.heard)
            out.push_back(e);
    return out;
}

// Which entries of the clean transcript the three positions pick; fewer for short flows.
std::vector<std::pair<Position, std::size_t>> positionsOf(std::size_t count)
{
    std::vector<std::pair<Position, std::size_t>> out;
    if (count == 0)
        return out;
    const std::array<std::pair<Position, std::size_t>, 3> all = {
        {{Position::First, 0}, {Position::Middle, count / 2}, {Position::Last, count - 1}}};
    for (const auto &p : all)
        if (std::none_of(out.begin(), out.end(), [&](const auto &q) { return q.second == p.second; }))
            out.push_back(p);
    return out;
}

// The rule that hits exchanges[index] and no other: the n-th command whose name starts like it.
FaultRule ruleFor(const std::vector<TranscriptEntry> &exchanges, std::size_t index, const FaultDef &fault)
{
    FaultRule rule;
    rule.prefix = exchanges[index].name;
    rule.action = fault.action;
    rule.arg = fault.arg;
    rule.nth = 1;
    for (std::size_t i = 0; i < index; ++i)
        if (rule.matchesName(exchanges[i].name))
            ++rule.nth;
    return rule;
}

bool isLoaderStep(const std::string &name)
{
    const std::string word = name.substr(0, name.find(' '));
    return std::find(LoaderSteps.begin(), LoaderSteps.end(), word) != LoaderSteps.end();
}

Expectation expectationFor(const FlowDef &def, const TranscriptEntry &hit, Fault fault)
{
    if (def.tickBased)
        return Expectation::Tolerant;
    if (fault == Fault::Disconnect || fault == Fault::Unplug)
        return Expectation::Fail; // nothing answers any more
    if (hit.reply.empty())
        return Expectation::Succeed; // no reply is awaited: nothing is lost
    if (isLoaderStep(hit.name))
        // The transfer repeats a step that failed; a late answer may spoil the next one too.
        return fault == Fault::Late ? Expectation::Either : Expectation::Succeed;
    if (hit.name == "UPDATE" || hit.name == "PING")
        return Expectation::Either; // not examined / discovery tries the other rate
    if (fault == Fault::WrongAck && hit.replyText() == "OK\r\n")
        return Expectation::Fail; // the unit refused
    return Expectation::Either;
}

} // namespace

// ---- Names ---------------------------------------------------------------------------------

const std::vector<Flow> &allFlows()
{
    static const std::vector<Flow> flows = [] {
        std::vector<Flow> out;
        for (const FlowDef &d : Flows)
            out.push_back(d.flow);
        return out;
    }();
    return flows;
}

const std::vector<Position> &allPositions()
{
    static const std::vector<Position> positions = {Position::First, Position::Middle, Position::Last};
    return positions;
}

const char *flowName(Flow flow)
{
    return flowDef(flow).name;
}
const char *faultName(Fault fault)
{
    return faultDef(fault).name;
}
const char *positionName(Position position)
{
    static const char *const Names[] = {"first", "middle", "last"};
    return Names[static_cast<int>(position)];
}
const char *expectationName(Expectation expectation)
{
    static const char *const Names[] = {"succeed", "fail", "succeed or fail", "at most one box"};
    return Names[static_cast<int>(expectation)];
}

std::optional<Flow> flowByName(const std::string &name)
{
    for (const FlowDef &d : Flows)
        if (name == d.name)
            return d.flow;
    return std::nullopt;
}

std::string caseId(Flow flow, Fault fault, Position position)
{
    return std::string(flowName(flow)) + "/" + faultName(fault) + "/" + positionName(position);
}

std::string CaseResult::verdict() const
{
    std::string v;
    if (hang)
        v += 'H';
    if (crash)
        v += 'C';
    if (wrongWrite)
        v += 'W';
    if (wrongMessage)
        v += 'M';
    if (unusable)
        v += 'U';
    return v.empty() ? "ok" : v;
}

Totals totalsOf(const std::vector<CaseResult> &results)
{
    Totals t;
    for (const CaseResult &r : results) {
        ++t.cases;
        t.failing += r.failed();
        t.hangs += r.hang;
        t.crashes += r.crash;
        t.wrongWrites += r.wrongWrite;
        t.wrongMessages += r.wrongMessage;
        t.unusable += r.unusable;
    }
    return t;
}

// ---- The runner ----------------------------------------------------------------------------

struct FaultMatrix::Impl {
    QTemporaryDir temp;
    Files files;
    QByteArray savedDataHome;
    bool hadDataHome = false;

    Impl()
    {
        if (!temp.isValid())
            throw std::runtime_error("no temporary directory for the fault matrix");
        // Backups made before destructive flows go here, not into the user's data folder.
        hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", (temp.path() + QStringLiteral("/data")).toLocal8Bit());

        FirmwarePackage package;
        package.kind = UnitKind::Kind2;
        package.version = " 0.5.0";
        // Enough blocks that the middle of the flow falls into the transfer.
        package.flags = FirmwarePackage::onlyBlocksSent({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, LastFirmwareBlock});
        files.firmware = (temp.path() + QStringLiteral("/update_kind2.dat")).toStdString();
        if (!writeFirmwareFile(files.firmware, *packFirmware(package)))
            throw std::runtime_error("cannot write the firmware file");

        files.parameter = (temp.path() + QStringLiteral("/tuned.gdt")).toStdString();
        const std::vector<std::uint8_t> bytes = imageBytes(encodeParameterFile(fileValues()));
        std::ofstream out(files.parameter, std::ios::binary);
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write the parameter file");
    }

    ~Impl()
    {
        if (hadDataHome)
            qputenv("XDG_DATA_HOME", savedDataHome);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    // The user picks the control parameter page, where READ and WRITE live.
    static void showParameterPage(Bench &b)
    {
        b.form->PageControl1->setCurrentIndex(0);
        b.form->PageControl1Change();
    }

    // A WRITE clicked right after the flow, the user having edited nothing more.
    static void followUpWrite(Bench &b)
    {
        if (!b.form->Connected)
            return;
        showParameterPage(b);
        if (b.enabled("WriteButton"))
            b.click("WriteButton");
    }

    // Empty when the window is as a user can go on with; else what is wrong.
    static std::vector<std::string> stuckControls(Bench &b)
    {
        std::vector<std::string> out;
        TForm1 &f = *b.form;
        if (f.Updating)
            out.push_back("still marked as updating");
        if (f.Resetting)
            out.push_back("still marked as resetting");
        if (f.inPollingTick)
            out.push_back("still inside a polling tick");
        if (!f.PageControl1->isEnabled())
            out.push_back("the pages stay locked");
        if (!b.enabled("ConnectSpeedButton"))
            out.push_back("the connect button stays disabled");
        if (f.WriteProgressForm->isVisible())
            out.push_back("the write progress window stays open");
        if (f.ResetProgressForm->isVisible())
            out.push_back("the reset progress window stays open");
        return out;
    }

    // Once the fault is gone: a unit left with only its loader is updated again, then the
    // window disconnects, connects and reads without an error box.
    static std::vector<std::string> usableAfter(Bench &b)
    {
        std::vector<std::string> problems = stuckControls(b);
        auto errorsSince = [&b](std::size_t from) {
            std::vector<std::string> errors;
            for (const MessageRequest &r : boxesSince(b.dialogs, from))
                if (boxKind(r) == BoxKind::Error)
                    errors.push_back(signature(r));
            return errors;
        };
        if (b.unit->loaderOnly()) {
            if (b.form->Connected)
                b.click("ConnectSpeedButton");
            b.click("ConnectSpeedButton");
            if (!b.form->Connected || !b.enabled("FileFirmUpdateButton")) {
                problems.push_back("a unit with only its loader cannot be connected for a new update");
                return problems;
            }
            const std::size_t mark = b.dialogs.size();
            b.click("FileFirmUpdateButton");
            if (b.unit->loaderOnly() || !errorsSince(mark).empty())
                problems.push_back("the repeated update did not go through: " + joined(errorsSince(mark)));
        }
        if (b.form->Connected) {
            b.click("ConnectSpeedButton");
            if (b.form->Connected) {
                problems.push_back("the window cannot disconnect");
                return problems;
            }
        }
        std::size_t mark = b.dialogs.size();
        b.click("ConnectSpeedButton");
        if (!b.form->Connected || !errorsSince(mark).empty()) {
            problems.push_back("a clean reconnect fails " + joined(errorsSince(mark)));
            return problems;
        }
        mark = b.dialogs.size();
        showParameterPage(b);
        if (!b.enabled("ReadButton")) {
            problems.push_back("READ stays disabled after reconnecting");
            return problems;
        }
        b.click("ReadButton");
        const auto boxes = boxesSince(b.dialogs, mark);
        const bool completed = std::any_of(
            boxes.begin(), boxes.end(), [](const MessageRequest &r) { return boxKind(r) == BoxKind::Info; });
        if (!completed || !errorsSince(mark).empty())
            problems.push_back("READ after reconnecting fails " + joined(errorsSince(mark)));
        else if (b.form->CurValues != b.form->WorkValues.axes)
            problems.push_back("READ after reconnecting leaves the unit column apart from the values");
        return problems;
    }

    Baseline clean(const FlowDef &def)
    {
        Baseline base;
        // The edits the working values hold before the flow may be written at any time.
        try {
            Bench edits(def, files);
            edits.setUp();
            base.initial = edits.unit->store();
            followUpWrite(edits);
            base.editsWritten = edits.unit->store();
        } catch (const std::exception &e) {
            base.problems.push_back(std::string("writing the values before the flow: ") + e.what());
            return base;
        }
        Bench b(def, files);
        try {
            b.setUp();
        } catch (const std::exception &e) {
            base.problems.push_back(std::string("setting up: ") + e.what());
            return base;
        }
        const std::int64_t t0 = b.clock.nowMs();
        try {
            b.runFlow();
        } catch (const std::exception &e) {
            base.problems.push_back(std::string("the flow threw: ") + e.what());
            return base;
        }
        base.elapsedMs = b.clock.nowMs() - t0;
        base.exchanges = heardEntries(*b.unit);
        const auto boxes = boxesSince(b.dialogs, 0);
        base.boxes = outcomeSignatures(boxes);
        for (const MessageRequest &r : boxes)
            if (boxKind(r) == BoxKind::Error)
                base.problems.push_back("the flow shows an error box: " + signature(r) + " \"" + r.text +
                                        "\"");
        base.outcome = outcomeOf(b);
        if (def.tickBased && base.exchanges.empty())
            base.problems.push_back("no polling exchange during the flow");
        try {
            b.clock.advance(PauseAfterFaultMs);
            followUpWrite(b);
            base.followUp = b.unit->store();
            for (const std::string &p : usableAfter(b))
                base.problems.push_back("afterwards: " + p);
        } catch (const std::exception &e) {
            base.problems.push_back(std::string("afterwards, an exception: ") + e.what());
        }
        return base;
    }

    CaseResult runCase(const FlowDef &def, const Baseline &base, Fault fault, Position position,
                       std::size_t index)
    {
        CaseResult r;
        r.flow = def.flow;
        r.fault = fault;
        r.position = position;
        r.id = caseId(def.flow, fault, position);
        const TranscriptEntry &hit = base.exchanges[index];
        r.exchange = hit.name.empty() ? "(CR LF)" : hit.name.substr(0, 16);
        const FaultRule rule = ruleFor(base.exchanges, index, faultDef(fault));
        r.rule = rule.text();
        r.expected = expectationFor(def, hit, fault);
        r.cleanMs = base.elapsedMs;

        Bench b(def, files);
        try {
            b.setUp();
        } catch (const std::exception &e) {
            r.unusable = true;
            r.problems.push_back(std::string("setting up: ") + e.what());
            return r;
        }
        const UnitStore before = b.unit->store();
        b.unit->addFault(rule);

        // ---- The flow with its fault.
        const std::int64_t t0 = b.clock.nowMs();
        try {
            b.runFlow();
        } catch (const std::exception &e) {
            r.crash = true;
            r.problems.push_back(std::string("an exception escaped the flow: ") + e.what());
        } catch (...) {
            r.crash = true;
            r.problems.push_back("an exception escaped the flow");
        }
        r.elapsedMs = b.clock.nowMs() - t0;
        if (r.elapsedMs > base.elapsedMs + HangAllowanceMs) {
            r.hang = true;
            r.problems.push_back("took " + std::to_string(r.elapsedMs) + " ms of virtual time (" +
                                 std::to_string(base.elapsedMs) + " ms without the fault)");
        }

        const auto boxes = boxesSince(b.dialogs, 0);
        for (const MessageRequest &m : boxes)
            r.boxes.push_back(signature(m));
        judgeMessages(r, def, b, boxes, base);

        const UnitStore afterFlow = b.unit->store();
        const auto stray = strayRecords(afterFlow, {&before, &base.outcome.store});
        if (!stray.empty()) {
            r.wrongWrite = true;
            r.problems.push_back("the flow left records the user did not send: " + joined(stray));
        }

        // ---- The fault is gone; the user clicks WRITE, then reconnects and reads.
        try {
            b.unit->clearFaults();
            b.unit->reconnect();
            b.clock.advance(PauseAfterFaultMs);
            followUpWrite(b);
            const UnitStore edits = changedRecords(base.editsWritten, base.initial, base.outcome.store);
            const auto strayAfter =
                strayRecords(b.unit->store(), {&afterFlow, &base.outcome.store, &base.followUp, &edits});
            if (!strayAfter.empty()) {
                r.wrongWrite = true;
                r.problems.push_back("a WRITE right afterwards sent records nobody set: " +
                                     joined(strayAfter));
            }
            for (const std::string &p : usableAfter(b)) {
                r.unusable = true;
                r.problems.push_back("afterwards: " + p);
            }
        } catch (const std::exception &e) {
            r.crash = true;
            r.problems.push_back(std::string("afterwards, an exception escaped: ") + e.what());
        }
        return r;
    }

    static void judgeMessages(CaseResult &r, const FlowDef &def, Bench &b,
                              const std::vector<MessageRequest> &boxes, const Baseline &base)
    {
        std::vector<std::string> textProblems;
        int errors = 0;
        std::ptrdiff_t firstError = -1;
        bool infoAfterError = false;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const BoxKind kind = boxKind(boxes[i]);
            if (kind == BoxKind::Error) {
                if (++errors == 1)
                    firstError = static_cast<std::ptrdiff_t>(i);
                if (const std::string p = errorTextProblem(*b.form, boxes[i]); !p.empty())
                    textProblems.push_back(signature(boxes[i]) + ": " + p);
            } else if (kind == BoxKind::Info && firstError >= 0) {
                infoAfterError = true;
            }
        }
        const std::vector<std::string> shown = outcomeSignatures(boxes);
        const std::string diff = difference(outcomeOf(b), base.outcome);
        const bool likeClean = shown == base.boxes && diff.empty();
        const bool cleanFailure = errors == 1 && textProblems.empty() && !infoAfterError;

        std::vector<std::string> problems;
        auto describeShown = [&] {
            return "boxes: " + (shown.empty() ? std::string("none") : joined(shown, ", "));
        };
        switch (r.expected) {
        case Expectation::Succeed:
            if (!likeClean)
                problems.push_back("a harmless fault changed the flow (" + describeShown() +
                                   (diff.empty() ? "" : "; " + diff) + ")");
            break;
        case Expectation::Fail:
            if (!cleanFailure)
                problems.push_back("the failure is not told once in a language text (" + describeShown() +
                                   ")");
            break;
        case Expectation::Either:
            if (!likeClean && !cleanFailure) {
                if (shown == base.boxes)
                    problems.push_back("reported like the flow without the fault, but " + diff);
                else
                    problems.push_back("neither recovered nor failed with one language-text box (" +
                                       describeShown() + ")");
            }
            break;
        case Expectation::Tolerant: {
            const bool infos = std::any_of(boxes.begin(), boxes.end(), [](const MessageRequest &m) {
                return boxKind(m) == BoxKind::Info;
            });
            if (errors > 1 || infos)
                problems.push_back("more than one box for a polling fault (" + describeShown() + ")");
            else if (!b.form->Connected && errors == 0)
                problems.push_back("the link was lost without a word");
            break;
        }
        }
        for (const std::string &p : textProblems)
            problems.push_back(p);
        if (infoAfterError && r.expected != Expectation::Tolerant)
            problems.push_back("a completion box after the error");

        if (def.flow == Flow::OpenFile && !(b.form->WorkValues == fileValues()))
            problems.push_back("the file was not opened, though opening needs no unit");
        if (def.flow == Flow::SaveFile) {
            std::ifstream in(b.savePath, std::ios::binary);
            const std::vector<std::uint8_t> saved{std::istreambuf_iterator<char>(in), {}};
            if (saved != imageBytes(encodeParameterFile(b.form->WorkValues)))
                problems.push_back("the file was not saved, though saving needs no unit");
        }
        if (!problems.empty()) {
            r.wrongMessage = true;
            r.problems.insert(r.problems.end(), problems.begin(), problems.end());
        }
    }
};

FaultMatrix::FaultMatrix() : impl_(std::make_unique<Impl>()) {}
FaultMatrix::~FaultMatrix() = default;

std::vector<CaseResult> FaultMatrix::run(Flow flow)
{
    const FlowDef &def = flowDef(flow);
    const Baseline base = impl_->clean(def);
    std::vector<CaseResult> results;
    if (!base.problems.empty() || base.exchanges.empty()) {
        CaseResult r;
        r.flow = flow;
        r.id = std::string(def.name) + "/clean";
        r.unusable = true;
        r.problems = base.problems;
        if (base.exchanges.empty())
            r.problems.push_back("the flow made no exchange");
        results.push_back(r);
        return results;
    }
    for (const auto &[position, index] : positionsOf(base.exchanges.size()))
        for (const FaultDef &fault : Faults)
            results.push_back(impl_->runCase(def, base, fault.fault, position, index));
    return results;
}

// ---- Reports -------------------------------------------------------------------------------

std::string formatTotals(const Totals &t)
{
    std::ostringstream s;
    s << "cases " << t.cases << ", hangs " << t.hangs << ", crashes " << t.crashes << ", wrong writes "
      << t.wrongWrites << ", wrong messages " << t.wrongMessages << ", unusable afterwards " << t.unusable
      << " (failing cases " << t.failing << ")";
    return s.str();
}

std::string formatMatrix(const std::vector<CaseResult> &results, bool details)
{
    std::ostringstream s;
    auto pad = [](std::string text, std::size_t width) {
        if (text.size() < width)
            text.append(width - text.size(), ' ');
        return text;
    };
    s << pad("flow", 16) << pad("position", 9) << pad("exchange", 18);
    for (const FaultDef &f : Faults)
        s << pad(f.name, 11);
    s << "\n";
    for (Flow flow : allFlows()) {
        for (const CaseResult &r : results)
            if (r.flow == flow && r.id.ends_with("/clean"))
                s << pad(flowName(flow), 16) << "clean run failed: " << joined(r.problems, "; ") << "\n";
        for (Position position : allPositions()) {
            std::vector<const CaseResult *> row;
            for (const CaseResult &r : results)
                if (r.flow == flow && r.position == position && !r.id.ends_with("/clean"))
                    row.push_back(&r);
            if (row.empty())
                continue;
            s << pad(flowName(flow), 16) << pad(positionName(position), 9) << pad(row.front()->exchange, 18);
            for (const FaultDef &f : Faults) {
                const auto it = std::find_if(row.begin(), row.end(),
                                             [&](const CaseResult *r) { return r->fault == f.fault; });
                s << pad(it == row.end() ? "-" : (*it)->verdict(), 11);
            }
            s << "\n";
        }
    }
    s << "H hang, C crash, W wrong write, M wrong message, U unusable afterwards\n";
    if (details) {
        for (const CaseResult &r : results) {
            if (!r.failed())
                continue;
            s << "\n"
              << r.id << " [" << r.rule << ", expected: " << expectationName(r.expected) << ", "
              << r.elapsedMs << " ms]\n";
            for (const std::string &p : r.problems)
                s << "    " << p << "\n";
        }
        s << "\n";
    }
    s << formatTotals(totalsOf(results)) << "\n";
    return s.str();
}

std::set<std::string> readCaseList(const std::filesystem::path &path)
{
    std::set<std::string> ids;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        const auto begin = line.find_first_not_of(" \t\r");
        if (begin == std::string::npos)
            continue;
        const auto end = line.find_first_of(" \t\r", begin);
        ids.insert(line.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
    }
    return ids;
}

} // namespace vireo::faults
