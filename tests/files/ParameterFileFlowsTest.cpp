#include "files/ParameterFileFlows.h"

#include "files/FileTestSupport.h"
#include "files/ParameterFile.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace vireo
{
namespace
{

using test::distinctValues;
using test::ScratchDir;
using test::ScriptedFileDialogs;

constexpr const char *QuestionText = "Save the current values first?";

// Language texts of the flows; the bad-file and save-error boxes are left out, so their
// built-in texts show.
std::string flowText(std::string_view key)
{
    if (key == "ParamReadMessage")
        return QuestionText;
    if (key == "FileReadErrorMessage")
        return "Cannot read %1.";
    if (key == "FileReplaceMessage")
        return "Replace %1?";
    if (key == "FileReadOnlyMessage")
        return "%1 is read-only.";
    return {};
}

struct FlowFixture {
    ScriptedFileDialogs dialogs;
    ParameterSet work;
    int shows = 0;
    FileFlowContext ctx{dialogs, flowText, work, [this] { ++shows; },
                        [] {
                            return LocalDateTime{12, 8, 19, 56};
                        }};
};

TEST(ParameterFileFlows, SaveThenOpenGivesBackEveryField)
{
    ScratchDir dir;
    const std::string path = (dir / "tuned").string();
    FlowFixture f;
    f.work = distinctValues(-20); // negative W5..W7, every field distinct
    f.work.axes[Rudder][2].HLD() = 25;
    f.work.common.W1() = -2;
    const ParameterSet saved = f.work;

    f.dialogs.expectSave(path);
    ASSERT_TRUE(saveParameterFile(f.ctx));
    ASSERT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.dialogs.fileRequests[0].filter, "VIREO File|*.gdt");
    EXPECT_EQ(f.dialogs.fileRequests[0].proposedName, "gyro_12081956.gdt");
    EXPECT_EQ(test::readBytes(path + ".gdt").size(), 232u);

    f.work = distinctValues(5000);
    f.dialogs.expectOpen(path + ".gdt");
    f.dialogs.expectMessage(QuestionText, No);
    ASSERT_TRUE(openParameterFile(f.ctx));
    EXPECT_TRUE(f.dialogs.done());
    EXPECT_EQ(f.dialogs.fileRequests[1].filter, "VIREO File|*.gdt|All File|*.*");
    EXPECT_EQ(f.work.axes, saved.axes);
    EXPECT_EQ(f.work.common, saved.common);
    EXPECT_EQ(f.work.z, distinctValues(5000).z); // preset blocks are not part of the file
    EXPECT_EQ(f.shows, 1);
    RecordOrigins fromFile;
    for (auto &axis : fromFile.axes)
        axis.fill(Origin::File);
    fromFile.common = Origin::File;
    EXPECT_EQ(f.work.origins, fromFile);

    const MessageRequest &q = f.dialogs.messages.at(0);
    EXPECT_EQ(q.icon, MsgIcon::Warning);
    EXPECT_EQ(q.key, "ParamReadMessage");
    EXPECT_EQ(q.buttons, unsigned(Yes | No));
    EXPECT_EQ(q.focused, No);
}

TEST(ParameterFileFlows, OpenAsksOnlyAfterTheFileOpened)
{
    enum class Content { Valid, BadChecksum, TooLong, Empty, Missing, Pipe };
    // What the save dialog does after a Yes: cancelled, another file, the very file chosen.
    enum class SaveTo { Cancel, OtherFile, OpenedFile };
    struct Case {
        const char *name;
        bool cancelOpen;
        Content content;
        MsgButton answer; // to the save question, when asked
        SaveTo saveTo;
        bool expectQuestion;
        bool expectLoaded;
    };
    const Case cases[] = {
        {"open dialog cancelled", true, Content::Valid, No, SaveTo::Cancel, false, false},
        {"file cannot be opened", false, Content::Missing, No, SaveTo::Cancel, false, false},
#if !defined(_WIN32)
        {"named pipe", false, Content::Pipe, No, SaveTo::Cancel, false, false},
#endif
        {"answered No", false, Content::Valid, No, SaveTo::Cancel, true, true},
        {"answered Yes, save cancelled", false, Content::Valid, Yes, SaveTo::Cancel, true, true},
        {"answered Yes, saved over the chosen file", false, Content::Valid, Yes, SaveTo::OpenedFile, true,
         true},
        {"checksum mismatch after a save", false, Content::BadChecksum, Yes, SaveTo::OtherFile, true, false},
        {"longer than 256 words", false, Content::TooLong, No, SaveTo::Cancel, true, false},
        {"empty file", false, Content::Empty, No, SaveTo::Cancel, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const auto path = dir / "chosen.gdt";
        const ParameterSet inFile = distinctValues(300);
        auto words = encodeParameterFile(inFile);
        std::vector<std::uint16_t> content(words.begin(), words.end());
        if (c.content == Content::BadChecksum)
            content.back() ^= 1;
        if (c.content == Content::TooLong) {
            content.resize(257, 0);
            content.back() = wordSum(std::span(content).subspan(1, 255));
        }
        if (c.content == Content::Empty)
            content.clear();
#if !defined(_WIN32)
        if (c.content == Content::Pipe) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        }
#endif
        if (c.content != Content::Missing && c.content != Content::Pipe)
            test::writeWords(path, content);

        FlowFixture f;
        f.work = distinctValues(-900);
        const ParameterSet before = f.work;

        f.dialogs.expectOpen(c.cancelOpen ? std::nullopt : std::optional(path.string()));
        if (!c.cancelOpen && !c.expectQuestion)
            f.dialogs.expectMessage("Cannot read chosen.gdt.", Ok);
        if (c.expectQuestion)
            f.dialogs.expectMessage(QuestionText, c.answer);
        const auto savedTo = c.saveTo == SaveTo::OpenedFile ? path : dir / "before-open.gdt";
        if (c.expectQuestion && c.answer == Yes)
            f.dialogs.expectSave(c.saveTo == SaveTo::Cancel ? std::nullopt : std::optional(savedTo.string()));
        if (c.expectQuestion && !c.expectLoaded)
            f.dialogs.expectMessage("The file cannot be opened", Ok);

        EXPECT_EQ(openParameterFile(f.ctx), c.expectLoaded);
        EXPECT_TRUE(f.dialogs.done());
        if (c.expectLoaded) {
            EXPECT_EQ(f.work.axes, inFile.axes);
            EXPECT_EQ(f.work.common, inFile.common);
        } else {
            EXPECT_EQ(f.work, before);
        }
        EXPECT_EQ(f.shows, c.expectLoaded ? 1 : 0);
        if (c.saveTo != SaveTo::Cancel) {
            EXPECT_EQ(test::readBytes(savedTo), imageBytes(encodeParameterFile(before)));
        }
        if (!f.dialogs.messages.empty() && f.dialogs.messages.back().text == "The file cannot be opened") {
            EXPECT_EQ(f.dialogs.messages.back().icon, MsgIcon::Error);
            EXPECT_EQ(f.dialogs.messages.back().buttons, unsigned(Ok));
        }
    }
}

TEST(ParameterFileFlows, FailedSaveReportsAndKeepsTheEarlierFile)
{
    ScratchDir dir;
    FlowFixture f;
    f.work = distinctValues(1);

    // A directory that does not exist: nothing can be created.
    f.dialogs.expectSave((dir / "no-such-dir" / "x.gdt").string());
    f.dialogs.expectMessage("The file cannot be saved", Ok);
    EXPECT_FALSE(saveParameterFile(f.ctx));
    EXPECT_TRUE(f.dialogs.done());
    EXPECT_EQ(f.dialogs.messages.back().icon, MsgIcon::Error);

#if !defined(_WIN32)
    // The disk fills up in the middle of the write: the earlier file must stay whole.
    const auto existing = dir / "kept.gdt";
    const std::vector<std::uint8_t> earlier(232, 0x11);
    test::writeBytes(existing, earlier);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    f.dialogs.expectSave(existing.string());
    f.dialogs.expectMessage("The file cannot be saved", Ok);
    const bool saved = saveParameterFile(f.ctx);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(f.dialogs.done());
    EXPECT_EQ(test::readBytes(existing), earlier);
    int entries = 0;
    for ([[maybe_unused]] const auto &e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
#endif

    // Cancelling writes nothing and says nothing.
    f.dialogs.expectSave(std::nullopt);
    EXPECT_FALSE(saveParameterFile(f.ctx));
    EXPECT_TRUE(f.dialogs.done());
}

// The save dialog asks only about the name as typed: a file that ".gdt" makes the target, and
// a read-only one, are replaced only after a question of their own.
TEST(ParameterFileFlows, SaveAsksBeforeReplacingWhatTheDialogDidNotAskAbout)
{
    const struct {
        const char *name;
        const char *typed;
        bool exists;
        bool readOnly;
        const char *question; // nothing: no question
        MsgButton answer;
    } cases[] = {
        {"extension added, file exists, Yes", "heli", true, false, "Replace heli.gdt?", Yes},
        {"extension added, file exists, No", "heli", true, false, "Replace heli.gdt?", No},
        {"name as typed exists: the dialog asked", "heli.gdt", true, false, nullptr, Ok},
        {"nothing to replace", "heli", false, false, nullptr, Ok},
        {"read-only, Yes", "heli.gdt", true, true, "heli.gdt is read-only.", Yes},
        {"read-only, No", "heli", true, true, "heli.gdt is read-only.", No},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const auto target = dir / "heli.gdt";
        const std::vector<std::uint8_t> earlier(ParameterFileBytes, 0x22);
        if (c.exists)
            test::writeBytes(target, earlier);
        if (c.readOnly)
            std::filesystem::permissions(target, std::filesystem::perms::owner_read);
        FlowFixture f;
        f.work = distinctValues(40);

        f.dialogs.expectSave((dir / c.typed).string());
        if (c.question)
            f.dialogs.expectMessage(c.question, c.answer);
        const bool replaced = !c.question || c.answer == Yes;
        EXPECT_EQ(saveParameterFile(f.ctx), replaced);
        EXPECT_TRUE(f.dialogs.done());
        EXPECT_EQ(test::readBytes(target), replaced ? imageBytes(encodeParameterFile(f.work)) : earlier);
        if (c.question) {
            EXPECT_EQ(f.dialogs.messages.back().buttons, unsigned(Yes | No));
            EXPECT_EQ(f.dialogs.messages.back().focused, No);
        }
        std::error_code ec;
        std::filesystem::permissions(target, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
}

TEST(ParameterFileNames, ProposalAndExtension)
{
    EXPECT_EQ(proposedParameterFileName({12, 8, 19, 56}), "gyro_12081956.gdt");
    EXPECT_EQ(proposedParameterFileName({1, 2, 3, 4}), "gyro_01020304.gdt");
    EXPECT_EQ(proposedParameterFileName({10, 31, 0, 0}), "gyro_10310000.gdt");

    const struct {
        const char *typed;
        const char *saved;
    } names[] = {
        {"heli", "heli.gdt"},
        {"heli.gdt", "heli.gdt"},
        {"HELI.GDT", "HELI.GDT"},
        {"heli.Gdt", "heli.Gdt"},
        {"heli.gdt.bak", "heli.gdt.bak.gdt"},
        {"heli.gd", "heli.gd.gdt"},
        {"gdt", "gdt.gdt"},
        {"/tmp/a.gdt/heli", "/tmp/a.gdt/heli.gdt"},
        {"", ".gdt"},
    };
    for (const auto &n : names)
        EXPECT_EQ(withParameterExtension(n.typed), n.saved) << n.typed;
}

TEST(ParameterFileNames, LanguageTextsTakeTheirValues)
{
    EXPECT_EQ(fillIn("%2 for %1.", {"a.dat", "KALM07"}), "KALM07 for a.dat.");
    EXPECT_EQ(fillIn("Saved to %1", {"/tmp/100%2/x.gdt"}),
              "Saved to /tmp/100%2/x.gdt"); // values stay as they are
    EXPECT_EQ(fillIn("No mark.", {"x.gdt"}), "No mark. x.gdt");
    EXPECT_EQ(fillIn("", {"x.gdt"}), "x.gdt");
    EXPECT_EQ(fillIn("100%", {}), "100%");
}

} // namespace
} // namespace vireo
