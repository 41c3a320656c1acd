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

// Saves the working values as taken before the dialog opens. Cancelling ends it silently.
// Before an existing file is replaced that the dialog did not ask about (".gdt" appended to
// the typed name) or that is read-only, the user is asked; No ends the flow with the file as
// it was. A file that cannot be written whole shows the save error and leaves any earlier
// file of that name as it was. True when the file was written.
bool saveParameterFile(FileFlowContext &ctx);

// Opens a parameter file into the working values. Cancelling ends it silently; a chosen file
// that is not a regular file or cannot be read says so, before the save question. A file too
// long, too short for its layout or failing its checksum shows the bad-file box and changes
// nothing. The records loaded are marked as coming from a file. True when values were loaded.
bool openParameterFile(FileFlowContext &ctx);

// A box with a language text (the built-in fallback when the language file lacks the key).
MessageRequest languageMessage(const FileFlowContext &ctx, MsgIcon icon, std::string_view key,
                               unsigned buttons, MsgButton focused, std::string_view fallback = {});

// The message boxes of these flows.
MessageRequest saveQuestion(const FileFlowContext &ctx);
MessageRequest fileOpenErrorBox(const FileFlowContext &ctx);
MessageRequest fileSaveErrorBox(const FileFlowContext &ctx);

} // namespace vireo
