#include "app/gui/BusyFlow.h"

#include "app/gui/WindowShell.h"

#include <QAction>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>
#include <vector>

namespace vireo
{

// Holds the flow-starting controls disabled the way a disabled parent would: a widget's own
// explicit state (Qt::WA_ForceDisabled, set and cleared by every setEnabled call) is left to
// the code that sets it, and only the effective state is held off. A setEnabled(true) made by
// the flow is caught as it takes effect, kept as the wish and held off again; a
// setEnabled(false) needs nothing. At the end each widget gets its latest wish. The menu items
// are set by nobody else and simply get their state back.
class ControlLock : public QObject
{
public:
    explicit ControlLock(const FlowLockControls &controls) : widgets_(controls.buttons)
    {
        for (QWidget *w : widgets_) {
            holdOff(w);
            w->installEventFilter(this);
        }
        for (QAction *a : controls.menuItems) {
            actions_.emplace_back(a, a->isEnabled());
            a->setEnabled(false);
        }
    }

    ~ControlLock() override
    {
        for (QWidget *w : widgets_) {
            w->removeEventFilter(this);
            w->setEnabled(!w->testAttribute(Qt::WA_ForceDisabled));
        }
        for (auto &[action, enabled] : actions_)
            action->setEnabled(enabled);
    }

    ControlLock(const ControlLock &) = delete;
    ControlLock &operator=(const ControlLock &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->isEnabled())
                holdOff(w);
        }
        return false;
    }

private:
    static void holdOff(QWidget *w)
    {
        const bool wished = !w->testAttribute(Qt::WA_ForceDisabled);
        w->setEnabled(false);
        w->setAttribute(Qt::WA_ForceDisabled, !wished);
    }

    std::vector<QWidget *> widgets_;
    std::vector<std::pair<QAction *, bool>> actions_;
};

FlowLockControls findFlowLockControls(const WindowShell &shell)
{
    FlowLockControls controls;
    for (std::string_view name : FlowStartingButtons)
        controls.buttons.push_back(shell.control<QWidget>(name));
    for (std::string_view name : FlowBlockedMenuItems)
        controls.menuItems.push_back(shell.control<QAction>(name));
    return controls;
}

BusyFlow::BusyFlow(WindowShell &form, Flow flow) : form_(form), started_(form.flows.begin(flow))
{
    if (started_ && locksControls(flow))
        lock_ = std::make_unique<ControlLock>(form.flowLock);
}

BusyFlow::~BusyFlow()
{
    if (!started_)
        return;
    lock_.reset();
    if (form_.flows.end()) {
        // From the event loop, not from inside the handler that ran the flow.
        QWidget *window = &form_.windowWidget();
        QTimer::singleShot(0, window, [window] { window->close(); });
    }
}

} // namespace vireo
