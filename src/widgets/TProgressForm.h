#pragma once
// The progress window of the long flows: a message text and a bar from 0 to 100. It is not
// modal, so the main window keeps dispatching the events the flow lets through.
#include <QDialog>

class QLabel;
class QProgressBar;

namespace vireo
{

class TProgressForm : public QDialog
{
    Q_OBJECT
public:
    explicit TProgressForm(QWidget *owner);

    // Adds n to the bar's position, which stops at 100.
    void step(int n);
    int position() const;

    QLabel *MessageLabel;
    QProgressBar *ProgressBar1;

    // The window belongs to its flow: Escape and the window manager's close leave it on
    // screen (hiding it would let the write go on unseen); the flow hides it when it ends.
    void reject() override {}

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Runs whenever the window is shown: the bar starts at 0.
    void FormShow();
};

} // namespace vireo
