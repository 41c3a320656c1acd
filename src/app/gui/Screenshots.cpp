#include "app/gui/Screenshots.h"

#include "app/gui/TAboutBox.h"
#include "app/gui/TForm1.h"
#include "app/gui/TForm4.h"
#include "widgets/PageControl.h"
#include "widgets/StaticText.h"
#include "widgets/TProgressForm.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPixmap>

#include <cstdio>
#include <initializer_list>
#include <vector>

namespace vireo
{

namespace
{

void settle()
{
    QCoreApplication::processEvents();
}

bool save(QWidget &w, const QString &folder, const QString &name)
{
    settle();
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok;
}

// The controls the picture of a connected unit fills in.
struct ConnectedLook {
    QLabel *Label35, *Label83;
    QWidget *LEDGreenImage, *TabSheet3;
    QAbstractButton *ConnectSpeedButton;
    std::vector<StaticText *> lamps, readOuts;

    static ConnectedLook find(const TForm1 &form)
    {
        auto named = [&form]<class T>(const char *name, T *&into) { into = form.control<T>(name); };
        auto texts = [&form](std::initializer_list<const char *> names) {
            std::vector<StaticText *> found;
            for (const char *name : names)
                found.push_back(form.control<StaticText>(name));
            return found;
        };
        ConnectedLook c{};
        named("Label35", c.Label35);
        named("Label83", c.Label83);
        named("LEDGreenImage", c.LEDGreenImage);
        named("TabSheet3", c.TabSheet3);
        named("ConnectSpeedButton", c.ConnectSpeedButton);
        c.lamps = texts({"StaticText15", "StaticText24", "StaticText86", "StaticText33", "StaticText34"});
        c.readOuts = texts({"StaticText35", "StaticText38", "StaticText41", "StaticText81", "StaticText82",
                            "StaticText83", "StaticText8", "StaticText16", "StaticText25"});
        return c;
    }
};

} // namespace

int saveScreenshots(TForm1 &form, TAboutBox &about, const QString &folder, qint64 startupMs)
{
    // The fixed pauses of the splash: 2000 + 200 ms and 256 steps of at least 1 ms.
    constexpr qint64 SplashPauses = 2456;
    std::printf("main window shown %lld ms after start (%lld ms beyond the splash pauses)\n",
                static_cast<long long>(startupMs), static_cast<long long>(startupMs - SplashPauses));
    // Where the data came from and a caption the language file set, for the package check.
    std::printf("data folder %s\n", form.ProgramDir.toUtf8().constData());
    std::printf("version %s\n", form.SoftwareVersion.toUtf8().constData());
    if (auto *menu = form.findChild<QMenu *>(QStringLiteral("MenuFile")))
        std::printf("menu %s\n", menu->title().toUtf8().constData());
    QDir().mkpath(folder);
    bool ok = true;
    settle();
    for (int i = 0; i < form.PageControl1->count(); ++i) {
        if (!form.PageControl1->isTabVisible(i))
            continue;
        QWidget *page = form.PageControl1->widget(i);
        form.PageControl1->setCurrentIndex(i);
        if (page->objectName() == QLatin1String("TabSheet4")) {
            for (int j = 0; j < form.PageControl2->count(); ++j) {
                form.PageControl2->setCurrentIndex(j);
                ok &= save(form, folder,
                           QStringLiteral("main-TabSheet4-") + form.PageControl2->widget(j)->objectName());
            }
            form.PageControl2->setCurrentIndex(0);
        } else {
            ok &= save(form, folder, QStringLiteral("main-") + page->objectName());
        }
    }
    form.PageControl1->setCurrentIndex(1);
    form.GyroGainLabelMouseEnter(nullptr);
    ok &= save(form, folder, QStringLiteral("main-TabSheet2-help"));
    form.HelpMouseLeave(nullptr);

    // How the header and the status page look with a unit: lamps and read-outs filled in.
    const ConnectedLook look = ConnectedLook::find(form);
    look.Label35->setText(QStringLiteral(" 1.0.5"));
    look.Label83->setText(form.text(QStringLiteral("KALMKind1")));
    look.LEDGreenImage->show();
    look.ConnectSpeedButton->setText(form.text(QStringLiteral("DisconnectButton")));
    for (StaticText *lamp : look.lamps)
        lamp->setLit(true);
    for (StaticText *readout : look.readOuts)
        readout->setText(QStringLiteral("50"));
    form.PageControl1->setCurrentWidget(look.TabSheet3);
    ok &= save(form, folder, QStringLiteral("main-TabSheet3-connected"));

    TForm4 splash(form.ProgramDir, form.SoftwareVersion);
    splash.show();
    ok &= save(splash, folder, QStringLiteral("splash"));
    splash.close();

    about.show();
    ok &= save(about, folder, QStringLiteral("version"));
    about.hide();

    form.WriteProgressForm->show();
    form.WriteProgressForm->step(40);
    ok &= save(*form.WriteProgressForm, folder, QStringLiteral("progress"));
    form.WriteProgressForm->hide();
    return ok ? 0 : 1;
}

} // namespace vireo
