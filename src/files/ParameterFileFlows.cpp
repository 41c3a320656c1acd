#include "files/ParameterFileFlows.h"

#include "files/ParameterFile.h"

namespace vireo
{

MessageRequest saveQuestion(const FileFlowContext &ctx)
{
    MessageRequest r;
    r.icon = MsgIcon::Warning;
    r.key = "ParamReadMessage";
    r.text = ctx.text ? ctx.text(r.key) : std::string();
    r.buttons = Yes | No;
    r.focused = No;
    return r;
}

MessageRequest fileOpenErrorBox()
{
    MessageRequest r;
    r.icon = MsgIcon::Error;
    r.text = std::string(FileOpenErrorText);
    r.buttons = Ok;
    r.focused = Ok;
    return r;
}

MessageRequest fileSaveErrorBox()
{
    MessageRequest r = fileOpenErrorBox();
    r.text = std::string(FileSaveErrorText);
    return r;
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
    if (!writeFileReplacing(pathFromUtf8(name), bytes)) {
        ctx.dialogs.message(fileSaveErrorBox());
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
    if (file.status == FileReadStatus::CannotOpen)
        return false;

    if (ctx.dialogs.message(saveQuestion(ctx)) == Yes)
        saveParameterFile(ctx);

    if (file.status != FileReadStatus::Ok || !loadParameterImage(file.image, ctx.work)) {
        ctx.dialogs.message(fileOpenErrorBox());
        return false;
    }
    if (ctx.showParameters)
        ctx.showParameters();
    return true;
}

} // namespace vireo
