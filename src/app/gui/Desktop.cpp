// The window as a desktop program: the language menu and switching languages while running,
// the remembered language, and the window's size on the screen it is on.
#include "app/gui/Languages.h"
#include "app/gui/Settings.h"
#include "app/gui/TForm1.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace vireo
{

void TForm1::loadStartLanguage()
{
    const QString id = openSettings()->value(QLatin1String(setting::Language)).toString();
    applyLanguage(id);
    fillLanguageMenu();
    connect(view_.MenuLanguage, &QMenu::aboutToShow, this, &TForm1::fillLanguageMenu);
    HelpMouseLeave(nullptr);
}

bool TForm1::applyLanguage(const QString &id)
{
    LanguageTable table;
    table.load(ProgramDir + QStringLiteral("language.dat"), *this); // a failure here ends start-up
    bool applied = true;
    LanguageId.clear();
    if (!id.isEmpty()) {
        const LanguageFile file = findLanguageFile(ProgramDir, id);
        try {
            if (file.path.isEmpty())
                throw std::runtime_error("no such language file");
            table.load(file.path, *this);
            LanguageId = id;
        } catch (const std::exception &) {
            // Unreadable or damaged: the default's texts, which the table has in full.
            table = LanguageTable();
            table.load(ProgramDir + QStringLiteral("language.dat"), *this);
            applied = false;
        }
    }
    language = std::move(table);
    return applied;
}

void TForm1::MenuLanguageClick(const QString &id)
{
    // What the program put into captions since start-up, to be put back in the new language.
    auto *kind = view_.Label83;
    auto *axisMode = view_.Label107;
    const bool kindShown = !kind->text().isEmpty();
    const bool axisModeShown = !axisMode->text().isEmpty();

    applyLanguage(id);
    openSettings()->setValue(QLatin1String(setting::Language), LanguageId);

    view_.ConnectSpeedButton->setText(
        text(Connected ? QStringLiteral("DisconnectButton") : QStringLiteral("ConnectButton")));
    if (kindShown)
        kind->setText(
            text(unitKind == UnitKind::Kind1 ? QStringLiteral("KALMKind1") : QStringLiteral("KALMKind2")));
    if (axisModeShown)
        axisMode->setText(text(AppliedAxisMode == 0 ? QStringLiteral("AxisMode3Message")
                                                    : QStringLiteral("AxisMode1Message")));
    showStatusPage();
    HelpMouseLeave(nullptr);
    view_.PirouCheckResultLabel->clear();
    fitToScreen();
}

void TForm1::fillLanguageMenu()
{
    // Filled afresh each time it opens, so a language file the user just added is there.
    auto *menu = view_.MenuLanguage;
    qDeleteAll(menu->findChildren<QActionGroup *>(Qt::FindDirectChildrenOnly));
    menu->clear();
    auto *group = new QActionGroup(menu);
    for (const LanguageFile &file : languageFiles(ProgramDir)) {
        // Each language by its own name, whatever the window's language.
        QAction *item = menu->addAction(file.name);
        item->setObjectName(QStringLiteral("MenuLanguage_") +
                            (file.id.isEmpty() ? QStringLiteral("default") : file.id));
        item->setCheckable(true);
        item->setChecked(file.id == LanguageId);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, id = file.id] {
            if (!flows.busy()) // a flow's captions are the flow's until it ends
                MenuLanguageClick(id);
        });
    }
}

void TForm1::fitToScreen()
{
    const QScreen *screen = windowHandle() ? windowHandle()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame the window manager adds is known once the window is on screen.
    const QSize frame = frameGeometry().size() - geometry().size();
    fitInto(screen->availableGeometry().size() - frame);
}

void TForm1::fitInto(const QSize &room)
{
    const QWidget *client = view_.ClientArea;
    const QSize full(std::max(client->width(), menuBar()->sizeHint().width()),
                     client->height() + menuBar()->heightForWidth(client->width()));
    setFixedSize(full.boundedTo(room));
}

} // namespace vireo
