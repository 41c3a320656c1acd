// fault_matrix: runs the fault matrix (see FaultMatrix.h) on the offscreen platform and prints
// it with its totals.
//   fault_matrix [--brief] [--known FILE] [flow ...]
// --brief leaves out the problems of every failing case; --known marks the failing cases
// listed in FILE (one case id a line) and counts the others as new. Exit status 0 when no
// case fails (or none but the known ones), 1 otherwise, 2 on a usage error.
#include "support/FaultMatrix.h"

#include <QApplication>

#include <cstring>
#include <iostream>

int main(int argc, char **argv)
{
    using namespace vireo::faults;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bool brief = false;
    std::set<std::string> known;
    bool haveKnown = false;
    std::vector<Flow> flows;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--brief") == 0) {
            brief = true;
        } else if (std::strcmp(argv[i], "--known") == 0 && i + 1 < argc) {
            known = readCaseList(argv[++i]);
            haveKnown = true;
        } else if (const auto flow = flowByName(argv[i])) {
            flows.push_back(*flow);
        } else {
            std::cerr << "usage: fault_matrix [--brief] [--known FILE] [flow ...]\nflows:";
            for (Flow f : allFlows())
                std::cerr << " " << flowName(f);
            std::cerr << "\n";
            return 2;
        }
    }
    if (flows.empty())
        flows = allFlows();

    FaultMatrix matrix;
    std::vector<CaseResult> results;
    for (Flow flow : flows) {
        std::cerr << "fault_matrix: " << flowName(flow) << "\n";
        const auto part = matrix.run(flow);
        results.insert(results.end(), part.begin(), part.end());
    }
    std::cout << formatMatrix(results, !brief);

    int unexpected = 0;
    for (const CaseResult &r : results)
        if (r.failed() && !known.contains(r.id))
            ++unexpected;
    if (haveKnown) {
        std::cout << "failing cases not in the known list: " << unexpected << "\n";
        for (const CaseResult &r : results)
            if (!r.failed() && known.contains(r.id))
                std::cout << "known failure that passes now: " << r.id << "\n";
    }
    return unexpected == 0 ? 0 : 1;
}
