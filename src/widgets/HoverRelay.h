#pragma once
// Passes the mouse entering and leaving a widget on to handlers that receive the widget,
// without the widget's class knowing about them (labels have no enter/leave signals).
#include <QEvent>
#include <QObject>

#include <functional>
#include <utility>

namespace vireo
{

class HoverRelay : public QObject
{
public:
    using Handler = std::function<void(QObject *sender)>;

    HoverRelay(QObject *parent, Handler onEnter, Handler onLeave)
        : QObject(parent), onEnter_(std::move(onEnter)), onLeave_(std::move(onLeave))
    {
    }

    void watch(QObject *widget) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter && onEnter_)
            onEnter_(watched);
        else if (event->type() == QEvent::Leave && onLeave_)
            onLeave_(watched);
        return false;
    }

private:
    Handler onEnter_, onLeave_;
};

} // namespace vireo
