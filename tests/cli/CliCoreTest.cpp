// The command core of vireo-cli without Qt: the simulated unit on a simulated bus in virtual
// time, the shipped language files decoded here, the terminal scripted.
#include "cli/Cli.h"
#include "cli/CliSession.h"

#include "SimulatedPort.h"
#include "UnitSimulator.h"
#include "seams/VirtualClock.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <sstream>

namespace vireo
{
namespace
{

// The language file decoded from Shift-JIS (Windows code page 932) by iconv.
std::optional<std::u16string> decodeLanguageFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(bytes.size() * 2 + 16, '\0');
    char *src = bytes.data();
    char *dst = out.data();
    std::size_t srcLeft = bytes.size(), dstLeft = out.size();
    const std::size_t done = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1))
        return std::nullopt;
    std::u16string text((out.size() - dstLeft) / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                        static_cast<unsigned char>(out[2 * i + 1]) << 8);
    return text;
}

struct Cli {
    VirtualClock clock;
    SimulatedBus bus{clock};
    UnitSimulator unit;
    std::ostringstream out, err;
    std::vector<std::string> answers;
    bool terminal = false;

    Cli() { bus.addPort("/dev/ttyUSB0", SimulatedBus::ftdiBusId("A50285BI"), &unit); }

    int run(const std::vector<std::string> &args)
    {
        out.str({});
        err.str({});
        CliPlatform platform{bus.port(),
                             bus,
                             clock,
                             [](const std::string &) { return std::string(); },
                             decodeLanguageFile,
                             test::executableDir(),
                             out,
                             err,
                             {}};
        if (terminal)
            platform.readAnswer = [this]() -> std::optional<std::string> {
                if (answers.empty())
                    return std::nullopt;
                std::string a = answers.front();
                answers.erase(answers.begin());
                return a;
            };
        return runCli(args, platform);
    }

    bool sent(std::string_view prefix) const
    {
        for (const TranscriptEntry &e : unit.transcript())
            if (e.name.rfind(prefix, 0) == 0)
                return true;
        return false;
    }
};

// The confirmation of a write: --yes, a typed answer, or declined without a terminal; only a
// yes sends anything.
TEST(CliCore, WriteConfirmation)
{
    char tmpl[] = "/tmp/vireo-cli-core-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string file = std::string(tmpl) + "/unit.gdt";
    const char *before = std::getenv("XDG_DATA_HOME");
    const std::optional<std::string> xdg = before ? std::optional<std::string>(before) : std::nullopt;
    setenv("XDG_DATA_HOME", tmpl, 1); // the backups of this test stay in its folder

    struct Case {
        const char *what;
        bool terminal;
        std::vector<std::string> answers;
        bool yes;
        int status;
        bool writes;
        const char *err;
    };
    const Case cases[] = {
        {"no terminal", false, {}, false, ExitFailed, false, "Not confirmed: nothing was sent"},
        {"answered no", true, {"n"}, false, ExitFailed, false, "Go on? [y/N]"},
        {"answered yes", true, {"y"}, false, ExitOk, true, "Read back: the unit holds the values written."},
        {"--yes", false, {}, true, ExitOk, true, "Read back: the unit holds the values written."},
    };
    for (const Case &c : cases) {
        Cli cli;
        ASSERT_EQ(cli.run({"read", "-o", file}), ExitOk) << cli.err.str();
        cli.unit.clearTranscript();
        cli.terminal = c.terminal;
        cli.answers = c.answers;
        std::vector<std::string> args = {"write", file};
        if (c.yes)
            args.push_back("--yes");
        EXPECT_EQ(cli.run(args), c.status) << c.what << "\n" << cli.err.str();
        EXPECT_EQ(cli.sent("WROM"), c.writes) << c.what;
        EXPECT_NE(cli.err.str().find(c.err), std::string::npos) << c.what << "\n" << cli.err.str();
    }
    if (xdg)
        setenv("XDG_DATA_HOME", xdg->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    std::filesystem::remove_all(tmpl);
}

TEST(CliCore, MessagesInTheChosenLanguage)
{
    Cli cli;
    EXPECT_EQ(cli.run({"--lang", "ja", "frobnicate"}), ExitUsage);
    EXPECT_EQ(cli.err.str(), "vireo-cli: frobnicate というコマンドはありません。vireo-cli --help "
                             "でコマンドの一覧を見られます。\n");
    EXPECT_EQ(cli.run({"--lang", "ja", "info"}), ExitOk);
    EXPECT_NE(cli.out.str().find("ユニットの種類: KALM07 タイプ2\n"), std::string::npos) << cli.out.str();
}

TEST(CliCore, ProgressLine)
{
    CliTexts texts;
    texts.load(u"CliUpdateProgressLine,block %1/%2  %3%  %4 blocks/s  %5 s left\r\n");
    EXPECT_EQ(transferProgressLine(texts, 50, 100, 200, 4000), "block 100/200  50%  25.0 blocks/s  4 s left");
    EXPECT_EQ(transferProgressLine(texts, 0, 0, 200, 0), "block 0/200  0%  0.0 blocks/s  0 s left");
}

} // namespace
} // namespace vireo
