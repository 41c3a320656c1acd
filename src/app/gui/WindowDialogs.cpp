#include "app/gui/WindowDialogs.h"

#include "widgets/TProgressForm.h"

#include <QProgressBar>

#include <utility>
#include <vector>

namespace vireo
{

WindowDialogs::WindowDialogs(Dialogs &inner, QList<TProgressForm *> progressForms) : inner_(inner)
{
    for (TProgressForm *form : progressForms)
        progressForms_.append(form);
}

template <class F> auto WindowDialogs::withProgressHidden(F &&show)
{
    std::vector<std::pair<QPointer<TProgressForm>, int>> hidden;
    for (const QPointer<TProgressForm> &form : progressForms_)
        if (form && form->isVisible()) {
            hidden.emplace_back(form, form->position());
            form->hide();
        }
    auto answer = show();
    for (auto &[form, position] : hidden)
        if (form) {
            form->show(); // showing starts the bar at 0: put it back where it was
            form->ProgressBar1->setValue(position);
        }
    return answer;
}

MsgButton WindowDialogs::message(const MessageRequest &request)
{
    return withProgressHidden([&] { return inner_.message(request); });
}

std::optional<std::string> WindowDialogs::openFileName(const FileRequest &request)
{
    return withProgressHidden([&] { return inner_.openFileName(request); });
}

std::optional<std::string> WindowDialogs::saveFileName(const FileRequest &request)
{
    return withProgressHidden([&] { return inner_.saveFileName(request); });
}

} // namespace vireo
