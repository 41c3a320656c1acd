#pragma once
// The window side of FlowGuard: a scope that runs one flow. While it lasts, the controls that
// start flows are disabled; when it ends, however it ends, each of them gets the state the
// code asked for last: the state it had before, unless the flow itself enabled or disabled it
// meanwhile (connecting enables READ, a lost unit disables it). A close asked for meanwhile
// follows once the flow has ended.
#include "app/FlowGuard.h"

#include <memory>

namespace vireo
{

class WindowShell;
struct FlowLockControls;
class ControlLock;

// The controls FlowStartingButtons and FlowBlockedMenuItems name, for WindowShell::flowLock.
FlowLockControls findFlowLockControls(const WindowShell &shell);

class BusyFlow
{
public:
    // Starts the flow unless another runs; test the result before doing anything.
    BusyFlow(WindowShell &form, Flow flow);
    ~BusyFlow();
    BusyFlow(const BusyFlow &) = delete;
    BusyFlow &operator=(const BusyFlow &) = delete;

    explicit operator bool() const { return started_; }

private:
    WindowShell &form_;
    bool started_;
    std::unique_ptr<ControlLock> lock_;
};

} // namespace vireo
