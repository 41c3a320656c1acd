#include "app/gui/ShellView.h"

#include "app/gui/WindowShell.h"
#include "params/GainGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>

#include <stdexcept>

namespace vireo
{

namespace
{

// Start-up step 6 selects the first item of these; step 13 of these and the last two.
constexpr std::array<const char *, 7> OptionComboBoxes = {
    "AilGainChComboBox", "EleGainChComboBox",   "RudGainChComboBox", "CondSelChComboBox",
    "AuxOutComboBox",    "SwashNarrowComboBox", "RudNarrowComboBox"};
constexpr std::array<const char *, 2> OtherComboBoxes = {"ResHeliSelectComboBox", "RxKindSelectComboBox"};

// Disabled until a connection enables them.
constexpr std::array<const char *, 12> DisabledAtStart = {
    "ReadButton",       "WriteButton", "FileFirmUpdateButton",
    "ResetButton",      "ReadButton2", "WriteButton2",
    "PirouDirCheckBox", "Label63",     "Label70",
    "PirouCheckButton", "Edit25",      "PirouGainSetButton"};

// Hidden for the whole run: the volume-limit read-outs of the status page, and the gain
// grid's rows not in use (HiddenGainRowControls).
constexpr std::array<const char *, 24> HiddenForGood = {
    "StaticText66", "StaticText67", "StaticText68", "StaticText69", "StaticText70", "StaticText71",
    "StaticText75", "StaticText76", "StaticText77", "StaticText78", "StaticText79", "StaticText80",
    "Label75",      "Label76",      "Label77",      "Label78",      "Label79",      "Label80",
    "Label96",      "Label97",      "Label98",      "Label99",      "Label100",     "Label101"};

struct ImageFile {
    const char *control, *file;
};

constexpr std::array<ImageFile, 4> WindowImages = {{{"Image1", "Vireo_head.png"},
                                                    {"LEDOffImage", "led_off.png"},
                                                    {"LEDRedImage", "led_red_on.png"},
                                                    {"LEDGreenImage", "led_green_on.png"}}};

template <class T> T *named(const WindowShell &shell, const char *name)
{
    return shell.control<T>(name);
}

template <class T, class Names> std::vector<T *> all(const WindowShell &shell, const Names &names)
{
    std::vector<T *> controls;
    for (const char *name : names)
        controls.push_back(named<T>(shell, name));
    return controls;
}

} // namespace

QWidget *ShellView::tabSheet(const QString &name) const
{
    for (QWidget *page : tabSheets)
        if (page->objectName() == name)
            return page;
    throw std::logic_error("no page named " + name.toStdString());
}

ShellView ShellView::find(const WindowShell &shell)
{
    ShellView v;
    v.optionComboBoxes = all<QComboBox>(shell, OptionComboBoxes);
    v.otherComboBoxes = all<QComboBox>(shell, OtherComboBoxes);
    v.disabledAtStart = all<QWidget>(shell, DisabledAtStart);
    v.hiddenForGood = all<QWidget>(shell, HiddenForGood);
    const std::vector<QWidget *> hiddenRows = all<QWidget>(shell, HiddenGainRowControls);
    v.hiddenForGood.insert(v.hiddenForGood.end(), hiddenRows.begin(), hiddenRows.end());
    for (std::size_t i = 0; i < v.tabSheets.size(); ++i)
        v.tabSheets[i] = shell.control<QWidget>(QStringLiteral("TabSheet%1").arg(i + 1));
    for (std::size_t i = 0; i < WindowImages.size(); ++i)
        v.images[i] = {named<QLabel>(shell, WindowImages[i].control), WindowImages[i].file};
    v.ReadButton = named<QWidget>(shell, "ReadButton");
    v.WriteButton = named<QWidget>(shell, "WriteButton");
    v.ReadButton2 = named<QWidget>(shell, "ReadButton2");
    v.WriteButton2 = named<QWidget>(shell, "WriteButton2");
    v.ProgressBar1 = named<QProgressBar>(shell, "ProgressBar1");
    v.ConnectSpeedButton = named<QAbstractButton>(shell, "ConnectSpeedButton");
    v.Label83 = named<QLabel>(shell, "Label83");
    v.Label107 = named<QLabel>(shell, "Label107");
    v.PirouCheckResultLabel = named<QLabel>(shell, "PirouCheckResultLabel");
    v.MenuLanguage = named<QMenu>(shell, "MenuLanguage");
    v.ClientArea = named<QWidget>(shell, "ClientArea");
    return v;
}

} // namespace vireo
