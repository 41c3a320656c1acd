// The reset sequence on the link against the simulated unit: the exact command lines, what the
// unit stores afterwards and what comes back into the working values.
#include "files/FileTestSupport.h"
#include "files/Preset.h"
#include "files/ResetSequence.h"
#include "params/UnitConversion.h"

#include "SimulatedPort.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

struct SimRig {
    explicit SimRig(const char *firmware) : unit(config(firmware)), port(unit, clock), link(port)
    {
        link.portName = "sim";
        link.openPort();
    }
    static UnitConfig config(const char *firmware)
    {
        UnitConfig c;
        c.kind = UnitKind::Kind2;
        c.firmware = std::string(firmware);
        return c;
    }
    VirtualClock clock;
    UnitSimulator unit;
    SimulatedPort port;
    SerialLink link;
};

// Command names without their value fields: "WROM A 0 0078 ..." becomes "WROM A 0".
std::vector<std::string> commandHeads(const UnitSimulator &unit)
{
    std::vector<std::string> heads;
    for (std::string name : unit.commandNames()) {
        if (name.rfind("WROM", 0) == 0 && name.size() > 8)
            name.resize(8);
        heads.push_back(name);
    }
    return heads;
}

std::vector<std::string> reads(bool extra)
{
    std::vector<std::string> r;
    for (const char *axis : {"A", "E", "R"})
        for (int k = 0; k < (extra ? 3 : 2); ++k)
            r.push_back(std::string("RROM ") + axis + " " + std::to_string(k));
    r.push_back("RROM C 0");
    return r;
}

