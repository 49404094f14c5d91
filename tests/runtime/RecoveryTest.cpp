// Non-local exits: recovery points, BREAK out of callbacks and error callbacks, a BREAK with
// nowhere to go, and _QUIT with the exit code in force.

#include "RuntimeTestKit.hpp"

namespace {

using rt::Value;

class Recovery : public testsupport::RuntimeTest
{
};

TEST_F(Recovery, NestedPointsEachReceiveTheirOwnBreak)
{
    std::optional<Value> inner;
    bool afterInnerBreak = false;
    std::optional<Value> outer = rt::recoveryPoint([&] {
        EXPECT_EQ(rt::recoveryDepth(), 1);
        inner = rt::recoveryPoint([&] {
            EXPECT_EQ(rt::recoveryDepth(), 2);
            rt::EVAL(rt::block([](rt::Args &) {
                rt::BREAK("inner");
                return rt::NIL;
            }));
            afterInnerBreak = true;
        });
        EXPECT_EQ(rt::recoveryDepth(), 1);
        rt::_BREAK("outer");
        ADD_FAILURE() << "_BREAK returned inside a recovery point";
    });
    EXPECT_FALSE(afterInnerBreak);
    EXPECT_EQ(inner, Value("inner"));
    EXPECT_EQ(outer, Value("outer"));
    EXPECT_EQ(rt::recoveryDepth(), 0);
}

TEST_F(Recovery, ABodyThatEndsNormallyGivesNothing)
{
    EXPECT_EQ(rt::recoveryPoint([] {}), std::nullopt);
    EXPECT_EQ(rt::recoveryPoint([] { rt::BREAK(); }), std::optional<Value>(rt::NIL));
}

TEST_F(Recovery, BreakOutOfTheErrorCallbackCarriesTheErrorAndUnwindsEverything)
{
    rt::ERRORBLOCK(rt::block([](rt::Args &args) {
        rt::BREAK(args.at(0));
        return Value(false);
    }));
    // Many more breaks than the nesting limit: each one must leave the handler's nesting and the
    // call stack as it found them.
    for (int i = 0; i < 3 * rt::kMaxNesting; ++i) {
        std::optional<Value> caught = rt::recoveryPoint([i] {
            rt::ProcFrame frame("SX2ZAHL");
            rt::divide(i, 0);
            ADD_FAILURE() << "the failed operation returned";
        });
        ASSERT_TRUE(caught && caught->isObject());
        EXPECT_EQ(rt::SEND(*caught, "genCode"), Value(12));
        EXPECT_EQ(rt::callDepth(), 0);
    }
}

TEST_F(Recovery, BreakWithNoRecoveryPointReturns)
{
    struct Row
    {
        const char *proves;
        void (*leave)(const Value &);
    } rows[] = {{"BREAK comes back", rt::BREAK}, {"_BREAK comes back", rt::_BREAK}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        bool carriedOn = false;
        row.leave("nowhere");
        carriedOn = true;
        EXPECT_TRUE(carriedOn);
        EXPECT_EQ(rt::recoveryDepth(), 0);
    }
}

TEST_F(Recovery, QuitCarriesTheErrorlevelInForce)
{
    EXPECT_EQ(rt::ERRORLEVEL(), 0);
    EXPECT_EQ(rt::ERRORLEVEL(1), 0);
    EXPECT_EQ(rt::ERRORLEVEL(), 1);
    bool quitCaught = false;
    // A recovery point does not stop a quit: only the start routine (here the test) does.
    try {
        rt::recoveryPoint([] { rt::_QUIT(); });
    } catch (const rt::QuitSignal &quit) {
        quitCaught = true;
        EXPECT_EQ(quit.errorLevel, 1);
    }
    EXPECT_TRUE(quitCaught);
    EXPECT_EQ(rt::recoveryDepth(), 0);
}

} // namespace
