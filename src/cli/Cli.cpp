#include "cli/Cli.h"

#include "cli/CliSession.h"
#include "cli/CliTexts.h"
#include "files/Backup.h"
#include "files/FileNames.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileFlows.h"
#include "firmware/FirmwareFile.h"
#include "link/Discovery.h"
#include "link/LiveStatus.h"
#include "params/SendCheck.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>

namespace vireo
{
namespace
{

// ---- Arguments -------------------------------------------------------------------------

struct Options {
    std::optional<std::string> port;
    bool json = false;
    std::string lang = "en";
    bool yes = false;
    bool help = false;
    std::optional<std::string> output;
    std::optional<int> count;
    std::string command;
    std::vector<std::string> args;
};

struct CommandInfo {
    std::string_view name;
    std::string_view helpKey;
    std::size_t args; // positional arguments
};

constexpr std::array<CommandInfo, 9> Commands = {{
    {"ports", "CliHelpPorts", 0},
    {"info", "CliHelpInfo", 0},
    {"read", "CliHelpRead", 0},
    {"write", "CliHelpWrite", 1},
    {"show", "CliHelpShow", 1},
    {"diff", "CliHelpDiff", 2},
    {"reset", "CliHelpReset", 1},
    {"update", "CliHelpUpdate", 1},
    {"monitor", "CliHelpMonitor", 0},
}};

const CommandInfo *findCommand(std::string_view name)
{
    for (const CommandInfo &c : Commands)
        if (c.name == name)
            return &c;
    return nullptr;
}

// The option that was wrong, or nothing when the arguments parse.
std::optional<std::string> parseArguments(const std::vector<std::string> &args, Options &o)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--help" || a == "-h")
            o.help = true;
        else if (a == "--json")
            o.json = true;
        else if (a == "--yes" || a == "-y")
            o.yes = true;
        else if (a == "--port" || a == "--lang" || a == "-o" || a == "--output" || a == "--count") {
            if (!hasValue)
                return a;
            const std::string &v = args[++i];
            if (a == "--port")
                o.port = v;
            else if (a == "--lang")
                o.lang = v;
            else if (a == "--count") {
                int n = 0;
                const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
                if (ec != std::errc() || end != v.data() + v.size() || n < 1)
                    return a + " " + v;
                o.count = n;
            } else
                o.output = v;
        } else if (a.size() > 1 && a[0] == '-')
            return a;
        else if (o.command.empty())
            o.command = a;
        else
            o.args.push_back(a);
    }
    return std::nullopt;
}

// ---- Output ----------------------------------------------------------------------------

