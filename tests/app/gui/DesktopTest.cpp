// The window as a desktop program: the language menu, what it remembers between runs, Qt's own
// texts, the keyboard, and the progress windows' manners.
#include "app/gui/Captions.h"
#include "app/gui/Languages.h"
#include "app/gui/QtDialogs.h"
#include "app/gui/Settings.h"
#include "support/MainWindowFixture.h"
#include "widgets/PageControl.h"
#include "widgets/TProgressForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>

namespace vireo::test
{
namespace
{

// A character of the Japanese scripts (kana, kanji, full-width forms, Japanese punctuation).
bool hasJapanese(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

class DesktopTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        openSettings()->clear();
        QDir(userLanguageFolder()).removeRecursively();
        QDir().mkpath(dir.path() + "lang/en");
        QFile::copy(TestProgramDir::shipped("lang/en/language.dat"), dir.path() + "lang/en/language.dat");
    }
    void TearDown() override
    {
        form.reset();
        openSettings()->clear();
        QDir(userLanguageFolder()).removeRecursively();
    }

    QString captionOf(const char *name) const { return caption(findControl(*form, QString::fromUtf8(name))); }
    QAction *languageItem(const QString &id) const
    {
        return form->control<QAction>(QStringLiteral("MenuLanguage_") + id);
    }
    void choose(const QString &id) const
    {
        languageItem(id.isEmpty() ? QStringLiteral("default") : id)->trigger();
    }
};

TEST_F(DesktopTest, LanguageMenuSwitchesEveryCaptionAtOnceAndIsRemembered)
{
    start();
    EXPECT_EQ(captionOf("MenuLanguage"), "言語(&L)");
    EXPECT_EQ(languageItem("default")->text(), "日本語");
    EXPECT_EQ(languageItem("en")->text(), "English");
    EXPECT_TRUE(languageItem("default")->isChecked());

    // Captions the program set at run time come back in the new language.
    form->Connected = true;
    control<QAbstractButton>("ConnectSpeedButton")->setText(form->text("DisconnectButton"));
    control<QLabel>("Label83")->setText(form->text("KALMKind2"));
    form->unitKind = UnitKind::Kind2;

    choose("en");
    EXPECT_EQ(form->LanguageId, "en");
    EXPECT_EQ(captionOf("Label1"), "P gain");
    EXPECT_EQ(captionOf("MenuFile"), "&File");
    EXPECT_EQ(captionOf("GroupBox7"), "File Update");
    EXPECT_EQ(captionOf("Label83"), "KALM07 type 2");
    EXPECT_EQ(captionOf("HelpHintLabel"), form->text("CPSHelpHint"));
    EXPECT_EQ(form->text("DialogMessageNo"), "No");
    EXPECT_TRUE(languageItem("en")->isChecked());
    form->Connected = false;

    // The next start is in English.
    form.reset();
    start();
    EXPECT_EQ(form->LanguageId, "en");
    EXPECT_EQ(captionOf("Label1"), "P gain");
    EXPECT_EQ(captionOf("ConnectSpeedButton"), "CONNECT");

    choose("");
    EXPECT_EQ(captionOf("Label1"), "P ゲイン");
    EXPECT_EQ(captionOf("GroupBox7"), "ファイルからアップデート");
    EXPECT_EQ(captionOf("Label34"), "ファームウェア Ver");
    EXPECT_EQ(openSettings()->value(setting::Language).toString(), "");
}

TEST_F(DesktopTest, UserLanguageFileInUtf8OverTheDefaultAndAChoiceThatVanished)
{
    QDir().mkpath(userLanguageFolder() + "/el");
    QFile file(userLanguageFolder() + "/el/language.dat");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" +
               QStringLiteral("LanguageName,Ελληνικά\r\nCPSAilronP,Κέρδος P,Arial,9,0\r\n").toUtf8());
    file.close();

    start();
    // Offered without a restart: the menu is filled when it opens.
    EXPECT_EQ(languageItem("el")->text(), "Ελληνικά");
    choose("el");
    EXPECT_EQ(captionOf("Label1"), "Κέρδος P");
    EXPECT_EQ(captionOf("Label2"), "I ゲイン"); // not translated there: the default's text
    EXPECT_EQ(form->text("DialogMessageYes"), "はい");

    // Gone by the next start: the default, and no start-up failure.
    form.reset();
    QDir(userLanguageFolder()).removeRecursively();
    start();
    EXPECT_EQ(form->LanguageId, "");
    EXPECT_EQ(captionOf("Label1"), "P ゲイン");
}

