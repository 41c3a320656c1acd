#include "widgets/TProgressForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace vireo
{

TProgressForm::TProgressForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      MessageLabel(new QLabel(QStringLiteral("書き込み中。"), this)), ProgressBar1(new QProgressBar(this))
{
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);
    setFixedSize(329, 102);
    MessageLabel->setObjectName(QStringLiteral("MessageLabel"));
    MessageLabel->setGeometry(16, 16, 297, 33);
    MessageLabel->setWordWrap(true);
    MessageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(24, 68, 277, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
}

void TProgressForm::step(int n)
{
    ProgressBar1->setValue(std::clamp(ProgressBar1->value() + n, 0, 100));
}

int TProgressForm::position() const
{
    return ProgressBar1->value();
}

void TProgressForm::FormShow()
{
    ProgressBar1->setValue(0);
}

void TProgressForm::closeEvent(QCloseEvent *event)
{
    // QDialog's own handling would go through reject(), which keeps the window: the flow's
    // close() is taken here, the user's (spontaneous) one refused.
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}

void TProgressForm::showEvent(QShowEvent *event)
{
    if (QWidget *owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    FormShow();
    QDialog::showEvent(event);
}

} // namespace vireo
