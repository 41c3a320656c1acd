#pragma once
// A language text of the window as the Qt-free flows take it: by an ASCII key, in UTF-8.
#include "app/gui/WindowShell.h"

#include <string>
#include <string_view>

namespace vireo
{

inline std::string windowText(const WindowShell &form, std::string_view key)
{
    return form.text(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()))).toStdString();
}

} // namespace vireo
