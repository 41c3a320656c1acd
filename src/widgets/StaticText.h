#pragma once
// A static text: a label with a background colour and a border, used for the value read-outs
// and, lit or unlit, as the status lamps of the live status page.
#include <QColor>
#include <QLabel>

namespace vireo
{

class StaticText : public QLabel
{
    Q_OBJECT
public:
    enum class Border { None, Single, Sunken };
    enum class Bevel { None, Soft };

    explicit StaticText(QWidget *parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor &color);

    Border border() const { return border_; }
    void setBorder(Border border);

    Bevel bevel() const { return bevel_; }
    void setBevel(Bevel bevel);

    // The two looks of a lamp: lit is pure green with a soft bevel, unlit the button-face
    // colour without a bevel.
    void setLit(bool lit);
    bool isLit() const;

    // Dimmed: the text in the disabled text colour, whatever the parent's palette says, while
    // the control stays enabled (for a read-out whose value is not known).
    void setDimmed(bool dimmed);
    bool isDimmed() const { return dimmed_; }

    static QColor buttonFace();
    static QColor litColor() { return QColor(0x00, 0xFF, 0x00); }

private:
    void updateFrame();

    QColor color_;
    Border border_ = Border::None;
    Bevel bevel_ = Bevel::None;
    bool dimmed_ = false;
};

} // namespace vireo
