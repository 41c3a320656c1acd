// Test entry point for tests that need a QApplication (offscreen platform).
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Backups taken before a reset or an update go into the user's data folder: in tests that
    // is a folder of this run, never the real home.
    QTemporaryDir dataHome;
    if (!dataHome.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    // The remembered settings (language, window position, dialog folders) likewise.
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
