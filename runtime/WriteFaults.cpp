#include "WriteFaults.hpp"

namespace rt {
namespace {

struct Plan
{
    int first = 0; // 0: disarmed
    int count = 0;
    int attempted = 0;
};

Plan &plan()
{
    static Plan p;
    return p;
}

} // namespace

void WriteFaults::fail(int first, int count)
{
    plan() = {first, count, 0};
}

void WriteFaults::reset()
{
    plan() = {};
}

int WriteFaults::attempted()
{
    return plan().attempted;
}

bool WriteFaults::nextWriteFails()
{
    Plan &p = plan();
    const int n = ++p.attempted;
    return p.first > 0 && n >= p.first && (p.count == 0 || n < p.first + p.count);
}

} // namespace rt