TEST_F(DesktopTest, EnglishWindowShowsNoJapaneseInAnyVisibleControl)
{
    start();
    choose("en");
    form->show();
    QStringList found;
    const auto sweep = [&](const QString &where) {
        for (QWidget *w : form->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(form.get()) || w->window() != form.get())
                continue;
            QStringList texts = {caption(w), w->toolTip()};
            if (auto *edit = qobject_cast<QLineEdit *>(w))
                texts << edit->text();
            if (auto *box = qobject_cast<QComboBox *>(w))
                for (int i = 0; i < box->count(); ++i)
                    texts << box->itemText(i);
            if (auto *tabs = qobject_cast<QTabWidget *>(w))
                for (int i = 0; i < tabs->count(); ++i)
                    if (tabs->isTabVisible(i))
                        texts << tabs->tabText(i);
            for (const QString &t : texts)
                if (hasJapanese(t))
                    found << where + ": " + w->objectName() + " \"" + t + "\"";
        }
    };
    for (int i = 0; i < form->PageControl1->count(); ++i) {
        if (!form->PageControl1->isTabVisible(i))
            continue;
        form->PageControl1->setCurrentIndex(i);
        for (int j = 0; j < form->PageControl2->count(); ++j) {
            form->PageControl2->setCurrentIndex(j);
            sweep(form->PageControl1->widget(i)->objectName() + "/" +
                  form->PageControl2->widget(j)->objectName());
        }
    }
    // The menus; the language menu names each language in its own words.
    for (QAction *menu : form->menuBar()->actions()) {
        if (hasJapanese(menu->text()))
            found << "menu \"" + menu->text() + "\"";
        if (menu->menu() && menu->menu()->objectName() != "MenuLanguage")
            for (QAction *item : menu->menu()->actions())
                if (hasJapanese(item->text()))
                    found << "menu item \"" + item->text() + "\"";
    }
    for (TProgressForm *progress : {form->WriteProgressForm, form->ResetProgressForm})
        if (hasJapanese(progress->MessageLabel->text()) || hasJapanese(progress->windowTitle()))
            found << progress->objectName() + " \"" + progress->MessageLabel->text() + "\"";
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

TEST_F(DesktopTest, WindowPositionIsRememberedWhenClosed)
{
    start();
    form->show();
    form->move(23, 31);
    const QPoint place = form->pos();
    form->close();
    EXPECT_EQ(openSettings()->value(setting::WindowPosition).toPoint(), place);

    form.reset();
    start();
    form->show();
    EXPECT_EQ(form->pos(), place);

    // A place on no screen any longer (a monitor unplugged): centred instead.
    form.reset();
    openSettings()->setValue(setting::WindowPosition, QPoint(-5000, -5000));
    start();
    form->show();
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(form->frameGeometry().center()));
}

TEST_F(DesktopTest, WindowLargerThanTheScreenScrollsUnderItsMenu)
{
    start();
    form->show();
    // The whole window where the screen holds it.
    EXPECT_EQ(control("ClientScrollArea")->size(), QSize(769, 544));
    // A screen area smaller than the window (1280x1024 at 2x gives 640x512 less the panels).
    const QSize room(620, 460);
    form->fitInto(room);
    EXPECT_EQ(form->size(), room);
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(control("ClientArea")->size(), QSize(769, 544)); // kept whole, scrolled
    EXPECT_TRUE(form->menuBar()->isVisible());
    // CONNECT, at the far right, can be brought into view.
    auto *scroll = control<QScrollArea>("ClientScrollArea");
    QWidget *connectButton = control("ConnectSpeedButton");
    scroll->ensureWidgetVisible(connectButton);
    const QRect shown(connectButton->mapTo(scroll->viewport(), QPoint(0, 0)), connectButton->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(shown));
}

TEST_F(DesktopTest, QtsOwnTextsComeFromTheLanguageFile)
{
    start();
    const struct {
        const char *context, *source, *japanese, *english;
    } texts[] = {
        {"QPlatformTheme", "Cancel", "キャンセル", "Cancel"},
        {"QPlatformTheme", "OK", "OK", "OK"},
        {"QFileDialog", "Look in:", "場所:", "Look in:"},
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
         "%1 はすでにあります。\n置き換えますか？", "%1 already exists.\nDo you want to replace it?"},
        {"QLineEdit", "&Paste", "貼り付け(&P)", "&Paste"},
    };
    for (const auto &t : texts)
        EXPECT_EQ(QCoreApplication::translate(t.context, t.source), QString::fromUtf8(t.japanese))
            << t.source;
    choose("en");
    for (const auto &t : texts)
        EXPECT_EQ(QCoreApplication::translate(t.context, t.source), QString::fromUtf8(t.english)) << t.source;
    // Gone with the window.
    choose("");
    form.reset();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST_F(DesktopTest, ShortcutsOfTheMenu)
{
    start();
    const struct {
        const char *action;
        QKeySequence keys;
    } shortcuts[] = {
        {"MenuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"MenuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"MenuFileEnd", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"MenuHelpVersion", QKeySequence(Qt::Key_F1)},
    };
    for (const auto &s : shortcuts)
        EXPECT_EQ(control<QAction>(s.action)->shortcut(), s.keys) << s.action;
}

