// The language table against the real main window: every control a key addresses exists there
// with a type that takes what the key sets, and the shipped files give the window its texts.
#include "app/LanguageKeys.h"
#include "app/gui/Captions.h"
#include "app/gui/TForm1.h"
#include "seams/VirtualClock.h"
#include "support/NullPorts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <memory>

namespace vireo
{
namespace
{

// Start-up shows no dialog; any request fails the test.
class NoDialogs : public Dialogs
{
public:
    MsgButton message(const MessageRequest &request) override
    {
        ADD_FAILURE() << "unexpected message " << request.key;
        return Cancel;
    }
    std::optional<std::string> openFileName(const FileRequest &) override
    {
        ADD_FAILURE() << "unexpected open dialog";
        return std::nullopt;
    }
    std::optional<std::string> saveFileName(const FileRequest &) override
    {
        ADD_FAILURE() << "unexpected save dialog";
        return std::nullopt;
    }
};

struct Window {
    VirtualClock clock;
    NoDialogs dialogs;
    test::ClosedPort port;
    test::NoPorts ports;
    std::unique_ptr<TForm1> form;

    Window()
    {
        form = std::make_unique<TForm1>(
            Services{clock, dialogs, port, ports, QCoreApplication::applicationDirPath() + QLatin1Char('/')});
    }
    QObject *find(const QString &name) const { return findControl(*form, name); }
    QString captionOf(const QString &name) const { return caption(find(name)); }
};

bool isTabPage(const QObject *object)
{
    const auto *page = qobject_cast<const QWidget *>(object);
    const auto *tabs = page && page->parentWidget()
                           ? qobject_cast<const QTabWidget *>(page->parentWidget()->parentWidget())
                           : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget *>(page)) >= 0;
}

bool takesCaption(const QObject *control)
{
    return qobject_cast<const QLabel *>(control) || qobject_cast<const QAbstractButton *>(control) ||
           qobject_cast<const QGroupBox *>(control) || qobject_cast<const QMenu *>(control) ||
           qobject_cast<const QAction *>(control) || isTabPage(control);
}

TEST(LanguageWindow, EveryAddressedControlExistsWithAFittingType)
{
    Window window;
    for (const LanguageKey &entry : languageKeys()) {
        for (std::string_view name : entry.controls) {
            if (name.empty())
                continue;
            const QString path = QString::fromLatin1(name.data(), qsizetype(name.size()));
            const QObject *control = window.find(path);
            ASSERT_NE(control, nullptr) << entry.key << ": no control " << name;
            switch (entry.kind) {
            case LanguageKeyKind::I:
            case LanguageKeyKind::I0: {
                const auto *box = qobject_cast<const QComboBox *>(control);
                ASSERT_NE(box, nullptr) << entry.key << ": " << name << " is no combo box";
                // The layout has the item the key renames; the file never has to add one.
                EXPECT_GT(box->count(), entry.item) << entry.key << " " << name;
                break;
            }
            case LanguageKeyKind::SF:
                EXPECT_NE(qobject_cast<const QWidget *>(control), nullptr) << entry.key << " " << name;
                break;
            case LanguageKeyKind::M:
                EXPECT_TRUE(qobject_cast<const QAction *>(control) || qobject_cast<const QMenu *>(control))
                    << entry.key << " " << name;
                break;
            default:
                EXPECT_TRUE(takesCaption(control)) << entry.key << ": " << name << " takes no caption";
            }
        }
    }
}

TEST(LanguageWindow, JapaneseFileGivesTheWindowItsTexts)
{
    Window window;
    const struct {
        const char *control;
        QString caption;
    } captions[] = {
        {"Label1", "P ゲイン"},
        {"Label22", "FF ゲイン"},
        {"Label56", "標準値"},
        {"Label57", "設定値"},
        {"ConnectSpeedButton", "CONNECT"},
        {"TabSheet2", "CONTROL PARAMETER SETTING"},
        {"TabSheet8", "SETTING2"},
        {"Label63", "補正ゲイン(0-100)"},
        {"WriteProgressForm/MessageLabel", "書き込み中。しばらくお待ちください。"},
        {"ResetProgressForm/MessageLabel", "リセット中。しばらくお待ちください。"},
        // Cleared by the file at start-up, filled later by the program.
        {"Label83", ""},
        {"Label62", ""},
        {"Label67", ""},
        {"Label68", ""},
        {"Label69", ""},
        {"Label107", ""},
    };
    for (const auto &c : captions)
        EXPECT_EQ(window.captionOf(c.control), c.caption) << c.control;

    const auto *heli = qobject_cast<QComboBox *>(window.find("ResHeliSelectComboBox"));
    ASSERT_NE(heli, nullptr);
    EXPECT_EQ(heli->itemText(3), "500～600");
    EXPECT_EQ(heli->currentIndex(), 0);
    EXPECT_EQ(window.form->text("DialogMessageNo"), "いいえ");
    EXPECT_EQ(window.form->text("KALMKind1"), "KALM07 タイプ1");
}

TEST(LanguageWindow, EnglishFileAppliesToTheWindow)
{
    Window window;
    window.form->language.load(QCoreApplication::applicationDirPath() + "/lang/en/language.dat",
                               *window.form);
    EXPECT_EQ(window.captionOf("Label1"), "P gain");
    EXPECT_EQ(window.captionOf("MenuFile"), "&File");
    EXPECT_EQ(window.captionOf("Label64"),
              "Choose a mode, enter the gains and press WRITE.\nREAD reads the values stored in the unit.\n");
    EXPECT_EQ(window.form->text("DialogMessageYes"), "Yes");
    EXPECT_EQ(qobject_cast<QLabel *>(window.find("Label1"))->font().family(), "Arial");
}

} // namespace
} // namespace vireo
