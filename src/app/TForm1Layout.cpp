// Building the main window from the layout tables, its menus and timer, and wiring every
// control of the layout to its handler.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/layout/Layout.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
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
    setCentralWidget(client);

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
    menuItem(file, "MenuFileOpen", QStringLiteral("Open(&O)"));
    menuItem(file, "MenuFileSave", QStringLiteral("Save(&S)"));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    menuItem(file, "MenuFileEnd", QStringLiteral("End(&X)"));
    QMenu *help = bar->addMenu(QStringLiteral("Help(&H)"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    menuItem(help, "MenuHelpVersion", QStringLiteral("Version(&V)"));

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm1::connectControls()
{
    auto button = [this](const char *name) { return control<QAbstractButton>(QString::fromLatin1(name)); };
    auto action = [this](const char *name) { return control<QAction>(QString::fromLatin1(name)); };

    connect(button("ConnectSpeedButton"), &QAbstractButton::clicked, this, &TForm1::ConnectSpeedButtonClick);
    connect(button("ReadButton"), &QAbstractButton::clicked, this, &TForm1::ReadButtonClick);
    connect(button("WriteButton"), &QAbstractButton::clicked, this, &TForm1::WriteButtonClick);
    connect(button("ResetButton"), &QAbstractButton::clicked, this, &TForm1::ResetButtonClick);
    connect(button("FileFirmUpdateButton"), &QAbstractButton::clicked, this,
            &TForm1::FileFirmUpdateButtonClick);
    connect(button("PirouCheckButton"), &QAbstractButton::clicked, this, &TForm1::PirouCheckButtonClick);

    connect(action("MenuFileOpen"), &QAction::triggered, this, &TForm1::MenuFileOpenClick);
    connect(action("MenuFileSave"), &QAction::triggered, this, &TForm1::MenuFileSaveClick);
    connect(action("MenuFileEnd"), &QAction::triggered, this, &TForm1::MenuFileEndClick);
    connect(action("MenuHelpVersion"), &QAction::triggered, this, &TForm1::MenuHelpVersionClick);

    connect(PageControl1, &PageControl::pageChangedByUser, this, &TForm1::PageControl1Change);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);

    connectHelp();
}

} // namespace vireo
