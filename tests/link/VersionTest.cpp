#include "link/Version.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

TEST(VersionRule, ComparesBytewiseWithPrefixFirst)
{
    struct Case {
        const char *a;
        const char *b;
        int sign;
    };
    const Case cases[] = {
        {" 0.2.5", " 0.2.5", 0},  {" 0.2.6", " 0.2.5", 1}, {" 0.3.0", " 0.2.9", 1},
        {" 1.0.4", " 1.0.5", -1}, {"0.0.0", " 2.0.5", 1}, // loader marker sorts above thresholds
        {" 0.5", " 0.5.0", -1},   {"", " 0.2.5", -1},      {"\xff", " 9.9.9", 1}, // unsigned codes
    };
    for (const auto &c : cases) {
        const int r = compareVersion(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    }
    EXPECT_TRUE(versionAtLeast(" 0.5.0", " 0.5.0"));
    EXPECT_FALSE(hasApplicationFirmware("0.0.0"));
}

} // namespace
} // namespace vireo
