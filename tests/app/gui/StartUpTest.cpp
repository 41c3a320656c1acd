// The main window right after start-up: caption, first pages, disabled and hidden controls,
// combo boxes, the splash's timing, and start-up failures on missing files.
#include "app/gui/PngImage.h"
#include "app/gui/TForm4.h"
#include "seams/FileOpenError.h"
#include "support/MainWindowFixture.h"
#include "widgets/PageControl.h"
#include "widgets/TProgressForm.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include <vector>

namespace vireo::test
{
namespace
{

using StartUpTest = MainWindowFixture;

TEST_F(StartUpTest, CaptionOfWindowAndBothProgressWindowsCarriesTheVersion)
{
    start();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("VIREO Ver.1.6.5"));
    EXPECT_EQ(form->WriteProgressForm->windowTitle(), form->windowTitle());
    EXPECT_EQ(form->ResetProgressForm->windowTitle(), form->windowTitle());
    EXPECT_EQ(form->SoftwareVersion, QStringLiteral("1.6.5"));
    EXPECT_EQ(form->ProgramDir, dir.path());
}

TEST_F(StartUpTest, StateFlagsStartCleared)
{
    start();
    EXPECT_FALSE(form->Connected);
    EXPECT_FALSE(form->Updating);
    EXPECT_FALSE(form->Resetting);
    EXPECT_FALSE(form->ParamsLoaded);
    EXPECT_TRUE(form->Timer2->isActive());
    EXPECT_EQ(form->Timer2->interval(), 500);
}

TEST_F(StartUpTest, FirstPagesAreControlParameterAndSetting1)
{
    start();
    EXPECT_EQ(form->PageControl1->currentWidget()->objectName(), QStringLiteral("TabSheet2"));
    EXPECT_EQ(form->PageControl2->currentWidget()->objectName(), QStringLiteral("TabSheet7"));
    EXPECT_FALSE(form->isPageVisible(QStringLiteral("TabSheet1")));
    for (const char *page : {"TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "TabSheet7",
                             "TabSheet8", "TabSheet9"})
        EXPECT_TRUE(form->isPageVisible(QString::fromLatin1(page))) << page;
}

TEST_F(StartUpTest, ButtonsAndPirouetteControlsWaitForAConnection)
{
    start();
    for (const char *name :
         {"ReadButton", "WriteButton", "FileFirmUpdateButton", "ResetButton", "ReadButton2", "WriteButton2",
          "PirouDirCheckBox", "Label63", "Label70", "PirouCheckButton", "Edit25", "PirouGainSetButton",
          // nothing is known of any unit yet: no value to edit
          "PirouUseCheckBox", "Edit1", "UpDown1", "Edit27"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    for (const char *name : {"ConnectSpeedButton", "Mode0RadioButton"})
        EXPECT_TRUE(control(name)->isEnabled()) << name;
}

TEST_F(StartUpTest, LimitReadoutsAndACRowsAndOptionButtonsAreHidden)
{
    start();
    std::vector<QString> hidden;
    for (int n :
         {66, 67, 68, 69, 70, 71, 75, 76, 77, 78, 79, 80, 48, 49, 57, 64, 73, 74, 42, 43, 44, 56, 65, 72})
        hidden.push_back(QStringLiteral("StaticText%1").arg(n));
    for (int n = 75; n <= 80; ++n)
        hidden.push_back(QStringLiteral("Label%1").arg(n));
    for (int n = 90; n <= 101; ++n)
        hidden.push_back(QStringLiteral("Label%1").arg(n));
    for (int n : {6, 7, 8, 15, 32, 16}) {
        hidden.push_back(QStringLiteral("Edit%1").arg(n));
        hidden.push_back(QStringLiteral("UpDown%1").arg(n));
    }
    hidden.push_back(QStringLiteral("ReadButton2"));
    hidden.push_back(QStringLiteral("WriteButton2"));
    hidden.push_back(QStringLiteral("GroupBox8"));
    for (const QString &name : hidden)
        EXPECT_TRUE(form->control<QWidget>(name)->isHidden()) << name.toStdString();
    // The lamps: only the unlit one shows until the timer blinks.
    EXPECT_FALSE(control("LEDOffImage")->isHidden());
    EXPECT_TRUE(control("LEDRedImage")->isHidden());
    EXPECT_TRUE(control("LEDGreenImage")->isHidden());
}

TEST_F(StartUpTest, EveryComboBoxShowsTheFirstItemTheLanguageFileGave)
{
    dir.writeLanguageFile(shiftJis(QStringLiteral("GASINHChComboBox,チャンネル無し,ＭＳ Ｐゴシック,9,128\r\n"
                                                  "AOSINHChComboBox,出力無し\r\n"
                                                  "SNS1500ComboBox,1.5ms\r\n"
                                                  "RNS1500ComboBox,1.5ms\r\n"
                                                  "AXSRemoteComboBox,Remote\r\n"
                                                  "RESHeliNonComboBox,none\r\n")));
    start();
    const std::vector<std::pair<const char *, QString>> expected = {
        {"AilGainChComboBox", QStringLiteral("チャンネル無し")},
        {"EleGainChComboBox", QStringLiteral("チャンネル無し")},
        {"RudGainChComboBox", QStringLiteral("チャンネル無し")},
        {"CondSelChComboBox", QStringLiteral("チャンネル無し")},
        {"AuxOutComboBox", QStringLiteral("出力無し")},
        {"SwashNarrowComboBox", QStringLiteral("1.5ms")},
        {"RudNarrowComboBox", QStringLiteral("1.5ms")},
        {"RxKindSelectComboBox", QStringLiteral("Remote")},
        {"ResHeliSelectComboBox", QStringLiteral("none")},
    };
    for (const auto &[name, text] : expected) {
        auto *combo = control<QComboBox>(name);
        EXPECT_EQ(combo->currentIndex(), 0) << name;
        EXPECT_EQ(combo->currentText(), text) << name;
        EXPECT_FALSE(combo->isEditable()) << name;
    }
}

TEST_F(StartUpTest, LanguageLabelsThatShowStatusStartEmpty)
{
    start();
    for (const char *name :
         {"Label83", "Label62", "Label67", "Label68", "Label69", "Label107", "Label35", "Label53"})
        EXPECT_TRUE(control<QLabel>(name)->text().isEmpty()) << name;
    EXPECT_FALSE(form->text(QStringLiteral("ConnectErrorMessage")).isEmpty());
    EXPECT_EQ(form->text(QStringLiteral("connecterrormessage")),
              form->text(QStringLiteral("ConnectErrorMessage")));
    EXPECT_TRUE(form->text(QStringLiteral("NoSuchKey")).isEmpty());
}

TEST_F(StartUpTest, ImagesAreLoadedIntoTheHeaderAndTheLamps)
{
    start();
    for (const char *name : {"Image1", "LEDOffImage", "LEDRedImage", "LEDGreenImage"})
        EXPECT_FALSE(control<QLabel>(name)->pixmap().isNull()) << name;
    EXPECT_EQ(control<QLabel>("Image1")->pixmap().size(), QSize(769, 79));
}

// The splash fades in through 0, 2, .., 254, holds, fades out through 255, 253, .., 1, and
// dispatches events after every step; all of it before the constructor returns.
TEST_F(StartUpTest, SplashFadesInStepsAndPausesBeforeTheWindowAppears)
{
    std::vector<int> opacity;
    int visibleMainWindows = 0;
    clock.onProcessEvents = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *splash = qobject_cast<TForm4 *>(w); splash && splash->isVisible())
                opacity.push_back(splash->alphaBlendValue());
            if (qobject_cast<TForm1 *>(w) && w->isVisible())
                ++visibleMainWindows;
        }
    };
    start();
    std::vector<int> expected;
    for (int v = 0; v <= 254; v += 2)
        expected.push_back(v);
    expected.push_back(254); // the extra dispatch before the hold
    for (int v = 255; v >= 1; v -= 2)
        expected.push_back(v);
    EXPECT_EQ(opacity, expected);
    EXPECT_EQ(visibleMainWindows, 0);
    EXPECT_EQ(clock.nowMs(), 256 + 2000 + 200);
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TForm4 *>(w) && w->isVisible()) << "splash still shown";
}

