#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/LanguageTable.h"
#include "app/ProgramData.h"
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
    QCoreApplication::setApplicationName(QStringLiteral("VIREO"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VIREO_VERSION));
    if (vireo::asksForTextOnly(argc, argv)) {
        // Help and version need no display: answered before a window system is opened.
        QCoreApplication core(argc, argv);
        return vireo::printAnswer(
            vireo::readCommandLine(core.arguments(), vireo::commandLineTexts(vireo::programDataFolder())));
    }
    vireo::Application app(argc, argv);
    const vireo::CommandLineAnswer answer =
        vireo::readCommandLine(app.arguments(), vireo::commandLineTexts(vireo::programDataFolder()));
    if (answer.exit)
        return vireo::printAnswer(answer);
    vireo::installFontSubstitutions();
    try {
        vireo::QtClock clock;
        vireo::QtDialogs dialogs;
        vireo::QtSerialPort port;
        vireo::QtPortLister ports;
        vireo::TForm1 form(vireo::Services{clock, dialogs, port, ports, QString()});
        dialogs.setWindow(&form);
        QApplication::setWindowIcon(QIcon(form.ProgramDir + QStringLiteral("Vireo_icon_64_64.ico")));
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
