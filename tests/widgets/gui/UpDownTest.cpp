// The spin button beside an entry field.
#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace vireo
{
namespace
{

struct Click {
    const char *text; // field text before the click
    int max;
    UpDown::Button button;
    const char *after; // field text after it
};

class UpDownTest : public ::testing::Test
{
protected:
    QWidget parent;
    QLineEdit *field = new QLineEdit(QStringLiteral("12"), &parent);
    UpDown *spin = new UpDown(&parent);
};

TEST_F(UpDownTest, AssociatingShowsThePosition)
{
    spin->setAssociate(field);
    EXPECT_EQ(field->text(), QStringLiteral("0"));
    spin->setRange(0, 5000);
    spin->setPosition(4321);
    EXPECT_EQ(field->text(), QStringLiteral("4321")); // no thousands separator
    spin->setPosition(9000);
    EXPECT_EQ(field->text(), QStringLiteral("5000"));
}

TEST_F(UpDownTest, ClickStepsTheFieldsNumberWithinTheRangeWithoutWrapping)
{
    const std::vector<Click> clicks = {
        {"10", 100, UpDown::Button::Up, "11"},
        {"10", 100, UpDown::Button::Down, "9"},
        {"100", 100, UpDown::Button::Up, "100"}, // at the limit: no further, no wrap to 0
        {"0", 100, UpDown::Button::Down, "0"},   // at 0: no wrap to the limit
        {"32767", 32767, UpDown::Button::Up, "32767"},
        {"007", 100, UpDown::Button::Up, "8"},    // the typed number, shown plainly
        {"250", 100, UpDown::Button::Down, "99"}, // typed above the limit: back into the range
        {"-5", 100, UpDown::Button::Up, "1"},
        {"99999999999", 20, UpDown::Button::Up, "20"},
    };
    spin->setAssociate(field);
    for (const Click &c : clicks) {
        spin->setRange(0, c.max);
        field->setText(QString::fromLatin1(c.text));
        spin->click(c.button);
        EXPECT_EQ(field->text(), QString::fromLatin1(c.after)) << c.text;
        EXPECT_EQ(spin->position(), field->text().toInt()) << c.text;
    }
}

TEST_F(UpDownTest, ClickStepsFromTheNumberTheFieldStartsWithElseFromTheLastPosition)
{
    const std::vector<Click> clicks = {
        {"12a", 100, UpDown::Button::Up, "13"}, // pasted text: the number shown, not a stale position
        {"12a", 100, UpDown::Button::Down, "11"},
        {"-3x", 100, UpDown::Button::Up, "1"},
        {"99999999999999999999z", 100, UpDown::Button::Down, "99"},
        {"a12", 100, UpDown::Button::Up, "41"}, // no number at the start: from the last position
        {"", 100, UpDown::Button::Up, "41"},
        {" 12", 100, UpDown::Button::Up, "41"},
    };
    spin->setAssociate(field);
    for (const Click &c : clicks) {
        spin->setRange(0, c.max);
        spin->setPosition(40);
        field->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(spin->position(), 40) << c.text; // the text is no number within the range
        spin->click(c.button);
        EXPECT_EQ(field->text(), QString::fromLatin1(c.after)) << c.text;
    }
}

TEST_F(UpDownTest, OnlyAClickChangesTheText)
{
    spin->setAssociate(field);
    field->setText(QStringLiteral("900"));
    spin->setRange(0, 20);
    spin->setMax(10);
    EXPECT_EQ(field->text(), QStringLiteral("900"));
    EXPECT_EQ(spin->position(), 0); // out of range: the position it last had
}

TEST_F(UpDownTest, ClickedSignalCarriesTheButtonAfterTheTextChanged)
{
    spin->setAssociate(field);
    spin->setRange(0, 100);
    field->setText(QStringLiteral("5"));
    std::vector<std::pair<UpDown::Button, QString>> seen;
    QObject::connect(spin, &UpDown::clicked, [&](UpDown::Button b) { seen.push_back({b, field->text()}); });
    spin->click(UpDown::Button::Up);
    spin->click(UpDown::Button::Down);
    spin->click(UpDown::Button::Down);
    const std::vector<std::pair<UpDown::Button, QString>> expected = {
        {UpDown::Button::Up, QStringLiteral("6")},
        {UpDown::Button::Down, QStringLiteral("5")},
        {UpDown::Button::Down, QStringLiteral("4")}};
    EXPECT_EQ(seen, expected);
}

TEST_F(UpDownTest, ArrowButtonsAndArrowKeysClick)
{
    spin->setAssociate(field);
    spin->setRange(0, 100);
    spin->resize(17, 21);
    parent.show();
    field->setText(QStringLiteral("50"));
    QSignalSpy spy(spin, &UpDown::clicked);
    QTest::mouseClick(spin->findChild<QToolButton *>(QStringLiteral("up")), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("51"));
    QTest::mouseClick(spin->findChild<QToolButton *>(QStringLiteral("down")), Qt::LeftButton);
    QTest::mouseClick(spin->findChild<QToolButton *>(QStringLiteral("down")), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("49"));
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(field->text(), QStringLiteral("50"));
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(field->text(), QStringLiteral("49"));
    EXPECT_EQ(spy.count(), 5);
}

TEST_F(UpDownTest, DisabledSpinButtonDoesNothing)
{
    spin->setAssociate(field);
    spin->setRange(0, 100);
    field->setText(QStringLiteral("50"));
    spin->setEnabled(false);
    QSignalSpy spy(spin, &UpDown::clicked);
    spin->click(UpDown::Button::Up);
    EXPECT_EQ(field->text(), QStringLiteral("50"));
    EXPECT_EQ(spy.count(), 0);
}

} // namespace
} // namespace vireo
