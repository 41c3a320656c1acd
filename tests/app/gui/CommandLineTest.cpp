// vireo --help and --version, and the option texts from the language file.
#include "app/gui/CommandLine.h"
#include "app/gui/Settings.h"
#include "support/TestProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vireo
{
namespace
{

const CommandLineTexts Texts{QStringLiteral("Configures the unit."), QStringLiteral("Help, then exit."),
                             QStringLiteral("Version, then exit.")};

TEST(CommandLineTest, HelpVersionAndUnknownOptions)
{
    const QString name = QCoreApplication::applicationName(),
                  version = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationName(QStringLiteral("VIREO"));
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
    struct Case {
        QStringList arguments;
        bool exit;
        int exitCode;
        std::vector<QString> inOutput, inError;
    };
    const QString help = QStringLiteral("--help"), versionText = QStringLiteral("VIREO 9.8.7\n");
    const std::vector<Case> cases = {
        {{}, false, 0, {}, {}},
        {{QStringLiteral("vireo"), QStringLiteral("--version")}, true, 0, {versionText}, {}},
        {{QStringLiteral("vireo"), QStringLiteral("-v")}, true, 0, {versionText}, {}},
        {{QStringLiteral("vireo"), help},
         true,
         0,
         {QStringLiteral("Configures the unit."), QStringLiteral("--version"),
          QStringLiteral("Version, then exit."), QStringLiteral("Help, then exit.")},
         {}},
        {{QStringLiteral("vireo"), QStringLiteral("-h")}, true, 0, {QStringLiteral("--help")}, {}},
        {{QStringLiteral("vireo"), QStringLiteral("--frobnicate")},
         true,
         1,
         {},
         {QStringLiteral("frobnicate")}},
    };
    for (const Case &c : cases) {
        QStringList arguments = c.arguments;
        if (arguments.isEmpty())
            arguments << QStringLiteral("vireo");
        const CommandLineAnswer answer = readCommandLine(arguments, Texts);
        const QString what = arguments.join(QLatin1Char(' '));
        EXPECT_EQ(answer.exit, c.exit) << what.toStdString();
        EXPECT_EQ(answer.exitCode, c.exitCode) << what.toStdString();
        for (const QString &part : c.inOutput)
            EXPECT_TRUE(answer.output.contains(part))
                << what.toStdString() << ": " << answer.output.toStdString();
        for (const QString &part : c.inError)
            EXPECT_TRUE(answer.error.contains(part))
                << what.toStdString() << ": " << answer.error.toStdString();
        if (c.inOutput.empty()) {
            EXPECT_TRUE(answer.output.isEmpty()) << what.toStdString();
        }
    }
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(version);
}

TEST(CommandLineTest, OnlyHelpAndVersionAreAnsweredWithoutAWindowSystem)
{
    struct Case {
        std::vector<const char *> arguments;
        bool textOnly;
    };
    const std::vector<Case> cases = {
        {{"vireo"}, false},
        {{"vireo", "--version"}, true},
        {{"vireo", "-platform", "offscreen", "-h"}, true},
        {{"vireo", "--", "--help"}, false}, // after "--" nothing is an option
        {{"vireo", "-platform", "offscreen"}, false},
    };
    for (const Case &c : cases) {
        std::vector<char *> argv;
        for (const char *a : c.arguments)
            argv.push_back(const_cast<char *>(a));
        EXPECT_EQ(asksForTextOnly(static_cast<int>(argv.size()), argv.data()), c.textOnly)
            << c.arguments.back();
    }
}

TEST(CommandLineTest, TextsComeFromTheLanguageFile)
{
    test::TestProgramDir japanese;
    const CommandLineTexts shipped = commandLineTexts(japanese.path());
    EXPECT_TRUE(shipped.description.contains(QStringLiteral("フライバーレスジャイロ")))
        << shipped.description.toStdString();
    EXPECT_TRUE(shipped.helpOption.contains(QStringLiteral("ヘルプ")));

    // A folder without a language file, or a file that lacks the keys: the built-in English.
    for (const bool withFile : {false, true}) {
        test::TestProgramDir dir;
        if (withFile)
            dir.writeLanguageFile("MenuFile,File\r\n");
        else
            dir.remove(QStringLiteral("language.dat"));
        const CommandLineTexts texts = commandLineTexts(dir.path());
        EXPECT_TRUE(texts.description.contains(QStringLiteral("KALM07"))) << withFile;
        EXPECT_EQ(texts.versionOption, QStringLiteral("Show the version and exit.")) << withFile;
    }
}

// The help follows the language chosen in the window's menu; a chosen file that is gone
// leaves the default's texts.
TEST(CommandLineTest, TextsFollowTheChosenLanguage)
{
    test::TestProgramDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lang/xx")));
    dir.write(QStringLiteral("lang/xx/language.dat"), "CommandLineDescription,Chosen description\r\n");
    const auto settings = openSettings();
    for (const auto &[chosen, expected] :
         {std::pair{"xx", "Chosen description"}, std::pair{"gone", "フライバーレスジャイロ"}}) {
        settings->setValue(QLatin1String(setting::Language), QString::fromLatin1(chosen));
        settings->sync();
        EXPECT_TRUE(commandLineTexts(dir.path()).description.contains(QString::fromUtf8(expected))) << chosen;
    }
    settings->remove(QLatin1String(setting::Language));
    settings->sync();
}

} // namespace
} // namespace vireo
