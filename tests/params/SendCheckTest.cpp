#include "params/SendCheck.h"

#include <gtest/gtest.h>

#include <functional>

namespace vireo
{
namespace
{

ParameterSet knownZeros()
{
    ParameterSet p;
    p.origins.setAll(Origin::Unit);
    return p;
}

TEST(SendCheck, NamesUnknownRecordsAndFieldsBeyondTheTypingLimits)
{
    const UnitProfile current{UnitKind::Kind2, " 0.5.0"};
    const struct {
        const char *what;
        UnitProfile unit;
        std::function<void(ParameterSet &)> change;
        std::vector<RecordRef> unknown;
        std::vector<FieldOutOfLimits> outOfLimits;
    } cases[] = {
        {"all known and zero", current, [](ParameterSet &) {}, {}, {}},
        {"unknown records in sending order",
         current,
         [](ParameterSet &p) {
             p.origins.common = Origin::Unknown;
             p.origins.of(Selector::R, 0) = Origin::Unknown;
             p.origins.of(Selector::A, 2) = Origin::Unknown;
         },
         {{Selector::A, 2}, {Selector::R, 0}, {Selector::C, 1}},
         {}},
        // Mode set 2 does not exist before 0.5.0: it is neither sent nor checked.
        {"extra mode set of old firmware",
         {UnitKind::Kind2, " 0.3.8"},
         [](ParameterSet &p) {
             p.origins.of(Selector::E, 2) = Origin::Unknown;
             p.axis(Selector::E, 2).P() = -1;
         },
         {},
         {}},
        // An unknown record is reported as unknown, not by its values.
        {"unknown wins over limits",
         current,
         [](ParameterSet &p) {
             p.origins.of(Selector::E, 1) = Origin::Unknown;
             p.axis(Selector::E, 1).P() = -29698;
         },
         {{Selector::E, 1}},
         {}},
        {"gains beyond their limits",
         current,
         [](ParameterSet &p) {
             p.axis(Selector::A, 0).P() = -29698;
             p.axis(Selector::A, 0).FF() = 61;
             p.axis(Selector::R, 1).FF() = 32767; // the rudder allows it
             p.axis(Selector::R, 1).CTL() = 32767;
             p.axis(Selector::E, 2).HLD() = 21;
             p.axis(Selector::E, 2).ACG() = 161;
             p.axis(Selector::E, 2).W5() = -1; // not limited: the unit's own word
         },
         {},
         {{{Selector::A, 0}, "P", -29698, 0, 5000},
          {{Selector::A, 0}, "FF", 61, 0, 60},
          {{Selector::E, 2}, "HLD", 21, 0, 20},
          {{Selector::E, 2}, "ACG", 161, 0, 160},
          {{Selector::R, 1}, "CTL", 32767, 0, 1000}}},
        {"options beyond their limits",
         current,
         [](ParameterSet &p) {
             p.common.PirouGain() = 101;
             p.common.AilGainCh() = 12;
             p.common.CondCh() = -1;
         },
         {},
         {{{Selector::C, 1}, "PirouGain", 101, 0, 100},
          {{Selector::C, 1}, "AilGainCh", 12, 0, 11},
          {{Selector::C, 1}, "CondCh", -1, 0, 11}}},
        // Fields the firmware does not carry never go out, whatever they hold.
        {"fields this firmware does not carry",
         {UnitKind::Kind1, " 1.0.4"},
         [](ParameterSet &p) {
             p.common.PirouGain() = 101;
             p.common.AilGainCh() = 12;
         },
         {},
         {}},
    };
    const std::vector<RecordRef> records = mainWriteRecords();
    for (const auto &c : cases) {
        ParameterSet p = knownZeros();
        c.change(p);
        const SendCheck check = checkBeforeSend(p, c.unit, records);
        EXPECT_EQ(check.unknown, c.unknown) << c.what;
        EXPECT_EQ(check.outOfLimits, c.outOfLimits) << c.what;
        EXPECT_EQ(check.ok(), c.unknown.empty() && c.outOfLimits.empty()) << c.what;
    }
}

TEST(SendCheck, RefusalTextUsesTheWindowsCaptions)
{
    SendCheck check;
    check.unknown = {{Selector::A, 0}, {Selector::C, 1}};
    check.outOfLimits = {{{Selector::R, 2}, "P", -5, 0, 32767}, {{Selector::A, 1}, "ACR", 61, 0, 60}};
    const TextOf text = [](std::string_view key) -> std::string {
        if (key == "SafeFieldP")
            return "P gain";
        if (key == "SafeFieldACR")
            return ""; // no caption in the file: the field's own name is used
        return "<" + std::string(key) + ">";
    };
    EXPECT_EQ(refusalText(text, check), "<SafeUnknownRecordsMessage>\n<SafeRecordAileron> <SafeRecordMode0>, "
                                        "<SafeRecordOptions>\n\n<SafeOutOfLimitsMessage>\n"
                                        "<SafeRecordRudder> <SafeRecordExtra> P gain = -5 (0-32767)\n"
                                        "<SafeRecordAileron> <SafeRecordMode1> ACR = 61 (0-60)");
}

} // namespace
} // namespace vireo
