#pragma once
// Captions and fonts of the window's controls, whatever widget class carries them, and the
// lookup of a control by its object name. The language table, the context help and the
// flows that change a caption at run time all go through here.
#include <QString>
#include <QStringView>

class QObject;

namespace vireo
{

// Sets what the user reads as the control's caption: the text of a label (always shown as
// plain text, never as markup; a wrapping label breaks Japanese lines only between phrases), button, check
// box or radio button, the title of a group box or menu, the text of a menu action, and for a page of a
// QTabWidget the text of its tab. Returns false, changing nothing, for any other kind of object.
bool setCaption(QObject *control, const QString &text);

// Text whose Japanese lines break only between phrases (app/PhraseBreaks.h): invisible
// joiners hold the rest together.
QString phrased(const QString &text);

// The caption as setCaption sets it (without the joiners); empty for other kinds of object.
QString caption(const QObject *control);

// Font of a widget or a menu action: family (kept when empty) and size in points (kept when
// not positive); the style, bold for instance, stays. The operating-system character set
// number has no Qt counterpart and is kept as the property "fontCharset" for information.
void setControlFont(QObject *control, const QString &family, int pointSize, int charset);

// Sets item `index` of a combo box to text, adding empty items first when the box has fewer.
// Returns false for an object that is not a combo box or a negative index.
bool setComboItem(QObject *control, int index, const QString &text);

// The control with this object name under root. Other windows that root owns (dialogs,
// progress windows) keep their controls to themselves, so that the version dialog's "Label1"
// is never taken for the main window's; address a control of such a window as
// "WindowName/ControlName". The nearest match (fewest levels down) wins. nullptr when none.
QObject *findControl(QObject &root, QStringView path);

} // namespace vireo
