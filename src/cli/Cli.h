#pragma once
// vireo-cli's command core: the arguments, the commands and their output, on the same flows
// as the window (connect, READ, WRITE, reset, firmware update). Qt-free; main.cpp supplies
// the serial port, the port list, the clock and the terminal.
//
// Exit status: 0 success; 1 the unit or the link failed, or the user declined; 2 bad usage or
// a bad file. Messages go to err in the chosen language, data to out (one JSON document with
// --json).
#include "seams/Clock.h"
#include "seams/PortLister.h"
#include "seams/SerialPort.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vireo
{

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

struct CliPlatform {
    SerialPort &port;
    PortLister &ports;
    Clock &clock;
    // Why a port cannot be opened; empty when it can.
    std::function<std::string(const std::string &portName)> probePort;
    // The decoded text of a language file; nothing when it cannot be read.
    std::function<std::optional<std::u16string>(const std::filesystem::path &)> readLanguageFile;
    // The folder of the executable (language files, presets).
    std::filesystem::path programDir;
    std::ostream &out;
    std::ostream &err;
    // A line typed on the terminal; nothing when there is no terminal to ask on.
    std::function<std::optional<std::string>()> readAnswer;
    // Ctrl-C was pressed.
    std::function<bool()> interrupted = [] { return false; };
};

// args without the program name.
int runCli(const std::vector<std::string> &args, CliPlatform &platform);

// The language file for --lang: "ja" assets/language.dat, "en" assets/lang/en/language.dat,
// looked for beside the program and then in ../share/vireo.
std::vector<std::filesystem::path> languageFileCandidates(const std::filesystem::path &programDir,
                                                          const std::string &lang);

} // namespace vireo
