#include "widgets/PageControl.h"

#include <algorithm>

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace vireo
{

PageTabBar::PageTabBar(int tabWidth, QWidget *parent) : QTabBar(parent), tabWidth_(tabWidth)
{
    setExpanding(false);
    setElideMode(Qt::ElideNone);
}

QSize PageTabBar::tabSizeHint(int index) const
{
    QSize s = QTabBar::tabSizeHint(index);
    if (tabWidth_ <= 0)
        return s;
    s.setWidth(tabWidth_);
    const QFontMetrics fm = fontMetrics();
    const QRect text = textRect(QRect(0, 0, tabWidth_, s.height()));
    const QRect needed =
        fm.boundingRect(text.adjusted(0, 0, 0, 1000),
                        Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, tabText(index));
    s.setHeight(std::max(s.height(), needed.height() + 10));
    return s;
}

QRect PageTabBar::textRect(const QRect &tab) const
{
    return tab.adjusted(6, 2, -6, -2);
}

void PageTabBar::paintEvent(QPaintEvent *event)
{
    if (tabWidth_ <= 0) {
        QTabBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    auto paintTab = [&](int i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        const QString text = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        painter.drawItemText(textRect(option.rect), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                             palette(), isTabEnabled(i), text, QPalette::WindowText);
        // The keyboard's place: the arrow keys move from the current tab.
        if (hasFocus() && i == currentIndex()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = textRect(option.rect);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    };
    // The selected tab last: it overlaps its neighbours.
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i) && i != currentIndex())
            paintTab(i);
    if (currentIndex() >= 0 && isTabVisible(currentIndex()))
        paintTab(currentIndex());
}

QSize PageTabBar::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

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
