#include "app/gui/Application.h"

#include <QMessageBox>

namespace vireo
{

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showStandardError(currentExceptionMessage());
    }
    return false;
}

void showStandardError(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), message, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString currentExceptionMessage()
{
    try {
        throw;
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QString();
    }
}

} // namespace vireo
