#pragma once
// Backups before the flows that overwrite the unit's values (RESET, the firmware update): the
// working values written exactly as File > Save writes them, into the user's data folder,
// under a name with the date, time, unit kind and firmware.
#include "files/FileNames.h"
#include "params/ParameterSet.h"
#include "params/SendCheck.h"
#include "params/UnitConversion.h"
#include "seams/Dialogs.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vireo
{

// "$XDG_DATA_HOME/vireo/backups", or "$HOME/.local/share/vireo/backups" when XDG_DATA_HOME is
// unset, empty or not absolute; nothing when neither gives a folder.
std::optional<std::filesystem::path> backupDirectory(const char *xdgDataHome, const char *home);
// The same from this process's environment.
std::optional<std::filesystem::path> backupDirectory();

// "backup_yyyymmdd_hhnn_kindK_<firmware>.gdt"; the firmware without its leading blank, and
// every character other than letters, digits, '.' and '-' replaced by '-'.
std::string backupFileName(const LocalDateTime &when, const UnitProfile &unit);

// True when every record the file carries that this unit holds (the axis records of its mode
// sets and the common block) has a known origin: only then is a backup the unit's values.
bool backupCoversUnit(const ParameterSet &work, const UnitProfile &unit);

enum class BackupStatus {
    Saved,         // path is the file written
    ValuesUnknown, // not every record is known: nothing written
    Failed         // path is the file that could not be written (empty: no folder at all)
};
struct BackupResult {
    BackupStatus status = BackupStatus::Failed;
    std::filesystem::path path;
};

// Writes the backup into dir (created when missing). An earlier backup is never replaced: a
// name already taken gets "-2", "-3", ... before its extension.
BackupResult saveBackup(const ParameterSet &work, const UnitProfile &unit,
                        const std::optional<std::filesystem::path> &dir, const LocalDateTime &when);

// Before a flow that overwrites the unit (RESET, the firmware update): the working values saved
// as a backup when every record the unit holds is known. note gets the line that names the
// file, for the flow's closing message. A backup that cannot be written asks whether to go on
// without one (No focused); false when the answer is not Yes.
bool backupBeforeOverwrite(Dialogs &dialogs, const TextOf &text, const ParameterSet &work,
                           const UnitProfile &unit, std::string &note);

} // namespace vireo
