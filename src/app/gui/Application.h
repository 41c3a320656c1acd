#pragma once
// The application object. An exception that escapes an event handler is shown in the
// standard error box and the program goes on, so a flow that meets a conversion error ends
// there and the window stays usable.
#include <QApplication>

#include <exception>

namespace vireo
{

class Application : public QApplication
{
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// The standard error box: error icon, the application's name as title, the message.
void showStandardError(const QString &message);
// The message of the exception being handled (empty for objects that are no std::exception).
QString currentExceptionMessage();

} // namespace vireo
