// Message boxes of the program: the window caption as title, the icon of the kind, buttons
// captioned with the language texts, the focused button, and the answer of the button used.
#include "app/gui/QtDialogs.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace vireo::test
{
namespace
{

class QtDialogsTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        dir.writeLanguageFile(
            shiftJis(QStringLiteral("DialogMessageOk,了解\r\nDialogMessageYes,はい\r\n"
                                    "DialogMessageNo,いいえ\r\nDialogMessageCancel,やめる\r\n")));
        start();
        real.setWindow(form.get());
    }

    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        QString focused;
    };

    // Shows the request; once the box is up, records it and presses the button captioned press.
    MsgButton showAndPress(const MessageRequest &request, const QString &press, Seen &seen)
    {
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                ADD_FAILURE() << "no message box";
                return;
            }
            seen.title = box->windowTitle();
            seen.text = box->text().remove(QChar(0x2060)); // without the joiners of the phrase breaks
            seen.icon = box->icon();
            for (QAbstractButton *b : box->buttons())
                seen.buttons << b->text();
            if (box->defaultButton())
                seen.focused = box->defaultButton()->text();
            for (QAbstractButton *b : box->buttons())
                if (b->text() == press)
                    b->click();
        });
        return real.message(request);
    }

    QtDialogs real;
};

struct Case {
    MsgIcon icon;
    unsigned buttons;
    MsgButton focused;
    QString press;
    MsgButton answer;
    QMessageBox::Icon shown;
    QStringList captions; // in any order
};

TEST_F(QtDialogsTest, BoxesCarryCaptionIconButtonsAndAnswer)
{
    const std::vector<Case> cases = {
        {MsgIcon::Error, Ok, Ok, QStringLiteral("了解"), Ok, QMessageBox::Critical, {QStringLiteral("了解")}},
        {MsgIcon::Information,
         Ok,
         Ok,
         QStringLiteral("了解"),
         Ok,
         QMessageBox::Information,
         {QStringLiteral("了解")}},
        {MsgIcon::Question,
         Yes | No,
         No,
         QStringLiteral("はい"),
         Yes,
         QMessageBox::Question,
         {QStringLiteral("はい"), QStringLiteral("いいえ")}},
        {MsgIcon::Question,
         Yes | No,
         Yes,
         QStringLiteral("いいえ"),
         No,
         QMessageBox::Question,
         {QStringLiteral("はい"), QStringLiteral("いいえ")}},
        {MsgIcon::Warning,
         Ok | Cancel,
         Cancel,
         QStringLiteral("やめる"),
         Cancel,
         QMessageBox::Warning,
         {QStringLiteral("了解"), QStringLiteral("やめる")}},
    };
    for (const Case &c : cases) {
        MessageRequest request;
        request.icon = c.icon;
        request.key = "SomeKey";
        request.text = "line one\n(0-5000) <b>not markup</b>";
        request.buttons = c.buttons;
        request.focused = c.focused;
        Seen seen;
        EXPECT_EQ(showAndPress(request, c.press, seen), c.answer) << c.press.toStdString();
        EXPECT_EQ(seen.title, QStringLiteral("VIREO Ver.1.6.5"));
        EXPECT_EQ(seen.text, QString::fromStdString(request.text));
        EXPECT_EQ(seen.icon, c.shown);
        QStringList shown = seen.buttons, expected = c.captions;
        shown.sort();
        expected.sort();
        EXPECT_EQ(shown, expected);
        const QString focusedCaption = c.focused == Ok    ? QStringLiteral("了解")
                                       : c.focused == Yes ? QStringLiteral("はい")
                                       : c.focused == No  ? QStringLiteral("いいえ")
                                                          : QStringLiteral("やめる");
        EXPECT_EQ(seen.focused, focusedCaption);
    }
}

} // namespace
} // namespace vireo::test
