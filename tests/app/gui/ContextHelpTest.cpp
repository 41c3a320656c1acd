// The help panel of the control parameter page follows the pointer over the gain labels.
#include "support/MainWindowFixture.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>

namespace vireo::test
{
namespace
{

class ContextHelpTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        // The help texts set fonts; later lines take the font fields of the first.
        QString file = QStringLiteral("DialogMessageOk,OK,Arial,9,0\r\n");
        for (const char *group : {"P", "I", "D", "FF", "HLD", "CTL", "ACG", "ACR"})
            file +=
                QStringLiteral(
                    "CPS%1Help1,%1 heading\r\nCPS%1Help2,%1 summary\r\nCPS%1Help3,%1 one#%1 two#%1 three\r\n")
                    .arg(QLatin1String(group));
        dir.writeLanguageFile(file.toLatin1());
        start();
    }

    void enter(const char *label)
    {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(control(label), &event);
    }
    void leave(const char *label)
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(control(label), &event);
    }

    QStringList panel()
    {
        return {control<QLabel>("Label68")->text(), control<QLabel>("Label69")->text(),
                control<QLabel>("Label67")->text()};
    }
    static QStringList group(const char *name)
    {
        const QString g = QLatin1String(name);
        return {g + QStringLiteral(" heading"), g + QStringLiteral(" summary"),
                g + QStringLiteral(" one\n") + g + QStringLiteral(" two\n") + g + QStringLiteral(" three\n")};
    }
};

TEST_F(ContextHelpTest, EnteringARowLabelShowsItsGroupAndLeavingClearsThePanel)
{
    const std::vector<std::pair<const char *, const char *>> rows = {
        {"Label1", "P"},   {"Label10", "P"},   {"Label19", "P"},   {"Label2", "I"},    {"Label11", "I"},
        {"Label20", "I"},  {"Label3", "D"},    {"Label12", "D"},   {"Label21", "D"},   {"Label4", "FF"},
        {"Label13", "FF"}, {"Label22", "FF"},  {"Label5", "HLD"},  {"Label14", "HLD"}, {"Label23", "HLD"},
        {"Label9", "CTL"}, {"Label18", "CTL"}, {"Label27", "CTL"},
    };
    for (const auto &[label, name] : rows) {
        enter(label);
        EXPECT_EQ(panel(), group(name)) << label;
        leave(label);
        EXPECT_EQ(panel(), QStringList({"", "", ""})) << label;
    }
}

TEST_F(ContextHelpTest, StatusPageLabelsFillThePanelWithoutClearingIt)
{
    const std::vector<std::pair<const char *, const char *>> labels = {
        {"Label37", "P"}, {"Label40", "P"},  {"Label43", "P"}, {"Label38", "I"},  {"Label102", "I"},
        {"Label44", "I"}, {"Label104", "I"}, {"Label75", "I"}, {"Label101", "I"},
    };
    for (const auto &[label, name] : labels) {
        enter("Label3"); // something else first
        enter(label);
        leave(label);
        EXPECT_EQ(panel(), group(name)) << label;
    }
    // Back on the parameter page the panel keeps that text until a row label is left.
    leave("Label5");
    EXPECT_EQ(panel(), QStringList({"", "", ""}));
}

TEST_F(ContextHelpTest, HiddenACRowLabelsOnlyClear)
{
    for (const char *label : {"Label90", "Label91", "Label92", "Label93", "Label94", "Label95"}) {
        enter("Label1");
        enter(label);
        EXPECT_EQ(panel(), group("P")) << label;
        leave(label);
        EXPECT_EQ(panel(), QStringList({"", "", ""})) << label;
    }
}

TEST_F(ContextHelpTest, GroupWithoutTextsShowsAnEmptyPanel)
{
    dir.writeLanguageFile("DialogMessageOk,OK\r\n");
    start();
    enter("Label1");
    EXPECT_EQ(panel(), QStringList({"", "", ""}));
}

} // namespace
} // namespace vireo::test
