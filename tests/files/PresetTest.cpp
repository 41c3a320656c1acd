#include "files/Preset.h"

#include "files/FileTestSupport.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

using test::distinctValues;
using test::ScratchDir;

// The preset's own values: blocks, gain records (mode set 2 differs, so a copy shows) and a
// full common block with non-zero CondCh, SwashNeutral, RxKind and AxisMode.
ParameterSet presetSource()
{
    ParameterSet s = distinctValues(2000);
    for (auto &axis : s.axes)
        axis[1].HLD() = 25; // coded fields must come back decoded, in every mode set
    return s;
}

// A preset ".gdt": format word, six or nine records, then common fields, then the checksum.
std::vector<std::uint16_t> presetGdt(std::uint16_t format, const ParameterSet &src)
{
    const ParameterFileImage current = encodeParameterFile(src);
    std::vector<std::uint16_t> words(current.begin(), current.end());
    words[0] = format;
    if (format == 2) {
        // Records of mode sets 0 and 1, common fields 0..12, checksum: 81 words.
        words.resize(67);
        for (int f = 0; f < 13; ++f)
            words.push_back(static_cast<std::uint16_t>(src.common.words[f]));
        words.push_back(wordSum(std::span(words).subspan(1)));
    }
    return words;
}

void writePreset(const std::filesystem::path &dir, int p, const ParameterSet &src, std::uint16_t format)
{
    const auto &names = PresetFiles[p];
    const auto tpd = encodePresetBlockFile(0xBEEF, src);
    test::writeWords(dir / names.tpd, {tpd.begin(), tpd.end()});
    test::writeWords(dir / names.gdt, presetGdt(format, src));
}

TEST(Preset, LoadFollowsFirmwareAndFormatWord)
{
    struct Case {
        int p;
        const char *firmware;
        std::uint16_t format;
        bool commonFromFile; // fields 0..11, AxisMode then 0
        bool extraCopied;    // mode set 2 = mode set 1, CondCh and SwashNeutral 0
    };
    const Case cases[] = {
        {0, " 0.3.8", 2, true, false}, {1, " 0.3.8", 3, false, false}, {2, " 0.3.8", 3, false, false},
        {2, " 0.5.0", 3, false, true}, {0, " 0.5.0", 2, true, true},   {1, " 0.4.9", 0xFFFF, false, false},
        {1, " 1.0.5", 2, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "preset " << c.p << ", firmware '" << c.firmware << "', format " << c.format);
        ScratchDir dir;
        const ParameterSet src = presetSource();
        writePreset(dir.path(), c.p, src, c.format);

        const ParameterSet before = distinctValues(-500);
        ParameterSet expected = before;
        expected.z = src.z;
        expected.g = src.g;
        expected.j = src.j;
        for (int a = 0; a < AxisCount; ++a) {
            expected.axes[a][0] = src.axes[a][0];
            expected.axes[a][1] = src.axes[a][1];
            if (c.extraCopied)
                expected.axes[a][2] = src.axes[a][1];
        }
        if (c.commonFromFile) {
            for (int f = 0; f <= static_cast<int>(CommonField::RxKind); ++f)
                expected.common.words[f] = src.common.words[f];
            expected.common.AxisMode() = 0;
        }
        if (c.extraCopied) {
            expected.common.CondCh() = 0;
            expected.common.SwashNeutral() = 0;
        }
        if (c.p == 2)
            expected.common.RxKind() = 0;
        // What the preset set comes from it; the common block only when it set all of it,
        // since it was never known before.
        RecordOrigins origins;
        origins.z = origins.g = origins.j = Origin::Preset;
        for (auto &axis : origins.axes) {
            axis[0] = axis[1] = Origin::Preset;
            if (c.extraCopied)
                axis[2] = Origin::Preset;
        }
        if (c.commonFromFile && c.extraCopied)
            origins.common = Origin::Preset;

        ParameterSet work = before;
        ASSERT_EQ(loadPreset(c.p, dir.path(), c.firmware, work), PresetStatus::Loaded);
        EXPECT_EQ(work, expected);
        EXPECT_EQ(work.origins, origins);
        EXPECT_EQ(work.axes[Rudder][1].HLD(), 25);

        // Over a common block read from the unit, whatever the preset changes in it counts as
        // the preset's.
        ParameterSet known = before;
        known.origins.common = Origin::Unit;
        ASSERT_EQ(loadPreset(c.p, dir.path(), c.firmware, known), PresetStatus::Loaded);
        const bool commonChanged = c.commonFromFile || c.extraCopied || c.p == 2;
        EXPECT_EQ(known.origins.common, commonChanged ? Origin::Preset : Origin::Unit);
    }
    // The writer of the shipped presets makes the very layout read here.
    EXPECT_EQ(encodePresetParameterFile(presetSource()), presetGdt(2, presetSource()));
}

