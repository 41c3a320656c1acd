#pragma once
// The window side of parameter files, presets and the reset: File, Open and File, Save, the
// backup before a flow overwrites the unit, and the RESET page. The flows run in the Qt-free
// cores (files/ParameterFileFlows.h, files/ResetFlow.h) on the parameter subsystem's working
// values with the window's dialogs, language texts, the reset's progress window and the link.
#include "app/gui/WindowShell.h"
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"

#include <string>

class QComboBox;
class QPushButton;

namespace vireo
{

class SerialLink;
class TProgressForm;

// The controls the files controller uses, by their layout names.
struct FilesView {
    QComboBox *ResHeliSelectComboBox = nullptr;
    QPushButton *ReadButton = nullptr;
    QPushButton *WriteButton = nullptr;

    static FilesView find(const WindowShell &shell);
};

// What parameter files and the reset need of the other subsystems.
class FilesWindow
{
public:
    virtual SerialLink &unitLink() = 0;
    virtual ParameterSet &workValues() = 0;
    virtual UnitProfile unitProfile() const = 0;
    virtual void showParameters() = 0;
    virtual void applyAxisMode() = 0;
    virtual void takeUnitCopy() = 0;
    virtual void endOfMainFlow() = 0;

protected:
    FilesWindow() = default;
    ~FilesWindow() = default;
    FilesWindow(const FilesWindow &) = delete;
    FilesWindow &operator=(const FilesWindow &) = delete;
};

class FilesController
{
public:
    FilesController(WindowShell &shell, FilesWindow &window) : shell_(shell), window_(window) {}

    // Looks the controls up; once, right after the layout is built.
    void attachView();

    TProgressForm *ResetProgressForm = nullptr; // created by the window's start-up, step 2

    void MenuFileOpenClick();
    void MenuFileSaveClick();
    void ResetButtonClick();
    // WorkValues into a parameter file the user names; also what READ and File, Open offer
    // before they replace the working values. Reports only a file it could not write.
    void saveParameterFile();
    // A parameter file into WorkValues, after offering to save them; then showParameters.
    void openParameterFile();
    // Preset p (selector item minus one) from ProgramDir into WorkValues; false, with nothing
    // loaded, when its pair of files is missing, unreadable or damaged.
    bool loadPreset(int p);
    // RESET page: confirmation, backup, factory reset or preset, read-back, completion.
    void resetFlow();
    // Before a flow that overwrites the unit (RESET, firmware update): WorkValues saved as a
    // backup file when every record the unit holds is known. note gets the line that names
    // the file, for the flow's closing message. False when the backup could not be written
    // and the user chose not to go on.
    bool backupBeforeOverwrite(std::string &note);

private:
    class ResetHost;

    WindowShell &shell_;
    FilesWindow &window_;
    FilesView view_;
};

} // namespace vireo
