#pragma once
// The controls the window itself drives, found once when the layout has been built: those of
// the start-up steps, the pages, the header's images, the language menu and the client area.
// The subsystems' controls are in their controllers' views.
#include <array>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QString;
class QWidget;

namespace vireo
{

class WindowShell;

struct ShellView {
    struct Image {
        QLabel *label;
        const char *file; // in the program's data folder
    };

    std::vector<QComboBox *> optionComboBoxes; // start-up selects their first item, twice
    std::vector<QComboBox *> otherComboBoxes;  // and of these once, at the end
    std::vector<QWidget *> disabledAtStart;    // until a connection enables them
    std::vector<QWidget *> hiddenForGood;      // for the whole run, the gain grid's unused rows too
    std::array<QWidget *, 9> tabSheets{};      // TabSheet1 .. TabSheet9
    std::array<Image, 4> images{};
    QWidget *ReadButton = nullptr;
    QWidget *WriteButton = nullptr;
    QWidget *ReadButton2 = nullptr;
    QWidget *WriteButton2 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QAbstractButton *ConnectSpeedButton = nullptr;
    QLabel *Label83 = nullptr;  // the unit's kind
    QLabel *Label107 = nullptr; // the applied axis mode
    QLabel *PirouCheckResultLabel = nullptr;
    QMenu *MenuLanguage = nullptr;
    QWidget *ClientArea = nullptr;

    // TabSheet1 .. TabSheet9 by object name; throws std::logic_error for any other name.
    QWidget *tabSheet(const QString &name) const;

    static ShellView find(const WindowShell &shell);
};

} // namespace vireo
