#include "editing/gui/EntryFieldFilter.h"

#include "editing/gui/EditingController.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace vireo
{

namespace
{

const char *const TypingFilterProperty = "vireoDigitsOnly";

// A focus change to another window or into a pop-up (the field's own context menu, used to
// paste) does not leave the field: the focus comes back to it.
bool leavesField(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

EntryFieldFilter::EntryFieldFilter(EditingController &editing, QObject *parent)
    : QObject(parent), editing_(editing)
{
}

void EntryFieldFilter::watch(QLineEdit *edit, bool typing)
{
    edit->setProperty(TypingFilterProperty, typing);
    edit->installEventFilter(this);
}

bool EntryFieldFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (edit->property(TypingFilterProperty).toBool())
            return editing_.EditKeyPress(edit, static_cast<QKeyEvent *>(event)->text());
        return false;
    case QEvent::InputMethod:
        // Text composed by an input method is typed text as well.
        if (edit->property(TypingFilterProperty).toBool())
            return editing_.EditKeyPress(edit, static_cast<QInputMethodEvent *>(event)->commitString());
        return false;
    case QEvent::FocusOut:
        if (!checking_ && leavesField(static_cast<QFocusEvent *>(event)->reason())) {
            const QScopedValueRollback<bool> guard(checking_, true);
            editing_.EditExit(edit);
        }
        return false;
    default:
        return false;
    }
}

} // namespace vireo
