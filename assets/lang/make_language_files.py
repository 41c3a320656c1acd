#!/usr/bin/env python3
"""Writes the shipped language files from the one table below.

    python3 assets/lang/make_language_files.py

assets/language.dat   Japanese, Shift-JIS (Windows code page 932), CR LF line ends
assets/lang/en/language.dat   English, ASCII, CR LF line ends

Each row is (key, font size or None, Japanese text, English text). Rows with a size give the
font fields (name, size, character set); the others are keys that set no font (menu items,
stored texts, combo items after the first). Texts with a comma or a double quote are written
in double quotes; "_" cannot be written (the file format shows it as a space), "#" separates
the lines of a multi-line text, and multi-line texts must not contain double quotes.
"""
import os
import sys

TITLE, TEXT, HEAD = 12, 9, 10

ROWS = [
    # Header, menus and tab pages.
    ("MenuFile", None, "ファイル(&F)", "&File"),
    ("MenuFileOpen", None, "開く(&O)...", "&Open..."),
    ("MenuFileSave", None, "保存(&S)...", "&Save..."),
    ("MenuFileEnd", None, "終了(&X)", "E&xit"),
    ("MenuHelp", None, "ヘルプ(&H)", "&Help"),
    ("MenuHelpVersion", None, "バージョン情報(&V)", "&Version"),
    ("ConnectButton", TEXT, "CONNECT", "CONNECT"),
    ("DisconnectButton", None, "DISCONNECT", "DISCONNECT"),
    ("KALMKind1", TEXT, "KALM07 タイプ1", "KALM07 type 1"),
    ("KALMKind2", None, "KALM07 タイプ2", "KALM07 type 2"),
    ("FirmwareVer", TEXT, "ファームウェア Ver", "Firmware Ver"),
    ("TabSheet2", TEXT, "CONTROL PARAMETER SETTING", "CONTROL PARAMETER SETTING"),
    ("TabSheet3", TEXT, "GAIN CONTROL STATUS", "GAIN CONTROL STATUS"),
    ("TabSheet4", TEXT, "OPTION SETTING", "OPTION SETTING"),
    ("TabSheet5", TEXT, "UPDATE", "UPDATE"),
    ("TabSheet6", TEXT, "RESET", "RESET"),
    ("TabSheet7", TEXT, "SETTING1", "SETTING1"),
    ("TabSheet8", TEXT, "SETTING2", "SETTING2"),

    # Control parameter page.
    ("CPSLabel1", TITLE, "コントロールパラメータ設定", "Control parameter setting"),
    ("CPSLabel2", TEXT, "各軸のジャイロゲインをモードごとに設定します。",
     "Sets the gyro gains of each axis, per mode."),
    ("CPSLabel3", TEXT,
     "モードを選んで各軸のゲインを入力し、WRITEボタンでユニットに書き込みます。"
     "#READボタンでユニットに保存されている設定値を読み込みます。",
     "Choose a mode, enter the gains and press WRITE."
     "#READ reads the values stored in the unit."),
    ("CPSModeGroup", TEXT, "モード選択", "Mode"),
    ("CPSMode0", TEXT, "MODE0", "MODE0"),
    ("CPSMode1", TEXT, "MODE1", "MODE1"),
    ("CPSExtra", TEXT, "EXTRA", "EXTRA"),
]

AXES = [("Ailron", "Aileron"), ("Elevator", "Elevator"), ("Rudder", "Rudder")]
for axis, name in AXES:
    ff_ja = "FF ゲイン" if axis == "Rudder" else "F.F ゲイン"
    ff_en = "FF gain" if axis == "Rudder" else "F.F gain"
    ROWS += [
        (f"CPS{axis}Group", TEXT, name, name),
        (f"CPS{axis}Def", TEXT, "標準値", "Std."),
        (f"CPS{axis}Cur", TEXT, "設定値", "Unit"),
        (f"CPS{axis}P", TEXT, "P ゲイン", "P gain"),
        (f"CPS{axis}I", TEXT, "I ゲイン", "I gain"),
        (f"CPS{axis}D", TEXT, "D ゲイン", "D gain"),
        (f"CPS{axis}FF", TEXT, ff_ja, ff_en),
        (f"CPS{axis}HLD", TEXT, "HLD ゲイン", "HLD gain"),
        (f"CPS{axis}CTL", TEXT, "CTL ゲイン", "CTL gain"),
    ]

ROWS += [
    # The program adds a second line with the allowed range, "(0-5000)" for instance.
    ("CPSInputErrorMessage", None, "入力された値が設定範囲を超えています。",
     "The value entered is out of range."),
    ("CPSReadCautionMessage", None, "ユニットから設定値を読み込みます。よろしいですか？",
     "Read the settings from the unit?"),
    ("CPSReadCompleteMessage", None, "読み込みが完了しました。", "Reading completed."),
    ("CPSWriteCautionMessage", None, "ユニットに設定値を書き込みます。よろしいですか？",
     "Write the settings to the unit?"),
    ("CPSWriteCompleteMessage", None, "書き込みが完了しました。", "Writing completed."),
    ("CPSReadErrorMessage", None, "読み込みに失敗しました。ユニットの接続を確認してください。",
     "Reading failed. Check the connection to the unit."),
    ("CPSWriteErrorMessage", None, "書き込みに失敗しました。ユニットの接続を確認してください。",
     "Writing failed. Check the connection to the unit."),
    ("CPSWritingMessage", TEXT, "書き込み中。しばらくお待ちください。", "Writing. Please wait..."),
    ("RESResetingMessage", TEXT, "リセット中。しばらくお待ちください。", "Resetting. Please wait..."),
]

