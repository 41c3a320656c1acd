#include "params/ParameterSet.h"

namespace vireo
{

int commonValueCount(UnitKind kind, std::string_view firmware)
{
    int count = 0;
    for (const auto &rule : CommonCountRules) {
        if (rule.kind != kind)
            continue;
        const bool applies =
            rule.test == VersionTest::Any ||
            (rule.test == VersionTest::AtLeast && versionAtLeast(firmware, rule.threshold)) ||
            (rule.test == VersionTest::Greater && versionGreater(firmware, rule.threshold));
        if (applies)
            count = rule.count;
    }
    return count;
}

} // namespace vireo