TEST(ResetOnSimulator, TranscriptAndStoredValues)
{
    const struct {
        const char *name;
        const char *firmware;
        bool preset;
        std::vector<std::string> writes;
    } cases[] = {
        {"factory reset", " 0.5.0", false, {"RESET"}},
        {"preset, firmware 0.5.0",
         " 0.5.0",
         true,
         {"WROM A 0", "WROM A 1", "WROM A 2", "WROM E 0", "WROM E 1", "WROM E 2", "WROM R 0", "WROM R 1",
          "WROM R 2", "WROM C 1", "WROM Z 0", "WROM G 0", "WROM J 0"}},
        // Mode set 2 does not exist before 0.5.0: neither written nor read.
        {"preset, firmware 0.3.8",
         " 0.3.8",
         true,
         {"WROM A 0", "WROM A 1", "WROM E 0", "WROM E 1", "WROM R 0", "WROM R 1", "WROM C 1", "WROM Z 0",
          "WROM G 0", "WROM J 0"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SimRig rig(c.firmware);
        rig.unit.store().axes[0][0][0] = 4321; // something the reset must replace

        ParameterSet work;
        work.origins.setAll(Origin::Unit); // as the connection's read left them
        ASSERT_EQ(loadPreset(2, std::filesystem::canonical("/proc/self/exe").parent_path(), c.firmware, work),
                  PresetStatus::Loaded);
        const ParameterSet preset = work;

        LinkResetTarget target(rig.link, UnitProfile{UnitKind::Kind2, c.firmware}, work, rig.clock);
        int progress = 0;
        int closed = 0;
        target.onStep = [&](int n) { progress += n; };
        target.onClose = [&] { ++closed; };
        EXPECT_EQ(runResetSequence(target, c.preset).outcome, ResetOutcome::Completed);

        std::vector<std::string> expected = c.writes;
        const bool extra = versionAtLeast(c.firmware, " 0.5.0");
        const auto r = reads(extra);
        expected.insert(expected.end(), r.begin(), r.end());
        EXPECT_EQ(commandHeads(rig.unit), expected);
        EXPECT_EQ(progress, 20 * 9); // mode set 2 counts also when skipped
        EXPECT_EQ(closed, 1);
        EXPECT_GE(rig.clock.nowMs(), 2200);

        if (c.preset) {
            const auto &store = rig.unit.store();
            for (int a = 0; a < AxisCount; ++a)
                EXPECT_EQ(store.axes[a][1], axisToUnit(AxisSelectors[a], preset.axes[a][1]).words);
            // 15, 5 and 13 words of the blocks travel; the rest of each stays as it was.
            for (int i = 0; i < 16; ++i) {
                EXPECT_EQ(store.presets[0][i], i < 15 ? preset.z.words[i] : 0) << "Z " << i;
                EXPECT_EQ(store.presets[1][i], i < 5 ? preset.g.words[i] : 0) << "G " << i;
                EXPECT_EQ(store.presets[2][i], i < 13 ? preset.j.words[i] : 0) << "J " << i;
            }
            EXPECT_EQ(work.axes, preset.axes); // read back unchanged
        } else {
            EXPECT_EQ(rig.unit.resets(), 1);
            EXPECT_EQ(rig.unit.store().axes, UnitStore::factory(UnitKind::Kind2).axes);
            for (int a = 0; a < AxisCount; ++a)
                EXPECT_EQ(work.axes[a][0],
                          axisFromUnit(AxisSelectors[a], AxisRecord{rig.unit.store().axes[a][0]}));
        }
    }
}

// Each shipped preset puts what it is for into the unit: the gains and the options of the
// common block (dead band, pirouette settings, gain channels), as the unit stores them.
TEST(ResetOnSimulator, ShippedPresetsReachTheUnit)
{
    const auto programDir = std::filesystem::canonical("/proc/self/exe").parent_path();
    for (const char *firmware : {" 0.5.0", " 0.3.8"})
        for (int p = 0; p < PresetCount; ++p) {
            SCOPED_TRACE(testing::Message() << PresetFiles[p].gdt << ", firmware '" << firmware << "'");
            SimRig rig(firmware);
            const UnitProfile profile{UnitKind::Kind2, firmware};
            ParameterSet work;
            work.origins.setAll(Origin::Unit); // as the connection's read left them
            ASSERT_EQ(loadPreset(p, programDir, firmware, work), PresetStatus::Loaded);
            const ParameterSet preset = work;

            LinkResetTarget target(rig.link, profile, work, rig.clock);
            EXPECT_EQ(runResetSequence(target, true).outcome, ResetOutcome::Completed);

            const auto &store = rig.unit.store();
            const CommonBlock stored = commonToUnit(UnitKind::Kind2, preset.common);
            const int carried = groupValueCount(Selector::C, profile);
            for (int f = 0; f < carried; ++f)
                EXPECT_EQ(store.common[f], stored.words[f]) << CommonFields[f].name;
            EXPECT_NE(store.common[static_cast<int>(CommonField::DeadBand)], 0);
            EXPECT_NE(store.common[static_cast<int>(CommonField::PirouGain)], 0);
            EXPECT_NE(store.common[static_cast<int>(CommonField::RudGainCh)], 0);
            for (int a = 0; a < AxisCount; ++a)
                EXPECT_EQ(store.axes[a][0], axisToUnit(AxisSelectors[a], preset.axes[a][0]).words);
            // Read back, the common block is the preset's.
            EXPECT_EQ(work.common, preset.common);
        }
}

TEST(ResetOnSimulator, UnitStopsAnsweringDuringTheReadBack)
{
    const struct {
        const char *name;
        const char *fault;
        std::size_t readsHeard; // RROM lines the unit heard, the failing one included
        int progress;
    } cases[] = {
        {"silent after the reset", "RROM:silence", 1, 0},
        {"gone after the fourth record", "RROM#5:disconnect", 4, 80},
        {"short answer to the rudder's first record", "RROM R 0:short=20", 7, 120},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SimRig rig(" 0.5.0");
        ASSERT_TRUE(rig.unit.addFault(c.fault));
        ParameterSet work = test::distinctValues(10);
        LinkResetTarget target(rig.link, UnitProfile{UnitKind::Kind2, " 0.5.0"}, work, rig.clock);
        int progress = 0;
        int closed = 0;
        target.onStep = [&](int n) { progress += n; };
        target.onClose = [&] { ++closed; };

        EXPECT_EQ(runResetSequence(target, false).outcome, ResetOutcome::ReadFailed);
        EXPECT_EQ(progress, c.progress);
        EXPECT_EQ(closed, 0); // the caller closes the window after its message
        std::size_t heard = 0;
        for (const auto &name : rig.unit.commandNames())
            heard += name.rfind("RROM", 0) == 0;
        EXPECT_EQ(heard, c.readsHeard);
        EXPECT_EQ(rig.unit.commandNames().front(), "RESET");
    }
}

} // namespace
} // namespace vireo
