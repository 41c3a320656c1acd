#include "app/gui/LanguageTable.h"
#include "app/LanguageFields.h"
#include "app/LanguageKeys.h"
#include "app/gui/Captions.h"
#include "seams/ConversionError.h"
#include "seams/FileOpenError.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace vireo
{
namespace
{

// A few named controls of each kind the language file addresses, laid out as the main window
// does: pages in a tab widget, labels in group boxes, a menu, two windows of their own.
struct Tree {
    std::unique_ptr<QWidget> root = std::make_unique<QWidget>();

    template <class T> T *add(const QString &name, QWidget *parent = nullptr)
    {
        auto *w = new T(parent ? parent : root.get());
        w->setObjectName(name);
        return w;
    }

    Tree()
    {
        auto *bar = add<QMenuBar>("MainMenu1");
        auto *file = add<QMenu>("MenuFile", bar);
        file->setTitle("File(&F)");
        bar->addMenu(file);
        auto *open = new QAction("Open(&O)", file);
        open->setObjectName("MenuFileOpen");
        file->addAction(open);

        add<QPushButton>("ConnectSpeedButton")->setText("CONNECT");
        add<QLabel>("Label83")->setText("built-in kind");
        add<QLabel>("Label34")->setText("Firmware Ver");
        add<QLabel>("Label64");
        add<QLabel>("Label53")->setText("status");

        auto *pages = add<QTabWidget>("PageControl1");
        for (const char *name : {"TabSheet2", "TabSheet3"}) {
            auto *page = new QWidget;
            page->setObjectName(name);
            pages->addTab(page, name);
        }
        auto *group = add<QGroupBox>("AilGroupBox", pages->widget(0));
        group->setTitle("Aileron");
        auto *p = add<QLabel>("Label1", group);
        p->setText("P ゲイン");
        QFont bold = p->font();
        bold.setBold(true);
        p->setFont(bold);

        for (const char *name :
             {"AilGainChComboBox", "EleGainChComboBox", "RudGainChComboBox", "CondSelChComboBox"})
            add<QComboBox>(name)->addItems({"INH", "GEAR"});

        auto *progress = add<QDialog>("WriteProgressForm");
        add<QLabel>("MessageLabel", progress)->setText("書き込み中。");
        auto *about = add<QDialog>("AboutBox");
        add<QLabel>("Label1", about)->setText("about label");
    }

    template <class T = QObject> T *get(const QString &path) const
    {
        auto *object = qobject_cast<T *>(findControl(*root, path));
        EXPECT_NE(object, nullptr) << path.toStdString();
        return object;
    }
    QString captionOf(const QString &path) const { return caption(get(path)); }
};

TEST(LanguageTable, AppliesLinesToControls)
{
    const struct {
        const char *name;
        QString text;
        QString control;
        QString caption;
    } cases[] = {
        {"caption of a label", "CPSAilronP,P gain,Arial,9,0", "Label1", "P gain"},
        {"key in lower case", "menufile,ファイル(&F)", "MenuFile", "ファイル(&F)"},
        {"menu action", "MenuFileOpen,開く(&O)", "MenuFileOpen", "開く(&O)"},
        {"quoted comma", "ConnectButton,\"A,B\",Arial,9,0", "ConnectSpeedButton", "A,B"},
        {"unquoted comma ends the text", "ConnectButton,A,B,9,0", "ConnectSpeedButton", "A"},
        {"underscore shows a space", "FirmwareVer,Firmware_Version,Arial,9,0", "Label34", "Firmware Version"},
        {"tab separates fields", "FirmwareVer\tFW\tArial\t9\t0", "Label34", "FW"},
        {"SX empties the caption", "KALMKind1,KALM07,Arial,9,0", "Label83", ""},
        {"multi-line caption", "CPSLabel3,one#two,Arial,9,0", "Label64", "one\ntwo\n"},
        {"tab page caption is its tab text", "TabSheet3,STATUS,Arial,9,0", "TabSheet3", "STATUS"},
        {"group box title", "CPSAilronGroup,エルロン,Arial,9,0", "AilGroupBox", "エルロン"},
        {"progress window label", "CPSWritingMessage,Writing,Arial,9,0", "WriteProgressForm/MessageLabel",
         "Writing"},
        {"another window keeps its own Label1", "CPSAilronP,P gain,Arial,9,0", "AboutBox/Label1",
         "about label"},
        {"unknown key changes nothing", "NoSuchKey,X,Arial,9,0", "Label1", "P ゲイン"},
        {"font fields carried from the line before", "FirmwareVer,FW,Arial,9,0\r\nCPSAilronP,P", "Label1",
         "P"},
        {"last line of a key wins", "CPSAilronP,A,Arial,9,0\nCPSAilronP,B", "Label1", "B"},
        {"key alone takes the text of the line before", "FirmwareVer,same,Arial,9,0\rCPSAilronP", "Label1",
         "same"},
        {"SF leaves the caption", "UPDFileLabel2,Updating,Arial,9,0", "Label53", "status"},
    };
    for (const auto &c : cases) {
        Tree tree;
        LanguageTable table;
        table.apply(c.text, *tree.root);
        EXPECT_EQ(tree.captionOf(c.control), c.caption) << c.name;
    }
}

TEST(LanguageTable, SetsFontsKeepingTheStyle)
{
    Tree tree;
    LanguageTable table;
    table.apply("CPSAilronP,P,Courier,14,128\n"
                "ConnectButton,A,B,11,0\n"
                "UPDFileLabel2,Updating,Arial,7,0\n"
                "MenuFileOpen,Open,Symbol,30,2\n",
                *tree.root);

    const QFont p = tree.get<QLabel>("Label1")->font();
    EXPECT_EQ(p.family(), "Courier");
    EXPECT_EQ(p.pointSize(), 14);
    EXPECT_TRUE(p.bold());
    EXPECT_EQ(tree.get("Label1")->property("fontCharset").toInt(), 128);

    EXPECT_EQ(tree.get<QPushButton>("ConnectSpeedButton")->font().family(), "B");
    EXPECT_EQ(tree.get<QLabel>("Label53")->font().pointSize(), 7);
    // Menu items take no font from the file.
    EXPECT_NE(tree.get<QAction>("MenuFileOpen")->font().family(), "Symbol");
}

TEST(LanguageTable, FillsComboItemsOfEveryListedBox)
{
    Tree tree;
    LanguageTable table;
    table.apply("GASAux3ChComboBox,AUX3\nGASINHChComboBox,なし,Arial,11,0\n", *tree.root);
    for (const char *name :
         {"AilGainChComboBox", "EleGainChComboBox", "RudGainChComboBox", "CondSelChComboBox"}) {
        const auto *box = tree.get<QComboBox>(name);
        ASSERT_EQ(box->count(), 4) << name;
        EXPECT_EQ(box->itemText(0), "なし") << name;
        EXPECT_EQ(box->itemText(1), "GEAR") << name;
        EXPECT_EQ(box->itemText(2), "") << name;
        EXPECT_EQ(box->itemText(3), "AUX3") << name;
        EXPECT_EQ(box->font().pointSize(), 11) << name;
    }
}

TEST(LanguageTable, StoresTextsUnderTheirKey)
{
    Tree tree;
    LanguageTable table;
    table.apply("connecterrormessage,\"Not found, check the cable\"\n"
                "KALMKind1,KALM07 type 1,Arial,9,0\n"
                "PRSLabel3,Press SET\n"
                "UPDFileLabel2,Updating\n"
                "CPSAilronP,P gain\n",
                *tree.root);
    EXPECT_EQ(table.text("ConnectErrorMessage"), "Not found, check the cable");
    EXPECT_EQ(table.text("KALMKIND1"), "KALM07 type 1");
    EXPECT_EQ(table.text("PRSLabel3"), "Press SET");
    EXPECT_EQ(table.text("UPDFileLabel2"), "Updating");
    // Caption keys and keys the file leaves out store nothing.
    EXPECT_EQ(table.text("CPSAilronP"), "");
    EXPECT_EQ(table.text("DialogMessageOk"), "");
}

TEST(LanguageTable, BadFontNumberStopsLoading)
{
    const struct {
        const char *name;
        QString text;
    } cases[] = {
        {"size not a number", "CPSAilronP,P,Arial,big,0"},
        {"character set not a number", "CPSAilronP,P,Arial,9,x"},
        {"no font fields before", "CPSAilronP,P"},
        {"combo font", "GASINHChComboBox,INH,Arial,9.5,0"},
        {"key of no control still converts", "CPSPHelp1,Heading,Arial,,0"},
    };
    for (const auto &c : cases) {
        Tree tree;
        LanguageTable table;
        EXPECT_THROW(table.apply("FirmwareVer,FW\n" + c.text, *tree.root, "language.dat"), ConversionError)
            << c.name;
        // The bad line changed nothing.
        EXPECT_EQ(tree.captionOf("Label1"), "P ゲイン") << c.name;
    }

    Tree tree;
    LanguageTable table;
    try {
        table.apply("MenuFile,File,Arial,x,y\nCPSAilronP,P,Arial,big,0", *tree.root, "language.dat");
        FAIL() << "no ConversionError";
    } catch (const ConversionError &error) {
        // Menu items set no font, so only the second line fails; the message says where.
        EXPECT_STREQ(error.what(),
                     "language.dat, line 2: 'big' is not a valid integer value (font size of CPSAilronP)");
    }
}

TEST(LanguageTable, MissingFileIsAFileOpenError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("language.dat");
    Tree tree;
    LanguageTable table;
    try {
        table.load(path, *tree.root);
        FAIL() << "no FileOpenError";
    } catch (const FileOpenError &error) {
        EXPECT_EQ(error.path(), path.toStdString());
    }
    EXPECT_THROW(table.load(dir.path(), *tree.root), FileOpenError);
}

TEST(LanguageTable, DecodesShiftJisFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("language.dat");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // "CPSAilronP,P ゲイン" and "RESCautionMessage,リセット～" in Shift-JIS; the second byte of
    // "ソ" (0x83 0x5C) must not be taken for anything but part of its character.
    file.write("CPSAilronP,P \x83\x51\x83\x43\x83\x93,Arial,9,0\r\n"
               "RESCautionMessage,\x83\x8A\x83\x5A\x83\x62\x83\x67\x81\x60\x83\x5C\r\n");
    file.close();

    Tree tree;
    LanguageTable table;
    table.load(path, *tree.root);
    EXPECT_EQ(tree.captionOf("Label1"), "P ゲイン");
    EXPECT_EQ(table.text("RESCautionMessage"), "リセット～ソ");
}

TEST(LanguageTable, ReadsUtf8AfterAByteOrderMark)
{
    // A language Shift-JIS cannot hold (Greek, an accent, a Korean word).
    const QString text =
        QStringLiteral("CPSAilronP,Κέρδος P,Arial,9,0\r\nRESCautionMessage,Réinitialiser 초기화\r\n");
    const struct {
        const char *name;
        QByteArray bytes;
        bool utf8;
    } cases[] = {
        {"with BOM", "\xEF\xBB\xBF" + text.toUtf8(), true},
        {"without BOM: Shift-JIS as ever", text.toUtf8(), false},
        {"BOM further on is no mark", "X" + ("\xEF\xBB\xBF" + text.toUtf8()), false},
    };
    for (const auto &c : cases) {
        const QString decoded = LanguageTable::decode(c.bytes);
        EXPECT_EQ(decoded == text, c.utf8) << c.name;
        EXPECT_FALSE(decoded.startsWith(QChar(0xFEFF))) << c.name;
    }

    QTemporaryDir dir;
    QFile file(dir.filePath("language.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(cases[0].bytes);
    file.close();
    Tree tree;
    LanguageTable table;
    table.load(file.fileName(), *tree.root);
    EXPECT_EQ(tree.captionOf("Label1"), QStringLiteral("Κέρδος P")); // the first key, right after the mark
    EXPECT_EQ(table.text("RESCautionMessage"), QStringLiteral("Réinitialiser 초기화"));
}

TEST(LanguageTable, CaptionsOfEachControlKind)
{
    Tree tree;
    auto *edit = tree.add<QLineEdit>("Edit1");
    EXPECT_FALSE(setCaption(edit, "x"));
    EXPECT_EQ(caption(edit), "");
    EXPECT_FALSE(setComboItem(edit, 0, "x"));
    EXPECT_FALSE(setComboItem(tree.get("AilGainChComboBox"), -1, "x"));

    // A label shows its text literally, never as markup.
    auto *label = tree.get<QLabel>("Label34");
    ASSERT_TRUE(setCaption(label, "<b>bold</b>"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);

    EXPECT_TRUE(setCaption(tree.get("MenuFile"), "ファイル"));
    EXPECT_EQ(tree.get<QMenu>("MenuFile")->menuAction()->text(), "ファイル");
    EXPECT_EQ(findControl(*tree.root, u"NoSuchControl"), nullptr);
    EXPECT_EQ(findControl(*tree.root, u"WriteProgressForm/NoSuchControl"), nullptr);
}

TEST(LanguageTable, JapaneseUiFontMapsToIpaGothic)
{
    installFontSubstitutions();
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"))).family(), "IPAPGothic");
}

// The keys that a file gives, by the same reading the program does.
std::set<std::string_view> keysGiven(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const std::u16string text = LanguageTable::decode(file.readAll()).toStdU16String();
    std::set<std::string_view> keys;
    LanguageRecord record;
    for (auto line : splitLanguageLines(text)) {
        record.take(line);
        const LanguageKey *entry = findLanguageKey(record.key());
        EXPECT_NE(entry, nullptr) << "unknown key " << toUtf8(record.key());
        if (entry)
            keys.insert(entry->key);
    }
    return keys;
}

TEST(ShippedLanguageFiles, GiveEveryKey)
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &path : {dir + "/language.dat", dir + "/lang/en/language.dat"}) {
        const auto keys = keysGiven(path);
        for (const auto &entry : languageKeys())
            EXPECT_TRUE(keys.contains(entry.key)) << entry.key << " missing in " << path.toStdString();

        Tree tree;
        LanguageTable table;
        EXPECT_NO_THROW(table.load(path, *tree.root)) << path.toStdString();
        for (const char *key : {"ConnectErrorMessage", "CPSInputErrorMessage", "DialogMessageOk",
                                "DialogMessageCancel", "DisconnectButton", "CPSPHelp3", "GCSChanelInfo2"})
            EXPECT_FALSE(table.text(key).isEmpty()) << key << " in " << path.toStdString();
    }
}

TEST(ShippedLanguageFiles, JapaneseTextsDecode)
{
    Tree tree;
    LanguageTable table;
    table.load(QCoreApplication::applicationDirPath() + "/language.dat", *tree.root);
    EXPECT_EQ(tree.captionOf("Label1"), "P ゲイン");
    EXPECT_EQ(tree.captionOf("ConnectSpeedButton"), "CONNECT");
    EXPECT_EQ(tree.captionOf("TabSheet2"), "CONTROL PARAMETER SETTING");
    EXPECT_EQ(tree.captionOf("Label83"), "");
    EXPECT_EQ(table.text("DialogMessageYes"), "はい");
    EXPECT_EQ(table.text("DialogMessageCancel"), "キャンセル");
    EXPECT_EQ(table.text("KALMKind2"), "KALM07 タイプ2");
    EXPECT_EQ(tree.get<QLabel>("Label1")->font().family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(tree.get("Label1")->property("fontCharset").toInt(), 128);
    // The help explanation holds several lines.
    EXPECT_GE(multiLineText(table.text("CPSPHelp3")).count('\n'), 2);
}

} // namespace
} // namespace vireo
