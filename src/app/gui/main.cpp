#include "app/gui/Application.h"
#include "app/gui/CommandLine.h"
#include "app/gui/LanguageTable.h"
#include "app/gui/ProgramData.h"
#include "app/gui/QtClock.h"
#include "app/gui/QtDialogs.h"
#include "app/gui/Screenshots.h"
#include "app/gui/TAboutBox.h"
#include "app/gui/TForm1.h"
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
