#include "files/ParameterFileFlows.h"

#include "files/ParameterFile.h"

#include <filesystem>
#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace vireo
{

namespace
{

// An existing file this process may not write to (replacing it would still work where the
// folder is writable, so the user is asked first).
bool readOnlyFile(const std::filesystem::path &path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::perms perms = fs::status(path, ec).permissions();
    // No write permission for anyone: read-only even for an administrator, who may write anyway.
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (!ec && (perms & write) == fs::perms::none)
        return true;
#if defined(_WIN32)
    return false;
#else
    return ::access(path.c_str(), W_OK) != 0;
#endif
}

// Asks before the save replaces a file the save dialog has not asked about. True to go on.
bool replacingAllowed(FileFlowContext &ctx, const std::string &chosen, const std::string &name)
{
    const std::filesystem::path path = pathFromUtf8(name);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return true;
    const std::string shown = utf8FromPath(path.filename());
    const bool readOnly = readOnlyFile(path);
    if (!readOnly && name == chosen)
        return true; // the dialog asked about this very name
    MessageRequest question = languageMessage(
        ctx, MsgIcon::Warning, readOnly ? "FileReadOnlyMessage" : "FileReplaceMessage", Yes | No, No);
    question.text = fillIn(question.text, {shown});
    return ctx.dialogs.message(question) == Yes;
}

} // namespace

MessageRequest languageMessage(const FileFlowContext &ctx, MsgIcon icon, std::string_view key,
                               unsigned buttons, MsgButton focused, std::string_view fallback)
{
    MessageRequest r;
    r.icon = icon;
    r.key = std::string(key);
    r.text = ctx.text ? ctx.text(key) : std::string();
    if (r.text.empty())
        r.text = std::string(fallback);
    r.buttons = buttons;
    r.focused = focused;
    return r;
}

MessageRequest saveQuestion(const FileFlowContext &ctx)
{
    return languageMessage(ctx, MsgIcon::Warning, "ParamReadMessage", Yes | No, No);
}

MessageRequest fileOpenErrorBox(const FileFlowContext &ctx)
{
    return languageMessage(ctx, MsgIcon::Error, "FileBadMessage", Ok, Ok, FileOpenErrorText);
}

MessageRequest fileSaveErrorBox(const FileFlowContext &ctx)
{
    return languageMessage(ctx, MsgIcon::Error, "FileSaveErrorMessage", Ok, Ok, FileSaveErrorText);
}

bool saveParameterFile(FileFlowContext &ctx)
{
    const auto bytes = imageBytes(encodeParameterFile(ctx.work));

    FileRequest request;
    request.filter = std::string(SaveDialogFilter);
    request.proposedName = proposedParameterFileName(ctx.now ? ctx.now() : localNow());
    const auto chosen = ctx.dialogs.saveFileName(request);
    if (!chosen)
        return false;

    const std::string name = withParameterExtension(*chosen);
    if (!replacingAllowed(ctx, *chosen, name))
        return false;
    if (!writeFileReplacing(pathFromUtf8(name), bytes)) {
        ctx.dialogs.message(fileSaveErrorBox(ctx));
        return false;
    }
    return true;
}

bool openParameterFile(FileFlowContext &ctx)
{
    FileRequest request;
    request.filter = std::string(OpenDialogFilter);
    const auto chosen = ctx.dialogs.openFileName(request);
    if (!chosen)
        return false;

    // The content is taken now, so a save answered below cannot change what is opened.
    const WordFile file = readWordFile(pathFromUtf8(*chosen));
    if (file.status == FileReadStatus::CannotOpen) {
        MessageRequest box = languageMessage(ctx, MsgIcon::Error, "FileReadErrorMessage", Ok, Ok);
        box.text = fillIn(box.text, {utf8FromPath(pathFromUtf8(*chosen).filename())});
        ctx.dialogs.message(box);
        return false;
    }

    if (ctx.dialogs.message(saveQuestion(ctx)) == Yes)
        saveParameterFile(ctx);

    if (file.status != FileReadStatus::Ok || !loadParameterImage(file.image, ctx.work)) {
        ctx.dialogs.message(fileOpenErrorBox(ctx));
        return false;
    }
    if (ctx.showParameters)
        ctx.showParameters();
    return true;
}

} // namespace vireo
