// Stock notes.

#include "bench/cases.h"

namespace bench {

std::vector<Case> stockCases(BenchEnv &)
{
    return {};
}

} // namespace bench
