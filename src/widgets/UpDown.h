#pragma once
// A spin-button control beside an entry field, after the classic up-down control: two arrow
// buttons, a range Min..Max, a Position and an associated entry field that shows the
// position as plain decimal text. It never wraps and steps by one.
//
// A click (mouse on an arrow, held for auto-repeat, or the Up/Down key in the associated
// field) takes the number the field starts with as the starting point ("12a" steps from 12;
// the last position when the text starts with no number), steps it by one within Min..Max, writes the result
// into the field when it differs from the text there, and then emits clicked(). Nothing else ever touches the
// text: typing, leaving the field and range changes leave it alone.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vireo
{

class UpDown : public QWidget
{
    Q_OBJECT
public:
    enum class Button { Up, Down }; // the classic control's "next" and "previous"

    explicit UpDown(QWidget *parent = nullptr);

    int min() const { return min_; }
    int max() const { return max_; }
    void setMax(int value);
    void setRange(int min, int max);

    // The associated field's number when it is a decimal integer within the range, else
    // the position last set or stepped to.
    int position() const;
    // Sets the position (clamped into the range) and shows it in the associated field.
    void setPosition(int value);

    QLineEdit *associate() const { return associate_; }
    // Ties the control to a field and shows the current position there, as the classic
    // control does when it gets its buddy.
    void setAssociate(QLineEdit *field);

    // What a click on one of the arrows does.
    void click(Button button);

signals:
    void clicked(vireo::UpDown::Button button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPosition();
    int clamp(long long value) const;

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    QLineEdit *associate_ = nullptr;
    QToolButton *up_;
    QToolButton *down_;
};

} // namespace vireo
