// PROCNAME and PROCLINE over procedures and a callback between them, and past the outermost level.

#include "RuntimeTestKit.hpp"

namespace {

using rt::Value;

class CallStack : public testsupport::RuntimeTest
{
};

struct Level
{
    std::string name;
    int line;
};

std::vector<Level> levelsSeen()
{
    std::vector<Level> seen;
    for (int level = -1; level <= rt::callDepth(); ++level)
        seen.push_back({rt::PROCNAME(level), rt::PROCLINE(level)});
    return seen;
}

TEST_F(CallStack, LevelsCountOutwardThroughACallback)
{
    std::vector<Level> seen;
    int blockLine = 0, evalLine = 0, innerLine = 0;
    {
        rt::ProcFrame main("MAIN");
        blockLine = __LINE__ + 1;
        Value callback = rt::block([&](rt::Args &) {
            seen = levelsSeen();
            return rt::NIL;
        });
        innerLine = __LINE__ + 1;
        rt::ProcFrame inner("SX2ZAHL");
        evalLine = __LINE__ + 1;
        rt::EVAL(callback);
    }
    char blockName[32];
    std::snprintf(blockName, sizeof blockName, "(B)MAIN@%04d", blockLine % 10000);
    const Level expected[] = {
        {"", 0},               // below level 0
        {blockName, 0},        // level 0: the callback, which called nothing
        {"SX2ZAHL", evalLine}, // level 1: the line of the EVAL it is in
        {"MAIN", innerLine},   // level 2: the line of the call into SX2ZAHL
        {"", 0},               // past the outermost level
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE("level " + std::to_string(static_cast<int>(i) - 1));
        EXPECT_EQ(seen[i].name, expected[i].name);
        EXPECT_EQ(seen[i].line, expected[i].line);
    }
    EXPECT_EQ(rt::callDepth(), 0);
}

TEST_F(CallStack, TheRaisingLevelShowsTheLineOfTheFailingOperation)
{
    std::vector<Level> seen;
    rt::ProcFrame main("MAIN");
    rt::ERRORBLOCK(rt::block([&](rt::Args &) {
        seen = levelsSeen();
        return Value(0);
    }));
    const int failLine = __LINE__ + 1;
    rt::divide(1, 0);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[1].name.substr(0, 8), "(B)MAIN@") << "level 0: the error callback";
    EXPECT_EQ(seen[2].name, "MAIN");
    EXPECT_EQ(seen[2].line, failLine);
    EXPECT_EQ(seen[3].name, "");
}

TEST_F(CallStack, FarLevelsAnswerEmpty)
{
    rt::ProcFrame main("MAIN");
    for (int level :
         {1, 2, 1000, -5, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(level);
        EXPECT_EQ(rt::PROCNAME(level), "");
        EXPECT_EQ(rt::PROCLINE(level), 0);
    }
}

} // namespace
