#include "link/Identification.h"

#include "link/ScriptedPort.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace vireo
{
namespace
{

using A = ShapeAction;
using Strings = std::vector<std::string>;

// What the window ends up with after the steps, per control: "TabSheet9=hidden",
// "Edit25=disabled", "Label70:PRSLabel3" (a language key) or "Label35'0.0.0" (a plain text).
// Controls the steps leave alone have no entries.
std::map<std::string, std::set<std::string>> finalState(const Identification &id, bool &readsDefaults,
                                                        bool &loaderBox)
{
    std::map<std::string, std::map<char, std::string>> state;
    readsDefaults = loaderBox = false;
    for (const ShapeStep &s : id.shape) {
        switch (s.action) {
        case A::Show:
            state[s.control]['v'] = "=shown";
            break;
        case A::Hide:
            state[s.control]['v'] = "=hidden";
            break;
        case A::Enable:
            state[s.control]['e'] = "=enabled";
            break;
        case A::Disable:
            state[s.control]['e'] = "=disabled";
            break;
        case A::SetTextKey:
            state[s.control]['t'] = ":" + s.arg;
            break;
        case A::SetText:
            state[s.control]['t'] = "'" + s.arg;
            break;
        case A::SelectFirstItem:
            state[s.control]['i'] = "=first";
            break;
        case A::ActivatePage:
            state[s.control]['a'] = "=active";
            break;
        case A::CheckInsteadIfChecked:
            state[s.control]['c'] = ">" + s.arg;
            break;
        case A::ErrorBox:
            loaderBox = s.arg == "FirmwareErrorMessage";
            break;
        case A::ReadAllDefaults:
            readsDefaults = true;
            break;
        }
    }
    std::map<std::string, std::set<std::string>> out;
    for (const auto &[control, facets] : state)
        for (const auto &[facet, value] : facets)
            out[control].insert(value);
    return out;
}

TEST(Identification, KindVersionAndWindowShape)
{
    struct Case {
        const char *upver;
        const char *ver;
        std::uint32_t baud;
        UnitKind kind;
        const char *version;
        bool readsDefaults;
        Strings expected;  // control followed by the state it ends in
        Strings untouched; // controls the identification leaves as they are
    };
    const char *kind1 = "0.3.0\r\n";
    const char *kind2 = "0.2.0\r\n";
    const Strings loaderTabs = {"TabSheet2=hidden",    "TabSheet3=hidden", "TabSheet4=hidden",
                                "TabSheet5=shown",     "TabSheet5=active", "TabSheet6=hidden",
                                "TabSheet7=hidden",    "TabSheet8=hidden", "TabSheet9=hidden",
                                "LEDGreenImage=shown", "Label35'0.0.0"};
    const Case cases[] = {
        {kind1,
         " 1.0.4\r\n",
         230400,
         UnitKind::Kind1,
         " 1.0.4",
         false,
         {"Label83:KALMKind1",
          "TabSheet2=shown",
          "TabSheet7=shown",
          "TabSheet8=hidden",
          "TabSheet9=hidden",
          "ResHeliSelectGroupBox=hidden",
          "ResHeliSelectComboBox=first",
          "StaticText66=shown",
          "StaticText71=shown",
          "Label80=shown",
          "StaticText32=hidden",
          "StaticText40=hidden",
          "DBRadioGroup=enabled",
          "DB3RadioButton=enabled",
          "PirouGroup=disabled",
          "PirouUseCheckBox=disabled",
          "Label63=disabled",
          "Label70=disabled",
          "Label70:PRSLabel3",
          "PirouCheckButton=disabled",
          "Edit25=disabled",
          "ERingGroup=disabled",
          "ERingUseCheckBox=disabled",
          "Label35' 1.0.4"},
         {"AxisControlSelectGroupBox", "ExtraRadioButton"}},
        {kind1,
         " 1.0.5\r\n",
         230400,
         UnitKind::Kind1,
         " 1.0.5",
         false,
         {"Label63=shown", "Edit25=shown", "PirouGainSetButton=shown", "Label70:PRSLabel3",
          "PirouGroup=enabled", "ERingGroup=enabled"},
         {"DB0RadioButton", "DBRadioGroup", "PirouUseCheckBox"}},
        {kind1,
         " 2.0.0\r\n",
         230400,
         UnitKind::Kind1,
         " 2.0.0",
         true,
         {"Edit25=shown", "Label70:PRSLabel3"},
         {}},
        {kind1,
         " 2.0.5\r\n",
         230400,
         UnitKind::Kind1,
         " 2.0.5",
         true,
         {"Label63=hidden", "Edit25=hidden", "PirouGainSetButton=hidden", "Label70:PRSLabel4"},
         {}},
        // A Kind1 unit answering at 250000 runs its loader, whatever VER says.
        {kind1, " 2.0.5\r\n", 250000, UnitKind::Kind1, "0.0.0", false, loaderTabs, {"Label70", "PirouGroup"}},
        {kind2, "0000\r\n", 230400, UnitKind::Kind2, "0.0.0", false, loaderTabs, {"ResHeliSelectGroupBox"}},
        {kind2,
         " 0.2.5\r\n",
         250000,
         UnitKind::Kind2,
         " 0.2.5",
         true,
         {"Label83:KALMKind2", "TabSheet8=shown", "TabSheet9=hidden", "Label63=shown", "Label70:PRSLabel3",
          "AxisControlSelectGroupBox=hidden", "Label105=hidden", "ExtraRadioButton=disabled",
          "ExtraRadioButton>Mode0RadioButton", "CondSelChComboBox=disabled", "ResHeliSelectGroupBox=shown",
          "StaticText32=shown", "StaticText39=shown", "StaticText66=hidden", "Label75=hidden",
          "PirouGroup=enabled", "ERingGroup=enabled"},
         {"DBRadioGroup", "PirouUseCheckBox", "ResHeliSelectComboBox"}},
        {kind2, " 0.2.6\r\n", 250000, UnitKind::Kind2, " 0.2.6", true, {"TabSheet9=shown"}, {}},
        {kind2,
         " 0.3.4\r\n",
         250000,
         UnitKind::Kind2,
         " 0.3.4",
         true,
         {"Label63=hidden", "Edit25=hidden", "Label70:PRSLabel4"},
         {}},
        {kind2,
         " 0.3.8\r\n",
         250000,
         UnitKind::Kind2,
         " 0.3.8",
         true,
         {"AxisControlSelectGroupBox=hidden", "AxisMode1AxisRadioButton=hidden"},
         {}},
        {kind2,
         " 0.3.9\r\n",
         250000,
         UnitKind::Kind2,
         " 0.3.9",
         true,
         {"AxisControlSelectGroupBox=shown", "Label106=shown", "AxisMode3AxisRadioButton=shown"},
         {}},
        {kind2,
         " 0.4.9\r\n",
         250000,
         UnitKind::Kind2,
         " 0.4.9",
         true,
         {"ExtraRadioButton=disabled", "ExtraRadioButton>Mode0RadioButton", "Label108=disabled",
          "SwashNarrowComboBox=disabled", "Label109=disabled"},
         {}},
        {kind2,
         " 0.5.0\r\n",
         250000,
         UnitKind::Kind2,
         " 0.5.0",
         true,
         {"ExtraRadioButton=enabled", "CondSelChComboBox=enabled", "Label109=enabled"},
         {}},
        // Any other loader version than the Kind1 one is a Kind2 unit.
        {"0.3.1\r\n", " 1.0.5\r\n", 250000, UnitKind::Kind2, " 1.0.5", true, {"Label83:KALMKind2"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.upver)) + " " +
                     ::testing::PrintToString(std::string(c.ver)) + " @" + std::to_string(c.baud));
        const std::optional<Identification> found = decideIdentification(c.upver, c.ver, c.baud);
        ASSERT_TRUE(found.has_value());
        const Identification &id = *found;
        EXPECT_EQ(id.kind, c.kind);
        EXPECT_EQ(id.firmwareVersion, c.version);
        EXPECT_EQ(id.loaderOnly, id.firmwareVersion == "0.0.0");
        bool readsDefaults = false, loaderBox = false;
        const auto state = finalState(id, readsDefaults, loaderBox);
        EXPECT_EQ(readsDefaults, c.readsDefaults);
        EXPECT_EQ(loaderBox, id.loaderOnly);
        for (const std::string &e : c.expected) {
            const std::size_t cut = e.find_first_of("=:'>");
            const auto it = state.find(e.substr(0, cut));
            EXPECT_TRUE(it != state.end() && it->second.count(e.substr(cut))) << e;
        }
        for (const std::string &control : c.untouched)
            EXPECT_EQ(state.count(control), 0u) << control;
        // The kind caption comes first and the version caption last, after any read.
        EXPECT_EQ(id.shape.front().control, "Label83");
        EXPECT_EQ(id.shape.back(), (ShapeStep{A::SetText, "Label35", id.firmwareVersion}));
    }
}

// The window finds the controls of ShapeWidgets & co. once and refuses a step naming any other.
// Over every answer a unit can give, each step names a control listed for what the step does,
// and each listed control is named by some step.
TEST(Identification, EveryStepNamesAListedControl)
{
    std::set<std::string> widgets, labels, comboBoxes, buttons;
    auto check = [&](const std::optional<Identification> &id, const std::string &answer) {
        ASSERT_TRUE(id.has_value()) << answer;
        for (const ShapeStep &s : id->shape) {
            auto expectIn = [&](const auto &listed, std::set<std::string> &used, const std::string &name) {
                EXPECT_NE(std::find(std::begin(listed), std::end(listed), name), std::end(listed))
                    << name << " (action " << static_cast<int>(s.action) << ") for " << answer;
                used.insert(name);
            };
            switch (s.action) {
            case A::Show:
            case A::Hide:
            case A::Enable:
            case A::Disable:
            case A::ActivatePage:
                expectIn(ShapeWidgets, widgets, s.control);
                break;
            case A::SetTextKey:
            case A::SetText:
                expectIn(ShapeLabels, labels, s.control);
                break;
            case A::SelectFirstItem:
                expectIn(ShapeComboBoxes, comboBoxes, s.control);
                break;
            case A::CheckInsteadIfChecked:
                expectIn(ShapeButtons, buttons, s.control);
                expectIn(ShapeButtons, buttons, s.arg);
                break;
            case A::ErrorBox:
            case A::ReadAllDefaults:
                EXPECT_EQ(s.control, "");
                break;
            }
        }
    };
    std::string ver(" 0.0.0\r\n");
    for (std::string_view upver : {Kind1LoaderAnswer, std::string_view("0.4.1\r\n")})
        for (std::uint32_t baud : {230400u, 250000u}) { // a Kind1 unit at 250000 is its loader
            check(decideIdentification(upver, LoaderVersionAnswer, baud), "loader");
            for (int v = 0; v < 1000; ++v) {
                ver[1] = static_cast<char>('0' + v / 100);
                ver[3] = static_cast<char>('0' + v / 10 % 10);
                ver[5] = static_cast<char>('0' + v % 10);
                check(decideIdentification(upver, ver, baud), std::string(upver.substr(0, 5)) + ver);
            }
        }
    auto expectAllUsed = [](const auto &listed, const std::set<std::string> &used) {
        for (std::string_view name : listed)
            EXPECT_TRUE(used.count(std::string(name))) << name << " is listed but no step names it";
    };
    expectAllUsed(ShapeWidgets, widgets);
    expectAllUsed(ShapeLabels, labels);
    expectAllUsed(ShapeComboBoxes, comboBoxes);
    expectAllUsed(ShapeButtons, buttons);
}

// A missing, cut or garbled answer identifies nothing: no kind is guessed from it and no
// version text is taken from it.
TEST(Identification, AnswersThatDoNotIdentifyAUnit)
{
    struct Case {
        const char *why;
        std::string upver, ver;
    };
    const Case cases[] = {
        {"UPVER lost", "", " 0.5.0\r\n"},
        {"UPVER cut short", "0.3.0\r", " 2.0.5\r\n"},
        {"UPVER garbled", "0.3.X\r\n", " 2.0.5\r\n"},
        {"UPVER binary", "\x80\xff\x90\xa0\xb0\xc0\xd0", " 0.5.0\r\n"},
        {"VER lost", "0.3.0\r\n", ""},
        {"VER cut short", "0.4.1\r\n", " 0.5."},
        {"VER without the blank", "0.4.1\r\n", "V1.2.3X\n"},
        {"VER with a letter", "0.4.1\r\n", " 0.A.0\r\n"},
        {"VER binary", "0.4.1\r\n", "\x80\xff\x90\xa0\xb0\xc0\xd0\xe0"},
        {"loader answer cut short", "0.4.1\r\n", "0000\r"},
        {"VER lost at the loader rate", "0.3.0\r\n", ""},
    };
    for (const Case &c : cases) {
        for (const std::uint32_t baud : {250000u, 230400u})
            EXPECT_FALSE(decideIdentification(c.upver, c.ver, baud).has_value()) << c.why << " @" << baud;
    }
}

TEST(Identification, AsksUpverThenVerWithoutPingingAfterATimeOut)
{
    struct Case {
        std::string upver, ver;
        const char *version; // nothing: not identified
    };
    const Case cases[] = {
        {"0.3.0\r\n", " 1.0.5\r\n", " 1.0.5"},
        {"0.3.0\r\n", "0000\r\n", "0.0.0"}, // six bytes end the eight-byte wait by time-out
        {"", " 0.5.0\r\n", nullptr},
    };
    for (const Case &c : cases) {
        test::ScriptedPort port;
        port.responder = [&](const std::string &, std::uint32_t, const std::string &line) {
            const std::string &answer = line == "UPVER\r\n" ? c.upver : line == "VER\r\n" ? c.ver : "OK\r\n";
            return std::vector<test::Chunk>{{0, answer}};
        };
        SerialLink link(port);
        link.lossCheck = [] { return true; };
        link.baudRate = 230400;
        ASSERT_TRUE(link.openPort());
        const std::optional<Identification> id = identifyUnit(link);
        EXPECT_EQ(port.writes, (std::vector<std::string>{"UPVER\r\n", "VER\r\n"}));
        EXPECT_EQ(port.readTimeouts.back(), 500u);
        EXPECT_EQ(id.has_value(), c.version != nullptr);
        if (id && c.version) {
            EXPECT_EQ(id->firmwareVersion, c.version);
        }
    }
}

} // namespace
} // namespace vireo
