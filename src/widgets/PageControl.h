#pragma once
// A tab widget whose change notification fires only when the user picks another page (mouse,
// keyboard or wheel on the tabs), not when the program selects or hides pages; with a fixed
// tab width when one is given.
#include <QTabBar>
#include <QTabWidget>

namespace vireo
{

class PageTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit PageTabBar(int tabWidth, QWidget *parent = nullptr);

signals:
    void pageChangedByUser();

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    // With a fixed tab width, a caption too long for one line wraps onto a second one.
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
#if QT_CONFIG(wheelevent)
    void wheelEvent(QWheelEvent *event) override;
#endif

private:
    template <class F> void byUser(F &&f);
    QRect textRect(const QRect &tab) const;
    int tabWidth_;
};

class PageControl : public QTabWidget
{
    Q_OBJECT
public:
    // tabWidth 0: tabs as wide as their captions.
    explicit PageControl(int tabWidth = 0, QWidget *parent = nullptr);

    // The page's position among the visible tabs, counting from 0; -1 when it is hidden or
    // not a page of this control.
    int visibleIndexOf(QWidget *page) const;
    int visibleIndexOfCurrent() const { return visibleIndexOf(currentWidget()); }

    void setPageVisible(QWidget *page, bool visible);
    bool isPageVisible(QWidget *page) const;

signals:
    void pageChangedByUser();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace vireo