TEST(Preset, DamagedPairLoadsNothing)
{
    enum class Damage {
        MissingTpd,
        MissingGdt,
        ShortTpd,
        GdtChecksum,
        GdtTooLong,
        GdtRecordsCut,
        GdtCommonCut,
        TpdIsFolder,
        UnknownPreset
    };
    const struct {
        const char *name;
        Damage damage;
    } cases[] = {
        {"no .tpd", Damage::MissingTpd},
        {"no .gdt", Damage::MissingGdt},
        {"97-byte .tpd", Damage::ShortTpd},
        {".gdt checksum", Damage::GdtChecksum},
        {"257-word .gdt", Damage::GdtTooLong},
        {"preset 3", Damage::UnknownPreset},
        // Checksums that match, over files too short for what they load.
        {"67-word .gdt", Damage::GdtRecordsCut},
        {"format-2 .gdt of 79 words", Damage::GdtCommonCut},
        {".tpd is a folder", Damage::TpdIsFolder},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const int p = 1;
        const auto &names = PresetFiles[p];
        writePreset(dir.path(), p, presetSource(), 3);
        switch (c.damage) {
        case Damage::MissingTpd:
            std::filesystem::remove(dir / std::string(names.tpd));
            break;
        case Damage::MissingGdt:
            std::filesystem::remove(dir / std::string(names.gdt));
            break;
        case Damage::ShortTpd:
            std::filesystem::resize_file(dir / std::string(names.tpd), 97);
            break;
        case Damage::GdtChecksum: {
            auto words = presetGdt(3, presetSource());
            words.back() ^= 0x8000;
            test::writeWords(dir / std::string(names.gdt), words);
            break;
        }
        case Damage::GdtTooLong: {
            std::vector<std::uint16_t> words(257, 0); // checksum of zeros matches
            words[0] = 3;
            test::writeWords(dir / std::string(names.gdt), words);
            break;
        }
        case Damage::GdtRecordsCut:
        case Damage::GdtCommonCut: {
            auto words = presetGdt(c.damage == Damage::GdtRecordsCut ? 3 : 2, presetSource());
            words.resize(c.damage == Damage::GdtRecordsCut ? 66 : 78);
            words.push_back(wordSum(std::span(words).subspan(1)));
            test::writeWords(dir / std::string(names.gdt), words);
            break;
        }
        case Damage::TpdIsFolder:
            std::filesystem::remove(dir / std::string(names.tpd));
            std::filesystem::create_directory(dir / std::string(names.tpd));
            break;
        case Damage::UnknownPreset:
            break;
        }
        ParameterSet work = distinctValues(-500);
        EXPECT_EQ(loadPreset(c.damage == Damage::UnknownPreset ? 3 : p, dir.path(), " 0.5.0", work),
                  PresetStatus::Unavailable);
        EXPECT_EQ(work, distinctValues(-500));
    }
}

#if defined(__linux__)
// The shipped pairs lie next to the test executable, as they do next to the program.
TEST(Preset, ShippedPresetsLoadWithinTheEntryLimits)
{
    const auto programDir = std::filesystem::canonical("/proc/self/exe").parent_path();
    const MaxTableType limits = makeMaxTable();
    for (int p = 0; p < PresetCount; ++p) {
        SCOPED_TRACE(PresetFiles[p].gdt);
        ParameterSet work;
        ASSERT_EQ(loadPreset(p, programDir, " 0.5.0", work), PresetStatus::Loaded);
        for (int a = 0; a < AxisCount; ++a)
            for (int k = 0; k < ModeSetCount; ++k) {
                EXPECT_NE(work.axes[a][k].P(), 0);
                for (int f = 0; f < LimitFieldCount; ++f) {
                    const std::int16_t v = work.axes[a][k][LimitFieldAxisField[f]];
                    EXPECT_GE(v, 0);
                    EXPECT_LE(v, limits[a][f][k]);
                }
            }
        EXPECT_NE(work.z, PresetBlock{});
        EXPECT_NE(work.g, PresetBlock{});
        EXPECT_NE(work.j, PresetBlock{});
        // The options a preset is for: dead band, pirouette gain and the rudder gain channel.
        EXPECT_EQ(deadBandButton(work.common.DeadBand()), 1);
        EXPECT_EQ(work.common.PirouUse(), 1);
        EXPECT_GT(work.common.PirouGain(), 0);
        EXPECT_LE(work.common.PirouGain(), PirouGainLimit);
        EXPECT_EQ(work.common.RudGainCh(), 1);
        EXPECT_EQ(work.origins.common, Origin::Preset);
    }
}
#endif

} // namespace
} // namespace vireo