TEST_F(DesktopTest, HelpPanelHintsAtPointingAtAGainUntilOneIs)
{
    start();
    auto *hint = control<QLabel>("HelpHintLabel");
    EXPECT_EQ(hint->text(), form->text("CPSHelpHint"));
    EXPECT_FALSE(hint->text().isEmpty());
    EXPECT_FALSE(hint->isHidden());
    form->GyroGainLabelMouseEnter(control("Label1"));
    EXPECT_TRUE(hint->isHidden());
    form->HelpMouseLeave(control("Label1"));
    EXPECT_FALSE(hint->isHidden());
}

// Records, at each box, whether a progress window was on screen.
class ProgressWatchingDialogs : public Dialogs
{
public:
    std::function<bool()> progressShown;
    std::vector<bool> seen;
    MsgButton message(const MessageRequest &) override
    {
        seen.push_back(progressShown());
        return Ok;
    }
    std::optional<std::string> openFileName(const FileRequest &) override
    {
        seen.push_back(progressShown());
        return std::nullopt;
    }
    std::optional<std::string> saveFileName(const FileRequest &) override { return openFileName({}); }
};

TEST_F(DesktopTest, ProgressWindowStepsAsideForABoxAndIgnoresEscape)
{
    ProgressWatchingDialogs watching;
    form = std::make_unique<TForm1>(Services{clock, watching, port, ports, dir.path()});
    TProgressForm *progress = form->WriteProgressForm;
    watching.progressShown = [progress] { return progress->isVisible(); };
    form->show();
    progress->show();
    progress->step(40);

    // Escape and the window manager's close leave it to its flow.
    QTest::keyClick(progress, Qt::Key_Escape);
    EXPECT_TRUE(progress->isVisible());
    QCloseEvent byUser;
    QSpontaneKeyEvent::setSpontaneous(&byUser); // as the window manager's close button sends it
    QApplication::instance()->notify(progress, &byUser);
    EXPECT_FALSE(byUser.isAccepted());
    EXPECT_TRUE(progress->isVisible());

    form->dialogs().message({MsgIcon::Error, "CPSWriteErrorMessage", "x", Ok, Ok});
    form->dialogs().openFileName({});
    EXPECT_EQ(watching.seen, (std::vector<bool>{false, false}));
    // Back, as far as it had got, for a flow that goes on.
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->position(), 40);

    progress->close(); // the flow's own close
    EXPECT_FALSE(progress->isVisible());
}

class FileDialogFolders : public DesktopTest
{
protected:
    // Runs the dialog; once it is up, notes its folder and chooses file (or cancels for an empty one).
    std::optional<std::string> run(bool save, FileKind kind, const QString &file, QString &startedIn)
    {
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no file dialog";
                return;
            }
            startedIn = dialog->directory().absolutePath();
            title = dialog->windowTitle();
            if (file.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept"); // as the Open or Save button does
        });
        FileRequest request{"VIREO File|*.gdt", save ? "gyro.gdt" : "", kind};
        return save ? real.saveFileName(request) : real.openFileName(request);
    }

    QtDialogs real;
    QString title;
};

TEST_F(FileDialogFolders, EachDialogStartsWhereItWasLastAcceptedFirstInTheDocumentsFolder)
{
    start();
    real.setWindow(form.get());
    QTemporaryDir a, b;
    const QString inA = a.filePath("one.gdt"), inB = b.filePath("fw.dat");
    for (const QString &path : {inA, inB}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString documents = startFolder(QString());
    const QString documentsExpected = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(documents, QFileInfo(documentsExpected).isDir() ? documentsExpected : QDir::homePath());

    QString startedIn;
    EXPECT_EQ(run(false, FileKind::Parameters, inA, startedIn), inA.toStdString());
    EXPECT_EQ(startedIn, QDir(documents).absolutePath());
    EXPECT_EQ(title, "パラメータファイルを開く");
    // Cancelled: the remembered folder stays.
    EXPECT_EQ(run(false, FileKind::Parameters, QString(), startedIn), std::nullopt);
    EXPECT_EQ(startedIn, a.path());
    EXPECT_EQ(run(false, FileKind::Parameters, QString(), startedIn), std::nullopt);
    EXPECT_EQ(startedIn, a.path());

    // The firmware and save dialogs keep folders of their own.
    EXPECT_EQ(run(false, FileKind::Firmware, inB, startedIn), inB.toStdString());
    EXPECT_EQ(startedIn, QDir(documents).absolutePath());
    EXPECT_EQ(title, "ファームウェアファイルを選ぶ");
    EXPECT_EQ(run(true, FileKind::Parameters, b.filePath("new.gdt"), startedIn),
              b.filePath("new.gdt").toStdString());
    EXPECT_EQ(startedIn, QDir(documents).absolutePath());
    run(false, FileKind::Parameters, QString(), startedIn);
    EXPECT_EQ(startedIn, a.path());
    run(true, FileKind::Parameters, QString(), startedIn);
    EXPECT_EQ(startedIn, b.path());

    // A remembered folder that is gone: the documents folder again.
    openSettings()->setValue(setting::OpenFolder, a.path() + "/gone");
    run(false, FileKind::Parameters, QString(), startedIn);
    EXPECT_EQ(startedIn, QDir(documents).absolutePath());
}

} // namespace
} // namespace vireo::test
