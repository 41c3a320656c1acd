#include "widgets/UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <limits>
#include <optional>

namespace vireo
{

namespace
{

// A plain decimal integer (optional sign, digits, no blanks), as the field shows numbers.
std::optional<long long> decimal(const QString &text)
{
    bool ok = false;
    long long v = text.toLongLong(&ok, 10);
    if (!ok || text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return std::nullopt;
    return v;
}

// The number the field starts with ("12a" shows 12): an optional sign and digits at its
// very beginning; nothing when it starts with anything else.
std::optional<long long> leadingNumber(const QString &text)
{
    qsizetype end = (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) ? 1 : 0;
    const qsizetype digits = end;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    if (end == digits)
        return std::nullopt;
    // Longer runs of digits than a long long holds are as far beyond any range as its maximum.
    if (auto v = decimal(text.left(end)))
        return v;
    return text.front() == u'-' ? std::numeric_limits<long long>::min()
                                : std::numeric_limits<long long>::max();
}

} // namespace

UpDown::UpDown(QWidget *parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    for (auto [button, arrow, which] :
         {std::tuple{up_, Qt::UpArrow, Button::Up}, std::tuple{down_, Qt::DownArrow, Button::Down}}) {
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setObjectName(which == Button::Up ? QStringLiteral("up") : QStringLiteral("down"));
        connect(button, &QToolButton::clicked, this, [this, which = which] { click(which); });
    }
    setFocusPolicy(Qt::NoFocus);
    resize(17, 21);
}

void UpDown::setMax(int value)
{
    setRange(std::min(value, min_), value);
}

void UpDown::setRange(int min, int max)
{
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    position_ = clamp(position_);
}

int UpDown::clamp(long long value) const
{
    return static_cast<int>(std::clamp<long long>(value, min_, max_));
}

int UpDown::position() const
{
    if (associate_)
        if (auto v = decimal(associate_->text()); v && *v >= min_ && *v <= max_)
            return static_cast<int>(*v);
    return position_;
}

void UpDown::setPosition(int value)
{
    position_ = clamp(value);
    showPosition();
}

void UpDown::setAssociate(QLineEdit *field)
{
    if (associate_)
        associate_->removeEventFilter(this);
    associate_ = field;
    if (associate_) {
        associate_->installEventFilter(this);
        showPosition();
    }
}

void UpDown::showPosition()
{
    const QString text = QString::number(position_);
    if (associate_ && associate_->text() != text)
        associate_->setText(text);
}

void UpDown::click(Button button)
{
    if (!isEnabled())
        return;
    long long start = position_;
    if (associate_)
        if (auto v = leadingNumber(associate_->text()))
            start = *v;
    position_ = clamp(clamp(start) + (button == Button::Up ? 1 : -1));
    showPosition();
    emit clicked(button);
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            click(key->key() == Qt::Key_Up ? Button::Up : Button::Down);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent *)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace vireo
