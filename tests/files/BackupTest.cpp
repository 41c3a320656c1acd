#include "files/Backup.h"

#include "files/FileTestSupport.h"
#include "files/ParameterFile.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

using test::distinctValues;
using test::ScratchDir;

void knowAll(ParameterSet &s, Origin o)
{
    for (auto &axis : s.origins.axes)
        axis.fill(o);
    s.origins.common = o;
}

TEST(Backup, FolderAndName)
{
    EXPECT_EQ(backupDirectory("/data", "/home/pilot"), std::filesystem::path("/data/vireo/backups"));
    EXPECT_EQ(backupDirectory("", "/home/pilot"),
              std::filesystem::path("/home/pilot/.local/share/vireo/backups"));
    EXPECT_EQ(backupDirectory(nullptr, "/home/pilot"),
              std::filesystem::path("/home/pilot/.local/share/vireo/backups"));
    EXPECT_EQ(backupDirectory("relative", "/home/pilot"),
              std::filesystem::path("/home/pilot/.local/share/vireo/backups"));
    EXPECT_EQ(backupDirectory(nullptr, nullptr), std::nullopt);

    const LocalDateTime when{12, 10, 14, 32, 2026};
    EXPECT_EQ(backupFileName(when, {UnitKind::Kind2, " 0.5.0"}), "backup_20261210_1432_kind2_0.5.0.gdt");
    EXPECT_EQ(backupFileName({1, 2, 3, 4, 2027}, {UnitKind::Kind1, " 1.0.5"}),
              "backup_20270102_0304_kind1_1.0.5.gdt");
    // Whatever a unit reports, the name holds no separator or other unsafe character.
    EXPECT_EQ(backupFileName(when, {UnitKind::Kind2, " 0/5\\:*?\"<>|"}),
              "backup_20261210_1432_kind2_0-5--------.gdt");
    EXPECT_EQ(backupFileName(when, {UnitKind::Kind2, ""}), "backup_20261210_1432_kind2_unknown.gdt");
}

TEST(Backup, WrittenAsSaveWritesOnlyWhenEveryRecordIsKnown)
{
    ScratchDir dir;
    const auto folder = dir / "data" / "vireo" / "backups"; // created on the first backup
    const LocalDateTime when{12, 10, 14, 32, 2026};
    const UnitProfile unit{UnitKind::Kind2, " 0.3.8"}; // mode set 2 is not in this unit
    ParameterSet work = distinctValues(-10);

    // Mode set 2 never read does not matter; the common block does.
    knowAll(work, Origin::Unit);
    for (auto &axis : work.origins.axes)
        axis[2] = Origin::Unknown;
    work.origins.common = Origin::Unknown;
    EXPECT_EQ(saveBackup(work, unit, folder, when).status, BackupStatus::ValuesUnknown);
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(backupCoversUnit(work, {UnitKind::Kind2, " 0.5.0"}));

    work.origins.common = Origin::User;
    const BackupResult first = saveBackup(work, unit, folder, when);
    ASSERT_EQ(first.status, BackupStatus::Saved);
    EXPECT_EQ(first.path, folder / "backup_20261210_1432_kind2_0.3.8.gdt");
    EXPECT_EQ(test::readBytes(first.path), imageBytes(encodeParameterFile(work)));

    // A second backup within the same minute keeps the first.
    const ParameterSet later = distinctValues(500);
    ParameterSet laterKnown = later;
    knowAll(laterKnown, Origin::Preset);
    const BackupResult second = saveBackup(laterKnown, unit, folder, when);
    ASSERT_EQ(second.status, BackupStatus::Saved);
    EXPECT_EQ(second.path, folder / "backup_20261210_1432_kind2_0.3.8-2.gdt");
    EXPECT_EQ(test::readBytes(first.path), imageBytes(encodeParameterFile(work)));
    EXPECT_EQ(test::readBytes(second.path), imageBytes(encodeParameterFile(later)));

    // A folder that cannot be made (a file stands in its way), or no folder at all.
    test::writeBytes(dir / "blocked", {1});
    const BackupResult blocked = saveBackup(work, unit, dir / "blocked" / "backups", when);
    EXPECT_EQ(blocked.status, BackupStatus::Failed);
    EXPECT_EQ(blocked.path, dir / "blocked" / "backups" / "backup_20261210_1432_kind2_0.3.8.gdt");
    EXPECT_EQ(saveBackup(work, unit, std::nullopt, when).status, BackupStatus::Failed);
}

} // namespace
} // namespace vireo
