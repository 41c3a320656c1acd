// The error dialog of a field check as a real modal message box: taking the focus into the box
// and back must not check the field a second time.
#include "app/gui/QtDialogs.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vireo::test
{
namespace
{

// Real message boxes, counted; each is answered by pressing its default button as soon as it
// is up.
class CountingQtDialogs : public QtDialogs
{
public:
    MsgButton message(const MessageRequest &request) override
    {
        ++shown;
        keys.push_back(request.key);
        pressDefaultButtonWhenUp();
        return QtDialogs::message(request);
    }
    int shown = 0;
    std::vector<std::string> keys;

private:
    static void pressDefaultButtonWhenUp()
    {
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->defaultButton()->click();
            else
                pressDefaultButtonWhenUp();
        });
    }
};

class RealDialogExitTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>(Services{clock, real, port, ports, dir.path()});
        holdKnownValues();
        real.setWindow(form.get());
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    CountingQtDialogs real;
};

TEST_F(RealDialogExitTest, OneBoxPerLeaveAndTheFieldShowsTheUnitValue)
{
    auto *field = form->control<QLineEdit>(QStringLiteral("Edit1"));
    auto *target = form->control<QLineEdit>(QStringLiteral("Edit10"));
    form->CurValues[Aileron][0].P() = 321;
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("5001"));

    QTest::mouseClick(target, Qt::LeftButton);
    QApplication::processEvents();

    EXPECT_EQ(real.shown, 1);
    EXPECT_EQ(real.keys, std::vector<std::string>{"CPSInputErrorMessage"});
    EXPECT_EQ(form->WorkValues.axes[Aileron][0].P(), 321);
    EXPECT_EQ(field->text().toStdString(), "321");

    // Leaving the field again after the box checks the now valid text without a box.
    field->setFocus(Qt::MouseFocusReason);
    form->control<QLineEdit>(QStringLiteral("Edit2"))->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(real.shown, 1);
}

} // namespace
} // namespace vireo::test
