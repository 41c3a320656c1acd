#pragma once
// The keys of the language file: what each one does and which controls it addresses.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace vireo
{

// What a matching line does (fields counted from 1: 2 text, 3 to 5 font).
enum class LanguageKeyKind {
    C,  // caption = text; font from fields 3 to 5
    M,  // menu item caption = text; no font
    S,  // text stored for later use; no control
    SX, // text stored; caption emptied; font set
    SC, // text stored; caption = text; font set
    SF, // text stored; only the font is set
    I,  // combo item `item` of each listed combo box = text
    I0, // as I, and the font of each listed combo box is set
    ML, // font set; caption = the "#"-separated lines of the text
};

bool storesText(LanguageKeyKind kind);
bool setsFont(LanguageKeyKind kind);

struct LanguageKey {
    std::string_view key;
    LanguageKeyKind kind;
    // Object names of the addressed controls, unused slots empty. A control of another
    // window owned by the main window is written "Window/Control" (the progress windows).
    std::array<std::string_view, 4> controls{};
    int item = -1; // combo box item for I and I0
};

// Every key, in the order in which a matching line is tried against them.
std::span<const LanguageKey> languageKeys();

// The key entry whose name equals key, letter case ignored; nullptr for an unknown key.
const LanguageKey *findLanguageKey(std::u16string_view key);

} // namespace vireo
