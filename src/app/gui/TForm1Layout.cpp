// Building the main window from the layout tables and its menus, and wiring every
// control of the layout to its handler.
#include "app/gui/BusyFlow.h"
#include "app/gui/TForm1.h"
#include "app/gui/layout/Layout.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>

namespace vireo
{

namespace
{

QAction *menuItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void TForm1::buildLayout()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("VIREO"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    font.setBold(true);
    setFont(font);

    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(769, 544);
    // The client area scrolls when the screen cannot hold it (see fitToScreen).
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("ClientScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(client);
    setCentralWidget(scroll);

    std::vector<layout::Control> rows = layout::headerControls();
    for (auto part :
         {layout::parameterPageControls(), layout::statusPageControls(), layout::optionPageControls(),
          layout::updateAndResetPageControls(), layout::overlayControls()})
        rows.insert(rows.end(), part.begin(), part.end());
    layout::build(*client, rows, layout::comboBoxItems());
    PageControl1 = control<PageControl>(QStringLiteral("PageControl1"));
    PageControl2 = control<PageControl>(QStringLiteral("PageControl2"));

    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *file = bar->addMenu(QStringLiteral("File(&F)"));
    file->setObjectName(QStringLiteral("MenuFile"));
    menuItem(file, "MenuFileOpen", QStringLiteral("Open(&O)"))->setShortcut(QKeySequence::Open);
    menuItem(file, "MenuFileSave", QStringLiteral("Save(&S)"))->setShortcut(QKeySequence::Save);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    menuItem(file, "MenuFileEnd", QStringLiteral("End(&X)"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // Its items, one per language file, come once the program directory is known.
    bar->addMenu(QStringLiteral("Language(&L)"))->setObjectName(QStringLiteral("MenuLanguage"));
    QMenu *help = bar->addMenu(QStringLiteral("Help(&H)"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    menuItem(help, "MenuHelpVersion", QStringLiteral("Version(&V)"))->setShortcut(QKeySequence(Qt::Key_F1));
}

void TForm1::connectControls()
{
    auto button = [this](const char *name) { return control<QAbstractButton>(name); };
    auto action = [this](const char *name) { return control<QAction>(name); };

    // A button that starts a flow does nothing while another flow runs (a click dispatched
    // between two firmware blocks, a queued one); its own flow holds the flow-starting controls
    // disabled until it ends.
    struct FlowButton {
        const char *name;
        Flow flow;
        void (TForm1::*handler)();
    };
    for (const FlowButton &b :
         {FlowButton{"ConnectSpeedButton", Flow::Connect, &TForm1::ConnectSpeedButtonClick},
          FlowButton{"ReadButton", Flow::Read, &TForm1::ReadButtonClick},
          FlowButton{"WriteButton", Flow::Write, &TForm1::WriteButtonClick},
          FlowButton{"ResetButton", Flow::Reset, &TForm1::ResetButtonClick},
          FlowButton{"FileFirmUpdateButton", Flow::FirmwareUpdate, &TForm1::FileFirmUpdateButtonClick},
          FlowButton{"PirouCheckButton", Flow::CheckPirouette, &TForm1::PirouCheckButtonClick},
          FlowButton{"PirouGainSetButton", Flow::SetCommon, &TForm1::PirouGainSetButtonClick}})
        connect(button(b.name), &QAbstractButton::clicked, this, [this, b] {
            if (BusyFlow flow(*this, b.flow); flow)
                (this->*b.handler)();
        });

    // Menu items whose dialogs would interfere with a running flow do nothing while one runs.
    // (READ's own offer to save calls MenuFileSaveClick directly.)
    const auto unlessBusy = [this](void (TForm1::*handler)()) {
        return [this, handler] {
            if (!flows.busy())
                (this->*handler)();
        };
    };
    connect(action("MenuFileOpen"), &QAction::triggered, this, unlessBusy(&TForm1::MenuFileOpenClick));
    connect(action("MenuFileSave"), &QAction::triggered, this, unlessBusy(&TForm1::MenuFileSaveClick));
    connect(action("MenuFileEnd"), &QAction::triggered, this, &TForm1::MenuFileEndClick);
    connect(action("MenuHelpVersion"), &QAction::triggered, this, unlessBusy(&TForm1::MenuHelpVersionClick));

    connect(PageControl1, &PageControl::pageChangedByUser, this, &TForm1::PageControl1Change);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
}

} // namespace vireo
