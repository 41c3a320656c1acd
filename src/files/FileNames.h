#pragma once
// Names and dialog texts of parameter files.
#include <initializer_list>
#include <string>
#include <string_view>

namespace vireo
{

inline constexpr std::string_view ParameterFileExtension = ".gdt";
inline constexpr std::string_view SaveDialogFilter = "VIREO File|*.gdt";
inline constexpr std::string_view OpenDialogFilter = "VIREO File|*.gdt|All File|*.*";
// Built-in texts of the file error boxes, shown when the language file lacks their keys.
inline constexpr std::string_view FileOpenErrorText = "The file cannot be opened";
inline constexpr std::string_view FileSaveErrorText = "The file cannot be saved";

struct LocalDateTime {
    int month = 1; // 1..12
    int day = 1;
    int hour = 0; // 0..23
    int minute = 0;
    int year = 2000;
};

LocalDateTime localNow();

// "gyro_" + mmddhhnn + ".gdt", every part two digits with a leading zero.
std::string proposedParameterFileName(const LocalDateTime &when);

// The name as typed, with ".gdt" appended unless its last four characters already are
// ".gdt" in any letter case.
std::string withParameterExtension(std::string name);

// A language text with "%1", "%2", ... replaced by the values in order; a value whose mark the
// text lacks (a language file of an older release) is appended after a blank.
std::string fillIn(std::string_view text, std::initializer_list<std::string_view> values);

} // namespace vireo
