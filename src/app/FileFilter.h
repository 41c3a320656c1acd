#pragma once
// File dialog filters as the window layout writes them ("Name|*.ext|Name|*.ext"), and their
// conversion into the form Qt's file dialogs take ("Name (*.ext);;Name (*.ext)").
#include <string>
#include <string_view>

namespace vireo
{

inline constexpr std::string_view SaveDialogFilter = "VIREO File|*.gdt";              // parameter file, save
inline constexpr std::string_view OpenDialogFilter = "VIREO File|*.gdt|All File|*.*"; // parameter file, open
inline constexpr std::string_view UpdateDialogFilter = "firmware|*.dat";              // firmware update
inline constexpr std::string_view OpenDialog1Filter = "kalmfirm|*.dat";

// Pairs of description and patterns separated by "|"; several patterns of one pair are
// separated by ";" and become blank-separated. A description without patterns matches every
// file; empty pairs are dropped.
std::string toQtFilter(std::string_view filter);

} // namespace vireo
