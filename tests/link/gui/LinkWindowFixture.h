#pragma once
// The real main window with a simulated unit behind a simulated FTDI port, in virtual time,
// with scripted dialogs. Ticks of Timer2 are run by the test, never by the real timer.
#include "app/gui/TForm1.h"
#include "seams/VirtualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestProgramDir.h"

#include "SimulatedPort.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vireo::test
{

// Scripted dialogs that can act while a box is open, as the user's event loop would.
class DialogsWithHook : public Dialogs
{
public:
    explicit DialogsWithHook(ScriptedDialogs &script) : script_(script) {}
    std::function<void()> whileOpen;
    std::function<void()> onEveryMessage; // runs for every box, before whileOpen

    MsgButton message(const MessageRequest &request) override
    {
        if (onEveryMessage)
            onEveryMessage();
        if (whileOpen) {
            const auto hook = whileOpen; // the hook may clear itself
            hook();
        }
        return script_.message(request);
    }
    std::optional<std::string> openFileName(const FileRequest &r) override { return script_.openFileName(r); }
    std::optional<std::string> saveFileName(const FileRequest &r) override { return script_.saveFileName(r); }

private:
    ScriptedDialogs &script_;
};

inline UnitConfig unitConfig(UnitKind kind, std::optional<std::string> firmware)
{
    UnitConfig c;
    c.kind = kind;
    c.firmware = std::move(firmware);
    return c;
}

// The longest stretch of virtual time in which the window dispatched no events: from the
// start, between event pumps and boxes (a box runs its own event loop), to the end.
class FreezeMeter
{
public:
    FreezeMeter(VirtualClock &clock, DialogsWithHook &dialogs) : clock_(clock), dialogs_(dialogs)
    {
        last_ = clock_.nowMs();
        clock_.onProcessEvents = [this] { mark(); };
        dialogs_.onEveryMessage = [this] { mark(); };
    }
    ~FreezeMeter()
    {
        clock_.onProcessEvents = nullptr;
        dialogs_.onEveryMessage = nullptr;
    }
    FreezeMeter(const FreezeMeter &) = delete;
    FreezeMeter &operator=(const FreezeMeter &) = delete;

    std::int64_t longestMs()
    {
        mark();
        return longest_;
    }

private:
    void mark()
    {
        longest_ = std::max(longest_, clock_.nowMs() - last_);
        last_ = clock_.nowMs();
    }

    VirtualClock &clock_;
    DialogsWithHook &dialogs_;
    std::int64_t last_ = 0;
    std::int64_t longest_ = 0;
};

class LinkWindowFixture : public ::testing::Test
{
protected:
    // A unit on the second of two FTDI ports (the first has nothing behind it).
    // Starting again replaces window, bus and unit.
    TForm1 &start(UnitConfig config)
    {
        form.reset();
        bus = std::make_unique<SimulatedBus>(clock);
        unit = std::make_unique<UnitSimulator>(std::move(config));
        bus->addPort("/dev/ttyUSB0", SimulatedBus::ftdiBusId("EMPTY"));
        bus->addPort("/dev/ttyUSB1", SimulatedBus::ftdiBusId("A50285BI"), unit.get());
        form = std::make_unique<TForm1>(Services{clock, dialogs, bus->port(), *bus, dir.path()});
        return *form;
    }

    void connect()
    {
        control<QAbstractButton>("ConnectSpeedButton")->click();
        form->Timer2->stop(); // ticks come from the test
    }

    void tick() { form->Timer2Timer(); }

    template <class T = QWidget> T *control(const char *name) const
    {
        return form->control<T>(QString::fromUtf8(name));
    }
    QString textOf(const char *name) const { return control<QLabel>(name)->text(); }
    QString language(const char *key) const { return form->text(QString::fromLatin1(key)); }
    bool shown(const char *name) const { return !control(name)->isHidden(); }

    std::vector<std::string> commandsSince(std::size_t from) const
    {
        const auto names = unit->commandNames();
        return std::vector<std::string>(names.begin() + static_cast<std::ptrdiff_t>(from), names.end());
    }

    TestProgramDir dir;
    VirtualClock clock;
    ScriptedDialogs script;
    DialogsWithHook dialogs{script};
    std::unique_ptr<SimulatedBus> bus;
    std::unique_ptr<UnitSimulator> unit;
    std::unique_ptr<TForm1> form; // last: destroyed before what it uses
};

} // namespace vireo::test
