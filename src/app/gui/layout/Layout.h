#pragma once
// The window layout as data: one row per control with its object name, its parent, its
// place and size in the parent and its built-in caption. The builder turns the rows into
// widgets; the language file later replaces captions and fonts by object name.
#include <QRect>
#include <QString>

#include <initializer_list>
#include <vector>

class QWidget;

namespace vireo::layout
{

enum class Kind {
    PageControl, // tab widget; its pages are the Page rows naming it as parent
    Page,
    GroupBox,
    Label,
    StaticText, // value read-out or lamp (StaticText)
    Image,
    Edit,
    UpDown, // spin button; caption names its associated Edit
    Button,
    SpeedButton,
    CheckBox,
    RadioButton,
    ComboBox, // items from the ComboItems table
    ProgressBar,
    Memo,
};

enum Flag : unsigned {
    NoFlags = 0,
    Hidden = 1u << 0,
    Bold = 1u << 1,
    WordWrap = 1u << 2,
    Centre = 1u << 3,
    Right = 1u << 4,
    Checked = 1u << 5,
    Sunken = 1u << 6,  // static text: sunken border (value read-outs)
    Boxed = 1u << 7,   // static text: single border (lamps)
    RedText = 1u << 8, // label caption in red
    WhiteText = 1u << 9,
    Title = 1u << 10, // page title: bold, a little larger
    Arial = 1u << 11, // "Arial" instead of the window font
    Disabled = 1u << 12,
    TabWidth150 = 1u << 13, // page control: tabs 150 pixels wide
};

struct Control {
    Kind kind;
    const char *name;
    const char *parent;
    QRect geometry;
    const char *caption = ""; // UTF-8
    unsigned flags = NoFlags;
};

struct ComboItems {
    const char *combo;
    std::vector<const char *> items; // UTF-8
};

// Rows of each part of the window, parents before children.
std::vector<Control> headerControls();  // header strip, PageControl1 and its pages
std::vector<Control> overlayControls(); // READ and WRITE, above the pages
std::vector<Control> parameterPageControls();
std::vector<Control> statusPageControls();
std::vector<Control> optionPageControls();
std::vector<Control> updateAndResetPageControls();
std::vector<ComboItems> comboBoxItems();

// Builds every row under root (the window's central widget; a parent "" means root).
// Object names are set exactly as in the rows. Throws std::logic_error on a row whose parent
// was not built before it.
void build(QWidget &root, const std::vector<Control> &rows, const std::vector<ComboItems> &items);

} // namespace vireo::layout
