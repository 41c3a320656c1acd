#pragma once
// The RESET page's flow as the user sees it, from the confirmation to the completion message:
// confirmation led by what the reset puts into the unit, the backup, the preset, the reset
// sequence with its progress, and the boxes that say how it ended. Qt-free; the window and
// vireo-cli supply the operations through ResetFlowHost, so both run the same flow.
#include "files/ResetSequence.h"
#include "link/SerialLink.h"
#include "params/ParameterSet.h"
#include "params/UnitConversion.h"
#include "seams/Clock.h"
#include "seams/Dialogs.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vireo
{

class ResetFlowHost
{
public:
    virtual ~ResetFlowHost() = default;

    virtual Dialogs &dialogs() = 0;
    virtual std::string text(std::string_view key) = 0;
    virtual SerialLink &link() = 0;
    virtual Clock &clock() = 0;
    virtual ParameterSet &workValues() = 0;
    virtual UnitProfile unitProfile() = 0;
    // Where the preset files are (the program directory).
    virtual std::filesystem::path presetDir() = 0;

    // The reset's progress window: shown at 0, stepped, closed.
    virtual void showProgress() = 0;
    virtual void stepProgress(int n) = 0;
    virtual void closeProgress() = 0;
    virtual void setReadWriteEnabled(bool enabled) = 0;

    virtual void applyAxisMode() = 0;
    // The unit copy follows the working values (see ParameterFlowHost::takeUnitCopy).
    virtual void takeUnitCopy() = 0;
    virtual void showParameters() = 0;
    // Progress bar of the update page to 0 and READ/WRITE by the active page, when connected.
    virtual void endOfMainFlow() = 0;
};

enum class ResetFlowEnd {
    Declined,  // the confirmation or the backup question was not answered yes: nothing sent
    Completed, // the unit took the reset and gave its values back
    Failed     // a box said what went wrong
};

// heli: 0 for the factory reset, otherwise the preset selector's item (preset heli - 1);
// presetName: that item's text, for the confirmation.
ResetFlowEnd runResetFlow(ResetFlowHost &host, int heli, const std::string &presetName);

} // namespace vireo
