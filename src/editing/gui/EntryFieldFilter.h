#pragma once
// Turns the key and focus events of the entry fields into the entry handlers of the editing: typed
// characters of the gain fields go through their typing filter, and leaving any entry field
// runs its check exactly once.
#include <QObject>

class QLineEdit;

namespace vireo
{

class EditingController;

class EntryFieldFilter : public QObject
{
public:
    EntryFieldFilter(EditingController &editing, QObject *parent);

    // typing: the field takes only digits and backspace (the gain fields, not Edit25).
    void watch(QLineEdit *edit, bool typing);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EditingController &editing_;
    // True while a field's check runs: its error dialog takes the focus away from the window,
    // and that focus change is no new leave of the field.
    bool checking_ = false;
};

} // namespace vireo
