#pragma once
// The program's own options, --help and --version. Qt's options (-platform, -style, ...) are
// taken out by QApplication before these are read.
#include <QString>
#include <QStringList>

namespace vireo
{

struct CommandLineTexts {
    QString description, helpOption, versionOption;
};

struct CommandLineAnswer {
    bool exit = false; // the program prints output and error and ends with exitCode
    int exitCode = 0;
    QString output; // for standard output
    QString error;  // for standard error
};

// Reads the arguments, the program's name first. Needs a QCoreApplication (the help names the
// program; --version prints the application's name and version).
CommandLineAnswer readCommandLine(const QStringList &arguments, const CommandLineTexts &texts);

// True when the arguments ask for help or the version: answered without a window system.
bool asksForTextOnly(int argc, char **argv);

// The option texts of the language file in dataFolder (which ends in a separator); built-in
// English ones for those it lacks, or when it cannot be read.
CommandLineTexts commandLineTexts(const QString &dataFolder);

// Prints the answer's texts; returns its exit code.
int printAnswer(const CommandLineAnswer &answer);

} // namespace vireo
