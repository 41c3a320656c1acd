#pragma once
// The dialogs as the main window's flows use them: a progress window on screen is hidden while
// a box or a file dialog is up (left there, it would sit behind the box as if the flow went
// on) and shown again, at the position its bar had, when the flow carries on after it.
#include "seams/Dialogs.h"

#include <QList>
#include <QPointer>

namespace vireo
{

class TProgressForm;

class WindowDialogs : public Dialogs
{
public:
    WindowDialogs(Dialogs &inner, QList<TProgressForm *> progressForms);

    MsgButton message(const MessageRequest &request) override;
    std::optional<std::string> openFileName(const FileRequest &request) override;
    std::optional<std::string> saveFileName(const FileRequest &request) override;

private:
    template <class F> auto withProgressHidden(F &&show);

    Dialogs &inner_;
    QList<QPointer<TProgressForm>> progressForms_;
};

} // namespace vireo
