#pragma once
// The real main window talking to a simulated unit in virtual time, already "connected" (the
// link open and the unit's kind and firmware set as identification would leave them), with
// scripted dialogs and the polling timer stopped so the transcript holds only what a flow sent.
#include "SimulatedPort.h"
#include "UnitSimulator.h"
#include "app/gui/TForm1.h"
#include "seams/VirtualClock.h"
#include "support/KnownValues.h"
#include "support/NullPorts.h"
#include "support/ScriptedDialogs.h"
#include "support/TestProgramDir.h"
#include "widgets/TProgressForm.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vireo::paramtest
{

class ParamsWindowTest : public ::testing::Test
{
protected:
    TForm1 &start(UnitKind kind, const char *firmware)
    {
        UnitConfig config;
        config.kind = kind;
        config.firmware = std::string(firmware);
        unit = std::make_unique<UnitSimulator>(config);
        port = std::make_unique<SimulatedPort>(*unit, clock);
        form = std::make_unique<TForm1>(Services{clock, dialogs, *port, ports, dir.path()});
        form->Timer2->stop();
        form->link.portName = "sim";
        form->link.baudRate = kind == UnitKind::Kind1 ? 230400 : 250000;
        EXPECT_TRUE(form->link.openPort());
        form->unitKind = kind;
        form->FirmwareVersion = firmware;
        form->Connected = true;
        form->setReadWriteByActivePage();
        // As after the connection's read: the window holds known values of every record.
        test::markAllKnown(*form);
        form->showParameters();
        form->showDefaults();
        unit->clearTranscript();
        return *form;
    }

    template <class T = QWidget> T *control(const char *name) const
    {
        return form->control<T>(QString::fromUtf8(name));
    }

    // The command lines the unit heard, with their CR LF.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (const TranscriptEntry &e : unit->transcript())
            out.push_back(e.commandText());
        return out;
    }

    test::TestProgramDir dir;
    VirtualClock clock;
    test::ScriptedDialogs dialogs;
    test::NoPorts ports;
    std::unique_ptr<UnitSimulator> unit;
    std::unique_ptr<SimulatedPort> port;
    std::unique_ptr<TForm1> form; // last: destroyed before what it uses
};

} // namespace vireo::paramtest