# Help groups: heading (one bold line), short text (small box), explanation ("#" lines).
HELP = [
    ("P",
     "P ゲイン（比例ゲイン）", "機体の回転を止める基本の強さ",
     "機体の回転速度に比例して舵を打ち、回転を止めます。"
     "#値を大きくすると保持力が強くなりますが、大きすぎるとハンチング（細かい振動）が起きます。"
     "#ハンチングが出ない範囲で大きめに設定してください。",
     "P gain (proportional gain)", "Basic strength that stops a rotation",
     "Steers against a rotation in proportion to its speed."
     "#A higher value holds more firmly; too high a value makes the helicopter hunt (oscillate)."
     "#Set it as high as it goes without hunting."),
    ("I",
     "I ゲイン（積分ゲイン）", "ずれを積み重ねて戻す強さ",
     "回転角のずれを積み重ねて補正し、機体の向きを保持します。"
     "#値を大きくすると風などで流されにくくなります。"
     "#大きすぎると戻りが行き過ぎて、ゆっくりした揺れが出ます。",
     "I gain (integral gain)", "Strength that brings a drift back",
     "Adds up the angle the helicopter has drifted and steers it back."
     "#A higher value resists wind better."
     "#Too high a value overshoots and gives a slow wobble."),
    ("D",
     "D ゲイン（微分ゲイン）", "動きの行き過ぎを抑える強さ",
     "回転速度の変化に応じて舵を打ち、動きの行き過ぎを抑えます。"
     "#値を大きくすると止まりがシャープになります。"
     "#大きすぎると細かい振動が出やすくなります。",
     "D gain (derivative gain)", "Strength that damps an overshoot",
     "Steers against changes of the rotation speed and damps overshoots."
     "#A higher value stops more crisply."
     "#Too high a value makes fast vibrations more likely."),
    ("FF",
     "F.F ゲイン（フィードフォワードゲイン）", "スティック操作への追従の速さ",
     "スティックの操作量に応じて先回りして舵を打ちます。"
     "#値を大きくすると操作への反応が速くなり、小さくすると穏やかになります。",
     "F.F gain (feed-forward gain)", "How quickly the stick is followed",
     "Steers ahead in proportion to the stick input."
     "#A higher value answers the stick faster; a lower one makes it softer."),
    ("HLD",
     "HLD ゲイン（ホールディングゲイン）", "停止位置を保持する強さ",
     "スティックを中立に戻したときに機体の向きを保持する強さです。"
     "#値を大きくすると止まった位置をしっかり保持します。"
     "#大きすぎると止まる際に揺り戻しが出ます。",
     "HLD gain (holding gain)", "Strength that holds the heading",
     "How firmly the heading is held when the stick returns to centre."
     "#A higher value holds the stopping point more firmly."
     "#Too high a value makes the helicopter bounce back when it stops."),
    ("CTL",
     "CTL ゲイン（コントロールゲイン）", "スティック操作に対する回転の速さ",
     "スティックの操作量に対する機体の回転速度（舵の効き）を決めます。"
     "#値を大きくすると同じ操作量で速く回転します。",
     "CTL gain (control gain)", "Rotation speed for a stick input",
     "Sets how fast the helicopter rotates for a given stick input."
     "#A higher value rotates faster for the same input."),
    ("ACG",
     "A.C ゲイン", "姿勢のずれを補正する強さ",
     "機体の姿勢のずれを補正する強さです。"
     "#値を大きくすると補正が強くなります。",
     "A.C gain", "Strength of the attitude correction",
     "How strongly a deviation of the attitude is corrected."
     "#A higher value corrects more strongly."),
    ("ACR",
     "A.C レート", "姿勢のずれを補正する速さ",
     "機体の姿勢のずれを補正する速さです。"
     "#値を大きくすると速く補正します。",
     "A.C rate", "Speed of the attitude correction",
     "How fast a deviation of the attitude is corrected."
     "#A higher value corrects faster."),
]
for gain, ja1, ja2, ja3, en1, en2, en3 in HELP:
    # The P group sets the fonts of the help panel; the others are stored texts only.
    fonts = (HEAD, TEXT, TEXT) if gain == "P" else (None, None, None)
    ROWS += [
        (f"CPS{gain}Help1", fonts[0], ja1, en1),
        (f"CPS{gain}Help2", fonts[1], ja2, en2),
        (f"CPS{gain}Help3", fonts[2], ja3, en3),
    ]

ROWS += [
    ("CPSReadButton", TEXT, "READ", "READ"),
    ("CPSWriteButton", TEXT, "WRITE", "WRITE"),

    # Gain control status page.
    ("GCSLabel1", TITLE, "ゲインコントロールステータス", "Gain control status"),
    ("GCSLabel2", TEXT, "ユニットの現在の動作状態を表示します。", "Shows what the unit is doing now."),
    ("GCSLabel3", TEXT,
     "送信機からのゲインとモードの切り替え状態を表示します。"
     "#チャンネル入力が検出されないときは NON が点灯します。",
     "Shows the gains and the mode selected by the transmitter."
     "#NON lights when no channel input is detected."),
    ("GCSChanelGroup", TEXT, "チャンネル入力", "Channel Input"),
    ("GCSGain1", TEXT, "GAIN1", "GAIN1"),
    ("GCSAilron", TEXT, "AILE", "AILE"),
    ("GCSGain2", TEXT, "GAIN2", "GAIN2"),
    ("GCSElevator", TEXT, "ELEV", "ELEV"),
    ("GCSGain3", TEXT, "GAIN3", "GAIN3"),
    ("GCSRudder", TEXT, "RUDD", "RUDD"),
    ("GCSCond", TEXT, "COND", "COND"),
    ("GCSNon", TEXT, "NON", "NON"),
    ("GCSChanelInfo1", TEXT, "ゲインチャンネル1本：全軸共通のゲインで動作します。",
     "One gain channel: one gain for all axes."),
    ("GCSChanelInfo2", None, "ゲインチャンネルの接続が正しくありません。GAIN1から順に接続してください。",
     "The gain channels are not connected correctly. Connect them from GAIN1 on."),
    ("GCSChanelInfo3", None, "ゲインチャンネル2本：エルロン・エレベーター共通とラダーのゲインで動作します。",
     "Two gain channels: aileron and elevator share one gain, the rudder has its own."),
    ("GCSChanelInfo4", None, "ゲインチャンネル3本：軸ごとのゲインで動作します。",
     "Three gain channels: one gain per axis."),
    ("GCSChanelInfo5", None, "ゲインチャンネルの入力がありません。", "No gain channel input."),
]