std::string jsonString(std::string_view s)
{
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\')
            out += {'\\', c};
        else if (static_cast<unsigned char>(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else
            out += c;
    }
    return out + "\"";
}

// A "#"-separated text of the language file as lines.
std::string lines(std::string text)
{
    for (char &c : text)
        if (c == '#')
            c = '\n';
    return text;
}

constexpr std::array<std::string_view, AxisCount> AxisNames = {"AIL", "ELE", "RUD"};
constexpr std::array<std::string_view, ModeSetCount> ModeSetNames = {"MODE0", "MODE1", "EXTRA"};

std::string kindName(UnitKind kind)
{
    return kind == UnitKind::Kind1 ? "1" : "2";
}

// ---- The program -----------------------------------------------------------------------

// Lists only the port named by --port. A port the system lists keeps its bus id when it is an
// FTDI adapter's; any other named port is tried as the user's choice.
class ChosenPortLister : public PortLister
{
public:
    ChosenPortLister(PortLister &all, std::string path) : all_(all), path_(std::move(path)) {}
    std::vector<PortInfo> presentPorts() override
    {
        for (const PortInfo &p : all_.presentPorts())
            if (p.portName == path_ && isFtdiBusId(p.busId))
                return {p};
        return {{path_, R"(FTDIBUS\VID_0403+PID_6001+CHOSEN\0000)"}};
    }

private:
    PortLister &all_;
    std::string path_;
};

class Program
{
public:
    Program(CliPlatform &platform, Options options, const CliTexts &texts)
        : p_(platform), o_(std::move(options)), texts_(texts)
    {
        if (o_.port)
            chosen_ = std::make_unique<ChosenPortLister>(p_.ports, *o_.port);
        session_ = std::make_unique<CliSession>(p_, chosen_ ? *chosen_ : p_.ports, texts_, o_.yes);
    }

    int run()
    {
        const std::string &c = o_.command;
        if (c == "ports")
            return ports();
        if (c == "info")
            return info();
        if (c == "read")
            return read();
        if (c == "write")
            return write();
        if (c == "show")
            return show();
        if (c == "diff")
            return diff();
        if (c == "reset")
            return reset();
        if (c == "update")
            return update();
        return monitor();
    }

private:
    std::string text(std::string_view key) const { return texts_.text(key); }
    void say(const std::string &message) { p_.err << message << "\n"; }
    CliSession &s() { return *session_; }

    // Usage errors name the command's help.
    int usage(const std::string &what)
    {
        say(fillIn(text("CliUsageError"), {what, o_.command}));
        return ExitUsage;
    }

    bool connect()
    {
        if (!runConnectFlow(s()))
            return false;
        return true;
    }

    // The file as File > Open loads it, into a set of its own; nothing when it cannot be read.
    std::optional<ParameterSet> loadFile(const std::string &path)
    {
        CliDialogs dialogs(p_, texts_, false);
        dialogs.openName = path;
        ParameterSet set;
        FileFlowContext ctx{dialogs, [this](std::string_view key) { return text(key); }, set, nullptr};
        if (!openParameterFile(ctx))
            return std::nullopt;
        return set;
    }

    // "unit" reads the attached unit; anything else is a parameter file.
    std::optional<ParameterSet> loadSource(const std::string &source, int &status)
    {
        if (source != "unit") {
            auto set = loadFile(source);
            if (!set)
                status = ExitUsage;
            return set;
        }
        if (!connect() || s().cliDialogs.errorShown) {
            status = ExitFailed;
            return std::nullopt;
        }
        return s().work;
    }

    int ports()
    {
        const std::vector<PortInfo> present = p_.ports.presentPorts();
        std::ostringstream json;
        json << "{\"ports\":[";
        bool first = true;
        for (const PortInfo &port : present) {
            const std::string reason = p_.probePort ? p_.probePort(port.portName) : std::string();
            const bool ftdi = isFtdiBusId(port.busId);
            if (o_.json) {
                json << (first ? "" : ",") << "{\"port\":" << jsonString(port.portName)
                     << ",\"busId\":" << jsonString(port.busId) << ",\"ftdi\":" << (ftdi ? "true" : "false")
                     << ",\"opens\":" << (reason.empty() ? "true" : "false");
                if (!reason.empty())
                    json << ",\"reason\":" << jsonString(reason);
                json << "}";
            } else {
                p_.out << port.portName << "  " << port.busId << "  "
                       << (reason.empty() ? text("CliPortOpens")
                                          : fillIn(text("CliPortDoesNotOpen"), {reason}))
                       << (ftdi ? "" : "  " + text("CliPortNotFtdi")) << "\n";
            }
            first = false;
        }
        if (o_.json)
            p_.out << json.str() << "]}\n";
        if (present.empty())
            say(text("CliNoPorts"));
        return ExitOk;
    }

    int info()
    {
        if (!connect())
            return ExitFailed;
        const bool loaderOnly = !hasApplicationFirmware(s().firmware);
        if (o_.json) {
            p_.out << "{\"port\":" << jsonString(s().serialLink.portName)
                   << ",\"baud\":" << s().serialLink.baudRate << ",\"kind\":" << kindName(s().kind)
                   << ",\"firmware\":" << jsonString(loaderOnly ? "" : trimmed(s().firmware))
                   << ",\"loader\":" << jsonString(s().loaderVersion) << "}\n";
        } else {
            p_.out << text("CliInfoPort") << ": " << s().serialLink.portName << "\n"
                   << text("CliInfoBaud") << ": " << s().serialLink.baudRate << "\n"
                   << text("CliInfoKind") << ": "
                   << text(s().kind == UnitKind::Kind1 ? "KALMKind1" : "KALMKind2") << "\n"
                   << text("CliInfoFirmware") << ": "
                   << (loaderOnly ? text("CliInfoNoFirmware") : trimmed(s().firmware)) << "\n"
                   << text("CliInfoLoader") << ": " << s().loaderVersion << "\n";
        }
        // Only the loader runs: the box said so; the facts above are still right.
        s().cliDialogs.shownKeys.erase("FirmwareErrorMessage");
        return errorsBesidesFirmware() ? ExitFailed : ExitOk;
    }

    bool errorsBesidesFirmware()
    {
        if (!s().cliDialogs.errorShown)
            return false;
        for (const std::string &key : s().cliDialogs.shownKeys)
            if (key != "FirmwareErrorMessage" && key.find("Message") != std::string::npos)
                return true;
        return false;
    }

    static std::string trimmed(const std::string &version)
    {
        const auto first = version.find_first_not_of(' ');
        return first == std::string::npos ? std::string() : version.substr(first);
    }

    // Connected with every record the unit holds read on this connection.
    bool connectAndRead()
    {
        if (!connect() || s().cliDialogs.errorShown)
            return false;
        if (!backupCoversUnit(s().work, s().unitProfile())) {
            say(text("CliNotAllReadMessage"));
            return false;
        }
        return true;
    }

    int read()
    {
        if (!o_.output || !o_.args.empty())
            return usage("read");
        if (!connectAndRead())
            return ExitFailed;
        s().cliDialogs.saveName = *o_.output;
        FileFlowContext ctx{s().cliDialogs, [this](std::string_view key) { return text(key); }, s().work,
                            nullptr};
        if (!saveParameterFile(ctx))
            return ExitFailed;
        const std::string saved = withParameterExtension(*o_.output); // as File > Save names it
        if (o_.json)
            p_.out << "{\"saved\":" << jsonString(saved) << "}\n";
        else
            say(fillIn(text("CliSavedMessage"), {saved}));
        return ExitOk;
    }

    int write()
    {
        const std::string &file = o_.args[0];
        if (!loadFile(file)) // checked before anything is sent
            return ExitUsage;
        if (!connectAndRead())
            return ExitFailed;
        s().cliDialogs.openName = file;
        FileFlowContext ctx{s().cliDialogs, [this](std::string_view key) { return text(key); }, s().work,
                            nullptr};
        if (!openParameterFile(ctx))
            return ExitUsage;
        runWriteFlow(s());
        if (s().cliDialogs.declined || s().cliDialogs.errorShown)
            return ExitFailed;

        // The read-back: what the unit holds now, record by record, against what was sent.
        const ParameterSet sent = s().work;
        runReadFlow(s(), false);
        if (s().cliDialogs.errorShown)
            return ExitFailed;
        std::vector<RecordRef> differing;
        for (const RecordRef &r : mainWriteRecords()) {
            if (!groupInUnit(r.group, r.k, s().unitProfile()))
                continue;
            const bool same = r.group == Selector::C ? sent.common == s().work.common
                                                     : sent.axis(r.group, r.k) == s().work.axis(r.group, r.k);
            if (!same)
                differing.push_back(r);
        }
        const TextOf textOf = [this](std::string_view key) { return text(key); };
        if (o_.json) {
            p_.out << "{\"written\":" << jsonString(file) << ",\"differing\":[";
            for (std::size_t i = 0; i < differing.size(); ++i)
                p_.out << (i ? "," : "") << jsonString(recordList(textOf, {&differing[i], 1}));
            p_.out << "]}\n";
        }
        if (!differing.empty()) {
            say(text("CliWriteDiffersMessage") + "\n" + recordList(textOf, differing));
            return ExitFailed;
        }
        say(text("CliWriteVerifiedMessage"));
        return ExitOk;
    }

    std::string value(const ParameterSet &set, int axis, int k, AxisField f) const
    {
        if (!set.origins.known(AxisSelectors[static_cast<std::size_t>(axis)], k))
            return "-";
        return std::to_string(set.axes[static_cast<std::size_t>(axis)][static_cast<std::size_t>(k)][f]);
    }

    std::string value(const ParameterSet &set, const CommonFieldInfo &f) const
    {
        return set.origins.known(Selector::C) ? std::to_string(set.common[f.field]) : "-";
    }

    int show()
    {
        const auto set = loadFile(o_.args[0]);
        if (!set)
            return ExitUsage;
        if (o_.json) {
            p_.out << "{\"gains\":{";
            for (int a = 0; a < AxisCount; ++a) {
                p_.out << (a ? "," : "") << jsonString(AxisNames[static_cast<std::size_t>(a)]) << ":{";
                for (int k = 0; k < ModeSetCount; ++k) {
                    p_.out << (k ? "," : "") << jsonString(ModeSetNames[static_cast<std::size_t>(k)]) << ":{";
                    bool first = true;
                    for (AxisField f : ShownAxisFields) {
                        const std::string v = value(*set, a, k, f);
                        p_.out << (first ? "" : ",")
                               << jsonString(AxisFields[static_cast<std::size_t>(f)].name) << ":"
                               << (v == "-" ? "null" : v);
                        first = false;
                    }
                    p_.out << "}";
                }
                p_.out << "}";
            }
            p_.out << "},\"options\":{";
            bool first = true;
            for (const CommonFieldInfo &f : CommonFields) {
                const std::string v = value(*set, f);
                p_.out << (first ? "" : ",") << jsonString(f.name) << ":" << (v == "-" ? "null" : v);
                first = false;
            }
            p_.out << "}}\n";
            return ExitOk;
        }
        char line[128];
        std::snprintf(line, sizeof line, "%-4s %-4s %7s %7s %7s\n", "", "", "MODE0", "MODE1", "EXTRA");
        p_.out << line;
        for (int a = 0; a < AxisCount; ++a)
            for (AxisField f : ShownAxisFields) {
                std::snprintf(line, sizeof line, "%-4s %-4s %7s %7s %7s\n",
                              std::string(AxisNames[static_cast<std::size_t>(a)]).c_str(),
                              std::string(AxisFields[static_cast<std::size_t>(f)].name).c_str(),
                              value(*set, a, 0, f).c_str(), value(*set, a, 1, f).c_str(),
                              value(*set, a, 2, f).c_str());
                p_.out << line;
            }
        p_.out << "\n";
        for (const CommonFieldInfo &f : CommonFields) {
            std::snprintf(line, sizeof line, "%-13s %7s\n", std::string(f.name).c_str(),
                          value(*set, f).c_str());
            p_.out << line;
        }
        return ExitOk;
    }

    int diff()
    {
        int status = ExitOk;
        const auto a = loadSource(o_.args[0], status);
        if (!a)
            return status;
        const auto b = loadSource(o_.args[1], status);
        if (!b)
            return status;
        struct Change {
            std::string field, from, to;
        };
        std::vector<Change> changes;
        for (int axis = 0; axis < AxisCount; ++axis)
            for (int k = 0; k < ModeSetCount; ++k)
                for (AxisField f : ShownAxisFields) {
                    const std::string va = value(*a, axis, k, f), vb = value(*b, axis, k, f);
                    if (va != vb)
                        changes.push_back({std::string(AxisNames[static_cast<std::size_t>(axis)]) + " " +
                                               std::string(ModeSetNames[static_cast<std::size_t>(k)]) + " " +
                                               std::string(AxisFields[static_cast<std::size_t>(f)].name),
                                           va, vb});
                }
        for (const CommonFieldInfo &f : CommonFields) {
            const std::string va = value(*a, f), vb = value(*b, f);
            if (va != vb)
                changes.push_back({std::string(f.name), va, vb});
        }
        if (o_.json) {
            p_.out << "{\"changes\":[";
            for (std::size_t i = 0; i < changes.size(); ++i)
                p_.out << (i ? "," : "") << "{\"field\":" << jsonString(changes[i].field)
                       << ",\"a\":" << jsonString(changes[i].from) << ",\"b\":" << jsonString(changes[i].to)
                       << "}";
            p_.out << "]}\n";
        } else {
            for (const Change &c : changes)
                p_.out << c.field << ": " << c.from << " -> " << c.to << "\n";
            if (changes.empty())
                say(text("CliNoDifferences"));
        }
        return ExitOk;
    }

    // The preset selector's items as the window lists them: 0 the factory settings.
    static constexpr std::array<std::string_view, 4> PresetKeys = {
        "RESHeliNonComboBox", "RESHeliTarvoComboBox", "RESHeliTarvo700ComboBox", "RESHeliKALM07ComboBox"};

    // The same names typed in ASCII, whatever the language (the list of the Japanese file
    // writes "500～600").
    static constexpr std::array<std::string_view, 4> AsciiPresetNames = {"None", "TARVO450", "TARVO700",
                                                                         "500-600"};

    std::optional<int> presetIndex(const std::string &name) const
    {
        for (std::size_t i = 0; i < PresetKeys.size(); ++i)
            if (text(PresetKeys[i]) == name || AsciiPresetNames[i] == name)
                return static_cast<int>(i);
        if (name == "factory")
            return 0;
        return std::nullopt;
    }

    int reset()
    {
        const std::optional<int> heli = presetIndex(o_.args[0]);
        if (!heli) {
            std::string names = "factory";
            for (std::string_view key : PresetKeys)
                names += ", " + text(key);
            say(fillIn(text("CliUnknownPresetMessage"), {o_.args[0], names}));
            return ExitUsage;
        }
        if (!connectAndRead())
            return ExitFailed;
        const ResetFlowEnd end = runResetFlow(s(), *heli, text(PresetKeys[static_cast<std::size_t>(*heli)]));
        if (o_.json)
            p_.out << "{\"reset\":" << jsonString(o_.args[0])
                   << ",\"completed\":" << (end == ResetFlowEnd::Completed ? "true" : "false") << "}\n";
        return end == ResetFlowEnd::Completed ? ExitOk : ExitFailed;
    }

    int update()
    {
        const std::string &image = o_.args[0];
        auto file = std::make_unique<FirmwareFile>();
        if (!readFirmwareFile(image, *file)) {
            say(text("UPDFileErrorMessage"));
            return ExitUsage;
        }
        if (!connect())
            return ExitFailed;
        // A unit that runs only its loader is what an update is for: its box is no failure.
        s().cliDialogs.errorShown = errorsBesidesFirmware();
        if (s().cliDialogs.errorShown)
            return ExitFailed;
        if (!firmwareSuitsUnit(*file, s().kind)) {
            say(text("UPDFileErrorMessage"));
            return ExitUsage;
        }
        const UpdateFlowEnd end = runUpdateFlow(s(), image);
        if (o_.json)
            p_.out << "{\"updated\":" << jsonString(image)
                   << ",\"completed\":" << (end == UpdateFlowEnd::Completed ? "true" : "false")
                   << ",\"firmware\":" << jsonString(trimmed(s().firmware)) << "}\n";
        return end == UpdateFlowEnd::Completed && !s().cliDialogs.errorShown ? ExitOk : ExitFailed;
    }

    std::string statusLine(const StatusView &view) const
    {
        std::ostringstream line;
        for (int a = 0; a < AxisCount; ++a) {
            const AxisStatusView &v = view.axes[static_cast<std::size_t>(a)];
            line << (a ? " | " : "") << AxisNames[static_cast<std::size_t>(a)] << " "
                 << (v.modeLamp ? ModeSetNames[static_cast<std::size_t>(*v.modeLamp)] : std::string_view("-"))
                 << " vol " << v.volumeGain << " tx " << (v.txGain ? std::to_string(*v.txGain) : "-")
                 << " total " << v.totalGain << " [" << v.limitLow << "-" << v.limitHigh << "]";
        }
        return line.str();
    }

    int monitor()
    {
        if (!connect() || s().cliDialogs.errorShown)
            return ExitFailed;
        if (!hasApplicationFirmware(s().firmware)) {
            say(text("FirmwareErrorMessage"));
            return ExitFailed;
        }
        const int axisMode = s().work.origins.known(Selector::C) ? s().work.common.AxisMode() : 0;
        GarbledStatusReport garbled;
        LiveStatus status;
        bool firstLine = true;
        if (o_.json)
            p_.out << "{\"status\":[";
        for (int n = 0; !o_.count || n < *o_.count; ++n) {
            if (p_.interrupted())
                break;
            const StatusTick tick =
                runStatusTick(s().serialLink, status, garbled, s().kind, s().firmware, axisMode);
            if (tick.lost) {
                if (o_.json)
                    p_.out << "]}\n";
                s().reportLinkLost();
                return ExitFailed;
            }
            if (tick.reportGarbled)
                say(text("LinkStatusGarbledMessage"));
            if (tick.view) {
                const std::string line = statusLine(*tick.view);
                if (o_.json)
                    p_.out << (firstLine ? "" : ",") << jsonString(line);
                else
                    p_.out << line << "\n";
                p_.out.flush();
                firstLine = false;
            }
            if (!o_.count || n + 1 < *o_.count)
                p_.clock.waitWithEvents(500);
        }
        if (o_.json)
            p_.out << "]}\n";
        return ExitOk;
    }

    CliPlatform &p_;
    Options o_;
    const CliTexts &texts_;
    std::unique_ptr<ChosenPortLister> chosen_;
    std::unique_ptr<CliSession> session_;
};

} // namespace

