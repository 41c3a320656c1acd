// Fault rule texts as kalm07-sim takes them from its command line. A rule that parses writes
// back as a text that parses to the same rule, and a simulated unit carrying it still answers.
//
// Input: the rule text.
#include "FaultRule.h"
#include "FuzzSupport.h"
#include "UnitSimulator.h"

namespace
{

using namespace vireo;

bool sameRule(const FaultRule &a, const FaultRule &b)
{
    return a.prefix == b.prefix && a.nth == b.nth && a.action == b.action && a.arg == b.arg;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    std::string error;
    const std::optional<FaultRule> rule = FaultRule::parse(text, &error);
    if (!rule) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(rule->nth >= 0);
    const std::optional<FaultRule> again = FaultRule::parse(rule->text());
    FUZZ_CHECK(again && sameRule(*rule, *again));

    // A fresh unit each time: a late rule moves its clock on by up to years of simulated time.
    UnitSimulator unit;
    unit.addFault(*rule);
    for (std::string_view line : {"PING\r\n", "VER\r\n", "GINFO A\r\n", "RROM C 1\r\n"})
        unit.answer(line);
    FUZZ_CHECK(!unit.transcript().empty());
    return 0;
}
