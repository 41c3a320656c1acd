// Every control that the program's flows address by name exists once, with a fitting widget
// class, where the layout puts it.
#include "app/LanguageKeys.h"
#include "support/MainWindowFixture.h"
#include "widgets/PageControl.h"
#include "widgets/StaticText.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <map>
#include <set>
#include <vector>

namespace vireo::test
{
namespace
{

using LayoutTest = MainWindowFixture;

std::vector<QString> range(const char *prefix, int from, int to, std::set<int> except = {})
{
    std::vector<QString> names;
    for (int n = from; n <= to; ++n)
        if (!except.count(n))
            names.push_back(QString::fromLatin1(prefix) + QString::number(n));
    return names;
}

std::vector<QString> plain(std::initializer_list<const char *> list)
{
    std::vector<QString> names;
    for (const char *n : list)
        names.push_back(QString::fromLatin1(n));
    return names;
}

struct Kind {
    const QMetaObject *type;
    std::vector<QString> names;
};

TEST_F(LayoutTest, EveryNamedControlExistsWithItsKind)
{
    start();
    const std::vector<Kind> kinds = {
        {&QLabel::staticMetaObject, range("Label", 1, 110, {26, 29, 30, 46, 54})},
        {&StaticText::staticMetaObject, range("StaticText", 1, 87, {6})},
        {&QLineEdit::staticMetaObject, range("Edit", 1, 32, {17, 24, 26, 28, 29, 30, 31})},
        {&UpDown::staticMetaObject, range("UpDown", 1, 32, {17, 24, 25, 26, 28, 29, 30, 31})},
        {&QLabel::staticMetaObject, plain({"Image1", "LEDOffImage", "LEDRedImage", "LEDGreenImage"})},
        {&PageControl::staticMetaObject, plain({"PageControl1", "PageControl2"})},
        {&QGroupBox::staticMetaObject, plain({"AilGroupBox",
                                              "EleGroupBox",
                                              "RudGroupBox",
                                              "ModeRadioGroup",
                                              "GroupBox1",
                                              "GroupBox2",
                                              "GroupBox3",
                                              "GroupBox4",
                                              "GroupBox7",
                                              "GroupBox8",
                                              "DBRadioGroup",
                                              "PirouGroup",
                                              "ERingGroup",
                                              "GainChGroup",
                                              "CondSelChGroup",
                                              "AuxOutGroup",
                                              "SwashNeutGroup",
                                              "RudNeutGroup",
                                              "RxKindSelectGroup",
                                              "AxisControlSelectGroupBox",
                                              "ResHeliSelectGroupBox"})},
        {&QRadioButton::staticMetaObject,
         plain({"Mode0RadioButton", "Mode1RadioButton", "ExtraRadioButton", "DB0RadioButton",
                "DB1RadioButton", "DB2RadioButton", "DB3RadioButton", "AxisMode3AxisRadioButton",
                "AxisMode1AxisRadioButton"})},
        {&QCheckBox::staticMetaObject, plain({"PirouUseCheckBox", "PirouDirCheckBox", "ERingUseCheckBox"})},
        {&QComboBox::staticMetaObject,
         plain({"AilGainChComboBox", "EleGainChComboBox", "RudGainChComboBox", "CondSelChComboBox",
                "AuxOutComboBox", "SwashNarrowComboBox", "RudNarrowComboBox", "RxKindSelectComboBox",
                "ResHeliSelectComboBox"})},
        {&QPushButton::staticMetaObject,
         plain({"ReadButton", "WriteButton", "ReadButton2", "WriteButton2", "PirouCheckButton",
                "PirouGainSetButton", "FileFirmUpdateButton", "ResetButton"})},
        {&QToolButton::staticMetaObject, plain({"ConnectSpeedButton"})},
        {&QProgressBar::staticMetaObject, plain({"ProgressBar1"})},
        {&QPlainTextEdit::staticMetaObject, plain({"Memo3"})},
        {&QMenuBar::staticMetaObject, plain({"MainMenu1"})},
        {&QMenu::staticMetaObject, plain({"MenuFile", "MenuHelp"})},
        {&QAction::staticMetaObject,
         plain({"MenuFileOpen", "MenuFileSave", "N1", "MenuFileEnd", "MenuHelpVersion"})},
        {&QTimer::staticMetaObject, plain({"Timer2"})},
        {&QWidget::staticMetaObject, range("TabSheet", 1, 9)},
    };
    for (const Kind &kind : kinds)
        for (const QString &name : kind.names) {
            QObject *object = findControl(*form, name);
            ASSERT_NE(object, nullptr) << name.toStdString();
            EXPECT_TRUE(kind.type->cast(object))
                << name.toStdString() << " is a " << object->metaObject()->className();
        }
    EXPECT_TRUE(control<QAction>("N1")->isSeparator());
}

TEST_F(LayoutTest, NoNameIsUsedTwiceInTheWindow)
{
    start();
    std::map<QString, int> seen;
    // Parts inside a control (a tab bar's scroll buttons, a spin button's arrows) are no
    // controls of the layout.
    auto count = [&](QObject *o) {
        if (!o->objectName().isEmpty() && !o->objectName().startsWith(QLatin1String("qt_")) &&
            !qobject_cast<QTabBar *>(o->parent()) && !qobject_cast<UpDown *>(o->parent()))
            ++seen[o->objectName()];
    };
    for (QObject *o : form->centralWidget()->findChildren<QObject *>())
        count(o);
    for (QObject *o : form->menuBar()->findChildren<QObject *>())
        count(o);
    for (const auto &[name, count] : seen)
        EXPECT_EQ(count, 1) << name.toStdString();
}

TEST_F(LayoutTest, PagesBelongToTheirPageControls)
{
    start();
    const std::vector<std::pair<const char *, PageControl *>> pages = {
        {"TabSheet1", form->PageControl1}, {"TabSheet2", form->PageControl1},
        {"TabSheet3", form->PageControl1}, {"TabSheet4", form->PageControl1},
        {"TabSheet5", form->PageControl1}, {"TabSheet6", form->PageControl1},
        {"TabSheet7", form->PageControl2}, {"TabSheet8", form->PageControl2},
        {"TabSheet9", form->PageControl2},
    };
    for (const auto &[name, pageControl] : pages)
        EXPECT_GE(pageControl->indexOf(control(name)), 0) << name;
    EXPECT_TRUE(control("TabSheet4")->isAncestorOf(form->PageControl2));
}

// Controls sit on the page (or in the group) that the flows expect them on.
TEST_F(LayoutTest, ControlsLieInsideTheirPageOrGroup)
{
    start();
    const std::vector<std::pair<const char *, const char *>> placed = {
        {"AilGroupBox", "Edit1"},
        {"AilGroupBox", "UpDown9"},
        {"EleGroupBox", "StaticText50"},
        {"RudGroupBox", "Edit27"},
        {"TabSheet2", "Label67"},
        {"TabSheet2", "ModeRadioGroup"},
        {"GroupBox2", "StaticText15"},
        {"GroupBox1", "StaticText16"},
        {"GroupBox3", "StaticText86"},
        {"GroupBox4", "StaticText37"},
        {"GroupBox8", "StaticText80"},
        {"GroupBox8", "Label101"},
        {"PirouGroup", "Edit25"},
        {"PirouGroup", "Label70"},
        {"TabSheet7", "ReadButton2"},
        {"TabSheet8", "AuxOutComboBox"},
        {"TabSheet9", "Label107"},
        {"GroupBox7", "ProgressBar1"},
        {"GroupBox7", "Label53"},
        {"TabSheet6", "ResetButton"},
        {"ResHeliSelectGroupBox", "ResHeliSelectComboBox"},
        {"TabSheet1", "Memo3"},
    };
    for (const auto &[container, child] : placed)
        EXPECT_TRUE(control(container)->isAncestorOf(control(child))) << child << " in " << container;
    // READ and WRITE belong to the window, not to a page.
    for (const char *button : {"ReadButton", "WriteButton"})
        EXPECT_EQ(control(button)->parentWidget(), control("ClientArea")) << button;
}

// The shown gain fields start empty and greyed: no value of any unit is known yet, and a "0"
// would pass for one. The hidden A.C rows keep the layout's "0".
TEST_F(LayoutTest, EntryFieldsStartEmptyTiedToTheirSpinButtons)
{
    start();
    const std::set<int> hiddenRows = {6, 7, 8, 15, 32, 16};
    const std::vector<std::pair<int, int>> pairs = {
        {1, 1},   {2, 2},   {3, 3},   {4, 4},   {5, 5},   {9, 9},   {6, 6},   {7, 7},
        {10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14}, {18, 18}, {8, 8},   {15, 15},
        {19, 19}, {20, 20}, {21, 21}, {22, 22}, {23, 23}, {27, 27}, {32, 32}, {16, 16}};
    for (const auto &[edit, spin] : pairs) {
        auto *field = form->control<QLineEdit>(QStringLiteral("Edit%1").arg(edit));
        auto *updown = form->control<UpDown>(QStringLiteral("UpDown%1").arg(spin));
        EXPECT_EQ(updown->associate(), field) << edit;
        EXPECT_EQ(field->text(), hiddenRows.count(edit) ? QStringLiteral("0") : QString()) << edit;
        EXPECT_EQ(field->isEnabled(), hiddenRows.count(edit) > 0) << edit;
        EXPECT_EQ(updown->min(), 0) << edit;
    }
    EXPECT_EQ(control<QLineEdit>("Edit25")->text(), QString());
}

TEST_F(LayoutTest, WindowHasTheFixedClientAreaAndWideTabs)
{
    start();
    EXPECT_EQ(control("ClientArea")->size(), QSize(769, 544));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(control("Image1")->geometry(), QRect(0, 0, 769, 79));
    for (const char *lamp : {"LEDOffImage", "LEDRedImage", "LEDGreenImage"}) {
        EXPECT_EQ(control(lamp)->size(), QSize(80, 40)) << lamp;
        EXPECT_EQ(control(lamp)->pos(), control("LEDOffImage")->pos()) << lamp;
    }
    for (int i = 1; i < form->PageControl1->count(); ++i)
        EXPECT_EQ(form->PageControl1->tabBar()->tabRect(i).width(), 150) << i;
    // READ and WRITE lie over the top right corner of the page area, above the pages.
    const QRect pages = form->PageControl1->geometry();
    for (const char *button : {"ReadButton", "WriteButton"}) {
        const QRect r = control(button)->geometry();
        EXPECT_TRUE(pages.contains(r)) << button;
        EXPECT_GT(r.left(), pages.center().x()) << button;
        EXPECT_LT(r.top(), pages.top() + 80) << button;
    }
}

TEST_F(LayoutTest, HelpPanelHasItsSizes)
{
    start();
    EXPECT_EQ(control("Label68")->width(), 749);
    EXPECT_EQ(control("Label69")->size(), QSize(109, 65));
    EXPECT_EQ(control("Label67")->size(), QSize(633, 69));
    EXPECT_TRUE(control<QLabel>("Label69")->wordWrap());
    EXPECT_TRUE(control<QLabel>("Label67")->wordWrap());
}

TEST_F(LayoutTest, BuiltInCaptionsStandWhereTheLanguageFileIsSilent)
{
    dir.writeLanguageFile("DialogMessageOk,OK\r\n");
    start();
    const std::vector<std::pair<const char *, QString>> captions = {
        {"ConnectSpeedButton", QStringLiteral("CONNECT")},
        {"ReadButton", QStringLiteral("READ")},
        {"WriteButton", QStringLiteral("WRITE")},
        {"ResetButton", QStringLiteral("RESET")},
        {"FileFirmUpdateButton", QStringLiteral("UPDATE")},
        {"Label34", QStringLiteral("Firmware Ver")},
        {"Label1", QStringLiteral("P ゲイン")},
        {"Label22", QStringLiteral("FF ゲイン")},
        {"Label13", QStringLiteral("F.F ゲイン")},
        {"Label56", QStringLiteral("標準値")},
        {"Label57", QStringLiteral("設定値")},
        {"Mode0RadioButton", QStringLiteral("MODE0")},
        {"ExtraRadioButton", QStringLiteral("EXTRA")},
        {"PirouUseCheckBox", QStringLiteral("使用する")},
        {"PirouDirCheckBox", QStringLiteral("補正方向反転")},
        {"PirouCheckButton", QStringLiteral("確認")},
        {"PirouGainSetButton", QStringLiteral("設定")},
        {"Label63", QStringLiteral("補正ゲイン(0-1000)")},
        {"DB0RadioButton", QStringLiteral("無し")},
        {"AxisMode1AxisRadioButton", QStringLiteral("1軸モード")},
        {"AilGroupBox", QStringLiteral("Aileron")},
        {"GroupBox4", QStringLiteral("Chanel Input")},
        {"GroupBox7", QStringLiteral("File Update")},
        {"ResHeliSelectGroupBox", QStringLiteral("機体選択")},
        {"MenuFile", QStringLiteral("File(&F)")},
        {"MenuFileOpen", QStringLiteral("Open(&O)")},
        {"MenuFileSave", QStringLiteral("Save(&S)")},
        {"MenuFileEnd", QStringLiteral("End(&X)")},
        {"MenuHelp", QStringLiteral("Help(&H)")},
        {"MenuHelpVersion", QStringLiteral("Version(&V)")},
        {"TabSheet1", QStringLiteral("LIMITTER SETTING")},
        {"TabSheet2", QStringLiteral("CONTROL PARAMETER SETTING")},
        {"TabSheet3", QStringLiteral("GAIN CONTROL STATUS")},
        {"TabSheet4", QStringLiteral("OPTION SETTING")},
        {"TabSheet5", QStringLiteral("UPDATE")},
        {"TabSheet6", QStringLiteral("RESET")},
        {"TabSheet7", QStringLiteral("SETTING1")},
        {"TabSheet8", QStringLiteral("SETTING2")},
        {"TabSheet9", QStringLiteral("SETTING3")},
        {"WriteProgressForm/MessageLabel", QStringLiteral("書き込み中。")},
    };
    for (const auto &[name, text] : captions)
        EXPECT_EQ(caption(control<QObject>(name)), text) << name;

    const std::vector<std::pair<const char *, QStringList>> items = {
        {"AilGainChComboBox",
         {"INH", "GEAR", "AUX2", "AUX3", "AUX4", "AUX5", "AUX6", "AUX7", "AUX8", "AUX9", "AUX10", "AUX11"}},
        {"SwashNarrowComboBox", {"1500", "760"}},
        {"RxKindSelectComboBox", {QStringLiteral("HORQ リモートアンテナ"), "TELV MODE.A", "TELV MODE.B"}},
        {"ResHeliSelectComboBox",
         {QStringLiteral("選択しない"), "TARVO450", "TARVO700", QStringLiteral("500～600")}},
    };
    for (const auto &[name, expected] : items) {
        auto *combo = control<QComboBox>(name);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        EXPECT_EQ(shown, expected) << name;
    }
}

// The language file can only reach controls the layout has: every control that the key
// table names exists in the window (or in one of its progress windows).
TEST_F(LayoutTest, EveryControlOfTheLanguageKeysExists)
{
    start();
    for (const LanguageKey &key : languageKeys())
        for (std::string_view name : key.controls) {
            if (name.empty())
                continue;
            const QString path = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
            EXPECT_NE(findControl(*form, path), nullptr) << key.key << " -> " << name;
        }
}

} // namespace
} // namespace vireo::test
