// Repair orders and settlements.

#include "bench/cases.h"

namespace bench {

std::vector<Case> workshopCases(BenchEnv &)
{
    return {};
}

} // namespace bench
