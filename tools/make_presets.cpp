// Writes the shipped helicopter presets: for each type a ".tpd" with the preset blocks and a
// ".gdt" parameter file in format 2, the one layout from which a preset loads its common
// fields (dead band, pirouette settings, gain channels). Usage: make_presets [output
// directory] (default: assets). The values are starting points for a first flight, not
// tuned sets.
#include "files/ParameterFile.h"
#include "files/Preset.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace vireo;

namespace
{

struct Gains {
    std::int16_t p, i, d, ff, hld, ctl, acg, acr;
};

AxisRecord record(const Gains &g)
{
    AxisRecord r;
    r.P() = g.p;
    r.I() = g.i;
    r.D() = g.d;
    r.FF() = g.ff;
    r.HLD() = g.hld;
    r.CTL() = g.ctl;
    r.ACG() = g.acg;
    r.ACR() = g.acr;
    return r;
}

struct PresetValues {
    const PresetFileNames &names;
    // [axis][mode set 0, 1]; the EXTRA set starts as a copy of mode set 1.
    Gains gains[AxisCount][2];
    CommonBlock common;
    PresetBlock z, g, j;
};

ParameterSet parameterSet(const PresetValues &v)
{
    ParameterSet s;
    for (int a = 0; a < AxisCount; ++a) {
        s.axes[a][0] = record(v.gains[a][0]);
        s.axes[a][1] = record(v.gains[a][1]);
        s.axes[a][2] = s.axes[a][1];
    }
    s.common = v.common;
    s.z = v.z;
    s.g = v.g;
    s.j = v.j;
    return s;
}

CommonBlock common(std::int16_t deadBand, std::int16_t pirouGain, std::int16_t rudGainCh)
{
    CommonBlock c;
    c.DeadBand() = deadBand;
    c.PirouUse() = 1;
    c.PirouGain() = pirouGain;
    c.RudGainCh() = rudGainCh;
    return c;
}

PresetBlock block(std::initializer_list<std::int16_t> words)
{
    PresetBlock b;
    std::size_t i = 0;
    for (std::int16_t w : words)
        b.words[i++] = w;
    return b;
}

// Preset block file word 0 is not read by the program; it marks the layout revision.
constexpr std::uint16_t PresetBlockRevision = 1;

bool write(const std::filesystem::path &dir, const PresetValues &v)
{
    const ParameterSet s = parameterSet(v);
    const auto gdt = imageBytes(encodePresetParameterFile(s));
    const auto tpd = imageBytes(encodePresetBlockFile(PresetBlockRevision, s));
    const auto gdtPath = dir / v.names.gdt;
    const auto tpdPath = dir / v.names.tpd;
    if (!writeFileReplacing(gdtPath, gdt) || !writeFileReplacing(tpdPath, tpd)) {
        std::fprintf(stderr, "make_presets: cannot write %s\n", gdtPath.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const std::filesystem::path dir = argc > 1 ? argv[1] : "assets";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    const PresetValues presets[] = {
        {PresetFiles[0],
         {{{120, 60, 15, 30, 6, 120, 80, 30}, {140, 70, 18, 35, 8, 140, 80, 30}},
          {{130, 70, 18, 35, 6, 120, 80, 30}, {150, 80, 20, 40, 8, 140, 80, 30}},
          {{1800, 900, 40, 20, 8, 300, 90, 25}, {2100, 1000, 45, 25, 10, 320, 90, 25}}},
         common(3, 50, 1),
         block({100, 100, 100, 100, 0, 0, 0, 1520, 1520, 1520, 60, 60, 12, 0, 8}),
         block({50, 50, 30, 0, 1}),
         block({8, 8, 10, 10, 100, 100, 0, 0, 45, 45, 3, 1, 0})},
        {PresetFiles[1],
         {{{95, 50, 12, 25, 5, 100, 90, 35}, {110, 60, 14, 30, 7, 110, 90, 35}},
          {{105, 55, 14, 28, 5, 100, 90, 35}, {120, 65, 16, 32, 7, 110, 90, 35}},
          {{1400, 700, 30, 15, 7, 260, 100, 30}, {1600, 800, 35, 20, 9, 280, 100, 30}}},
         common(3, 40, 1),
         block({110, 110, 110, 110, 0, 0, 0, 1520, 1520, 1520, 55, 55, 14, 0, 10}),
         block({45, 45, 25, 0, 1}),
         block({10, 10, 12, 12, 100, 100, 0, 0, 40, 40, 4, 1, 0})},
        {PresetFiles[2],
         {{{105, 55, 14, 28, 6, 110, 85, 32}, {125, 65, 16, 32, 8, 125, 85, 32}},
          {{115, 60, 16, 30, 6, 110, 85, 32}, {135, 72, 18, 36, 8, 125, 85, 32}},
          {{1600, 800, 35, 18, 8, 280, 95, 28}, {1850, 900, 40, 22, 10, 300, 95, 28}}},
         common(3, 45, 1),
         block({105, 105, 105, 105, 0, 0, 0, 1520, 1520, 1520, 58, 58, 13, 0, 9}),
         block({48, 48, 28, 0, 1}),
         block({9, 9, 11, 11, 100, 100, 0, 0, 42, 42, 3, 1, 0})},
    };

    for (const auto &p : presets)
        if (!write(dir, p))
            return 1;
    return 0;
}
