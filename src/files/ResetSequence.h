#pragma once
// What a reset does to the unit once the user has confirmed it: the factory reset or the
// thirteen writes of a preset, the pause, the read-back of the nine gain records with the
// progress steps, and the read of the common block. The window supplies the operations.
#include "params/ParameterSet.h"

namespace vireo
{

class ResetTarget
{
public:
    virtual ~ResetTarget() = default;
    virtual bool resetUnit() = 0;
    virtual bool writeGroup(Selector s, ModeSet k) = 0;
    virtual bool readGroup(Selector s, ModeSet k) = 0;
    virtual void processEvents() = 0;
    virtual void waitWithEvents(int ms) = 0;
    virtual void stepProgress(int n) = 0;
    virtual void closeProgress() = 0;
};

enum class ResetOutcome { Completed, ReadFailed };

inline constexpr int ResetSettleMs = 200;
inline constexpr int ResetReadBackHoldMs = 2000;
inline constexpr int ResetProgressStep = 20;

// With preset false sends RESET; with preset true writes the working values (axis records A,
// E, R by mode set, then C, Z, G, J), whose results are judged by the read-back alone. On
// ReadFailed the progress window is still open and the common block has not been read.
ResetOutcome runResetSequence(ResetTarget &target, bool preset);

} // namespace vireo
