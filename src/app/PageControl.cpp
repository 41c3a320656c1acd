#include "app/PageControl.h"

#include <QKeyEvent>

namespace vireo {

PageTabBar::PageTabBar(int tabWidth, QWidget *parent) : QTabBar(parent), tabWidth_(tabWidth)
{
    setExpanding(false);
    setElideMode(Qt::ElideNone);
}

QSize PageTabBar::tabSizeHint(int index) const
{
    QSize s = QTabBar::tabSizeHint(index);
    if (tabWidth_ > 0)
        s.setWidth(tabWidth_);
    return s;
}

QSize PageTabBar::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

template <class F> void PageTabBar::byUser(F &&f)
{
    const int before = currentIndex();
    f();
    if (currentIndex() != before)
        emit pageChangedByUser();
}

void PageTabBar::mousePressEvent(QMouseEvent *event)
{
    byUser([&] { QTabBar::mousePressEvent(event); });
}

void PageTabBar::keyPressEvent(QKeyEvent *event)
{
    byUser([&] { QTabBar::keyPressEvent(event); });
}

#if QT_CONFIG(wheelevent)
void PageTabBar::wheelEvent(QWheelEvent *event)
{
    byUser([&] { QTabBar::wheelEvent(event); });
}
#endif

PageControl::PageControl(int tabWidth, QWidget *parent) : QTabWidget(parent)
{
    auto *bar = new PageTabBar(tabWidth, this);
    setTabBar(bar);
    connect(bar, &PageTabBar::pageChangedByUser, this, &PageControl::pageChangedByUser);
}

int PageControl::visibleIndexOf(QWidget *page) const
{
    const int index = indexOf(page);
    if (index < 0 || !isTabVisible(index))
        return -1;
    int position = 0;
    for (int i = 0; i < index; ++i)
        if (isTabVisible(i))
            ++position;
    return position;
}

void PageControl::setPageVisible(QWidget *page, bool visible)
{
    const int index = indexOf(page);
    if (index >= 0)
        setTabVisible(index, visible);
}

bool PageControl::isPageVisible(QWidget *page) const
{
    const int index = indexOf(page);
    return index >= 0 && isTabVisible(index);
}

void PageControl::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Tab and Ctrl+PageUp/Down switch pages from anywhere inside the control.
    const int before = currentIndex();
    QTabWidget::keyPressEvent(event);
    if (currentIndex() != before)
        emit pageChangedByUser();
}

} // namespace vireo
