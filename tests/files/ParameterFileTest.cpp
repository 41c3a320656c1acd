#include "files/ParameterFile.h"

#include "files/FileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#if !defined(_WIN32)
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vireo
{
namespace
{

using test::distinctValues;
using test::ScratchDir;
using test::writeWords;

std::vector<std::uint16_t> encodedRecord(const AxisRecord &rec)
{
    std::vector<std::uint16_t> words;
    for (int f = 0; f < AxisFieldCount; ++f)
        words.push_back(encodeFileField(static_cast<AxisField>(f), rec.words[static_cast<std::size_t>(f)]));
    return words;
}

void appendChecksum(std::vector<std::uint16_t> &words, std::size_t from)
{
    words.push_back(wordSum(std::span(words).subspan(from)));
}

// A file with a format word: records of the first modeSets mode sets, commonCount common
// fields, filler words up to totalWords - 1, then the checksum.
std::vector<std::uint16_t> formatFile(std::uint16_t format, const ParameterSet &src, int modeSets,
                                      int commonCount, std::size_t totalWords)
{
    std::vector<std::uint16_t> words{format};
    for (int k = 0; k < modeSets; ++k)
        for (int a = 0; a < AxisCount; ++a) {
            const auto rec = encodedRecord(src.axes[a][k]);
            words.insert(words.end(), rec.begin(), rec.end());
        }
    for (int f = 0; f < commonCount; ++f)
        words.push_back(static_cast<std::uint16_t>(src.common.words[f]));
    while (words.size() + 1 < totalWords)
        words.push_back(static_cast<std::uint16_t>(0x5A00 + words.size())); // must not be loaded
    appendChecksum(words, 1);
    return words;
}

// The headerless layout: six records of nine uncoded words, common fields 0..3, checksum.
std::vector<std::uint16_t> headerlessFile(const ParameterSet &src)
{
    std::vector<std::uint16_t> words;
    for (int k = 0; k < 2; ++k)
        for (int a = 0; a < AxisCount; ++a)
            for (int f = 0; f < 9; ++f)
                words.push_back(static_cast<std::uint16_t>(src.axes[a][k].words[f]));
    for (int f = 0; f < 4; ++f)
        words.push_back(static_cast<std::uint16_t>(src.common.words[f]));
    appendChecksum(words, 0);
    return words;
}

TEST(ParameterFile, CurrentLayoutWordsAndCoding)
{
    ParameterSet s;
    s.axes[Aileron][0].P() = 100;
    s.axes[Aileron][0].HLD() = 5;
    s.axes[Aileron][0].ACG() = 160;
    s.axes[Aileron][0].ACR() = 60;
    s.axes[Rudder][2].HLD() = 25; // out of range, still carried
    s.axes[Elevator][1].W5() = -1;
    s.common.W1() = 77;
    s.common.SwashNeutral() = 1;

    const ParameterFileImage image = encodeParameterFile(s);
    EXPECT_EQ(image[0], 3);
    EXPECT_EQ(image[1], 100);
    EXPECT_EQ(image[1 + 4], 15);
    EXPECT_EQ(image[1 + 9], 96);
    EXPECT_EQ(image[1 + 10], 316);
    EXPECT_EQ(image[89 + 4], 65531);  // rudder, mode set 2 starts at word 89
    EXPECT_EQ(image[45 + 5], 0xFFFF); // elevator, mode set 1 starts at word 45
    EXPECT_EQ(image[12 + 4], 20);     // untouched HLD 0 is stored as 20
    EXPECT_EQ(image[12 + 9], 256);    // ACG 0
    EXPECT_EQ(image[101], 77);
    EXPECT_EQ(image[114], 1);
    EXPECT_EQ(image[115], wordSum(std::span(image).subspan(1, 114)));

    const auto bytes = imageBytes(image);
    ASSERT_EQ(bytes.size(), 232u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2 * 93], 0xFB); // 65531 least significant byte first
    EXPECT_EQ(bytes[2 * 93 + 1], 0xFF);

    ParameterSet back;
    WordImage words;
    std::copy(image.begin(), image.end(), words.words.begin());
    words.count = image.size();
    ASSERT_TRUE(loadParameterImage(words, back));
    EXPECT_EQ(back.axes[Rudder][2].HLD(), 25);
    EXPECT_EQ(back.axes[Aileron][0].ACG(), 160);
    EXPECT_EQ(back.axes[Aileron][0].ACR(), 60);
    EXPECT_EQ(back.axes[Elevator][1].W5(), -1);
}

struct LayoutCase {
    const char *name;
    std::vector<std::uint16_t> (*build)(const ParameterSet &src);
    int modeSets;                // records loaded from the file
    std::size_t fieldsPerRecord; // 11 with a format word, 9 headerless
    int commonCount;
};

const LayoutCase LayoutCases[] = {
    {"format 3", [](const ParameterSet &s) { return formatFile(3, s, 3, 15, 116); }, 3, 11, 15},
    {"format 2, 81 words", [](const ParameterSet &s) { return formatFile(2, s, 2, 13, 81); }, 2, 11, 13},
    {"format 1", [](const ParameterSet &s) { return formatFile(1, s, 2, 6, 80); }, 2, 11, 6},
    {"format FFFF", [](const ParameterSet &s) { return formatFile(0xFFFF, s, 2, 1, 72); }, 2, 11, 1},
    // An unknown format word loads only the six records, though the file carries more.
    {"format 7", [](const ParameterSet &s) { return formatFile(7, s, 3, 15, 116); }, 2, 11, 0},
    {"format 0 with 256 words", [](const ParameterSet &s) { return formatFile(0, s, 2, 0, 256); }, 2, 11, 0},
    {"headerless", headerlessFile, 2, 9, 4},
};

TEST(ParameterFile, EveryLayoutLoadsExactlyItsWords)
{
    ScratchDir dir;
    for (const LayoutCase &c : LayoutCases) {
        SCOPED_TRACE(c.name);
        ParameterSet before = distinctValues(-40);
        // Mode set 0 and the common block read from the unit, mode sets 1 and 2 never read.
        for (auto &axis : before.origins.axes)
            axis[0] = Origin::Unit;
        before.origins.common = Origin::Unit;
        const ParameterSet src = distinctValues(1000);
        writeWords(dir / "layout.gdt", c.build(src));

        ParameterSet expected = before;
        for (int a = 0; a < AxisCount; ++a)
            for (int k = 0; k < c.modeSets; ++k) {
                for (std::size_t f = 0; f < c.fieldsPerRecord; ++f)
                    expected.axes[a][k].words[f] = src.axes[a][k].words[f];
                // A record the file fills only in part is trusted only over known values.
                if (c.fieldsPerRecord == AxisFieldCount || k == 0)
                    expected.origins.axes[a][k] = Origin::File;
            }
        for (int f = 0; f < c.commonCount; ++f)
            expected.common.words[f] = src.common.words[f];
        if (c.commonCount > 0)
            expected.origins.common = Origin::File;

        const WordFile file = readWordFile(dir / "layout.gdt");
        ASSERT_EQ(file.status, FileReadStatus::Ok);
        ParameterSet work = before;
        ASSERT_TRUE(loadParameterImage(file.image, work));
        EXPECT_EQ(work, expected);
        EXPECT_EQ(work.origins, expected.origins);

        // Over values never read, only what the file fills whole becomes known.
        ParameterSet fresh = before;
        fresh.origins.forgetAll();
        ASSERT_TRUE(loadParameterImage(file.image, fresh));
        EXPECT_EQ(fresh.origins.axes[Rudder][0],
                  c.fieldsPerRecord == AxisFieldCount ? Origin::File : Origin::Unknown);
        EXPECT_EQ(fresh.origins.common, c.commonCount == CommonFieldCount ? Origin::File : Origin::Unknown);
    }
}

// Files that cannot hold what their layout loads are bad files, whatever their checksum: an
// empty file or a short one would otherwise load the zero padding of the buffer as gains.
TEST(ParameterFile, UnusableFileLoadsNothing)
{
    const ParameterSet src = distinctValues(7);
    auto badSum = [](std::vector<std::uint16_t> words) {
        words.back() = static_cast<std::uint16_t>(words.back() + 1);
        return words;
    };
    const struct {
        const char *name;
        std::vector<std::uint16_t> words;
    } cases[] = {
        {"format 3, checksum mismatch", badSum(formatFile(3, src, 3, 15, 116))},
        {"headerless, checksum mismatch", badSum(headerlessFile(src))},
        {"empty file", {}},
        {"58 zero words (117 bytes)", std::vector<std::uint16_t>(58, 0)},
        {"format 3 in 72 words", formatFile(3, src, 2, 4, 72)},
        {"format 2 in 80 words", formatFile(2, src, 2, 12, 80)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        WordImage image;
        std::copy(c.words.begin(), c.words.end(), image.words.begin());
        image.count = c.words.size();
        ParameterSet work = distinctValues(-300);
        EXPECT_FALSE(loadParameterImage(image, work));
        EXPECT_EQ(work, distinctValues(-300));
        EXPECT_EQ(work.origins, RecordOrigins{});
    }
}

#if !defined(_WIN32)
// A save killed after its temporary file is complete but before the rename leaves the earlier
// file whole; the next save removes the killed one's temporary file.
TEST(ParameterFile, KilledSaveKeepsTheEarlierFile)
{
    ScratchDir dir;
    const auto path = dir / "kept.gdt";
    const std::vector<std::uint8_t> earlier(ParameterFileBytes, 0x11);
    test::writeBytes(path, earlier);
    const auto replacement = imageBytes(encodeParameterFile(distinctValues(9)));
    auto entries = [&] {
        std::vector<std::string> names;
        for (const auto &e : std::filesystem::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writeFileReplacing(path, replacement, [] { ::kill(::getpid(), SIGKILL); });
        ::_exit(0); // not reached
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(test::readBytes(path), earlier);
    const auto left = entries();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[1].rfind("kept.gdt.vireo-save-" + std::to_string(child) + "-", 0), 0u) << left[1];

    // A temporary file of a process that still runs (this one) is a save in progress.
    const std::string running = "other.gdt.vireo-save-" + std::to_string(::getpid()) + "-7.tmp";
    test::writeBytes(dir / running, {1});
    ASSERT_TRUE(writeFileReplacing(path, replacement));
    EXPECT_EQ(test::readBytes(path), replacement);
    EXPECT_EQ(entries(), (std::vector<std::string>{"kept.gdt", running}));
}
#endif

TEST(ParameterFile, ReaderTakesWholeWordsUpTo256)
{
    ScratchDir dir;
    const auto valid = formatFile(3, distinctValues(3), 3, 15, 116);

    // A trailing odd byte is not part of any word.
    auto bytes = imageBytes(valid);
    bytes.push_back(0x42);
    test::writeBytes(dir / "odd.gdt", bytes);
    WordFile odd = readWordFile(dir / "odd.gdt");
    ASSERT_EQ(odd.status, FileReadStatus::Ok);
    EXPECT_EQ(odd.image.count, 116u);
    EXPECT_TRUE(parameterChecksumMatches(odd.image));

    // 256 words (512 bytes, plus an odd byte) still fit; 257 do not, whatever the checksum.
    auto full = imageBytes(formatFile(5, distinctValues(3), 2, 0, 256));
    full.push_back(0x01);
    test::writeBytes(dir / "full.gdt", full);
    EXPECT_EQ(readWordFile(dir / "full.gdt").status, FileReadStatus::Ok);

    writeWords(dir / "long.gdt", formatFile(3, distinctValues(3), 3, 15, 257));
    EXPECT_EQ(readWordFile(dir / "long.gdt").status, FileReadStatus::TooLong);

    EXPECT_EQ(readWordFile(dir / "missing.gdt").status, FileReadStatus::CannotOpen);
    EXPECT_EQ(readWordFile(dir.path()).status, FileReadStatus::CannotOpen);
#if !defined(_WIN32)
    // Opening a named pipe would wait for a writer for ever.
    ASSERT_EQ(::mkfifo((dir / "pipe.gdt").c_str(), 0600), 0);
    EXPECT_EQ(readWordFile(dir / "pipe.gdt").status, FileReadStatus::CannotOpen);
#endif
}

} // namespace
} // namespace vireo
