// The progress window: each showing starts at 0, steps stop at 100, it is no modal window.
#include "app/gui/Captions.h"
#include "support/MainWindowFixture.h"
#include "widgets/TProgressForm.h"

#include <QLabel>
#include <QProgressBar>

namespace vireo::test
{
namespace
{

using ProgressFormTest = MainWindowFixture;

TEST_F(ProgressFormTest, StepsStopAtOneHundred)
{
    start();
    TProgressForm &progress = *form->ResetProgressForm;
    progress.show();
    const std::vector<std::pair<int, int>> steps = {{16, 16}, {16, 32},  {16, 48},  {16, 64},  {16, 80},
                                                    {16, 96}, {16, 100}, {16, 100}, {16, 100}, {20, 100}};
    for (const auto &[step, position] : steps) {
        progress.step(step);
        EXPECT_EQ(progress.position(), position);
    }
    EXPECT_EQ(progress.ProgressBar1->maximum(), 100);
}

TEST_F(ProgressFormTest, ShowingAgainStartsTheBarAtZero)
{
    start();
    for (TProgressForm *progress : {form->WriteProgressForm, form->ResetProgressForm}) {
        progress->show();
        progress->step(40);
        progress->close();
        EXPECT_TRUE(progress->isHidden());
        progress->show();
        EXPECT_EQ(progress->position(), 0);
        EXPECT_FALSE(progress->isModal());
        progress->close();
    }
}

TEST_F(ProgressFormTest, BothWindowsAreCreatedHiddenWithTheirLanguageTexts)
{
    dir.writeLanguageFile(shiftJis(QStringLiteral("CPSWritingMessage,書き込み中です,ＭＳ Ｐゴシック,9,128\r\n"
                                                  "RESResetingMessage,リセット中です\r\n")));
    start();
    EXPECT_TRUE(form->WriteProgressForm->isHidden());
    EXPECT_TRUE(form->ResetProgressForm->isHidden());
    // As read (the label wraps: its text holds the joiners of the phrase breaks).
    EXPECT_EQ(caption(form->WriteProgressForm->MessageLabel), QStringLiteral("書き込み中です"));
    EXPECT_EQ(caption(form->ResetProgressForm->MessageLabel), QStringLiteral("リセット中です"));
    EXPECT_EQ(form->WriteProgressForm->size(), QSize(329, 102));
    EXPECT_EQ(form->WriteProgressForm->parentWidget(), form.get());
}

} // namespace
} // namespace vireo::test
