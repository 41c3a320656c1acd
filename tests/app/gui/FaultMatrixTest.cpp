// The fault matrix (tests/support/FaultMatrix.h), one test per flow: every fault at the first,
// a middle and the last exchange. Cases listed in fault_matrix_known_failures.txt are faults
// still being fixed; they are printed but do not fail the test. Any other failing case does,
// and so does a listed case that no longer exists.
#include "support/FaultMatrix.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iostream>

namespace vireo::faults
{

void PrintTo(Flow flow, std::ostream *out)
{
    *out << flowName(flow);
}

namespace
{

std::set<std::string> knownFailures()
{
    return readCaseList(FAULT_MATRIX_KNOWN_FAILURES);
}

class FaultMatrixTest : public ::testing::TestWithParam<Flow>
{
protected:
    static FaultMatrix &matrix()
    {
        static FaultMatrix m;
        return m;
    }
};

TEST_P(FaultMatrixTest, EveryFaultEndsSafelyWithTheRightMessage)
{
    const std::set<std::string> known = knownFailures();
    const std::vector<CaseResult> results = matrix().run(GetParam());
    std::cout << formatMatrix(results, false);

    std::set<std::string> ids;
    for (const CaseResult &r : results) {
        ids.insert(r.id);
        if (!r.failed()) {
            if (known.contains(r.id))
                std::cout << "known failure passes now (remove it from the list): " << r.id << "\n";
            continue;
        }
        std::string problems;
        for (const std::string &p : r.problems)
            problems += "\n    " + p;
        if (known.contains(r.id))
            std::cout << "known failure " << r.id << " [" << r.verdict() << "]" << problems << "\n";
        else
            ADD_FAILURE() << "new failure " << r.id << " [" << r.verdict() << ", " << r.rule
                          << ", expected: " << expectationName(r.expected) << "]" << problems;
    }
    const std::string prefix = std::string(flowName(GetParam())) + "/";
    for (const std::string &id : known) {
        if (id.starts_with(prefix)) {
            EXPECT_TRUE(ids.contains(id))
                << "the known-failure list names a case that does not exist: " << id;
        }
    }
}

std::string testName(const ::testing::TestParamInfo<Flow> &info)
{
    std::string name;
    bool upper = true;
    for (const char c : std::string(flowName(info.param))) {
        if (c == '-') {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Flows, FaultMatrixTest, ::testing::ValuesIn(allFlows()), testName);

} // namespace
} // namespace vireo::faults
