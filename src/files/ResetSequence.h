#pragma once
// What a reset does to the unit once the user has confirmed it: the factory reset or the
// thirteen writes of a preset, the pause, the read-back of the nine gain records with the
// progress steps, and the read of the common block. The window supplies the operations.
//
// A step counts only when the unit says so: RESET and every preset write need the unit's
// "OK". Nothing is sent while a preset record is unknown or out of limits.
#include "link/SerialLink.h"
#include "params/ParameterSet.h"
#include "params/SendCheck.h"
#include "params/UnitConversion.h"
#include "seams/Clock.h"

#include <functional>
#include <optional>

namespace vireo
{

class ResetTarget
{
public:
    virtual ~ResetTarget() = default;
    virtual bool resetUnit() = 0;
    virtual bool writeGroup(Selector s, ModeSet k) = 0;
    virtual bool readGroup(Selector s, ModeSet k) = 0;
    // What a preset reset would send, checked before anything goes out.
    virtual SendCheck checkPreset() = 0;
    // The unit's values are about to change: nothing the window holds stays the unit's.
    virtual void forgetUnitValues() = 0;
    virtual void processEvents() = 0;
    virtual void waitWithEvents(int ms) = 0;
    virtual void stepProgress(int n) = 0;
    virtual void closeProgress() = 0;
};

enum class ResetOutcome {
    Completed,
    Refused,          // a preset record unknown or out of limits; nothing was sent
    ResetFailed,      // RESET not acknowledged: the unit may or may not have reset
    WriteFailed,      // a preset write not acknowledged; failedWrite names it
    ReadFailed,       // the read-back of a gain record failed
    CommonReadFailed, // the gain records came back, the common block did not
};

struct ResetResult {
    ResetOutcome outcome = ResetOutcome::Completed;
    std::optional<RecordRef> failedWrite;
    SendCheck refusal;
};

inline constexpr int ResetSettleMs = 200;
inline constexpr int ResetReadBackHoldMs = 2000;
inline constexpr int ResetProgressStep = 20;

// With preset false sends RESET; with preset true writes the working values (axis records A,
// E, R by mode set, then C, Z, G, J), stopping at the first write the unit does not take. On
// ReadFailed the progress window is still open and the common block has not been read.
ResetResult runResetSequence(ResetTarget &target, bool preset);

// The sequence on the real link: RESET, RROM and WROM on work, time and events from clock;
// progress goes to the callbacks (either may be empty).
class LinkResetTarget : public ResetTarget
{
public:
    LinkResetTarget(SerialLink &link, UnitProfile unit, ParameterSet &work, Clock &clock)
        : link_(link), unit_(unit), work_(work), clock_(clock)
    {
    }
    std::function<void(int)> onStep;
    std::function<void()> onClose;

    bool resetUnit() override;
    bool writeGroup(Selector s, ModeSet k) override;
    bool readGroup(Selector s, ModeSet k) override;
    SendCheck checkPreset() override;
    void forgetUnitValues() override { work_.origins.forget(Origin::Unit); }
    void processEvents() override { clock_.processEvents(); }
    void waitWithEvents(int ms) override { clock_.waitWithEvents(ms); }
    void stepProgress(int n) override
    {
        if (onStep)
            onStep(n);
    }
    void closeProgress() override
    {
        if (onClose)
            onClose();
    }

private:
    SerialLink &link_;
    UnitProfile unit_;
    ParameterSet &work_;
    Clock &clock_;
};

} // namespace vireo
