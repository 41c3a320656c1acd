#include "app/QtDialogs.h"

#include "app/TForm1.h"
#include "app/core/FileFilter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <array>

namespace vireo
{

namespace
{

struct ButtonSpec {
    MsgButton button;
    const char *key;
    QMessageBox::ButtonRole role;
};

constexpr std::array<ButtonSpec, 4> Buttons = {{{Ok, "DialogMessageOk", QMessageBox::AcceptRole},
                                                {Yes, "DialogMessageYes", QMessageBox::YesRole},
                                                {No, "DialogMessageNo", QMessageBox::NoRole},
                                                {Cancel, "DialogMessageCancel", QMessageBox::RejectRole}}};

QMessageBox::Icon icon(MsgIcon kind)
{
    switch (kind) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

std::optional<std::string> chosen(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

} // namespace

QString QtDialogs::title() const
{
    return window_ ? window_->windowTitle() : QApplication::applicationName();
}

QString QtDialogs::buttonText(const char *key) const
{
    return window_ ? window_->text(QLatin1String(key)) : QString();
}

MsgButton QtDialogs::message(const MessageRequest &request)
{
    QMessageBox box(icon(request.icon), title(), QString::fromStdString(request.text), QMessageBox::NoButton,
                    window_);
    box.setTextFormat(Qt::PlainText);
    MsgButton answer = Ok;
    QAbstractButton *focused = nullptr;
    std::array<QAbstractButton *, Buttons.size()> made{};
    for (size_t i = 0; i < Buttons.size(); ++i) {
        if (!(request.buttons & Buttons[i].button))
            continue;
        made[i] = box.addButton(buttonText(Buttons[i].key), Buttons[i].role);
        if (Buttons[i].button == request.focused || !focused)
            focused = made[i];
    }
    if (!focused) // a request without buttons still needs a way out
        made[0] = focused = box.addButton(buttonText(Buttons[0].key), Buttons[0].role);
    box.setDefaultButton(qobject_cast<QPushButton *>(focused));
    box.exec();
    for (size_t i = 0; i < Buttons.size(); ++i)
        if (made[i] && box.clickedButton() == made[i])
            answer = Buttons[i].button;
    // Closed without a button (Esc, close box): the escape button's answer, else the first.
    if (!box.clickedButton())
        for (size_t i = 0; i < Buttons.size(); ++i)
            if (made[i] && box.escapeButton() == made[i])
                answer = Buttons[i].button;
    return answer;
}

std::optional<std::string> QtDialogs::openFileName(const FileRequest &request)
{
    return chosen(QFileDialog::getOpenFileName(window_, QString(), QString(),
                                               QString::fromStdString(toQtFilter(request.filter))));
}

std::optional<std::string> QtDialogs::saveFileName(const FileRequest &request)
{
    return chosen(QFileDialog::getSaveFileName(window_, QString(),
                                               QString::fromStdString(request.proposedName),
                                               QString::fromStdString(toQtFilter(request.filter))));
}

} // namespace vireo
