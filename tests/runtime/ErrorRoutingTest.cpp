// The error callback's contract: what each answer does, which answers an error allows, how
// `tries` counts, and the two ways the raise path ends the process.

#include "RuntimeTestKit.hpp"

namespace {

using rt::Value;
using rttest::ErrorRecorder;

class ErrorCallback : public testsupport::RuntimeTest
{
};
using ErrorCallbackDeathTest = ErrorCallback;

rt::Failure failureWith(bool canSubstitute, bool canDefault)
{
    return {.code = rt::GenCode::Argument,
            .description = "test failure",
            .operation = "TEST",
            .args = rt::newArray({1, "two"}),
            .canSubstitute = canSubstitute,
            .canDefault = canDefault};
}

TEST_F(ErrorCallback, EachAllowedOrDowngradedAnswerGivesItsResult)
{
    struct Row
    {
        const char *proves;
        bool canSubstitute, canDefault;
        Value answer;
        Value expected;
    } rows[] = {
        {"a number is the result where canSubstitute", true, true, 42, 42},
        {"a number without canSubstitute takes the default", false, true, 42, "default"},
        {"false takes the default where canDefault", true, true, false, "default"},
        {"true on an error that cannot be retried takes the default", true, true, true, "default"},
        {"NIL is no answer and takes the default", true, true, rt::NIL, "default"},
        {"a text is no answer and takes the default", false, true, "yes", "default"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        ErrorRecorder recorder(row.answer);
        Value result = rt::raise(failureWith(row.canSubstitute, row.canDefault), "default");
        EXPECT_TRUE(rttest::sameValue(result, row.expected));
        const rt::ErrorObject &e = recorder.only();
        EXPECT_EQ(e.canRetry, Value(false)) << "raise() offers no retry";
        EXPECT_EQ(e.tries, Value(0));
    }
}

TEST_F(ErrorCallbackDeathTest, AnAnswerTheErrorDoesNotAllowEndsTheProcess)
{
    struct Row
    {
        const char *proves;
        bool canSubstitute, canDefault;
        Value answer;
    } rows[] = {
        {"false where only a substitute is allowed", true, false, false},
        {"true where neither retry nor default is allowed", true, false, true},
        {"a number where nothing is allowed", false, false, 7},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EXIT(
            {
                ErrorRecorder recorder(row.answer);
                rt::raise(failureWith(row.canSubstitute, row.canDefault), rt::NIL);
            },
            testing::ExitedWithCode(1), "^Runtime error 1: test failure \\(TEST\\) - .*no answer");
    }
}

TEST_F(ErrorCallback, TrueRetriesAndCountsTries)
{
    ErrorRecorder recorder(true);
    int attempts = 0;
    Value result = rt::retrying(
        [&](rt::Failure &failure) -> std::optional<Value> {
            if (++attempts == 4)
                return Value("done");
            failure = failureWith(false, true);
            failure.canRetry = true;
            return std::nullopt;
        },
        rt::NIL);
    EXPECT_EQ(result, Value("done"));
    EXPECT_EQ(attempts, 4);
    ASSERT_EQ(recorder.errors.size(), 3u);
    EXPECT_EQ(recorder.errors[0], recorder.errors[2]) << "one error object for all attempts";
    EXPECT_EQ(recorder.triesSeen, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(recorder.errors[0]->tries, Value(3));
}

TEST_F(ErrorCallback, FalseEndsRetryingWithTheDefault)
{
    ErrorRecorder recorder(true);
    int attempts = 0;
    Value result = rt::retrying(
        [&](rt::Failure &failure) -> std::optional<Value> {
            ++attempts;
            failure = failureWith(true, true);
            failure.canRetry = true;
            if (attempts == 2)
                recorder.answer = false;
            return std::nullopt;
        },
        "default");
    EXPECT_EQ(result, Value("default"));
    EXPECT_EQ(attempts, 2);
}

TEST_F(ErrorCallback, ErrorblockReturnsThePreviousCallback)
{
    EXPECT_TRUE(rt::ERRORBLOCK().isNil());
    Value first = rt::block([](rt::Args &) { return Value(0); });
    Value second = rt::block([](rt::Args &) { return Value(1); });
    EXPECT_TRUE(rt::ERRORBLOCK(first).isNil());
    EXPECT_EQ(rt::ERRORBLOCK(second), first);
    EXPECT_EQ(rt::ERRORBLOCK(), second);
}

TEST_F(ErrorCallback, MembersAreReadByNameWithoutRegardToCase)
{
    ErrorRecorder recorder(0);
    rt::divide(3, 0);
    Value error = std::static_pointer_cast<rt::Object>(recorder.errors.at(0));
    EXPECT_EQ(rt::SEND(error, "GENCODE"), Value(12));
    EXPECT_EQ(rt::SEND(error, "filename"), rt::SEND(error, "fileName"));
    EXPECT_EQ(rt::SEND(error, "className"), Value("Error"));
    for (std::string_view name : rt::ErrorObject::memberNames())
        EXPECT_NE(recorder.errors[0]->member(name), nullptr) << name;
    EXPECT_EQ(recorder.errors.size(), 1u) << "no member read raised";
}

TEST_F(ErrorCallbackDeathTest, RaisingWithNoCallbackPrintsTheErrorAndExitsWithOne)
{
    EXPECT_EXIT(rt::divide(1, 0), testing::ExitedWithCode(1),
                "^Runtime error 12: Zero divisor \\(/\\) - no error handler installed\n$");
}

TEST_F(ErrorCallbackDeathTest, ACallbackThatKeepsFailingEndsAtTheNestingLimit)
{
    EXPECT_EXIT(
        {
            int depth = 0;
            rt::ERRORBLOCK(rt::block([&](rt::Args &) {
                ++depth;
                return rt::divide(depth, 0); // fails again, inside the callback
            }));
            rt::divide(0, 0);
        },
        testing::ExitedWithCode(1), "raised while errors were handled 4 levels deep");
}

TEST_F(ErrorCallback, ErrorsWithinTheNestingLimitAreAnswered)
{
    int calls = 0;
    rt::ERRORBLOCK(rt::block([&](rt::Args &) -> Value {
        if (++calls < rt::kMaxNesting)
            return rt::plus(rt::divide(1, 0), 1); // the inner error is answered first
        return 0;
    }));
    EXPECT_EQ(rt::divide(1, 0), Value(rt::kMaxNesting - 1));
    EXPECT_EQ(calls, rt::kMaxNesting);
}

} // namespace
