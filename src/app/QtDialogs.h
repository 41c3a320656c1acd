#pragma once
// The Dialogs seam on QMessageBox and QFileDialog: message boxes titled with the main
// window's caption, with an icon of the message's kind and buttons captioned with the
// language texts DialogMessageOk/Yes/No/Cancel; file dialogs with the given filter.
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
    QString title() const;
    QString buttonText(const char *key) const;

    TForm1 *window_ = nullptr;
};

} // namespace vireo
