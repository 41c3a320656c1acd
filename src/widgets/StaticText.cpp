#include "widgets/StaticText.h"

#include <QApplication>
#include <QPalette>

namespace vireo
{

StaticText::StaticText(QWidget *parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setColor(buttonFace());
}

QColor StaticText::buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

void StaticText::setColor(const QColor &color)
{
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::Disabled, QPalette::Window, color);
    setPalette(p);
}

void StaticText::setDimmed(bool dimmed)
{
    if (dimmed == dimmed_)
        return;
    dimmed_ = dimmed;
    // A fresh palette sets only what this control sets itself; undimmed, the text colour is
    // inherited again (a group box may have set it for its children).
    QPalette p;
    if (dimmed) {
        const QColor grey = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            p.setColor(group, QPalette::WindowText, grey);
    }
    setPalette(p);
    setColor(color_);
}

void StaticText::setBorder(Border border)
{
    border_ = border;
    updateFrame();
}

void StaticText::setBevel(Bevel bevel)
{
    bevel_ = bevel;
    updateFrame();
}

void StaticText::updateFrame()
{
    if (bevel_ == Bevel::Soft) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(1);
        return;
    }
    switch (border_) {
    case Border::None:
        setFrameStyle(QFrame::NoFrame);
        break;
    case Border::Single:
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        break;
    case Border::Sunken:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
        break;
    }
}

void StaticText::setLit(bool lit)
{
    setColor(lit ? litColor() : buttonFace());
    setBevel(lit ? Bevel::Soft : Bevel::None);
}

bool StaticText::isLit() const
{
    return color_ == litColor() && bevel_ == Bevel::Soft;
}

} // namespace vireo
