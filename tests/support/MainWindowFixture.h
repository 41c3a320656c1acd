#pragma once
// The real main window on the offscreen platform, with virtual time, scripted dialogs, no
// serial ports and a program directory of its own.
#include "app/gui/TForm1.h"
#include "seams/VirtualClock.h"
#include "support/KnownValues.h"
#include "support/NullPorts.h"
#include "support/ScriptedDialogs.h"
#include "support/TestProgramDir.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

#include <memory>

namespace vireo::test
{

class MainWindowFixture : public ::testing::Test
{
protected:
    // Constructs the window (start-up sequence, splash included, in virtual time).
    TForm1 &start()
    {
        form = std::make_unique<TForm1>(Services{clock, dialogs, port, ports, dir.path()});
        return *form;
    }

    // The window as after a complete read: every record known, the columns showing them.
    void holdKnownValues()
    {
        markAllKnown(*form);
        form->showParameters();
        form->showDefaults();
    }

    template <class T = QWidget> T *control(const char *name) const
    {
        return form->control<T>(QString::fromUtf8(name));
    }

    // Language file lines (UTF-8 here) as the Shift-JIS bytes the program reads.
    static QByteArray shiftJis(const QString &text)
    {
        QStringEncoder encoder("Shift_JIS");
        return encoder(text);
    }

    TestProgramDir dir;
    VirtualClock clock;
    ScriptedDialogs dialogs;
    ClosedPort port;
    NoPorts ports;
    std::unique_ptr<TForm1> form; // last: destroyed before what it uses
};

} // namespace vireo::test
