#include "app/gui/QtDialogs.h"

#include "app/FileFilter.h"
#include "app/gui/Captions.h"
#include "app/gui/Settings.h"
#include "app/gui/TForm1.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

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
    QMessageBox box(icon(request.icon), title(), phrased(QString::fromStdString(request.text)),
                    QMessageBox::NoButton, window_);
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
    return fileName(request, false);
}

std::optional<std::string> QtDialogs::saveFileName(const FileRequest &request)
{
    return fileName(request, true);
}

std::optional<std::string> QtDialogs::fileName(const FileRequest &request, bool save)
{
    const char *folderKey = save                                 ? setting::SaveFolder
                            : request.kind == FileKind::Firmware ? setting::FirmwareFolder
                                                                 : setting::OpenFolder;
    const char *titleKey = save                                 ? "FileSaveDialogTitle"
                           : request.kind == FileKind::Firmware ? "FirmwareDialogTitle"
                                                                : "FileOpenDialogTitle";
    const auto settings = openSettings();
    QFileDialog dialog(window_, window_ ? window_->text(QLatin1String(titleKey)) : QString(),
                       startFolder(settings->value(QLatin1String(folderKey)).toString()),
                       QString::fromStdString(toQtFilter(request.filter)));
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save)
        dialog.selectFile(QString::fromStdString(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt; // the remembered folder stays as it was
    const QString path = dialog.selectedFiles().constFirst();
    settings->setValue(QLatin1String(folderKey), QFileInfo(path).absolutePath());
    return chosen(path);
}

QString startFolder(const QString &remembered)
{
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace vireo
