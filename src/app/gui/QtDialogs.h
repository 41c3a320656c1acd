#pragma once
// The Dialogs seam on QMessageBox and QFileDialog: message boxes titled with the main
// window's caption, with an icon of the message's kind and buttons captioned with the
// language texts DialogMessageOk/Yes/No/Cancel; file dialogs with the given filter, titled
// from the language file, starting in the folder where the same kind of dialog (open, save,
// firmware) was last accepted (remembered in the settings; the user's documents folder the
// first time). A cancelled dialog leaves the remembered folder as it was.
#include "seams/Dialogs.h"

#include <QString>

namespace vireo
{

class TForm1;

class QtDialogs : public Dialogs
{
public:
    // The window whose caption titles the boxes and whose language texts caption the buttons;
    // set once it exists (before that, boxes have the application name as title).
    void setWindow(TForm1 *window) { window_ = window; }

    MsgButton message(const MessageRequest &request) override;
    std::optional<std::string> openFileName(const FileRequest &request) override;
    std::optional<std::string> saveFileName(const FileRequest &request) override;

private:
    std::optional<std::string> fileName(const FileRequest &request, bool save);
    QString title() const;
    QString buttonText(const char *key) const;

    TForm1 *window_ = nullptr;
};

// Where a file dialog starts: the remembered folder while it exists, else the user's
// documents folder (the home folder when there is none).
QString startFolder(const QString &remembered);

} // namespace vireo
