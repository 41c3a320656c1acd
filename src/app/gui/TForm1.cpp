#include "app/gui/TForm1.h"

#include "app/gui/BusyFlow.h"
#include "app/gui/PngImage.h"
#include "app/gui/ProgramData.h"
#include "app/gui/QtTexts.h"
#include "app/gui/Settings.h"
#include "app/gui/TAboutBox.h"
#include "app/gui/TForm4.h"
#include "app/gui/WindowDialogs.h"
#include "link/Version.h"
#include "params/GainGrid.h"
#include "widgets/PageControl.h"
#include "widgets/TProgressForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <array>
#include <memory>

namespace vireo
{

TForm1::TForm1(Services services, QWidget *parent)
    : QMainWindow(parent), linkController_(*this, *this, services.port), services_(services)
{
    buildLayout();
    view_ = ShellView::find(*this);
    flowLock = findFlowLockControls(*this);
    contextHelp_.attachView();
    linkController_.attachView();
    parameterController_.attachView();
    editingController_.attachView();
    filesController_.attachView();
    firmwareController_.attachView();
    connectControls();

    // 1. Every stored message text starts empty: the language table holds none yet.
    // 2. The progress windows, hidden. Their names let the language table address them.
    WriteProgressForm = new TProgressForm(this);
    WriteProgressForm->setObjectName(QStringLiteral("WriteProgressForm"));
    ResetProgressForm = new TProgressForm(this);
    ResetProgressForm->setObjectName(QStringLiteral("ResetProgressForm"));
    windowDialogs_ = std::make_unique<WindowDialogs>(
        services_.dialogs, QList<TProgressForm *>{WriteProgressForm, ResetProgressForm});

    // 3.
    ProgramDir = services_.programDir.isEmpty() ? programDataFolder() : services_.programDir;
    // 4. The language the user chose last (the default file beside the program the first time).
    loadStartLanguage();
    qtTexts_ = new QtTextTranslator(language, this);
    QCoreApplication::installTranslator(qtTexts_);
    // 5.
    loadImages();
    // 6.
    for (QComboBox *combo : view_.optionComboBoxes)
        combo->setCurrentIndex(0);
    // 7. Qt paints every widget double-buffered already.
    // 8.
    SoftwareVersion = QStringLiteral("1.6.5");
    Connected = false;
    Updating = false;
    Resetting = false;
    setWindowTitle(windowTitle() + QStringLiteral(" Ver.") + SoftwareVersion);
    WriteProgressForm->setWindowTitle(windowTitle());
    ResetProgressForm->setWindowTitle(windowTitle());
    // 9. SerialLink was built with no port open and with its exchange lock.
    // 10.
    PageControl1->setCurrentWidget(view_.tabSheets[1]);
    PageControl2->setCurrentWidget(view_.tabSheets[6]);
    // 11.
    for (QWidget *w : view_.disabledAtStart)
        w->setEnabled(false);
    // 12.
    for (QWidget *w : view_.hiddenForGood)
        w->hide();
    // 13. Again, so that each shows the first text the language file put there.
    for (QComboBox *combo : view_.optionComboBoxes)
        combo->setCurrentIndex(0);
    for (QComboBox *combo : view_.otherComboBoxes)
        combo->setCurrentIndex(0);
    // 14.
    view_.ReadButton2->hide();
    view_.WriteButton2->hide();
    // 15.
    ParamsLoaded = false;
    // 16.
    fillMaxTable();
    connectEditingHandlers();
    // Nothing is known of any unit yet: every value shows as unknown until read or opened.
    showParameters();
    showDefaults();
    // 17.
    setSerialDefaults();
    // 18.
    runSplash();

    fitToScreen(); // with the menu as the language file left it
    Timer2->start();
}

TForm1::~TForm1()
{
    QCoreApplication::removeTranslator(qtTexts_);
}

void TForm1::loadImages()
{
    for (const ShellView::Image &image : view_.images)
        image.label->setPixmap(loadPngForRatio(ProgramDir + QLatin1String(image.file), screenPixelRatio()));
}

// Fades the splash in (0 to 254), holds it for two seconds, fades it out (255 to 1), closes
// it and pauses once more; window events are dispatched after every step.
void TForm1::runSplash()
{
    Clock &clock = services_.clock;
    auto splash = std::make_unique<TForm4>(ProgramDir, SoftwareVersion);
    splash->setAlphaBlendValue(0);
    splash->show();
    for (int value = 0; value <= 254; value += 2) {
        splash->setAlphaBlendValue(value);
        clock.processEvents();
        clock.sleepMs(1);
    }
    clock.processEvents();
    clock.sleepMs(2000);
    for (int value = 255; value >= 1; value -= 2) {
        splash->setAlphaBlendValue(value);
        clock.processEvents();
        clock.sleepMs(1);
    }
    splash->close();
    clock.sleepMs(200);
}

void TForm1::showEvent(QShowEvent *event)
{
    // The first time it appears: where the user left it, when that place is still on a
    // screen; else centred on the desktop.
    if (!centred_) {
        centred_ = true;
        fitToScreen();
        // Again once the window manager has framed it, and on every move to another screen.
        QTimer::singleShot(0, this, &TForm1::fitToScreen);
        if (QWindow *window = windowHandle())
            connect(window, &QWindow::screenChanged, this, &TForm1::fitToScreen);
        const QVariant saved = openSettings()->value(QLatin1String(setting::WindowPosition));
        const QPoint place = saved.toPoint();
        if (saved.isValid() && QGuiApplication::screenAt(place + QPoint(20, 20))) // its top left corner shows
            move(place);
        else if (QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    }
    QMainWindow::showEvent(event);
}

QString TForm1::text(const QString &key) const
{
    return language.text(key);
}

bool TForm1::askYesNo(const char *key)
{
    return dialogs().message(
               {MsgIcon::Warning, key, text(QString::fromLatin1(key)).toStdString(), Yes | No, No}) == Yes;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    closeAsked(event);
    if (event->isAccepted() && isVisible())
        openSettings()->setValue(QLatin1String(setting::WindowPosition), pos());
}

void TForm1::closeAsked(QCloseEvent *event)
{
    event->ignore();
    if (flows.closePending())
        return; // asked already; the running flow closes the window when it ends
    switch (closeStep(flows.running(), hasUnwrittenEdits(WorkValues.origins))) {
    case CloseStep::Close:
        event->accept();
        break;
    case CloseStep::AskUnwritten:
        if (askYesNo("UnwrittenCloseMessage"))
            event->accept();
        break;
    case CloseStep::AskToFinish:
        if (askYesNo("UPDCloseMessage"))
            flows.closeWhenDone();
        break;
    case CloseStep::CloseWhenDone:
        flows.closeWhenDone();
        break;
    }
}

void TForm1::PageControl1Change()
{
    view_.ProgressBar1->setValue(0);
    if (!Connected) {
        view_.ReadButton->setEnabled(false);
        view_.WriteButton->setEnabled(false);
        return;
    }
    setReadWriteByActivePage();
}

void TForm1::setReadWriteByActivePage()
{
    // A unit that runs only its loader has no parameters to read or write (its one page, UPDATE,
    // is then the first visible tab).
    const int position = PageControl1->visibleIndexOfCurrent();
    const bool enabled =
        hasApplicationFirmware(FirmwareVersion) && !(position == 1 || position == 3 || position == 4);
    view_.ReadButton->setEnabled(enabled);
    view_.WriteButton->setEnabled(enabled);
}

void TForm1::setPageVisible(const QString &tabSheet, bool visible)
{
    QWidget *page = view_.tabSheet(tabSheet);
    for (PageControl *pages : {PageControl1, PageControl2})
        if (pages->indexOf(page) >= 0)
            pages->setPageVisible(page, visible);
}

bool TForm1::isPageVisible(const QString &tabSheet) const
{
    QWidget *page = view_.tabSheet(tabSheet);
    return PageControl1->isPageVisible(page) || PageControl2->isPageVisible(page);
}

void TForm1::MenuFileEndClick()
{
    close();
}

void TForm1::MenuHelpVersionClick()
{
    if (AboutBox)
        AboutBox->showModalOver(this);
}

} // namespace vireo
