// vireo-cli as a user runs it: the program in a child process against kalm07-sim on a
// pseudo-terminal, with its exit status, its output and what reached the unit.
#include "firmware/FirmwarePacker.h"

#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vireo
{
namespace
{

using vireo::test::executableDir;
using vireo::test::SimProcess;
namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string fileText(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs vireo-cli in dir with the simulator's ports (none for an empty string) and stdin from
// /dev/null: no terminal to ask on.
CliRun runCli(const fs::path &dir, const std::string &extraPorts, const std::vector<std::string> &args)
{
    const std::string exe = executableDir() + "/vireo-cli";
    const fs::path outPath = dir / "stdout.txt", errPath = dir / "stderr.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        setenv("VIREO_EXTRA_PORTS", extraPorts.c_str(), 1);
        setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        std::vector<char *> argv{const_cast<char *>(exe.c_str())};
        std::vector<std::string> copy = args;
        for (std::string &a : copy)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileText(outPath), fileText(errPath)};
}

class CliPty : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/vireo-cli-pty-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { fs::remove_all(dir); }

    // The commands the unit received, one per line.
    std::string commands() const
    {
        std::istringstream in(fileText(dir / "wire.txt"));
        std::string line, out;
        while (std::getline(in, line)) {
            const auto start = line.find("> ");
            if (start != std::string::npos)
                out += line.substr(start + 2, line.find("\\r\\n", start) - start - 2) + "\n";
        }
        return out;
    }

    fs::path dir;
};

bool writeImage(const fs::path &path, UnitKind kind, const char *version, const char *blocks)
{
    FirmwarePackage package;
    package.kind = kind;
    package.version = version;
    package.flags = parseBlockList(blocks);
    return writeFirmwareFile(path.string(), *packFirmware(package));
}

bool sentAny(const std::string &commands, std::initializer_list<const char *> prefixes)
{
    std::istringstream in(commands);
    std::string line;
    while (std::getline(in, line))
        for (const char *p : prefixes)
            if (line.rfind(p, 0) == 0)
                return true;
    return false;
}

// The session of the README, in order, on one unit: each step's exit status and what its
// output says.
TEST_F(CliPty, SessionOfCommands)
{
    SimProcess sim({"--transcript", (dir / "wire.txt").string()});
    ASSERT_FALSE(sim.portPath().empty());
    ASSERT_TRUE(writeImage(dir / "new.dat", UnitKind::Kind2, " 0.6.0", "0-9,1503"));
    struct Step {
        std::vector<std::string> args;
        int status;
        std::string out; // contained in stdout
        std::string err; // contained in stderr
    };
    const std::string port = sim.portPath();
    const std::vector<Step> steps = {
        {{"--help"}, 0, "Usage: vireo-cli", ""},
        {{"read", "--help"}, 0, "Usage: vireo-cli [--port PATH] read -o FILE", ""},
        {{"ports"}, 0, port + "  FTDIBUS\\VID_0403+PID_6001+SIM0001\\0000  can be opened", ""},
        {{"info"},
         0,
         "port: " + port + "\nbaud rate: 250000\nunit kind: KALM07 type 2\nfirmware: 0.5.0\nloader: 0.4.1\n",
         ""},
        {{"--port", port, "--json", "info"},
         0,
         "\"kind\":2,\"firmware\":\"0.5.0\",\"loader\":\"0.4.1\"}",
         ""},
        {{"read", "-o", "today.gdt"}, 0, "", "Saved to today.gdt."},
        {{"show", "today.gdt"}, 0, "AIL  P         60      70      80\n", ""},
        {{"diff", "unit", "today.gdt"}, 0, "", "No differences."},
        {{"reset", "TARVO450"}, 1, "", "The preset values for TARVO450 will be written to the unit."},
        {{"reset", "TARVO450", "--yes"},
         0,
         "",
         "The reset has completed.\nThe values before the change were backed up to "},
        {{"diff", "unit", "today.gdt"}, 0, "AIL MODE0 P: 120 -> 60\n", ""},
        {{"write", "today.gdt", "--yes"},
         0,
         "",
         "Writing completed.\nRead back: the unit holds the values written."},
        {{"diff", "today.gdt", "unit"}, 0, "", "No differences."},
        {{"--lang", "ja", "diff", "today.gdt", "unit"}, 0, "", "違いはありません。"},
        {{"update", "new.dat", "--yes"}, 0, "", "block 11/11  100%"},
        {{"info"}, 0, "firmware: 0.6.0\n", ""},
        {{"monitor", "--count", "2"}, 0, "AIL MODE0 vol 50 tx 80 total 40 [20-80] |", ""},
    };
    for (const Step &step : steps) {
        std::string name;
        for (const std::string &a : step.args)
            name += a + " ";
        const CliRun run = runCli(dir, sim.extraPorts(), step.args);
        EXPECT_EQ(run.status, step.status) << name << "\n" << run.err;
        EXPECT_NE(run.out.find(step.out), std::string::npos) << name << "\nstdout:\n" << run.out;
        EXPECT_NE(run.err.find(step.err), std::string::npos) << name << "\nstderr:\n" << run.err;
    }
}

// Bad inputs: a clear message, the right exit status, and nothing that changes the unit sent
// (for the inputs checked before connecting, nothing sent at all).
TEST_F(CliPty, BadInputsSendNothing)
{
    std::ofstream(dir / "short.gdt") << "not a parameter file";
    ASSERT_TRUE(writeImage(dir / "kind1.dat", UnitKind::Kind1, " 2.1.0", "0,1503"));
    struct Case {
        std::string what;
        std::vector<std::string> simArgs; // empty: no unit at all
        std::vector<std::string> args;
        int status;
        std::string err;
        bool connects; // discovery and reads may reach the unit, nothing else
    };
    const std::vector<Case> cases = {
        {"unknown command", {""}, {"frobnicate"}, 2, "there is no command frobnicate", false},
        {"unknown option", {""}, {"info", "--fast"}, 2, "wrong use of --fast", false},
        {"missing argument", {""}, {"write"}, 2, "wrong use of write", false},
        {"bad language", {""}, {"--lang", "fr", "info"}, 2, "--lang takes ja or en", false},
        {"missing file", {""}, {"write", "missing.gdt", "--yes"}, 2, "missing.gdt could not be read", false},
        {"wrong-size file",
         {""},
         {"write", "short.gdt", "--yes"},
         2,
         "cannot be read as a parameter file",
         false},
        {"unknown preset", {""}, {"reset", "TARVO900", "--yes"}, 2, "There is no preset TARVO900", false},
        {"missing image", {""}, {"update", "missing.dat", "--yes"}, 2, "This file cannot be used", false},
        {"image for the other kind",
         {""},
         {"update", "kind1.dat", "--yes"},
         2,
         "This file cannot be used",
         true},
        {"no unit", {}, {"info"}, 1, "The unit was not found", false},
        {"unit goes silent", {"--fault", "RROM:disconnect"}, {"read", "-o", "x.gdt"}, 1, "", true},
        {"unit goes silent before a write",
         {"--fault", "RROM:disconnect"},
         {"reset", "factory", "--yes"},
         1,
         "",
         true},
    };
    for (const Case &c : cases) {
        fs::remove(dir / "wire.txt");
        std::string ports;
        std::optional<SimProcess> sim;
        if (!c.simArgs.empty()) {
            std::vector<std::string> args = {"--transcript", (dir / "wire.txt").string()};
            for (const std::string &a : c.simArgs)
                if (!a.empty())
                    args.push_back(a);
            sim.emplace(args);
            ports = sim->extraPorts();
        }
        const CliRun run = runCli(dir, ports, c.args);
        EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
        EXPECT_FALSE(run.err.empty()) << c.what;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.what << "\n" << run.err;
        EXPECT_TRUE(run.out.empty()) << c.what << "\n" << run.out;
        sim.reset();
        const std::string sent = commands();
        if (c.connects)
            EXPECT_FALSE(sentAny(sent, {"WROM", "RESET", "UPDATE", "PIROU"})) << c.what << "\n" << sent;
        else
            EXPECT_EQ(sent, "") << c.what;
        EXPECT_FALSE(fs::exists(dir / "x.gdt")) << c.what;
    }
}

} // namespace
} // namespace vireo
