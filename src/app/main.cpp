#include "app/Application.h"
#include "app/LanguageTable.h"
#include "app/QtClock.h"
#include "app/QtDialogs.h"
#include "app/Screenshots.h"
#include "app/TAboutBox.h"
#include "app/TForm1.h"
#include "link/gui/QtPortLister.h"
#include "link/gui/QtSerialPort.h"

#include <QElapsedTimer>
#include <QIcon>

int main(int argc, char **argv)
{
    QElapsedTimer started;
    started.start();
    vireo::Application app(argc, argv);
    vireo::Application::setApplicationName(QStringLiteral("VIREO"));
    vireo::installFontSubstitutions();
    try {
        vireo::QtClock clock;
        vireo::QtDialogs dialogs;
        vireo::QtSerialPort port;
        vireo::QtPortLister ports;
        vireo::TForm1 form(vireo::Services{clock, dialogs, port, ports, QString()});
        dialogs.setWindow(&form);
        form.setWindowIcon(QIcon(form.ProgramDir + QStringLiteral("Vireo_icon_64_64.ico")));
        vireo::TAboutBox about(form.ProgramDir, form.SoftwareVersion);
        form.AboutBox = &about;
        form.show();

        const QString shots = qEnvironmentVariable("VIREO_SCREENSHOTS");
        if (!shots.isEmpty())
            return vireo::saveScreenshots(form, about, shots, started.elapsed());
        return app.exec();
    } catch (...) {
        vireo::showStandardError(vireo::currentExceptionMessage());
        return 1;
    }
}
