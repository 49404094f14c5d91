// Non-local exits: recovery points, BREAK out of callbacks and error callbacks, a BREAK with
// nowhere to go, and _QUIT with the exit code in force.

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;

using Recovery = testsupport::RuntimeTest;

TEST_F(Recovery, NestedPointsEachReceiveTheirOwnBreak)
{
    std::optional<Value> inner;
    std::optional<Value> outer = recoveryPoint([&] {
        inner = recoveryPoint([] {
            EXPECT_EQ(state().recoveryDepth, 2);
            EVAL(block([](Args &) {
                BREAK("inner");
                return NIL;
            }));
            ADD_FAILURE() << "BREAK out of the callback came back";
        });
        EXPECT_EQ(state().recoveryDepth, 1);
        _BREAK("outer");
        ADD_FAILURE() << "_BREAK came back";
    });
    EXPECT_EQ(inner, Value("inner"));
    EXPECT_EQ(outer, Value("outer"));
    EXPECT_EQ(recoveryPoint([] {}), std::nullopt) << "a body that ends normally";
    EXPECT_EQ(state().recoveryDepth, 0);
}

TEST_F(Recovery, BreakOutOfTheErrorCallbackCarriesTheErrorAndUnwindsEverything)
{
    ERRORBLOCK(block([](Args &args) {
        BREAK(args.at(0));
        return Value(false);
    }));
    // More breaks than the nesting limit: each must leave the handler's nesting and the call
    // stack as it found them.
    for (int i = 0; i < 3 * kMaxNesting; ++i) {
        std::optional<Value> caught = recoveryPoint([i] {
            ProcFrame frame("SX2ZAHL");
            divide(i, 0);
            ADD_FAILURE() << "the failed operation returned";
        });
        ASSERT_TRUE(caught && caught->isObject());
        EXPECT_EQ(SEND(*caught, "genCode"), Value(12));
        EXPECT_EQ(static_cast<int>(state().callStack.size()), 0);
    }
}

TEST_F(Recovery, BreakWithNoRecoveryPointReturns)
{
    int carriedOn = 0;
    for (void (*leave)(const Value &) : {BREAK, _BREAK}) {
        leave("nowhere");
        ++carriedOn;
    }
    EXPECT_EQ(carriedOn, 2);
}

TEST_F(Recovery, QuitCarriesTheErrorlevelInForce)
{
    EXPECT_EQ(ERRORLEVEL(1), 0);
    EXPECT_EQ(ERRORLEVEL(), 1);
    std::optional<int> quitWith;
    try { // a recovery point does not stop a quit: only the start routine (here the test) does
        recoveryPoint([] { _QUIT(); });
    } catch (const QuitSignal &quit) {
        quitWith = quit.errorLevel;
    }
    EXPECT_EQ(quitWith, 1);
    EXPECT_EQ(state().recoveryDepth, 0);
}

} // namespace