for axis, name, modes in [("Ailron", "Aileron", "021"), ("Elevator", "Elevator", "012"),
                          ("Rudder", "Rudder", "012")]:
    ROWS.append((f"GCS{axis}Group", TEXT, name, name))
    ROWS.append((f"GCS{axis}Mode", TEXT, "MODE", "MODE"))
    for m in modes:
        caption = ["MODE0(POS0)", "MODE1(POS1)", "EXTRA(POS2)"][int(m)]
        ROWS.append((f"GCS{axis}Mode{m}", TEXT, caption, caption))
    ROWS += [
        (f"GCS{axis}VolumeGain", TEXT, "VOLUME GAIN(%)", "VOLUME GAIN(%)"),
        (f"GCS{axis}TxGain", TEXT, "TX GAIN(%)", "TX GAIN(%)"),
        (f"GCS{axis}TotalGain", TEXT, "TOTAL GAIN(%)", "TOTAL GAIN(%)"),
        (f"GCS{axis}LimitVolumeL", TEXT, "VOLUME LIMIT L(%)", "VOLUME LIMIT L(%)"),
        (f"GCS{axis}LimitVolumeH", TEXT, "VOLUME LIMIT H(%)", "VOLUME LIMIT H(%)"),
    ]

ROWS += [
    # Option page SETTING1.
    ("DBSLabel1", TITLE, "デッドバンド", "Dead band"),
    ("DBSLabel2", TEXT, "スティック中立付近の不感帯の幅を設定します。",
     "Sets the width of the dead band around the stick centre."),
    ("DBSLabel3", TEXT, "幅を広くすると中立付近の小さな信号の揺れを無視します。",
     "A wider band ignores small signal jitter around the centre."),
    ("DBSTimeGroup", TEXT, "デッドバンド幅", "Dead band width"),
    ("DBSTime0", TEXT, "無し", "None"),
    ("DBSTime1", TEXT, "1us", "1us"),
    ("DBSTime2", TEXT, "2us", "2us"),
    ("DBSTime3", TEXT, "3us", "3us"),
    ("DBSReadButton", TEXT, "READ", "READ"),
    ("DBSWriteButton", TEXT, "WRITE", "WRITE"),
    ("PRSLabel1", TITLE, "ピルエット補正", "Pirouette compensation"),
    ("PRSLabel2", TEXT, "ピルエット中の機体の傾きを補正します。",
     "Keeps the helicopter level while it pirouettes."),
    ("PRSGroup", TEXT, "ピルエット補正", "Pirouette compensation"),
    ("PRSUse", TEXT, "使用する", "Use"),
    ("PRSLabel3", TEXT, "確認ボタンで補正方向を確かめ、設定ボタンで補正ゲインを書き込みます。",
     "Check the direction with CHECK, enter the gain and write it with SET."),
    ("PRSLabel4", None, "確認ボタンで補正方向を確かめてください。補正ゲインは自動で調整されます。",
     "Check the direction with CHECK. The gain is adjusted automatically."),
    ("PRSDirCheckButton", TEXT, "確認", "CHECK"),
    ("PRSDirRev", TEXT, "補正方向反転", "Reverse direction"),
    ("PRSGain", TEXT, "補正ゲイン(0-100)", "Gain (0-100)"),
    ("PRSGainSetButton", TEXT, "設定", "SET"),
    ("ERSLabel1", TITLE, "E-RING", "E-RING"),
    ("ERSLabel2", TEXT, "エルロンとエレベーターを合わせた舵角を制限します。",
     "Limits the combined throw of aileron and elevator."),
    ("ERSGroup", TEXT, "E-RING", "E-RING"),
    ("ERSUse", TEXT, "使用する", "Use"),

    # Option page SETTING2.
    ("GASLabel1", TITLE, "ゲインチャンネル", "Gain channels"),
    ("GASLabel2", TEXT, "各軸のゲインを調整する受信機のチャンネルを選びます。",
     "Chooses the receiver channel that sets the gain of each axis."),
    ("GASGroup", TEXT, "ゲインチャンネル", "Gain channel"),
    ("GASAileCh", TEXT, "エルロン", "Aileron"),
    ("GASElevCh", TEXT, "エレベーター", "Elevator"),
    ("GASRuddCh", TEXT, "ラダー", "Rudder"),
    ("GASCondGroup", TEXT, "コンディション切替", "Condition switch"),
    ("GASCondCh", TEXT, "チャンネル", "Channel"),
]

CHANNELS = ["INH", "GEAR"] + [f"AUX{n}" for n in range(2, 12)]


def channel_rows(prefix):
    rows = []
    for i, item in enumerate(CHANNELS):
        key = {0: "INHCh", 1: "GearCh"}.get(i, f"Aux{i}Ch")
        rows.append((f"{prefix}{key}ComboBox", TEXT if i == 0 else None, item, item))
    return rows