TEST_F(StartUpTest, MissingFileEndsStartUpNamingIt)
{
    for (const char *file :
         {"language.dat", "Vireo_head.png", "led_off.png", "led_red_on.png", "led_green_on.png"}) {
        SCOPED_TRACE(file);
        TestProgramDir incomplete;
        incomplete.remove(QString::fromLatin1(file));
        try {
            TForm1 window(Services{clock, dialogs, port, ports, incomplete.path()});
            ADD_FAILURE() << "start-up went on without " << file;
        } catch (const FileOpenError &e) {
            EXPECT_EQ(e.path(), (incomplete.path() + QString::fromLatin1(file)).toStdString());
            EXPECT_NE(std::string(e.what()).find(file), std::string::npos);
        }
    }
}

TEST_F(StartUpTest, BrokenImageEndsStartUp)
{
    dir.write(QStringLiteral("led_off.png"), QByteArray("\x89PNG\r\n\x1a\n truncated", 19));
    EXPECT_THROW(start(), InvalidImageError);
}

TEST_F(StartUpTest, MissingSplashAndIconImagesAreNoFailure)
{
    dir.remove(QStringLiteral("Vireo_title.png"));
    dir.remove(QStringLiteral("Vireo_icon_64_64.ico"));
    EXPECT_NO_THROW(start());
}

TEST_F(StartUpTest, MenuEndClosesTheWindow)
{
    start();
    form->show();
    ASSERT_TRUE(form->isVisible());
    control<QAction>("MenuFileEnd")->trigger();
    EXPECT_FALSE(form->isVisible());
}

} // namespace
} // namespace vireo::test
