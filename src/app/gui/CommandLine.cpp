#include "app/gui/CommandLine.h"

#include "app/gui/LanguageTable.h"
#include "app/gui/Languages.h"
#include "app/gui/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QObject>

#include <cstdio>
#include <exception>
#include <string_view>

namespace vireo
{

CommandLineAnswer readCommandLine(const QStringList &arguments, const CommandLineTexts &texts)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(texts.description);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, texts.helpOption);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, texts.versionOption);
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments))
        return {true, 1, QString(), parser.errorText() + QLatin1Char('\n')};
    if (parser.isSet(help))
        return {true, 0, parser.helpText(), QString()};
    if (parser.isSet(version))
        return {true, 0,
                QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion() + QLatin1Char('\n'),
                QString()};
    return {};
}

bool asksForTextOnly(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help" || arg == "-v" || arg == "--version")
            return true;
    }
    return false;
}

CommandLineTexts commandLineTexts(const QString &dataFolder)
{
    LanguageTable table;
    QObject noControls;
    try {
        table.load(dataFolder + QStringLiteral("language.dat"), noControls);
    } catch (const std::exception &) {
        // No language file: the built-in texts below.
    }
    // The language chosen in the window's menu, over the default as the window loads it.
    const QString chosen = openSettings()->value(QLatin1String(setting::Language)).toString();
    if (!chosen.isEmpty()) {
        const LanguageFile file = findLanguageFile(dataFolder, chosen);
        try {
            if (!file.path.isEmpty())
                table.load(file.path, noControls);
        } catch (const std::exception &) {
            // Gone or unreadable since it was chosen: the default's texts stay.
        }
    }
    auto text = [&](const char *key, const char *builtIn) {
        const QString t = table.text(QString::fromLatin1(key));
        return t.isEmpty() ? QString::fromLatin1(builtIn) : t;
    };
    return {text("CommandLineDescription", "Configuration tool for the KALM07 flybarless gyro unit."),
            text("CommandLineHelpOption", "Show this help and exit."),
            text("CommandLineVersionOption", "Show the version and exit.")};
}

int printAnswer(const CommandLineAnswer &answer)
{
    std::fputs(answer.output.toLocal8Bit().constData(), stdout);
    std::fputs(answer.error.toLocal8Bit().constData(), stderr);
    return answer.exitCode;
}

} // namespace vireo
