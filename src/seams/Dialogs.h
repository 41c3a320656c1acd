#pragma once
// Modal dialogs as the program's flows use them. Production: QMessageBox titled with the
// window caption, buttons captioned from the language texts, and QFileDialog; tests: a
// scripted queue that fails the test on an unexpected or a missing dialog.
#include <optional>
#include <string>

namespace vireo
{

enum class MsgIcon { Information, Warning, Error, Question };

// Buttons as bit flags; the answer is exactly one of them.
enum MsgButton : unsigned { Ok = 1, Yes = 2, No = 4, Cancel = 8 };

struct MessageRequest {
    MsgIcon icon = MsgIcon::Information;
    std::string key;  // language key of the text ("ConnectErrorMessage"), or empty for built-in texts
    std::string text; // UTF-8 text shown
    unsigned buttons = Ok;
    MsgButton focused = Ok;
};

// What a file dialog is for: each kind starts in the folder its last use ended in.
enum class FileKind { Parameters, Firmware };

struct FileRequest {
    std::string filter;       // "VIREO File|*.gdt|All File|*.*"
    std::string proposedName; // save only
    FileKind kind = FileKind::Parameters;
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual MsgButton message(const MessageRequest &request) = 0;
    // The chosen path (UTF-8), or nothing when the user cancelled.
    virtual std::optional<std::string> openFileName(const FileRequest &request) = 0;
    virtual std::optional<std::string> saveFileName(const FileRequest &request) = 0;
};

} // namespace vireo
