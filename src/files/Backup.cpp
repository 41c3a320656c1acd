#include "files/Backup.h"

#include "files/ParameterFile.h"
#include "params/SendCheck.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace vireo
{

namespace
{

constexpr int MaxSameMinuteBackups = 99;

std::optional<std::filesystem::path> absoluteFolder(const char *text)
{
    if (text == nullptr || *text == '\0')
        return std::nullopt;
    std::filesystem::path p = pathFromUtf8(text);
    if (!p.is_absolute())
        return std::nullopt;
    return p;
}

std::string safeFirmware(std::string_view firmware)
{
    while (!firmware.empty() && firmware.front() == ' ')
        firmware.remove_prefix(1);
    std::string out;
    for (char c : firmware) {
        const bool safe = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          c == '.' || c == '-';
        out += safe ? c : '-';
    }
    return out.empty() ? std::string("unknown") : out;
}

} // namespace

std::optional<std::filesystem::path> backupDirectory(const char *xdgDataHome, const char *home)
{
    if (const auto data = absoluteFolder(xdgDataHome))
        return *data / "vireo" / "backups";
    if (const auto h = absoluteFolder(home))
        return *h / ".local" / "share" / "vireo" / "backups";
    return std::nullopt;
}

std::optional<std::filesystem::path> backupDirectory()
{
    return backupDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string backupFileName(const LocalDateTime &when, const UnitProfile &unit)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d", when.year % 10000, when.month % 100,
                  when.day % 100, when.hour % 100, when.minute % 100);
    return "backup_" + std::string(stamp) + (unit.kind == UnitKind::Kind1 ? "_kind1_" : "_kind2_") +
           safeFirmware(unit.firmware) + std::string(ParameterFileExtension);
}

bool backupCoversUnit(const ParameterSet &work, const UnitProfile &unit)
{
    // The records a WRITE would send are those the unit holds.
    const std::vector<RecordRef> records = mainWriteRecords();
    return checkBeforeSend(work, unit, records).unknown.empty();
}

BackupResult saveBackup(const ParameterSet &work, const UnitProfile &unit,
                        const std::optional<std::filesystem::path> &dir, const LocalDateTime &when)
{
    namespace fs = std::filesystem;
    if (!backupCoversUnit(work, unit))
        return {BackupStatus::ValuesUnknown, {}};
    if (!dir)
        return {BackupStatus::Failed, {}};

    const std::string name = backupFileName(when, unit);
    fs::path path = *dir / name;
    std::error_code ec;
    fs::create_directories(*dir, ec);
    if (ec)
        return {BackupStatus::Failed, path};
    const std::string stem = name.substr(0, name.size() - ParameterFileExtension.size());
    for (int n = 2; fs::exists(path, ec) || ec; ++n) {
        if (n > MaxSameMinuteBackups)
            return {BackupStatus::Failed, path};
        path = *dir / (stem + "-" + std::to_string(n) + std::string(ParameterFileExtension));
    }

    const auto bytes = imageBytes(encodeParameterFile(work));
    if (!writeFileReplacing(path, bytes))
        return {BackupStatus::Failed, path};
    return {BackupStatus::Saved, path};
}

bool backupBeforeOverwrite(Dialogs &dialogs, const TextOf &text, const ParameterSet &work,
                           const UnitProfile &unit, std::string &note)
{
    note.clear();
    const BackupResult backup = saveBackup(work, unit, backupDirectory(), localNow());
    switch (backup.status) {
    case BackupStatus::Saved:
        note = "\n" + fillIn(text("BackupSavedLine"), {utf8FromPath(backup.path)});
        return true;
    case BackupStatus::ValuesUnknown:
        return true; // values never read whole are nothing to go back to
    case BackupStatus::Failed:
        break;
    }
    const std::string where = backup.path.empty() ? std::string("XDG_DATA_HOME") : utf8FromPath(backup.path);
    const MessageRequest question{MsgIcon::Warning, "BackupFailedMessage",
                                  fillIn(text("BackupFailedMessage"), {where}), Yes | No, No};
    return dialogs.message(question) == Yes;
}

} // namespace vireo