std::vector<std::filesystem::path> languageFileCandidates(const std::filesystem::path &programDir,
                                                          const std::string &lang)
{
    const std::filesystem::path relative =
        lang == "ja" ? std::filesystem::path("language.dat") : std::filesystem::path("lang/en/language.dat");
    return {programDir / relative, programDir / ".." / "share" / "vireo" / relative};
}

int runCli(const std::vector<std::string> &args, CliPlatform &platform)
{
    Options o;
    const std::optional<std::string> badOption = parseArguments(args, o);
    if (o.lang != "ja" && o.lang != "en") {
        platform.err << "vireo-cli: --lang takes ja or en\n";
        return ExitUsage;
    }
    CliTexts texts;
    std::optional<std::u16string> decoded;
    for (const auto &path : languageFileCandidates(platform.programDir, o.lang))
        if ((decoded = platform.readLanguageFile ? platform.readLanguageFile(path) : std::nullopt))
            break;
    if (!decoded) {
        platform.err << "vireo-cli: the language file (language.dat) was not found beside the program\n";
        return ExitUsage;
    }
    texts.load(*decoded);

    if (badOption) {
        platform.err << fillIn(texts.text("CliUsageError"), {*badOption, o.command.empty() ? "" : o.command})
                     << "\n";
        return ExitUsage;
    }
    const CommandInfo *command = findCommand(o.command);
    if (o.command.empty() || o.command == "help") {
        const CommandInfo *about = o.args.empty() ? nullptr : findCommand(o.args[0]);
        (o.help || o.command == "help" ? platform.out : platform.err)
            << lines(texts.text(about ? about->helpKey : "CliHelp")) << "\n";
        return o.help || o.command == "help" ? ExitOk : ExitUsage;
    }
    if (!command) {
        platform.err << fillIn(texts.text("CliUnknownCommand"), {o.command}) << "\n";
        return ExitUsage;
    }
    if (o.help) {
        platform.out << lines(texts.text(command->helpKey)) << "\n";
        return ExitOk;
    }
    if (o.args.size() != command->args || (o.output && command->name != "read") ||
        (o.count && command->name != "monitor")) {
        platform.err << fillIn(texts.text("CliUsageError"), {std::string(command->name), o.command}) << "\n";
        return ExitUsage;
    }
    Program program(platform, o, texts);
    return program.run();
}

} // namespace vireo
