#pragma once
// The main window: composition root of the program. It builds every control with the object
// name of the window layout, owns the long-lived state, and wires each control to its handler.
// Handlers are short and call into the subsystem code; each subsystem defines its TForm1
// members in its own gui/ source file (src/link/gui, src/params/gui, ...).
#include "link/SerialLink.h"
#include "link/Version.h"
#include "seams/Clock.h"
#include "seams/Dialogs.h"
#include "seams/PortLister.h"
#include "seams/SerialPort.h"

#include <QMainWindow>
#include <QString>
#include <stdexcept>

class QTimer;

namespace vireo {

// What the window talks to; production adapters in main.cpp, fakes in tests.
struct Services {
    Clock &clock;
    Dialogs &dialogs;
    SerialPort &port;
    PortLister &ports;
    QString programDir; // with trailing separator; empty = directory of the executable
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(Services services, QWidget *parent = nullptr);
    ~TForm1() override;

    // The control of the layout with this object name; throws std::logic_error when the
    // layout has no such control of that type.
    template <class T> T *control(const QString &name) const
    {
        T *w = findChild<T *>(name);
        if (!w)
            throw std::logic_error("no control named " + name.toStdString());
        return w;
    }

    Services &services() { return services_; }
    Clock &clock() { return services_.clock; }
    Dialogs &dialogs() { return services_.dialogs; }

    // ---- Shell state -------------------------------------------------------------------
    QString ProgramDir;
    QString SoftwareVersion;
    bool Connected = false;
    bool Updating = false;
    bool Resetting = false;
    bool ParamsLoaded = false;

    // ---- Shell (src/app) ---------------------------------------------------------------
    void PageControl1Change();
    void MenuFileEndClick();
    void MenuHelpVersionClick();

    // ---- Device link (src/link/gui) ----------------------------------------------------
    SerialLink link;
    UnitKind unitKind = UnitKind::Kind1;
    std::string FirmwareVersion;
    void ConnectSpeedButtonClick();
    void connectUnit();
    void disconnectUnit();
    void Timer2Timer();
    void PirouCheckButtonClick();

    // ---- Gyro parameters (src/params/gui) ----------------------------------------------
    void ReadButtonClick();
    void WriteButtonClick();

    // ---- Parameter editing (src/editing/gui) -------------------------------------------

    // ---- Parameter files, presets, reset (src/files/gui) -------------------------------
    void MenuFileOpenClick();
    void MenuFileSaveClick();
    void ResetButtonClick();

    // ---- Firmware update (src/firmware/gui) --------------------------------------------
    void FileFirmUpdateButtonClick();

private:
    Services services_;
};

} // namespace vireo