ROWS += channel_rows("GAS")
ROWS += [
    ("GASChErrorMessage1", None, "このチャンネルはコンディション切替に使われています。別のチャンネルを選んでください。",
     "This channel is used for the condition switch. Choose another channel."),
    ("GASChErrorMessage2", None, "このチャンネルはゲインチャンネルに使われています。別のチャンネルを選んでください。",
     "This channel is used as a gain channel. Choose another channel."),
    ("AOSLabel1", TITLE, "AUX出力", "AUX output"),
    ("AOSLabel2", TEXT, "AUX出力に送る受信機のチャンネルを選びます。",
     "Chooses the receiver channel passed on to the AUX output."),
    ("AOSGroup", TEXT, "AUX出力", "AUX output"),
    ("AOSCh", TEXT, "チャンネル", "Channel"),
]
ROWS += channel_rows("AOS")
ROWS += [
    ("RNSLabel1", TITLE, "サーボニュートラル", "Servo neutral"),
    ("RNSLabel2", TEXT, "使用するサーボのニュートラルパルス幅を選びます。",
     "Chooses the neutral pulse width of the servos in use."),
    ("SNSGroup", TEXT, "スワッシュサーボ", "Swash servos"),
    ("SNSNeutral", TEXT, "ニュートラル", "Neutral"),
    ("SNSus", TEXT, "us", "us"),
    ("SNS1500ComboBox", TEXT, "1500", "1500"),
    ("SNS760ComboBox", None, "760", "760"),
    ("RNSGroup", TEXT, "ラダーサーボ", "Rudder servo"),
    ("RNSNeutral", TEXT, "ニュートラル", "Neutral"),
    ("RNSus", TEXT, "us", "us"),
    ("RNS1500ComboBox", TEXT, "1500", "1500"),
    ("RNS760ComboBox", None, "760", "760"),

    # Option page SETTING3.
    ("RXSLabel1", TITLE, "受信機", "Receiver"),
    ("RXSLabel2", TEXT, "使用する受信機の種類を選びます。", "Chooses the kind of receiver in use."),
    ("RXSGroup", TEXT, "受信機の種類", "Receiver kind"),
    ("AXSRemoteComboBox", TEXT, "HORQ リモートアンテナ", "HORQ remote antenna"),
    ("AXSTELVAComboBox", None, "TELV MODE.A", "TELV MODE.A"),
    ("AXSTELVBComboBox", None, "TELV MODE.B", "TELV MODE.B"),
    ("AxisModeLabel1", TITLE, "制御軸", "Control axes"),
    ("AxisModeLabel2", TEXT, "ジャイロが制御する軸を選びます。", "Chooses the axes that the gyro controls."),
    ("AxisModeGroup", TEXT, "制御軸", "Control axes"),
    ("AxisMode3Axis", TEXT, "3軸モード", "3-axis mode"),
    ("AxisMode1Axis", TEXT, "1軸モード", "1-axis mode"),
    ("AxisMode3Message", TEXT, "ユニットは3軸モードで動作しています。", "The unit works in 3-axis mode."),
    ("AxisMode1Message", None, "ユニットは1軸モード（ラダーのみ）で動作しています。",
     "The unit works in 1-axis mode (rudder only)."),

    # UPDATE page.
    ("UPDLabel1", TITLE, "ファームウェアアップデート", "Firmware update"),
    ("UPDLabel2", TEXT, "ユニットのファームウェアを更新します。", "Updates the firmware of the unit."),
    ("UPDFileGroup", TEXT, "ファイルからアップデート", "File Update"),
    ("UPDFileLabel1", TEXT, "UPDATEボタンを押して、ファームウェアファイル(*.dat)を選んでください。",
     "Press UPDATE and choose the firmware file (*.dat)."),
    ("UPDFileLabel2", TEXT, "アップデート中です。ケーブルを抜かないでください。",
     "Updating. Do not disconnect the cable."),
    ("UPDFileFirmUpdateButton", TEXT, "UPDATE", "UPDATE"),
    ("UPDCompMessage", None, "ファームウェアのアップデートが完了しました。", "The firmware update has completed."),
    ("UPDFailMessage", None, "ファームウェアのアップデートに失敗しました。もう一度実行してください。",
     "The firmware update failed. Please try again."),
    ("UPDFileErrorMessage", None, "このファイルは使用できません。接続しているユニット用のファームウェアファイルを選んでください。",
     "This file cannot be used. Choose a firmware file made for the connected unit."),

    # RESET page and the texts shared by the dialogs.
    ("RESLabel1", TITLE, "リセット", "Reset"),
    ("RESLabel2", TEXT, "ユニットの設定を初期状態に戻します。", "Returns the settings of the unit to a known state."),
    ("RESLabel3", TEXT,
     "機体を選ぶと、その機体用のプリセット値をユニットに書き込みます。"
     "#「選択しない」のときは工場出荷時の設定に戻します。",
     "With a helicopter chosen, its preset values are written to the unit."
     "#Without a choice the factory settings are restored."),
    ("RESHelSelGroup", TEXT, "機体選択", "Helicopter"),
    ("RESHeliNonComboBox", TEXT, "選択しない", "None"),
    ("RESHeliTarvoComboBox", None, "TARVO450", "TARVO450"),
    ("RESHeliTarvo700ComboBox", None, "TARVO700", "TARVO700"),
    ("RESHeliKALM07ComboBox", None, "500～600", "500-600"),
    ("RESResetButton", TEXT, "RESET", "RESET"),
    ("RESCautionMessage", None, "ユニットの設定をリセットします。現在の設定は失われます。よろしいですか？",
     "The settings of the unit will be reset and the present ones lost. Continue?"),
    ("RESCompleteMessage", None, "リセットが完了しました。", "The reset has completed."),
    ("ParamReadMessage", None, "現在の設定値をファイルに保存しますか？",
     "Save the current values to a file first?"),
    ("ConnectErrorMessage", None, "ユニットが見つかりません。USBケーブルの接続とユニットの電源を確認してください。",
     "The unit was not found. Check the USB cable and the power of the unit."),
    ("FirmwareErrorMessage", None, "ユニットのファームウェアが正しくありません。UPDATEページからファームウェアを書き込んでください。",
     "The unit has no usable firmware. Write the firmware from the UPDATE page."),
    ("DialogMessageOk", None, "OK", "OK"),
    ("DialogMessageYes", None, "はい", "Yes"),
    ("DialogMessageNo", None, "いいえ", "No"),
    ("DialogMessageCancel", None, "キャンセル", "Cancel"),
    # Added: parameter safety (provenance, unknown values, acknowledged writes).
    ("SafeReadGarbledMessage", None,
     "ユニットからの応答を正しく読み取れませんでした。読み取れなかった設定値は空欄で表示しています。"
     "ケーブルの接続を確認して、もう一度READしてください。",
     "The unit's answer could not be read correctly. Values that could not be read are shown empty. "
     "Check the cable and press READ again."),
    ("SafeWriteRefusedMessage", None, "書き込みを中止しました。ユニットには何も送っていません。",
     "Nothing was written: no value has been sent to the unit."),
    ("SafeUnknownRecordsMessage", None,
     "次の設定値はユニットから読み込めていないため不明です。READで読み込み直すか、"
     "ファイルを開くか、接続し直してください。",
     "These values are unknown because they could not be read from the unit. Press READ again, "
     "open a parameter file or connect again:"),
    ("SafeOutOfLimitsMessage", None, "次の値が設定範囲外です。正しい値を入力してから書き込んでください。",
     "These values are out of range. Correct them before writing:"),
    ("SafeWrittenRecords", None, "ユニットに書き込まれた設定:", "Written to the unit:"),
    ("SafeNotWrittenRecords", None, "書き込まれていない設定:", "Not written to the unit:"),
    ("SafeRecordOptions", None, "オプション設定", "Option settings"),
    ("SafeRecordAileron", None, "エルロン", "Aileron"),
    ("SafeRecordElevator", None, "エレベーター", "Elevator"),
    ("SafeRecordRudder", None, "ラダー", "Rudder"),
    ("SafeRecordMode0", None, "MODE0", "MODE0"),
    ("SafeRecordMode1", None, "MODE1", "MODE1"),
    ("SafeRecordExtra", None, "EXTRA", "EXTRA"),
    ("SafeFieldP", None, "P ゲイン", "P gain"),
    ("SafeFieldI", None, "I ゲイン", "I gain"),
    ("SafeFieldD", None, "D ゲイン", "D gain"),
    ("SafeFieldFF", None, "FF ゲイン", "FF gain"),
    ("SafeFieldHLD", None, "HLD ゲイン", "HLD gain"),
    ("SafeFieldCTL", None, "CTL ゲイン", "CTL gain"),
    ("SafeFieldACG", None, "A.C ゲイン", "A.C gain"),
    ("SafeFieldACR", None, "A.C レート", "A.C rate"),
    ("SafeFieldPirouGain", None, "ピルエット補正ゲイン", "Pirouette compensation gain"),
    ("SafeFieldRudGainCh", None, "ラダーゲインチャンネル", "Rudder gain channel"),
    ("SafeFieldAilGainCh", None, "エルロンゲインチャンネル", "Aileron gain channel"),
    ("SafeFieldEleGainCh", None, "エレベーターゲインチャンネル", "Elevator gain channel"),
    ("SafeFieldAuxOutCh", None, "AUX出力チャンネル", "AUX output channel"),
    ("SafeFieldCondCh", None, "コンディションチャンネル", "Condition channel"),
    ("SafeRecordPresetBlock", None, "機体プリセット", "Helicopter preset block"),
    ("SafeResetRefusedMessage", None, "リセットを中止しました。ユニットには何も送っていません。",
     "The reset was not started: nothing has been sent to the unit."),
    ("SafeResetFailedMessage", None,
     "ユニットがリセットに応答しませんでした。リセットされたかどうか分からないため、READで設定値を確認してください。",
     "The unit did not confirm the reset. It may or may not have been reset: press READ to see what it holds."),
    ("SafeResetReadErrorMessage", None,
     "リセット後の設定値の読み込みに失敗しました。読み込めなかった設定値は空欄で表示しています。"
     "ケーブルを確認して、READでもう一度読み込んでください。",
     "Reading the values back after the reset failed. Values that could not be read are shown empty. "
     "Check the cable and press READ to read them again."),
    ("SafeDefaultsReadErrorMessage", None,
     "標準値の一部を読み込めませんでした（空欄で表示しています）。設定値の読み書きには影響しません。"
     "標準値を表示するには、もう一度CONNECTしてください。",
     "Some standard values could not be read (they are shown empty). Reading and writing the settings "
     "is not affected. Connect again to see them."),
    ("SafeResetWriteFailedMessage", None,
     "プリセットの書き込みが途中で止まりました。READで設定値を確認してから、もう一度リセットしてください。",
     "Writing the preset stopped part-way. Press READ to see what the unit holds, then reset again."),
    # Added: device link faults.
    ("LinkUnidentifiedMessage", None,
     "ユニットの種類とファームウェアのバージョンを読み取れませんでした（応答がないか、乱れています）。"
     "接続は行っていません。USBケーブルの接続とユニットの電源を確認して、もう一度CONNECTを押してください。",
     "The unit did not identify itself: its answer about its type and firmware version was missing "
     "or garbled, so it was not connected. Check the USB cable and the power of the unit, then press "
     "CONNECT again."),
    ("LinkConnectLostMessage", None,
     "接続の途中でユニットが応答しなくなったため、接続を中止しました。"
     "USBケーブルの接続とユニットの電源を確認して、もう一度CONNECTを押してください。",
     "The unit stopped answering while connecting, so it was not connected. Check the USB cable and "
     "the power of the unit, then press CONNECT again."),
    ("LinkConnectGarbledMessage", None,
     "接続中、ユニットの標準値を読み込んでいるときに、ユニットからの応答が乱れていました。"
     "USBケーブルの接続を確認し、DISCONNECTを押してから、もう一度CONNECTを押してください。",
     "A garbled reply came from the unit while its standard values were read during connection. "
     "Check the USB cable, press DISCONNECT and then CONNECT again."),
    ("LinkLostMessage", None,
     "ユニットが応答しなくなったため、接続を切りました。"
     "USBケーブルの接続とユニットの電源を確認して、もう一度CONNECTを押してください。",
     "The unit no longer answers, so the connection was closed. Check the USB cable and the power of "
     "the unit, then press CONNECT again."),
    ("LinkStatusGarbledMessage", None,
     "ゲインコントロールステータスの読み込みで、ユニットからの応答が乱れていました。"
     "正しい応答が届くまで表示は更新されません。USBケーブルの接続を確認してください。"
     "直らないときは、DISCONNECTを押してから、もう一度CONNECTを押してください。",
     "A garbled reply came from the unit while the gain control status was read; the display is not "
     "updated until a good reply arrives. Check the USB cable. If this goes on, press DISCONNECT and "
     "then CONNECT again."),
    # Added: parameter files, presets, backups.
    ("FileReadErrorMessage", None, "「%1」を読み込めませんでした。ファイルが存在し、読み取りできる通常のファイルであることを確認してください。",
     "%1 could not be read. Check that it exists and is an ordinary file you may read."),
    ("FileBadMessage", None, "このファイルはパラメータファイルとして読み込めません。壊れているか、別の種類のファイルです。設定値は変更していません。",
     "This file cannot be read as a parameter file: it is damaged or of another kind. The values were not changed."),
    ("FileSaveErrorMessage", None, "ファイルを保存できませんでした。保存先のフォルダと空き容量を確認してください。同じ名前の以前のファイルはそのまま残っています。",
     "The file could not be saved. Check the folder and the free disk space. An earlier file of that name is left as it was."),
    ("FileReplaceMessage", None, "%1 はすでにあります。置き換えますか？", "%1 already exists. Replace it?"),
    ("FileReadOnlyMessage", None, "%1 は読み取り専用です。それでも置き換えますか？", "%1 is read-only. Replace it anyway?"),
    ("RESPresetConfirmLine", None, "プリセット「%1」の設定値をユニットに書き込みます。",
     "The preset values for %1 will be written to the unit."),
    ("RESFactoryConfirmLine", None, "ユニットを工場出荷時の設定に戻します。", "The unit will be returned to its factory settings."),
    ("RESPresetErrorMessage", None, "選んだ機体のプリセットファイルが見つからないか、壊れています。ユニットには何も送っていません。プログラムを入れ直してください。",
     "The preset files of the chosen helicopter are missing or damaged. Nothing was sent to the unit. Please reinstall the program."),
    ("BackupSavedLine", None, "変更前の設定値をバックアップしました：%1", "The values before the change were backed up to %1"),
    ("BackupFailedMessage", None, "変更前の設定値をバックアップできませんでした（%1）。バックアップなしで続けますか？",
     "The present values could not be backed up (%1). Go on without a backup?"),
    ("UPDConfirmMessage", None, "ファームウェアファイル %1（%2用）をユニットに書き込みます。書き込み中はケーブルを抜かないでください。開始しますか？",
     "The firmware file %1 (made for %2) will be written to the unit. Do not disconnect the cable while it is written. Start now?"),
    # Added: flow guard, firmware update, closing.
    ("UPDCloseMessage", None,
     "ファームウェアのアップデート中です。途中で止めるとユニットが動かなくなるため、アップデートが終わってから終了します。アップデートが終わったら終了しますか？",
     "A firmware update is running. Stopped halfway, it would leave the unit without working firmware, "
     "so the program can end only after the update. End the program when the update has finished?"),
    ("UPDLinkLostMessage", None,
     "アップデート中にユニットとの接続が切れました。ファームウェアの書き込みが途中で止まっている可能性があります。"
     "USBケーブルとユニットの電源を確認してからCONNECTし、もう一度アップデートしてください。",
     "The connection to the unit was lost during the update; its firmware may be only partly written. "
     "Check the USB cable and the power of the unit, press CONNECT and run the update again."),
    ("UnwrittenCloseMessage", None,
     "ユニットに書き込んでいない変更があります。このまま終了すると変更は失われます。終了しますか？",
     "Some changes have not been written to the unit. They will be lost if you exit now. Exit anyway?"),
    ("UnwrittenDisconnectMessage", None,
     "ユニットに書き込んでいない変更があります。このまま切断すると、変更はユニットに反映されません。切断しますか？",
     "Some changes have not been written to the unit. If you disconnect now, the unit will not get them. "
     "Disconnect anyway?"),
    # Added: serial adapters (low latency, ports that cannot be opened).
    ("PortPermissionGroupMessage", None,
     "ユニットが見つかりません。ポート %1 を開く権限がありません。#"
     "このポートはグループ %2 のメンバーが使えます。次のコマンドでグループに参加し、"
     "いったんログアウトしてから、もう一度ログインしてください。#"
     "sudo usermod -aG %2 $USER#"
     "または、USBアダプタ用のudevルール assets/linux/60-vireo.rules をインストールしてください（手順はREADMEにあります）。",
     "The unit was not found: you have no permission to open the port %1.#"
     "Members of the group %2 may use it. Join the group with the command below, then log out "
     "and log in again:#"
     "sudo usermod -aG %2 $USER#"
     "Or install the udev rule for USB adapters, assets/linux/60-vireo.rules (the README says how)."),
    ("PortPermissionMessage", None,
     "ユニットが見つかりません。ポート %1 を開く権限がありません。#"
     "USBアダプタ用のudevルール assets/linux/60-vireo.rules をインストールしてから、"
     "アダプタを挿し直してください（手順はREADMEにあります）。",
     "The unit was not found: you have no permission to open the port %1.#"
     "Install the udev rule for USB adapters, assets/linux/60-vireo.rules, and plug the adapter in "
     "again (the README says how)."),
    ("PortBusyMessage", None,
     "ユニットが見つかりません。ポート %1 は他のプログラムが使用中です。#"
     "そのプログラム（別のVIREOやターミナルソフトなど）を終了してから、もう一度CONNECTを押してください。",
     "The unit was not found: the port %1 is in use by another program.#"
     "Close that program (another VIREO, a terminal program) and press CONNECT again."),
    ("PortGoneMessage", None,
     "ユニットが見つかりません。ポート %1 を開こうとしたときに、そのポートがなくなりました。#"
     "USBケーブルを挿し直してから、もう一度CONNECTを押してください。",
     "The unit was not found: the port %1 went away while it was being opened.#"
     "Plug the USB cable in again and press CONNECT."),
    # Added: desktop (language menu, settings, small things).
    ("MenuLanguage", None, "言語(&L)", "&Language"),
    # The name of the file's language in that language, as the language menu lists it.
    ("LanguageName", None, "日本語", "English"),
    ("CPSHelpHint", None, "ゲインの名前にマウスを合わせると、そのゲインの説明がここに表示されます。",
     "Point at the name of a gain to see here what it does."),
    ("PRSCheckSentText", None, "確認信号を送りました。スワッシュの傾きを確かめてください。",
     "Check sent: watch which way the swash tilts."),
    ("PRSCheckFailedText", None, "ユニットが確認に応答しませんでした。", "The unit did not answer the check."),
    ("FileOpenDialogTitle", None, "パラメータファイルを開く", "Open parameter file"),
    ("FileSaveDialogTitle", None, "パラメータファイルを保存", "Save parameter file"),
    ("FirmwareDialogTitle", None, "ファームウェアファイルを選ぶ", "Choose firmware file"),
    # Texts of Qt's own dialogs and menus (file dialogs, the entry fields' context menu).
    ("QtTextOpen", None, "開く", "Open"),
    ("QtTextSave", None, "保存", "Save"),
    ("QtTextClose", None, "閉じる", "Close"),
    ("QtTextOpenButton", None, "開く(&O)", "&Open"),
    ("QtTextSaveButton", None, "保存(&S)", "&Save"),
    ("QtTextSaveAs", None, "名前を付けて保存", "Save As"),
    ("QtTextLookIn", None, "場所:", "Look in:"),
    ("QtTextFileName", None, "ファイル名(&N):", "File &name:"),
    ("QtTextFileType", None, "ファイルの種類:", "Files of type:"),
    ("QtTextBack", None, "戻る", "Back"),
    ("QtTextForward", None, "進む", "Forward"),
    ("QtTextParent", None, "上のフォルダー", "Parent Directory"),
    ("QtTextCreateFolder", None, "新しいフォルダーを作成", "Create New Folder"),
    ("QtTextListView", None, "一覧表示", "List View"),
    ("QtTextDetailView", None, "詳細表示", "Detail View"),
    ("QtTextNewFolder", None, "新しいフォルダー", "New Folder"),
    ("QtTextNewFolderItem", None, "新しいフォルダー(&N)", "&New Folder"),
    ("QtTextRename", None, "名前の変更(&R)", "&Rename"),
    ("QtTextDeleteItem", None, "削除(&D)", "&Delete"),
    ("QtTextShowHidden", None, "隠しファイルを表示(&H)", "Show &hidden files"),
    ("QtTextReplace", None, "%1 はすでにあります。#置き換えますか？", "%1 already exists.#Do you want to replace it?"),
    ("QtTextName", None, "名前", "Name"),
    ("QtTextSize", None, "サイズ", "Size"),
    ("QtTextType", None, "種類", "Type"),
    ("QtTextDateModified", None, "更新日時", "Date Modified"),
    ("QtTextUndo", None, "元に戻す(&U)", "&Undo"),
    ("QtTextRedo", None, "やり直し(&R)", "&Redo"),
    ("QtTextCut", None, "切り取り(&T)", "Cu&t"),
    ("QtTextCopy", None, "コピー(&C)", "&Copy"),
    ("QtTextPaste", None, "貼り付け(&P)", "&Paste"),
    ("QtTextDelete", None, "削除", "Delete"),
    ("QtTextSelectAll", None, "すべて選択", "Select All"),
    # Added: install layout and program options.
    ("CommandLineDescription", None,
     "KALM07 フライバーレスジャイロの設定ツールです。ユニットの設定値の読み書き、ファイルへの保存、ファームウェアのアップデートができます。",
     "Configuration tool for the KALM07 flybarless gyro: reads and writes the unit's settings, "
     "saves them to files and updates its firmware."),
    ("CommandLineHelpOption", None, "このヘルプを表示して終了します。", "Show this help and exit."),
    ("CommandLineVersionOption", None, "バージョンを表示して終了します。", "Show the version and exit."),
    # Added: command-line program.
    ("CliDeclinedMessage", None, "確認されなかったため、ユニットには何も送っていません。スクリプトから確認するには --yes を付けてください。",
     "Not confirmed: nothing was sent to the unit. Add --yes to confirm from a script."),
    ("CliAskYesNo", None, "続けますか？ [y/N]", "Go on? [y/N]"),
    ("CliUpdateProgressLine", None, "ブロック %1/%2  %3%  %4 ブロック/秒  残り %5 秒", "block %1/%2  %3%  %4 blocks/s  %5 s left"),
    ("CliUsageError", None, "vireo-cli: %1 の使い方が正しくありません。詳しくは vireo-cli %2 --help を見てください。",
     "vireo-cli: wrong use of %1. See vireo-cli %2 --help"),
    ("CliUnknownCommand", None, "vireo-cli: %1 というコマンドはありません。vireo-cli --help でコマンドの一覧を見られます。",
     "vireo-cli: there is no command %1. vireo-cli --help lists the commands."),
    ("CliPortOpens", None, "開けます", "can be opened"),
    ("CliPortDoesNotOpen", None, "開けません（%1）", "cannot be opened (%1)"),
    ("CliPortNotFtdi", None, "（FTDIのアダプタではありません）", "(not an FTDI adapter)"),
    ("CliNoPorts", None, "シリアルポートが見つかりません。USBケーブルの接続を確認してください。",
     "No serial port was found. Check the USB cable."),
    ("CliInfoPort", None, "ポート", "port"),
    ("CliInfoBaud", None, "通信速度", "baud rate"),
    ("CliInfoKind", None, "ユニットの種類", "unit kind"),
    ("CliInfoFirmware", None, "ファームウェア", "firmware"),
    ("CliInfoNoFirmware", None, "なし（ローダーのみ）", "none (loader only)"),
    ("CliInfoLoader", None, "ローダー", "loader"),
    ("CliNotAllReadMessage", None, "ユニットの設定値をすべて読み込めませんでした。ユニットには何も送っていません。",
     "Not every value of the unit could be read. Nothing was sent to the unit."),
    ("CliSavedMessage", None, "%1 に保存しました。", "Saved to %1."),
    ("CliWriteDiffersMessage", None, "書き込んだ後に読み直した値が、書き込んだ値と違います：",
     "Read back after the write, these records differ from what was written:"),
    ("CliWriteVerifiedMessage", None, "読み直して、書き込んだ値と同じであることを確認しました。",
     "Read back: the unit holds the values written."),
    ("CliNoDifferences", None, "違いはありません。", "No differences."),
    ("CliUnknownPresetMessage", None, "%1 というプリセットはありません。使えるのは次の名前です：%2",
     "There is no preset %1. The presets are: %2"),
    ("CliHelp", None,
     "使い方: vireo-cli [--port パス] [--json] [--lang ja|en] コマンド [引数]#"
     "#"
     "コマンド:#"
     "  ports                 シリアルポートの一覧と、開けるかどうか#"
     "  info                  ユニットを探して、ポート・通信速度・種類・ファームウェアを表示#"
     "  read -o ファイル      ユニットの設定値をすべて読み込み、ファイルに保存#"
     "  write ファイル [--yes]  ファイルの設定値をユニットに書き込み、読み直して確認#"
     "  show ファイル         ファイルの設定値を表で表示#"
     "  diff A B              AとB（ファイルまたは unit）の違いを表示#"
     "  reset プリセット [--yes]  リセット（先にバックアップ）#"
     "  update イメージ [--yes]  ファームウェアのアップデート（先にバックアップ）#"
     "  monitor [--count N]   ゲイン制御の状態を0.5秒ごとに表示#"
     "#"
     "終了コード: 0 成功、1 ユニットか通信の失敗または中止、2 使い方かファイルの誤り。#"
     "各コマンドの説明: vireo-cli コマンド --help",
     "Usage: vireo-cli [--port PATH] [--json] [--lang ja|en] COMMAND [ARGS]#"
     "#"
     "Commands:#"
     "  ports                 the serial ports and whether they can be opened#"
     "  info                  find the unit; its port, baud rate, kind, firmware and loader#"
     "  read -o FILE          read every value of the unit and save them to FILE#"
     "  write FILE [--yes]    write FILE to the unit, read back and compare#"
     "  show FILE             the values of FILE as a table#"
     "  diff A B              what differs between A and B (files, or unit for the unit)#"
     "  reset PRESET [--yes]  reset the unit to a preset or the factory settings (backup first)#"
     "  update IMAGE [--yes]  firmware update (backup first)#"
     "  monitor [--count N]   the live gain-control status twice a second#"
     "#"
     "Exit status: 0 success, 1 the unit or the link failed or you declined, 2 bad usage or file.#"
     "Each command: vireo-cli COMMAND --help"),
    ("CliHelpPorts", None,
     "使い方: vireo-cli ports#シリアルポートごとに、パス、バスID、開けるかどうか（開けない理由）を表示します。#環境変数で追加したポート（シミュレータなど）も含みます。",
     "Usage: vireo-cli ports#Every serial port with its path, its bus id and whether it can be opened (and why not).#Ports added through the environment (a simulator, say) are included."),
    ("CliHelpInfo", None,
     "使い方: vireo-cli [--port パス] info#CONNECTと同じようにユニットを探して識別し、#ポート、通信速度、ユニットの種類、ファームウェア、ローダーを表示します。",
     "Usage: vireo-cli [--port PATH] info#Finds and identifies the unit as CONNECT does and shows#its port, baud rate, unit kind, firmware and loader version."),
    ("CliHelpRead", None,
     "使い方: vireo-cli [--port パス] read -o ファイル#CONNECTと同じようにすべての設定値を読み込み、#ファイル＞保存と同じ形式でファイルに保存します。",
     "Usage: vireo-cli [--port PATH] read -o FILE#Reads every value as CONNECT does and saves them#to FILE exactly as File > Save writes it."),
    ("CliHelpWrite", None,
     "使い方: vireo-cli [--port パス] write ファイル [--yes]#ユニットを読み込み、ファイル＞開くと同じようにファイルを読み、#WRITEと同じように書き込みます（--yes がなければ確認します）。#最後に読み直して比べ、違うレコードを表示します。",
     "Usage: vireo-cli [--port PATH] write FILE [--yes]#Reads the unit, loads FILE as File > Open does and writes#as WRITE does (asks first unless --yes). Then reads back,#compares and names every record that differs."),
    ("CliHelpShow", None,
     "使い方: vireo-cli show ファイル#ファイルの設定値を、画面と同じ単位で表示します：#軸×モード×ゲイン、続いて各オプション。",
     "Usage: vireo-cli show FILE#The values of FILE in the units the window shows:#axis x mode set x gain, then every option by name."),
    ("CliHelpDiff", None,
     "使い方: vireo-cli [--port パス] diff A B#A、Bはそれぞれパラメータファイル、または unit（接続したユニットを今読む）。#違う項目だけを名前で A -> B と表示します。",
     "Usage: vireo-cli [--port PATH] diff A B#A and B are each a parameter file or unit (the attached unit, read now).#Only the fields that differ, by name, A -> B."),
    ("CliHelpReset", None,
     "使い方: vireo-cli [--port パス] reset プリセット [--yes]#RESETページと同じリセットです。プリセットはリストの名前#（TARVO450、TARVO700、500-600）、工場出荷時は factory。#先に今の設定値をバックアップします。",
     "Usage: vireo-cli [--port PATH] reset PRESET [--yes]#The reset of the RESET page. PRESET is a name as its list shows it#(TARVO450, TARVO700, 500-600), or factory (None) for the factory settings.#The present values are backed up first."),
    ("CliHelpUpdate", None,
     "使い方: vireo-cli [--port パス] update イメージ [--yes]#ファームウェアのアップデートです。進み具合を表示し、#先にバックアップし、終わったらユニットを探し直して読み込みます。",
     "Usage: vireo-cli [--port PATH] update IMAGE [--yes]#The firmware update, with a progress line. The values are backed#up first; afterwards the unit is found again and read."),
    ("CliHelpMonitor", None,
     "使い方: vireo-cli [--port パス] monitor [--count N]#ゲイン制御の状態を、状態ページと同じように0.5秒ごとに表示します。#Ctrl-C か N 行で終わります。",
     "Usage: vireo-cli [--port PATH] monitor [--count N]#The live gain-control status twice a second, as the status page shows it,#until Ctrl-C or N lines."),
]


def field(text):
    if "_" in text:
        sys.exit(f"'_' cannot be written: {text!r}")
    if "#" in text and '"' in text:
        sys.exit(f"a multi-line text cannot hold a double quote: {text!r}")
    if any(c in text for c in ',"') or any(ord(c) < 32 for c in text):
        return '"' + text.replace('"', '""') + '"'
    return text


def write(path, column, font, charset, encoding):
    lines = []
    for row in ROWS:
        key, size, text = row[0], row[1], row[column]
        fields = [key, field(text)]
        if size is not None:
            fields += [font, str(size), str(charset)]
        lines.append(",".join(fields))
    with open(path, "w", encoding=encoding, newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    keys = [row[0] for row in ROWS]
    if len(set(k.lower() for k in keys)) != len(keys):
        sys.exit("duplicate key")
    assets = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    write(os.path.join(assets, "language.dat"), 2, "ＭＳ Ｐゴシック", 128, "cp932")
    os.makedirs(os.path.join(assets, "lang", "en"), exist_ok=True)
    write(os.path.join(assets, "lang", "en", "language.dat"), 3, "Arial", 0, "ascii")
    print(f"{len(keys)} keys written")


if __name__ == "__main__":
    main()
