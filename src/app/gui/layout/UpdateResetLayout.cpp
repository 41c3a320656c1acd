// LIMITTER SETTING (TabSheet1, never shown), UPDATE (TabSheet5), RESET (TabSheet6) and the
// item lists of every combo box.
#include "app/gui/layout/Layout.h"

namespace vireo::layout
{

std::vector<Control> updateAndResetPageControls()
{
    return {
        {Kind::Label, "Label6", "TabSheet1", {10, 8, 400, 18}, "リミッター設定", Title},
        {Kind::Label, "Label8", "TabSheet1", {10, 30, 560, 16}, "サーボの動作範囲を制限します。"},
        {Kind::Memo, "Memo3", "TabSheet1", {10, 52, 560, 120}, "この設定は使用しません。"},

        {Kind::Label, "Label24", "TabSheet5", {10, 8, 400, 18}, "ファームウェアアップデート", Title},
        {Kind::Label,
         "Label25",
         "TabSheet5",
         {10, 30, 560, 32},
         "ユニットのファームウェアをファイルから更新します。",
         WordWrap},
        {Kind::GroupBox, "GroupBox7", "TabSheet5", {10, 70, 746, 150}, "File Update"},
        {Kind::Label,
         "Label52",
         "GroupBox7",
         {12, 24, 560, 36},
         "UPDATE "
         "ボタンを押してファームウェアファイルを選択してください。\n更新中はケーブルを抜かないでください。",
         WordWrap},
        {Kind::Button, "FileFirmUpdateButton", "GroupBox7", {606, 26, 124, 32}, "UPDATE"},
        {Kind::Label, "Label53", "GroupBox7", {12, 72, 560, 20}, ""},
        {Kind::ProgressBar, "ProgressBar1", "GroupBox7", {12, 104, 718, 20}},

        {Kind::Label, "Label31", "TabSheet6", {10, 8, 400, 18}, "リセット", Title},
        {Kind::Label, "Label32", "TabSheet6", {10, 30, 560, 16}, "ユニットの設定を初期状態に戻します。"},
        {Kind::Label,
         "Label66",
         "TabSheet6",
         {10, 52, 560, 64},
         "機体を選択しない場合は工場出荷時の設定に戻ります。\n"
         "機体を選択した場合はその機体用の設定を書き込みます。\n"
         "キャリブレーションデータも初期化されます。",
         WordWrap},
        {Kind::GroupBox, "ResHeliSelectGroupBox", "TabSheet6", {10, 128, 300, 56}, "機体選択"},
        {Kind::ComboBox, "ResHeliSelectComboBox", "ResHeliSelectGroupBox", {12, 22, 220, 22}},
        {Kind::Button, "ResetButton", "TabSheet6", {330, 144, 124, 32}, "RESET"},
    };
}

std::vector<ComboItems> comboBoxItems()
{
    const std::vector<const char *> channels = {"INH",  "GEAR", "AUX2", "AUX3", "AUX4",  "AUX5",
                                                "AUX6", "AUX7", "AUX8", "AUX9", "AUX10", "AUX11"};
    const std::vector<const char *> neutrals = {"1500", "760"};
    return {
        {"AilGainChComboBox", channels},
        {"EleGainChComboBox", channels},
        {"RudGainChComboBox", channels},
        {"CondSelChComboBox", channels},
        {"AuxOutComboBox", channels},
        {"SwashNarrowComboBox", neutrals},
        {"RudNarrowComboBox", neutrals},
        {"RxKindSelectComboBox", {"HORQ リモートアンテナ", "TELV MODE.A", "TELV MODE.B"}},
        {"ResHeliSelectComboBox", {"選択しない", "TARVO450", "TARVO700", "500～600"}},
    };
}

} // namespace vireo::layout
