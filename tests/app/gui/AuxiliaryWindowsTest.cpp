// The version dialog and the splash window.
#include "app/gui/TAboutBox.h"
#include "app/gui/TForm4.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace vireo::test
{
namespace
{

using AuxiliaryWindowsTest = MainWindowFixture;

TEST_F(AuxiliaryWindowsTest, VersionDialogShowsNameVersionAndIcon)
{
    TAboutBox about(dir.path(), QStringLiteral("1.6.5"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Version Infomation"));
    EXPECT_EQ(about.size(), QSize(340, 213));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("ProductName"))->text(), QStringLiteral("VIREO"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("Version"))->text(), QStringLiteral("Version"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("1.6.5"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("ProgramIcon"))->pixmap().size(), QSize(64, 64));
    EXPECT_TRUE(about.findChild<QPushButton *>(QStringLiteral("OKButton"))->isDefault());
}

TEST_F(AuxiliaryWindowsTest, VersionMenuShowsTheDialogModallyUntilOk)
{
    start();
    TAboutBox about(form->ProgramDir, form->SoftwareVersion);
    form->AboutBox = &about;
    bool wasModal = false;
    for (int round = 0; round < 2; ++round) { // as often as the user asks
        QTimer::singleShot(0, [&] {
            wasModal = QApplication::activeModalWidget() == &about;
            about.findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
        });
        control<QAction>("MenuHelpVersion")->trigger();
        EXPECT_TRUE(wasModal);
        EXPECT_EQ(about.result(), QDialog::Accepted);
    }
}

TEST_F(AuxiliaryWindowsTest, SplashShowsVersionOverTheTitleImage)
{
    TForm4 splash(dir.path(), QStringLiteral("1.6.5"));
    EXPECT_EQ(splash.size(), QSize(748, 392));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    auto *version = splash.findChild<QLabel *>(QStringLiteral("Label2"));
    EXPECT_EQ(version->text(), QStringLiteral("1.6.5"));
    EXPECT_EQ(version->pos(), QPoint(408, 280));
    EXPECT_EQ(splash.findChild<QLabel *>(QStringLiteral("Label1"))->pos(), QPoint(324, 280));
    EXPECT_FALSE(splash.findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
    splash.setAlphaBlendValue(300);
    EXPECT_EQ(splash.alphaBlendValue(), 255);
}

TEST_F(AuxiliaryWindowsTest, WindowsWithoutTheirImagesStillOpen)
{
    dir.remove(QStringLiteral("Vireo_title.png"));
    dir.remove(QStringLiteral("Vireo_icon_64_64.ico"));
    TForm4 splash(dir.path(), QStringLiteral("1.6.5"));
    EXPECT_TRUE(splash.findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
    TAboutBox about(dir.path(), QStringLiteral("1.6.5"));
    EXPECT_TRUE(about.findChild<QLabel *>(QStringLiteral("ProgramIcon"))->pixmap().isNull());
}

} // namespace
} // namespace vireo::test
