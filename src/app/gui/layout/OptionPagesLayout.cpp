// OPTION SETTING (TabSheet4) with its inner pages: SETTING1 (dead band, pirouette
// compensation, E-RING), SETTING2 (gain channels, condition channel, AUX output, swash and
// rudder neutral) and SETTING3 (receiver kind, control axes).
#include "app/gui/layout/Layout.h"

namespace vireo::layout
{

std::vector<Control> optionPageControls()
{
    return {
        {Kind::PageControl, "PageControl2", "TabSheet4", {4, 4, 757, 418}},
        {Kind::Page, "TabSheet7", "PageControl2", {}, "SETTING1"},
        {Kind::Page, "TabSheet8", "PageControl2", {}, "SETTING2"},
        {Kind::Page, "TabSheet9", "PageControl2", {}, "SETTING3"},

        // SETTING1: dead band
        {Kind::Label, "Label16", "TabSheet7", {10, 12, 400, 18}, "デッドバンド設定", Title},
        {Kind::Label,
         "Label17",
         "TabSheet7",
         {10, 34, 400, 16},
         "スティックニュートラル付近の不感帯を設定します。"},
        {Kind::Label, "Label55", "TabSheet7", {10, 52, 400, 16}, "通常は「無し」で使用してください。"},
        {Kind::GroupBox, "DBRadioGroup", "TabSheet7", {420, 36, 318, 52}, "デッドバンド"},
        {Kind::RadioButton, "DB0RadioButton", "DBRadioGroup", {12, 22, 70, 20}, "無し", Checked},
        {Kind::RadioButton, "DB1RadioButton", "DBRadioGroup", {88, 22, 70, 20}, "1us"},
        {Kind::RadioButton, "DB2RadioButton", "DBRadioGroup", {164, 22, 70, 20}, "2us"},
        {Kind::RadioButton, "DB3RadioButton", "DBRadioGroup", {240, 22, 70, 20}, "3us"},
        {Kind::Button, "ReadButton2", "TabSheet7", {570, 6, 80, 26}, "READ"},
        {Kind::Button, "WriteButton2", "TabSheet7", {656, 6, 80, 26}, "WRITE"},

        // SETTING1: pirouette compensation
        {Kind::Label, "Label71", "TabSheet7", {10, 104, 400, 18}, "ピルエット補正", Title},
        {Kind::Label,
         "Label72",
         "TabSheet7",
         {10, 126, 400, 48},
         "ピルエット時のスワッシュの傾きを補正します。\n確認ボタンで補正方向を確認できます。",
         WordWrap},
        // What the last press of the check button did (empty until then).
        {Kind::Label, "PirouCheckResultLabel", "TabSheet7", {10, 180, 400, 32}, "", WordWrap},
        {Kind::GroupBox, "PirouGroup", "TabSheet7", {420, 100, 318, 160}, "ピルエット補正"},
        {Kind::CheckBox, "PirouUseCheckBox", "PirouGroup", {12, 22, 140, 20}, "使用する"},
        {Kind::CheckBox, "PirouDirCheckBox", "PirouGroup", {12, 46, 160, 20}, "補正方向反転"},
        {Kind::Label,
         "Label70",
         "PirouGroup",
         {12, 70, 206, 48},
         "確認ボタンを押すとスワッシュが傾きます。",
         WordWrap},
        {Kind::Button, "PirouCheckButton", "PirouGroup", {226, 80, 80, 26}, "確認"},
        {Kind::Label, "Label63", "PirouGroup", {12, 126, 140, 20}, "補正ゲイン(0-1000)"},
        {Kind::Edit, "Edit25", "PirouGroup", {156, 126, 56, 21}, "0"},
        {Kind::Button, "PirouGainSetButton", "PirouGroup", {226, 124, 80, 26}, "設定"},

        // SETTING1: E-ring
        {Kind::Label, "Label73", "TabSheet7", {10, 276, 400, 18}, "E-RING", Title},
        {Kind::Label,
         "Label74",
         "TabSheet7",
         {10, 298, 400, 32},
         "サイクリックの最大舵角を制限します。",
         WordWrap},
        {Kind::GroupBox, "ERingGroup", "TabSheet7", {420, 272, 318, 52}, "E-RING"},
        {Kind::CheckBox, "ERingUseCheckBox", "ERingGroup", {12, 22, 140, 20}, "使用する", Checked},

        // SETTING2: gain channels and the condition channel
        {Kind::Label, "Label49", "TabSheet8", {10, 12, 360, 18}, "ゲインチャンネル設定", Title},
        {Kind::Label,
         "Label50",
         "TabSheet8",
         {10, 34, 360, 32},
         "ジャイロゲインを送信機から調整するチャンネルを割り当てます。",
         WordWrap},
        {Kind::GroupBox, "GainChGroup", "TabSheet8", {10, 70, 360, 112}, "ゲインチャンネル"},
        {Kind::Label, "Label48", "GainChGroup", {12, 24, 150, 20}, "AILE ゲインCH"},
        {Kind::ComboBox, "AilGainChComboBox", "GainChGroup", {170, 22, 130, 22}},
        {Kind::Label, "Label36", "GainChGroup", {12, 52, 150, 20}, "ELEV ゲインCH"},
        {Kind::ComboBox, "EleGainChComboBox", "GainChGroup", {170, 50, 130, 22}},
        {Kind::Label, "Label47", "GainChGroup", {12, 80, 150, 20}, "RUDD ゲインCH"},
        {Kind::ComboBox, "RudGainChComboBox", "GainChGroup", {170, 78, 130, 22}},
        {Kind::GroupBox, "CondSelChGroup", "TabSheet8", {10, 192, 360, 56}, "コンディション"},
        {Kind::Label, "Label108", "CondSelChGroup", {12, 24, 150, 20}, "コンディションCH"},
        {Kind::ComboBox, "CondSelChComboBox", "CondSelChGroup", {170, 22, 130, 22}},

        // SETTING2: AUX output and the servo neutrals
        {Kind::Label, "Label51", "TabSheet8", {384, 12, 360, 18}, "AUX出力設定", Title},
        {Kind::Label,
         "Label81",
         "TabSheet8",
         {384, 34, 360, 32},
         "AUX出力に送るチャンネルを選択します。",
         WordWrap},
        {Kind::GroupBox, "AuxOutGroup", "TabSheet8", {384, 70, 356, 56}, "AUX出力"},
        {Kind::Label, "Label82", "AuxOutGroup", {12, 24, 150, 20}, "出力CH"},
        {Kind::ComboBox, "AuxOutComboBox", "AuxOutGroup", {170, 22, 130, 22}},
        {Kind::Label, "Label84", "TabSheet8", {384, 140, 360, 18}, "サーボニュートラル設定", Title},
        {Kind::Label,
         "Label85",
         "TabSheet8",
         {384, 162, 360, 32},
         "使用するサーボのニュートラルパルス幅を選択します。",
         WordWrap},
        {Kind::GroupBox, "SwashNeutGroup", "TabSheet8", {384, 198, 356, 56}, "スワッシュ"},
        {Kind::Label, "Label109", "SwashNeutGroup", {12, 24, 150, 20}, "ニュートラル"},
        {Kind::ComboBox, "SwashNarrowComboBox", "SwashNeutGroup", {170, 22, 90, 22}},
        {Kind::Label, "Label110", "SwashNeutGroup", {266, 24, 40, 20}, "us"},
        {Kind::GroupBox, "RudNeutGroup", "TabSheet8", {384, 264, 356, 56}, "ラダー"},
        {Kind::Label, "Label86", "RudNeutGroup", {12, 24, 150, 20}, "ニュートラル"},
        {Kind::ComboBox, "RudNarrowComboBox", "RudNeutGroup", {170, 22, 90, 22}},
        {Kind::Label, "Label87", "RudNeutGroup", {266, 24, 40, 20}, "us"},

        // SETTING3: receiver kind
        {Kind::Label, "Label89", "TabSheet9", {10, 12, 400, 18}, "受信機設定", Title},
        {Kind::Label,
         "Label88",
         "TabSheet9",
         {10, 34, 400, 32},
         "接続する受信機の種類を選択します。",
         WordWrap},
        {Kind::GroupBox, "RxKindSelectGroup", "TabSheet9", {10, 70, 360, 56}, "受信機"},
        {Kind::ComboBox, "RxKindSelectComboBox", "RxKindSelectGroup", {12, 22, 240, 22}},

        // SETTING3: control axes
        {Kind::Label, "Label105", "TabSheet9", {10, 142, 400, 18}, "制御軸設定", Title},
        {Kind::Label,
         "Label106",
         "TabSheet9",
         {10, 164, 400, 32},
         "1軸モードではラダー軸のみを制御します。",
         WordWrap},
        {Kind::GroupBox, "AxisControlSelectGroupBox", "TabSheet9", {10, 200, 360, 56}, "制御軸"},
        {Kind::RadioButton,
         "AxisMode3AxisRadioButton",
         "AxisControlSelectGroupBox",
         {12, 24, 130, 20},
         "3軸モード",
         Checked},
        {Kind::RadioButton,
         "AxisMode1AxisRadioButton",
         "AxisControlSelectGroupBox",
         {150, 24, 130, 20},
         "1軸モード"},
        {Kind::Label, "Label107", "TabSheet9", {384, 222, 360, 20}, "", RedText},
    };
}

} // namespace vireo::layout
