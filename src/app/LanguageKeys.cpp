#include "app/LanguageKeys.h"

#include "app/LanguageFields.h"
#include "params/GainGrid.h"

namespace vireo
{

namespace
{

using K = LanguageKeyKind;
using Names = std::array<std::string_view, 4>;

constexpr LanguageKey C(std::string_view key, std::string_view control)
{
    return {key, K::C, {control}};
}
constexpr LanguageKey M(std::string_view key)
{
    return {key, K::M, {key}};
}
constexpr LanguageKey S(std::string_view key)
{
    return {key, K::S, {}};
}
constexpr LanguageKey SX(std::string_view key, std::string_view control)
{
    return {key, K::SX, {control}};
}
constexpr LanguageKey SC(std::string_view key, std::string_view control)
{
    return {key, K::SC, {control}};
}
constexpr LanguageKey SF(std::string_view key, std::string_view control)
{
    return {key, K::SF, {control}};
}
constexpr LanguageKey ML(std::string_view key, std::string_view control)
{
    return {key, K::ML, {control}};
}
constexpr const char *rowLabel(int axis, LimitField row)
{
    return gainRow(axis, row).label;
}
constexpr LanguageKey I(std::string_view key, int item, Names combos)
{
    return {key, K::I, combos, item};
}
constexpr LanguageKey I0(std::string_view key, Names combos)
{
    return {key, K::I0, combos, 0};
}

// The combo boxes that list the twelve channels.
constexpr Names GainChCombos{"AilGainChComboBox", "EleGainChComboBox", "RudGainChComboBox",
                             "CondSelChComboBox"};
constexpr Names AuxOutCombo{"AuxOutComboBox"};
constexpr Names SwashCombo{"SwashNarrowComboBox"};
constexpr Names RudderCombo{"RudNarrowComboBox"};
constexpr Names RxKindCombo{"RxKindSelectComboBox"};
constexpr Names HeliCombo{"ResHeliSelectComboBox"};

constexpr LanguageKey Keys[] = {
    // Header, menus and tab pages.
    M("MenuFile"),
    M("MenuFileOpen"),
    M("MenuFileSave"),
    M("MenuFileEnd"),
    M("MenuHelp"),
    M("MenuHelpVersion"),
    SC("ConnectButton", "ConnectSpeedButton"),
    S("DisconnectButton"),
    SX("KALMKind1", "Label83"),
    S("KALMKind2"),
    C("FirmwareVer", "Label34"),
    C("TabSheet2", "TabSheet2"),
    C("TabSheet3", "TabSheet3"),
    C("TabSheet4", "TabSheet4"),
    C("TabSheet5", "TabSheet5"),
    C("TabSheet6", "TabSheet6"),
    C("TabSheet7", "TabSheet7"),
    C("TabSheet8", "TabSheet8"),

    // Control parameter page.
    C("CPSLabel1", "Label7"),
    C("CPSLabel2", "Label15"),
    ML("CPSLabel3", "Label64"),
    C("CPSModeGroup", "ModeRadioGroup"),
    C("CPSMode0", "Mode0RadioButton"),
    C("CPSMode1", "Mode1RadioButton"),
    C("CPSExtra", "ExtraRadioButton"),
    C("CPSAilronGroup", GainGrid[Aileron].group),
    C("CPSAilronDef", GainGrid[Aileron].standardHeading),
    C("CPSAilronCur", GainGrid[Aileron].unitHeading),
    C("CPSAilronP", rowLabel(Aileron, LimitField::P)),
    C("CPSAilronI", rowLabel(Aileron, LimitField::I)),
    C("CPSAilronD", rowLabel(Aileron, LimitField::D)),
    C("CPSAilronFF", rowLabel(Aileron, LimitField::FF)),
    C("CPSAilronHLD", rowLabel(Aileron, LimitField::HLD)),
    C("CPSAilronCTL", rowLabel(Aileron, LimitField::CTL)),
    C("CPSElevatorGroup", GainGrid[Elevator].group),
    C("CPSElevatorDef", GainGrid[Elevator].standardHeading),
    C("CPSElevatorCur", GainGrid[Elevator].unitHeading),
    C("CPSElevatorP", rowLabel(Elevator, LimitField::P)),
    C("CPSElevatorI", rowLabel(Elevator, LimitField::I)),
    C("CPSElevatorD", rowLabel(Elevator, LimitField::D)),
    C("CPSElevatorFF", rowLabel(Elevator, LimitField::FF)),
    C("CPSElevatorHLD", rowLabel(Elevator, LimitField::HLD)),
    C("CPSElevatorCTL", rowLabel(Elevator, LimitField::CTL)),
    C("CPSRudderGroup", GainGrid[Rudder].group),
    C("CPSRudderDef", GainGrid[Rudder].standardHeading),
    C("CPSRudderCur", GainGrid[Rudder].unitHeading),
    C("CPSRudderP", rowLabel(Rudder, LimitField::P)),
    C("CPSRudderI", rowLabel(Rudder, LimitField::I)),
    C("CPSRudderD", rowLabel(Rudder, LimitField::D)),
    C("CPSRudderFF", rowLabel(Rudder, LimitField::FF)),
    C("CPSRudderHLD", rowLabel(Rudder, LimitField::HLD)),
    C("CPSRudderCTL", rowLabel(Rudder, LimitField::CTL)),
    S("CPSInputErrorMessage"),
    S("CPSReadCautionMessage"),
    S("CPSReadCompleteMessage"),
    S("CPSWriteCautionMessage"),
    S("CPSWriteCompleteMessage"),
    S("CPSReadErrorMessage"),
    S("CPSWriteErrorMessage"),
    C("CPSWritingMessage", "WriteProgressForm/MessageLabel"),
    C("RESResetingMessage", "ResetProgressForm/MessageLabel"),
    SX("CPSPHelp1", "Label68"),
    SX("CPSPHelp2", "Label69"),
    SX("CPSPHelp3", "Label67"),
    S("CPSIHelp1"),
    S("CPSIHelp2"),
    S("CPSIHelp3"),
    S("CPSDHelp1"),
    S("CPSDHelp2"),
    S("CPSDHelp3"),
    S("CPSFFHelp1"),
    S("CPSFFHelp2"),
    S("CPSFFHelp3"),
    S("CPSHLDHelp1"),
    S("CPSHLDHelp2"),
    S("CPSHLDHelp3"),
    S("CPSCTLHelp1"),
    S("CPSCTLHelp2"),
    S("CPSCTLHelp3"),
    S("CPSACGHelp1"),
    S("CPSACGHelp2"),
    S("CPSACGHelp3"),
    S("CPSACRHelp1"),
    S("CPSACRHelp2"),
    S("CPSACRHelp3"),
    C("CPSReadButton", "ReadButton"),
    C("CPSWriteButton", "WriteButton"),

    // Gain control status page.
    C("GCSLabel1", "Label28"),
    C("GCSLabel2", "Label33"),
    ML("GCSLabel3", "Label65"),
    C("GCSChanelGroup", "GroupBox4"),
    C("GCSGain1", "StaticText33"),
    C("GCSAilron", "StaticText32"),
    C("GCSGain2", "StaticText34"),
    C("GCSElevator", "StaticText39"),
    C("GCSGain3", "StaticText36"),
    C("GCSRudder", "StaticText40"),
    C("GCSCond", "StaticText87"),
    C("GCSNon", "StaticText37"),
    SX("GCSChanelInfo1", "Label62"),
    S("GCSChanelInfo2"),
    S("GCSChanelInfo3"),
    S("GCSChanelInfo4"),
    S("GCSChanelInfo5"),
    C("GCSAilronGroup", "GroupBox2"),
    C("GCSAilronMode", "Label37"),
    C("GCSAilronMode0", "StaticText15"),
    C("GCSAilronMode2", "StaticText84"),
    C("GCSAilronMode1", "StaticText7"),
    C("GCSAilronVolumeGain", "Label38"),
    C("GCSAilronTxGain", "Label102"),
    C("GCSAilronTotalGain", "Label39"),
    C("GCSAilronLimitVolumeL", "Label75"),
    C("GCSAilronLimitVolumeH", "Label76"),
    C("GCSElevatorGroup", "GroupBox1"),
    C("GCSElevatorMode", "Label40"),
    C("GCSElevatorMode0", "StaticText17"),
    C("GCSElevatorMode1", "StaticText24"),
    C("GCSElevatorMode2", "StaticText85"),
    C("GCSElevatorVolumeGain", "Label41"),
    C("GCSElevatorTxGain", "Label103"),
    C("GCSElevatorTotalGain", "Label42"),
    C("GCSElevatorLimitVolumeL", "Label77"),
    C("GCSElevatorLimitVolumeH", "Label78"),
    C("GCSRudderGroup", "GroupBox3"),
    C("GCSRudderMode", "Label43"),
    C("GCSRudderMode0", "StaticText28"),
    C("GCSRudderMode1", "StaticText29"),
    C("GCSRudderMode2", "StaticText86"),
    C("GCSRudderVolumeGain", "Label45"),
    C("GCSRudderTxGain", "Label104"),
    C("GCSRudderTotalGain", "Label44"),
    C("GCSRudderLimitVolumeL", "Label79"),
    C("GCSRudderLimitVolumeH", "Label80"),

    // Option page SETTING1.
    C("DBSLabel1", "Label16"),
    C("DBSLabel2", "Label17"),
    C("DBSLabel3", "Label55"),
    C("DBSTimeGroup", "DBRadioGroup"),
    C("DBSTime0", "DB0RadioButton"),
    C("DBSTime1", "DB1RadioButton"),
    C("DBSTime2", "DB2RadioButton"),
    C("DBSTime3", "DB3RadioButton"),
    C("DBSReadButton", "ReadButton2"),
    C("DBSWriteButton", "WriteButton2"),
    C("PRSLabel1", "Label71"),
    C("PRSLabel2", "Label72"),
    C("PRSGroup", "PirouGroup"),
    C("PRSUse", "PirouUseCheckBox"),
    SC("PRSLabel3", "Label70"),
    S("PRSLabel4"),
    C("PRSDirCheckButton", "PirouCheckButton"),
    C("PRSDirRev", "PirouDirCheckBox"),
    C("PRSGain", "Label63"),
    C("PRSGainSetButton", "PirouGainSetButton"),
    C("ERSLabel1", "Label73"),
    C("ERSLabel2", "Label74"),
    C("ERSGroup", "ERingGroup"),
    C("ERSUse", "ERingUseCheckBox"),

    // Option page SETTING2.
    C("GASLabel1", "Label49"),
    C("GASLabel2", "Label50"),
    C("GASGroup", "GainChGroup"),
    C("GASAileCh", "Label48"),
    C("GASElevCh", "Label36"),
    C("GASRuddCh", "Label47"),
    C("GASCondGroup", "CondSelChGroup"),
    C("GASCondCh", "Label108"),
    I0("GASINHChComboBox", GainChCombos),
    I("GASGearChComboBox", 1, GainChCombos),
    I("GASAux2ChComboBox", 2, GainChCombos),
    I("GASAux3ChComboBox", 3, GainChCombos),
    I("GASAux4ChComboBox", 4, GainChCombos),
    I("GASAux5ChComboBox", 5, GainChCombos),
    I("GASAux6ChComboBox", 6, GainChCombos),
    I("GASAux7ChComboBox", 7, GainChCombos),
    I("GASAux8ChComboBox", 8, GainChCombos),
    I("GASAux9ChComboBox", 9, GainChCombos),
    I("GASAux10ChComboBox", 10, GainChCombos),
    I("GASAux11ChComboBox", 11, GainChCombos),
    S("GASChErrorMessage1"),
    S("GASChErrorMessage2"),
    C("AOSLabel1", "Label51"),
    C("AOSLabel2", "Label81"),
    C("AOSGroup", "AuxOutGroup"),
    C("AOSCh", "Label82"),
    I0("AOSINHChComboBox", AuxOutCombo),
    I("AOSGearChComboBox", 1, AuxOutCombo),
    I("AOSAux2ChComboBox", 2, AuxOutCombo),
    I("AOSAux3ChComboBox", 3, AuxOutCombo),
    I("AOSAux4ChComboBox", 4, AuxOutCombo),
    I("AOSAux5ChComboBox", 5, AuxOutCombo),
    I("AOSAux6ChComboBox", 6, AuxOutCombo),
    I("AOSAux7ChComboBox", 7, AuxOutCombo),
    I("AOSAux8ChComboBox", 8, AuxOutCombo),
    I("AOSAux9ChComboBox", 9, AuxOutCombo),
    I("AOSAux10ChComboBox", 10, AuxOutCombo),
    I("AOSAux11ChComboBox", 11, AuxOutCombo),
    C("RNSLabel1", "Label84"),
    C("RNSLabel2", "Label85"),
    C("SNSGroup", "SwashNeutGroup"),
    C("SNSNeutral", "Label109"),
    C("SNSus", "Label110"),
    I0("SNS1500ComboBox", SwashCombo),
    I("SNS760ComboBox", 1, SwashCombo),
    C("RNSGroup", "RudNeutGroup"),
    C("RNSNeutral", "Label86"),
    C("RNSus", "Label87"),
    I0("RNS1500ComboBox", RudderCombo),
    I("RNS760ComboBox", 1, RudderCombo),

    // Option page SETTING3.
    C("RXSLabel1", "Label89"),
    C("RXSLabel2", "Label88"),
    C("RXSGroup", "RxKindSelectGroup"),
    I0("AXSRemoteComboBox", RxKindCombo),
    I("AXSTELVAComboBox", 1, RxKindCombo),
    I("AXSTELVBComboBox", 2, RxKindCombo),
    C("AxisModeLabel1", "Label105"),
    C("AxisModeLabel2", "Label106"),
    C("AxisModeGroup", "AxisControlSelectGroupBox"),
    C("AxisMode3Axis", "AxisMode3AxisRadioButton"),
    C("AxisMode1Axis", "AxisMode1AxisRadioButton"),
    SX("AxisMode3Message", "Label107"),
    S("AxisMode1Message"),

    // UPDATE page.
    C("UPDLabel1", "Label24"),
    C("UPDLabel2", "Label25"),
    C("UPDFileGroup", "GroupBox7"),
    SC("UPDFileLabel1", "Label52"),
    SF("UPDFileLabel2", "Label53"),
    C("UPDFileFirmUpdateButton", "FileFirmUpdateButton"),
    S("UPDCompMessage"),
    S("UPDFailMessage"),
    S("UPDFileErrorMessage"),

    // RESET page and the texts shared by the dialogs.
    C("RESLabel1", "Label31"),
    C("RESLabel2", "Label32"),
    ML("RESLabel3", "Label66"),
    C("RESHelSelGroup", "ResHeliSelectGroupBox"),
    I0("RESHeliNonComboBox", HeliCombo),
    I("RESHeliTarvoComboBox", 1, HeliCombo),
    I("RESHeliTarvo700ComboBox", 2, HeliCombo),
    I("RESHeliKALM07ComboBox", 3, HeliCombo),
    C("RESResetButton", "ResetButton"),
    S("RESCautionMessage"),
    S("RESCompleteMessage"),
    S("ParamReadMessage"),
    S("ConnectErrorMessage"),
    S("FirmwareErrorMessage"),
    S("DialogMessageOk"),
    S("DialogMessageYes"),
    S("DialogMessageNo"),
    S("DialogMessageCancel"),
    // Added: parameter safety (provenance, unknown values, acknowledged writes).
    S("SafeReadGarbledMessage"),
    S("SafeWriteRefusedMessage"),
    S("SafeUnknownRecordsMessage"),
    S("SafeOutOfLimitsMessage"),
    S("SafeWrittenRecords"),
    S("SafeNotWrittenRecords"),
    S("SafeRecordOptions"),
    S("SafeRecordAileron"),
    S("SafeRecordElevator"),
    S("SafeRecordRudder"),
    S("SafeRecordMode0"),
    S("SafeRecordMode1"),
    S("SafeRecordExtra"),
    S("SafeFieldP"),
    S("SafeFieldI"),
    S("SafeFieldD"),
    S("SafeFieldFF"),
    S("SafeFieldHLD"),
    S("SafeFieldCTL"),
    S("SafeFieldACG"),
    S("SafeFieldACR"),
    S("SafeFieldPirouGain"),
    S("SafeFieldRudGainCh"),
    S("SafeFieldAilGainCh"),
    S("SafeFieldEleGainCh"),
    S("SafeFieldAuxOutCh"),
    S("SafeFieldCondCh"),
    S("SafeRecordPresetBlock"),
    S("SafeResetRefusedMessage"),
    S("SafeResetFailedMessage"),
    S("SafeResetWriteFailedMessage"),
    S("SafeResetReadErrorMessage"),
    S("SafeDefaultsReadErrorMessage"),
    // Added: device link faults.
    S("LinkUnidentifiedMessage"),
    S("LinkConnectLostMessage"),
    S("LinkConnectGarbledMessage"),
    S("LinkLostMessage"),
    S("LinkStatusGarbledMessage"),
    // Added: parameter files, presets, backups.
    S("FileReadErrorMessage"),
    S("FileBadMessage"),
    S("FileSaveErrorMessage"),
    S("FileReplaceMessage"),
    S("FileReadOnlyMessage"),
    S("RESPresetConfirmLine"),
    S("RESFactoryConfirmLine"),
    S("RESPresetErrorMessage"),
    S("BackupSavedLine"),
    S("BackupFailedMessage"),
    S("UPDConfirmMessage"),
    // Added: flow guard, firmware update, closing.
    S("UPDCloseMessage"),
    S("UPDLinkLostMessage"),
    S("UnwrittenCloseMessage"),
    S("UnwrittenDisconnectMessage"),
    // Added: serial adapters (low latency, ports that cannot be opened).
    S("PortPermissionGroupMessage"),
    S("PortPermissionMessage"),
    S("PortBusyMessage"),
    S("PortGoneMessage"),
    // Added: desktop (language menu, settings, small things).
    M("MenuLanguage"),
    S("LanguageName"),
    S("CPSHelpHint"),
    S("PRSCheckSentText"),
    S("PRSCheckFailedText"),
    S("FileOpenDialogTitle"),
    S("FileSaveDialogTitle"),
    S("FirmwareDialogTitle"),
    S("QtTextOpen"),
    S("QtTextSave"),
    S("QtTextClose"),
    S("QtTextOpenButton"),
    S("QtTextSaveButton"),
    S("QtTextSaveAs"),
    S("QtTextLookIn"),
    S("QtTextFileName"),
    S("QtTextFileType"),
    S("QtTextBack"),
    S("QtTextForward"),
    S("QtTextParent"),
    S("QtTextCreateFolder"),
    S("QtTextListView"),
    S("QtTextDetailView"),
    S("QtTextNewFolder"),
    S("QtTextNewFolderItem"),
    S("QtTextRename"),
    S("QtTextDeleteItem"),
    S("QtTextShowHidden"),
    S("QtTextReplace"),
    S("QtTextName"),
    S("QtTextSize"),
    S("QtTextType"),
    S("QtTextDateModified"),
    S("QtTextUndo"),
    S("QtTextRedo"),
    S("QtTextCut"),
    S("QtTextCopy"),
    S("QtTextPaste"),
    S("QtTextDelete"),
    S("QtTextSelectAll"),
    // Added: install layout and program options.
    S("CommandLineDescription"),
    S("CommandLineHelpOption"),
    S("CommandLineVersionOption"),
    // Added: command-line program.
    S("CliDeclinedMessage"),
    S("CliAskYesNo"),
    S("CliUpdateProgressLine"),
    S("CliUsageError"),
    S("CliUnknownCommand"),
    S("CliPortOpens"),
    S("CliPortDoesNotOpen"),
    S("CliPortNotFtdi"),
    S("CliNoPorts"),
    S("CliInfoPort"),
    S("CliInfoBaud"),
    S("CliInfoKind"),
    S("CliInfoFirmware"),
    S("CliInfoNoFirmware"),
    S("CliInfoLoader"),
    S("CliNotAllReadMessage"),
    S("CliSavedMessage"),
    S("CliWriteDiffersMessage"),
    S("CliWriteVerifiedMessage"),
    S("CliNoDifferences"),
    S("CliUnknownPresetMessage"),
    S("CliHelp"),
    S("CliHelpPorts"),
    S("CliHelpInfo"),
    S("CliHelpRead"),
    S("CliHelpWrite"),
    S("CliHelpShow"),
    S("CliHelpDiff"),
    S("CliHelpReset"),
    S("CliHelpUpdate"),
    S("CliHelpMonitor"),
};

constexpr char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

constexpr bool sameKey(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

constexpr bool keysDistinct()
{
    for (std::size_t i = 0; i < std::size(Keys); ++i) {
        for (std::size_t j = i + 1; j < std::size(Keys); ++j) {
            if (sameKey(Keys[i].key, Keys[j].key))
                return false;
        }
    }
    return true;
}

// A line matches at most one key, so the order of the table never decides between two.
static_assert(keysDistinct(), "language keys must differ also when letter case is ignored");

} // namespace

bool storesText(LanguageKeyKind kind)
{
    return kind == K::S || kind == K::SX || kind == K::SC || kind == K::SF;
}

bool setsFont(LanguageKeyKind kind)
{
    return kind == K::C || kind == K::SX || kind == K::SC || kind == K::SF || kind == K::I0 || kind == K::ML;
}

std::span<const LanguageKey> languageKeys()
{
    return Keys;
}

const LanguageKey *findLanguageKey(std::u16string_view key)
{
    for (const auto &entry : Keys) {
        if (languageKeyEquals(key, entry.key))
            return &entry;
    }
    return nullptr;
}

} // namespace vireo
