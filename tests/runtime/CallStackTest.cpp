// PROCNAME and PROCLINE over procedures and a callback between them, and past the outermost level.

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;

using CallStack = testsupport::RuntimeTest;

// Name and line of every level from -1 to one past the outermost.
std::vector<std::pair<std::string, int>> levels()
{
    std::vector<std::pair<std::string, int>> seen;
    for (int level = -1; level <= static_cast<int>(state().callStack.size()); ++level)
        seen.emplace_back(PROCNAME(level), PROCLINE(level));
    return seen;
}

TEST_F(CallStack, LevelsCountOutwardThroughACallback)
{
    std::vector<std::pair<std::string, int>> seen;
    ProcFrame main("MAIN");
    const int blockLine = __LINE__ + 1;
    Value callback = block([&](Args &) {
        seen = levels();
        return NIL;
    });
    int innerLine = 0, evalLine = 0;
    {
        innerLine = __LINE__ + 1;
        ProcFrame inner("SX2ZAHL");
        evalLine = __LINE__ + 1;
        EVAL(callback);
    }
    char blockName[32];
    std::snprintf(blockName, sizeof blockName, "(B)MAIN@%04d", blockLine % 10000);
    decltype(seen) expected = {
        {"", 0},               // below level 0
        {blockName, 0},        // level 0: the callback, which called nothing
        {"SX2ZAHL", evalLine}, // level 1: the line of the EVAL it is in
        {"MAIN", innerLine},   // level 2: the line of its call into SX2ZAHL
        {"", 0},               // past the outermost level
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(PROCNAME(0), "MAIN");
    EXPECT_EQ(PROCNAME(std::numeric_limits<int>::max()), "");
    EXPECT_EQ(PROCLINE(std::numeric_limits<int>::min()), 0);
}

} // namespace
