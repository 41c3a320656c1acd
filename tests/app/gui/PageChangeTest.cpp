// Selecting a tab page of the main page control: the update progress bar starts again at 0,
// and READ/WRITE follow the connection and the page's position among the visible tabs.
#include "support/MainWindowFixture.h"
#include "widgets/PageControl.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace vireo::test
{
namespace
{

class PageChangeTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        start();
        form->show();
    }

    // A mouse click on the tab of the page, as the user selects it.
    void clickTab(const char *page)
    {
        QTabBar *bar = form->PageControl1->tabBar();
        const int index = form->PageControl1->indexOf(control(page));
        ASSERT_TRUE(bar->isTabVisible(index)) << page;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(form->PageControl1->currentIndex(), index) << page;
    }

    bool readWriteEnabled()
    {
        const bool read = control("ReadButton")->isEnabled();
        EXPECT_EQ(read, control("WriteButton")->isEnabled());
        return read;
    }

    void enableReadWrite()
    {
        control("ReadButton")->setEnabled(true);
        control("WriteButton")->setEnabled(true);
    }
};

struct Case {
    std::vector<const char *> hidden; // tabs hidden before the click
    const char *page;
    bool enabled; // READ and WRITE after the click, while connected
};

TEST_F(PageChangeTest, ConnectedReadAndWriteFollowThePositionAmongVisibleTabs)
{
    const std::vector<Case> cases = {
        {{}, "TabSheet2", true},
        {{}, "TabSheet3", false},
        {{}, "TabSheet4", true},
        {{}, "TabSheet5", false},
        {{}, "TabSheet6", false},
        // With the status page hidden, OPTION SETTING moves to position 1 and UPDATE to 2.
        {{"TabSheet3"}, "TabSheet4", false},
        {{"TabSheet3"}, "TabSheet5", true},
        {{"TabSheet3"}, "TabSheet6", false},
        // Only the position counts: without the parameter pages UPDATE comes first (0) and
        // RESET second (1).
        {{"TabSheet2", "TabSheet3", "TabSheet4"}, "TabSheet5", true},
        {{"TabSheet2", "TabSheet3", "TabSheet4"}, "TabSheet6", false},
    };
    form->Connected = true;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.page) + " with " + std::to_string(c.hidden.size()) + " tabs hidden");
        for (int i = 2; i <= 6; ++i)
            form->setPageVisible(QStringLiteral("TabSheet%1").arg(i), true);
        for (const char *page : c.hidden)
            form->setPageVisible(QString::fromLatin1(page), false);
        // Start from another visible page so that the click is a change.
        for (int i = 0; i < form->PageControl1->count(); ++i)
            if (form->PageControl1->isTabVisible(i) && form->PageControl1->widget(i) != control(c.page)) {
                form->PageControl1->setCurrentIndex(i);
                break;
            }
        if (c.enabled)
            control("ReadButton")->setEnabled(false), control("WriteButton")->setEnabled(false);
        else
            enableReadWrite();
        clickTab(c.page);
        EXPECT_EQ(readWriteEnabled(), c.enabled);
    }
}

TEST_F(PageChangeTest, DisconnectedEveryPageKeepsReadAndWriteDisabled)
{
    for (const char *page : {"TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "TabSheet2"}) {
        enableReadWrite();
        clickTab(page);
        EXPECT_FALSE(readWriteEnabled()) << page;
    }
}

TEST_F(PageChangeTest, UserChangeResetsTheUpdateProgressBar)
{
    auto *bar = control<QProgressBar>("ProgressBar1");
    ASSERT_TRUE(control("GroupBox7")->isAncestorOf(bar));
    bar->setValue(60);
    clickTab("TabSheet5");
    EXPECT_EQ(bar->value(), 0);
}

// The program selecting or hiding pages (identification does) is no user change.
TEST_F(PageChangeTest, ProgramSelectingAPageRunsNoHandler)
{
    auto *bar = control<QProgressBar>("ProgressBar1");
    bar->setValue(60);
    form->Connected = true;
    enableReadWrite();
    form->PageControl1->setCurrentWidget(control("TabSheet3"));
    form->setPageVisible(QStringLiteral("TabSheet3"), false);
    EXPECT_EQ(bar->value(), 60);
    EXPECT_TRUE(readWriteEnabled());
}

TEST_F(PageChangeTest, ReadWriteByActivePageIgnoresTheConnectionFlag)
{
    form->Connected = false;
    form->PageControl1->setCurrentWidget(control("TabSheet4"));
    form->setReadWriteByActivePage();
    EXPECT_TRUE(readWriteEnabled());
    form->PageControl1->setCurrentWidget(control("TabSheet6"));
    form->setReadWriteByActivePage();
    EXPECT_FALSE(readWriteEnabled());
}

} // namespace
} // namespace vireo::test
