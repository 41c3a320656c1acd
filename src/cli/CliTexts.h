#pragma once
// The language file as vireo-cli reads it: the text of every key, without the window's
// controls. The caller decodes the file's Shift-JIS bytes; this keeps the texts as UTF-8.
#include <map>
#include <string>
#include <string_view>

namespace vireo
{

class CliTexts
{
public:
    // Takes every line of the decoded file; a key given twice keeps its last text.
    void load(std::u16string_view decoded);
    // The text of key (any letter case); the key itself when the file does not give it, so a
    // message is never silently empty.
    std::string text(std::string_view key) const;
    bool has(std::string_view key) const;

private:
    std::map<std::string, std::string> texts_; // by lower-case key
};

} // namespace vireo
