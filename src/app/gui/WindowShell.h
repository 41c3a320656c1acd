#pragma once
// What every part of the main window may use of the window itself: its services, its texts,
// the state the whole window shares and its pages. The window (TForm1) implements it; the
// subsystems' window code (src/<subsystem>/gui) sees the window through this and through its
// own narrow interface, never through TForm1 itself.
#include "app/FlowGuard.h"
#include "app/gui/Captions.h"
#include "seams/Clock.h"
#include "seams/Dialogs.h"
#include "seams/PortLister.h"
#include "seams/SerialPort.h"

#include <QString>

#include <stdexcept>
#include <string_view>
#include <vector>

class QAction;
class QWidget;

namespace vireo
{

class PageControl;

// What the window talks to; production adapters in main.cpp, fakes in tests.
struct Services {
    Clock &clock;
    Dialogs &dialogs;
    SerialPort &port;
    PortLister &ports;
    QString programDir; // with trailing separator; empty = directory of the executable
};

// The controls a running flow holds disabled (BusyFlow), found once with the window's view.
struct FlowLockControls {
    std::vector<QWidget *> buttons;   // FlowStartingButtons
    std::vector<QAction *> menuItems; // FlowBlockedMenuItems
};

class WindowShell
{
public:
    // ---- State the whole window shares -------------------------------------------------
    QString ProgramDir;
    QString SoftwareVersion;
    bool Connected = false;
    bool Updating = false;
    bool Resetting = false;
    bool ParamsLoaded = false;
    // The flow that talks to the unit now; every entry point that starts one consults it
    // (through BusyFlow, app/BusyFlow.h).
    FlowGuard flows;
    FlowLockControls flowLock;
    PageControl *PageControl1 = nullptr;
    PageControl *PageControl2 = nullptr;

    // The control of the layout with this object name (nearest first, never one inside
    // another window such as a progress window; address those as "WriteProgressForm/
    // MessageLabel"); throws std::logic_error when there is no such control of that type.
    // Window code looks its controls up once, when it builds its view of them.
    template <class T> T *control(const QString &name) const
    {
        T *w = qobject_cast<T *>(findControl(controlRoot(), name));
        if (!w)
            throw std::logic_error("no control named " + name.toStdString());
        return w;
    }
    // The same for a name from one of the Qt-free tables (ASCII).
    template <class T> T *control(std::string_view name) const
    {
        return control<T>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    template <class T> T *control(const char *name) const { return control<T>(std::string_view(name)); }

    // The main window itself (the parent of its own windows and boxes).
    virtual QWidget &windowWidget() = 0;
    virtual Services &services() = 0;
    virtual Clock &clock() = 0;
    // The dialogs of the services, with the progress windows out of the way of every box.
    virtual Dialogs &dialogs() = 0;
    // The stored language text of key (any letter case); empty when the file did not give it.
    virtual QString text(const QString &key) const = 0;
    // The language text of key as a warning with Yes and No, No focused; true for Yes.
    virtual bool askYesNo(const char *key) = 0;

    // READ and WRITE by the active page of PageControl1: disabled when its position among the
    // visible tabs is 1, 3 or 4 (status, update, reset) and for a unit that runs only its
    // loader, enabled otherwise.
    virtual void setReadWriteByActivePage() = 0;
    // Shows or hides the tab of a page (TabSheet1 .. TabSheet9) of either page control.
    virtual void setPageVisible(const QString &tabSheet, bool visible) = 0;
    virtual bool isPageVisible(const QString &tabSheet) const = 0;

protected:
    WindowShell() = default;
    ~WindowShell() = default;
    WindowShell(const WindowShell &) = delete;
    WindowShell &operator=(const WindowShell &) = delete;

    // The object every control of the layout sits under.
    virtual QObject &controlRoot() const = 0;
};

} // namespace vireo
