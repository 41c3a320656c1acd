#pragma once
// Names and dialog texts of parameter files.
#include <string>
#include <string_view>

namespace vireo
{

inline constexpr std::string_view ParameterFileExtension = ".gdt";
inline constexpr std::string_view SaveDialogFilter = "VIREO File|*.gdt";
inline constexpr std::string_view OpenDialogFilter = "VIREO File|*.gdt|All File|*.*";
// Built-in texts of the file error boxes (not in the language table).
inline constexpr std::string_view FileOpenErrorText = "The file cannot be opened";
inline constexpr std::string_view FileSaveErrorText = "The file cannot be saved";

struct LocalDateTime {
    int month = 1; // 1..12
    int day = 1;
    int hour = 0; // 0..23
    int minute = 0;
};

LocalDateTime localNow();

// "gyro_" + mmddhhnn + ".gdt", every part two digits with a leading zero.
std::string proposedParameterFileName(const LocalDateTime &when);

// The name as typed, with ".gdt" appended unless its last four characters already are
// ".gdt" in any letter case.
std::string withParameterExtension(std::string name);

} // namespace vireo
