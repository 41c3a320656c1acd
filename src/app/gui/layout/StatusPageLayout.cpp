// GAIN CONTROL STATUS (TabSheet3): per axis the flight-mode lamps and the volume,
// transmitter and total gain read-outs; the channel input lamps; and the volume-limit group,
// which the window keeps hidden.
#include "app/gui/layout/Layout.h"

#include <array>

namespace vireo::layout
{

namespace
{

struct StatusAxis {
    const char *group, *caption, *modeLabel;
    std::array<const char *, 3> lamps;        // MODE0, MODE1, EXTRA
    std::array<const char *, 3> gainLabels;   // volume, transmitter, total
    std::array<const char *, 3> gainReadouts; // the same order
    int x;
};

constexpr std::array<StatusAxis, 3> Axes = {{
    {"GroupBox2",
     "Aileron",
     "Label37",
     {"StaticText15", "StaticText7", "StaticText84"},
     {"Label38", "Label102", "Label39"},
     {"StaticText35", "StaticText81", "StaticText8"},
     8},
    {"GroupBox1",
     "Elevator",
     "Label40",
     {"StaticText17", "StaticText24", "StaticText85"},
     {"Label41", "Label103", "Label42"},
     {"StaticText38", "StaticText82", "StaticText16"},
     260},
    {"GroupBox3",
     "Rudder",
     "Label43",
     {"StaticText28", "StaticText29", "StaticText86"},
     {"Label45", "Label104", "Label44"},
     {"StaticText41", "StaticText83", "StaticText25"},
     512},
}};

constexpr std::array<const char *, 3> LampCaptions = {"MODE0(POS0)", "MODE1(POS1)", "EXTRA(POS2)"};
constexpr std::array<const char *, 3> GainCaptions = {"VOLUME GAIN(%)", "TX GAIN(%)", "TOTAL GAIN(%)"};

// Volume limits per axis: label and read-out of L and of H, in two columns.
struct LimitRow {
    const char *label, *readout, *caption;
};
constexpr std::array<LimitRow, 6> LimitColumn1 = {{{"Label75", "StaticText66", "AIL LIMIT L(%)"},
                                                   {"Label76", "StaticText67", "AIL LIMIT H(%)"},
                                                   {"Label77", "StaticText68", "ELE LIMIT L(%)"},
                                                   {"Label78", "StaticText69", "ELE LIMIT H(%)"},
                                                   {"Label79", "StaticText70", "RUD LIMIT L(%)"},
                                                   {"Label80", "StaticText71", "RUD LIMIT H(%)"}}};
constexpr std::array<LimitRow, 6> LimitColumn2 = {{{"Label96", "StaticText75", "AIL LIMIT L(%)"},
                                                   {"Label97", "StaticText76", "AIL LIMIT H(%)"},
                                                   {"Label98", "StaticText77", "ELE LIMIT L(%)"},
                                                   {"Label99", "StaticText78", "ELE LIMIT H(%)"},
                                                   {"Label100", "StaticText79", "RUD LIMIT L(%)"},
                                                   {"Label101", "StaticText80", "RUD LIMIT H(%)"}}};

constexpr int GroupY = 100, GroupW = 246, GroupH = 204;

} // namespace

std::vector<Control> statusPageControls()
{
    std::vector<Control> rows = {
        {Kind::Label, "Label28", "TabSheet3", {10, 8, 400, 18}, "ゲインコントロールステータス", Title},
        {Kind::Label,
         "Label33",
         "TabSheet3",
         {10, 30, 560, 16},
         "ユニットの動作状態をリアルタイムに表示します。"},
        {Kind::Label,
         "Label65",
         "TabSheet3",
         {10, 48, 560, 48},
         "送信機のスイッチやボリュームを操作して、\n各軸のモードとゲインを確認してください。",
         WordWrap},
    };
    for (const StatusAxis &axis : Axes) {
        rows.push_back(
            {Kind::GroupBox, axis.group, "TabSheet3", {axis.x, GroupY, GroupW, GroupH}, axis.caption});
        rows.push_back({Kind::Label, axis.modeLabel, axis.group, {10, 18, 120, 16}, "MODE"});
        for (int i = 0; i < 3; ++i) {
            const auto n = static_cast<size_t>(i);
            rows.push_back({Kind::StaticText,
                            axis.lamps[n],
                            axis.group,
                            {10, 36 + i * 25, 120, 22},
                            LampCaptions[n],
                            Boxed | Centre});
            rows.push_back(
                {Kind::Label, axis.gainLabels[n], axis.group, {10, 116 + i * 28, 140, 22}, GainCaptions[n]});
            rows.push_back({Kind::StaticText,
                            axis.gainReadouts[n],
                            axis.group,
                            {160, 116 + i * 28, 72, 22},
                            "",
                            Sunken | Right});
        }
    }
    rows.insert(
        rows.end(),
        {
            {Kind::GroupBox, "GroupBox4", "TabSheet3", {8, 312, 500, 106}, "Chanel Input"},
            {Kind::StaticText, "StaticText33", "GroupBox4", {10, 20, 72, 22}, "GAIN1", Boxed | Centre},
            {Kind::StaticText, "StaticText34", "GroupBox4", {88, 20, 72, 22}, "GAIN2", Boxed | Centre},
            {Kind::StaticText, "StaticText36", "GroupBox4", {166, 20, 72, 22}, "GAIN3", Boxed | Centre},
            {Kind::StaticText, "StaticText32", "GroupBox4", {10, 46, 72, 22}, "AILE", Boxed | Centre},
            {Kind::StaticText, "StaticText39", "GroupBox4", {88, 46, 72, 22}, "ELEV", Boxed | Centre},
            {Kind::StaticText, "StaticText40", "GroupBox4", {166, 46, 72, 22}, "RUDD", Boxed | Centre},
            {Kind::StaticText, "StaticText87", "GroupBox4", {244, 46, 72, 22}, "COND", Boxed | Centre},
            {Kind::StaticText, "StaticText37", "GroupBox4", {338, 20, 72, 48}, "NON", Boxed | Centre},
            {Kind::Label, "Label62", "GroupBox4", {10, 76, 480, 22}, ""},
            {Kind::GroupBox, "GroupBox8", "TabSheet3", {516, 312, 240, 106}, "VOLUME LIMIT", Hidden},
        });
    for (int i = 0; i < 6; ++i) {
        const auto n = static_cast<size_t>(i);
        const int y = 18 + i * 14;
        rows.push_back(
            {Kind::Label, LimitColumn1[n].label, "GroupBox8", {6, y, 76, 14}, LimitColumn1[n].caption});
        rows.push_back(
            {Kind::StaticText, LimitColumn1[n].readout, "GroupBox8", {82, y, 34, 14}, "", Sunken | Right});
        rows.push_back(
            {Kind::Label, LimitColumn2[n].label, "GroupBox8", {122, y, 76, 14}, LimitColumn2[n].caption});
        rows.push_back(
            {Kind::StaticText, LimitColumn2[n].readout, "GroupBox8", {198, y, 34, 14}, "", Sunken | Right});
    }
    return rows;
}

} // namespace vireo::layout
