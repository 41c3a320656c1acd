#include "app/gui/Captions.h"

#include "app/PhraseBreaks.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QQueue>
#include <QTabWidget>
#include <QWidget>

namespace vireo
{

namespace
{

// The tab widget that shows this widget as one of its pages, and the page's index there.
QTabWidget *tabWidgetOfPage(const QObject *control, int *index)
{
    const auto *page = qobject_cast<const QWidget *>(control);
    if (!page || !page->parentWidget())
        return nullptr;
    auto *tabs = qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget());
    if (!tabs)
        return nullptr;
    *index = tabs->indexOf(const_cast<QWidget *>(page));
    return *index >= 0 ? tabs : nullptr;
}

// A window of its own whose names are its own business; menus pop up as windows but
// belong to the window whose menu bar holds them.
bool isSeparateWindow(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->isWindow() && !qobject_cast<const QMenu *>(widget);
}

QObject *findInside(QObject &scope, QStringView name)
{
    QQueue<QObject *> pending;
    for (QObject *child : scope.children())
        pending.enqueue(child);
    while (!pending.isEmpty()) {
        QObject *object = pending.dequeue();
        if (object->objectName() == name)
            return object;
        if (isSeparateWindow(object))
            continue;
        for (QObject *child : object->children())
            pending.enqueue(child);
    }
    return nullptr;
}

} // namespace

QString phrased(const QString &text)
{
    return QString::fromStdU16String(withPhraseBreaks(text.toStdU16String()));
}

bool setCaption(QObject *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setTextFormat(Qt::PlainText);
        label->setText(label->wordWrap() ? phrased(text) : text);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        group->setTitle(text);
    } else if (auto *menu = qobject_cast<QMenu *>(control)) {
        menu->setTitle(text);
    } else if (auto *action = qobject_cast<QAction *>(control)) {
        action->setText(text);
    } else {
        int index = -1;
        QTabWidget *tabs = tabWidgetOfPage(control, &index);
        if (!tabs)
            return false;
        tabs->setTabText(index, text);
    }
    return true;
}

QString caption(const QObject *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return QString::fromStdU16String(withoutJoiners(label->text().toStdU16String()));
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title();
    if (const auto *menu = qobject_cast<const QMenu *>(control))
        return menu->title();
    if (const auto *action = qobject_cast<const QAction *>(control))
        return action->text();
    int index = -1;
    if (const QTabWidget *tabs = tabWidgetOfPage(control, &index))
        return tabs->tabText(index);
    return {};
}

void setControlFont(QObject *control, const QString &family, int pointSize, int charset)
{
    auto adjusted = [&](QFont font) {
        if (!family.isEmpty())
            font.setFamily(family);
        if (pointSize > 0)
            font.setPointSize(pointSize);
        return font;
    };
    if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setFont(adjusted(widget->font()));
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setFont(adjusted(action->font()));
    else
        return;
    control->setProperty("fontCharset", charset);
}

bool setComboItem(QObject *control, int index, const QString &text)
{
    auto *box = qobject_cast<QComboBox *>(control);
    if (!box || index < 0)
        return false;
    while (box->count() <= index)
        box->addItem(QString());
    box->setItemText(index, text);
    return true;
}

QObject *findControl(QObject &root, QStringView path)
{
    QObject *scope = &root;
    for (QStringView name : path.split(u'/')) {
        scope = findInside(*scope, name);
        if (!scope)
            return nullptr;
    }
    return scope;
}

} // namespace vireo
