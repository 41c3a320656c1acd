#pragma once
// The fault matrix: every user flow of the window, run against the simulated unit in virtual
// time, with one fault placed on its first, a middle and its last exchange. A case passes when
//  - it ends in time: at most one 5 s time-out, a ping and a little discovery more than the
//    same flow without the fault (a hang is anything longer);
//  - nothing escapes the window's handlers (an exception counts as a crash);
//  - the unit's stored records change only to what the flow sends without a fault, both during
//    the flow and in a WRITE the user clicks right afterwards without having edited anything;
//  - the boxes are right: a failure is told once, in a language text (no raw conversion text,
//    no replacement characters), with no completion box after it; a flow that goes through
//    despite the fault looks exactly like the flow without it;
//  - the window is usable afterwards: once the fault is gone, a reconnect and a READ work.
//
// Positions come from a clean run of the flow: its transcript is recorded first and the fault
// rule names the exchange by its index there. The window is the real TForm1 on whatever Qt
// platform runs (offscreen in tests); a QApplication must exist.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vireo::faults
{

enum class Flow {
    Connect,
    Read,
    Write,
    PirouetteSet,
    Reset,
    PresetReset,
    Polling,
    FirmwareUpdate,
    OpenFile,
    SaveFile
};
enum class Fault { Silence, Short, Garbage, WrongAck, Late, Disconnect, Unplug };
enum class Position { First, Middle, Last };

// What a case must do for its message check.
enum class Expectation {
    Succeed,  // exactly as the flow without the fault
    Fail,     // one error box in a language text, no completion box after it
    Either,   // one of the two: recovering completely is as good as failing cleanly
    Tolerant, // a polling fault: at most one error box, exactly one when the link was lost
};

const std::vector<Flow> &allFlows();
const std::vector<Position> &allPositions();
const char *flowName(Flow flow);
const char *faultName(Fault fault);
const char *positionName(Position position);
const char *expectationName(Expectation expectation);
std::optional<Flow> flowByName(const std::string &name);

// "write/garbage/middle"
std::string caseId(Flow flow, Fault fault, Position position);

struct CaseResult {
    Flow flow{};
    Fault fault{};
    Position position{};
    std::string id;
    std::string exchange; // the command the fault hit, as the unit names it
    std::string rule;     // the fault rule, in kalm07-sim's text form
    Expectation expected = Expectation::Fail;
    std::int64_t elapsedMs = 0; // virtual time of the flow
    std::int64_t cleanMs = 0;   // the same flow without the fault

    bool hang = false;
    bool crash = false;
    bool wrongWrite = false;
    bool wrongMessage = false;
    bool unusable = false;
    std::vector<std::string> problems; // one line each, for the report
    std::vector<std::string> boxes;    // the boxes of the flow, "error:Key" / "info:Key" / "question:Key"

    bool failed() const { return hang || crash || wrongWrite || wrongMessage || unusable; }
    // "H", "C", "W", "M", "U" in this order, or "ok".
    std::string verdict() const;
};

struct Totals {
    int cases = 0;
    int failing = 0;
    int hangs = 0;
    int crashes = 0;
    int wrongWrites = 0;
    int wrongMessages = 0;
    int unusable = 0;
};
Totals totalsOf(const std::vector<CaseResult> &results);

class FaultMatrix
{
public:
    FaultMatrix();
    ~FaultMatrix();
    FaultMatrix(const FaultMatrix &) = delete;
    FaultMatrix &operator=(const FaultMatrix &) = delete;

    // Every case of a flow (a flow of fewer than three exchanges has fewer positions). The
    // clean run comes first; if it is not clean itself, the flow's cases cannot be judged and
    // one failing result named "<flow>/clean" says why.
    std::vector<CaseResult> run(Flow flow);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The matrix as text: one row per flow and position (with the exchange hit), one column per
// fault; a cell is "ok" or the letters of what went wrong. Then every failing case with its
// problems, and the totals.
std::string formatMatrix(const std::vector<CaseResult> &results, bool details = true);
std::string formatTotals(const Totals &totals);

// Case ids, one a line; "#" starts a comment, blank lines are ignored.
std::set<std::string> readCaseList(const std::filesystem::path &path);

} // namespace vireo::faults
