#pragma once
// Saving and opening parameter files as the user sees it: dialogs, the save question before
// the working values are replaced, and the error boxes. Qt-free; the window supplies the
// dialogs, the language texts and the display refresh.
#include "files/FileNames.h"
#include "params/ParameterSet.h"
#include "seams/Dialogs.h"

#include <functional>
#include <string>
#include <string_view>

namespace vireo
{

struct FileFlowContext {
    Dialogs &dialogs;
    std::function<std::string(std::string_view key)> text; // language text of a key (UTF-8)
    ParameterSet &work;                                    // WorkValues
    std::function<void()> showParameters;
    std::function<LocalDateTime()> now = localNow;
};

// Saves the working values as taken before the dialog opens. Cancelling ends it silently; a
// file that cannot be written whole shows "The file cannot be saved" and leaves any earlier
// file of that name as it was. True when the file was written.
bool saveParameterFile(FileFlowContext &ctx);

// Opens a parameter file into the working values. Cancelling or an unopenable file ends it
// silently before the save question; a file too long or failing its checksum shows
// "The file cannot be opened" and changes nothing. True when values were loaded.
bool openParameterFile(FileFlowContext &ctx);

// The message boxes of these flows, also used by the reset.
MessageRequest saveQuestion(const FileFlowContext &ctx);
MessageRequest fileOpenErrorBox();
MessageRequest fileSaveErrorBox();

} // namespace vireo
