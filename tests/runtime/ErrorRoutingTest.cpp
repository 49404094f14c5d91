// The error callback's contract: what each answer does, which answers an error allows, how
// `tries` counts, and the ways the raise path ends the process.

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;
using rttest::ErrorRecorder;

using ErrorCallback = testsupport::RuntimeTest;
using ErrorCallbackDeathTest = ErrorCallback;

Failure failureWith(bool canSubstitute, bool canDefault, bool canRetry = false)
{
    return {.description = "test failure",
            .operation = "TEST",
            .args = newArray({1, "two"}),
            .canSubstitute = canSubstitute,
            .canDefault = canDefault,
            .canRetry = canRetry};
}

TEST_F(ErrorCallback, EachAnswerGivesItsResultOrFallsBackToTheDefault)
{
    struct Row
    {
        const char *proves;
        bool canSubstitute, canDefault;
        Value answer, expected;
    } rows[] = {
        // clang-format off
        {"a number is the result where canSubstitute", true, true, 42, 42},
        {"a number without canSubstitute takes the default", false, true, 42, "default"},
        {"false takes the default where canDefault", true, true, false, "default"},
        {"true where no retry is possible takes the default", true, true, true, "default"},
        {"NIL is no answer and takes the default", true, true, NIL, "default"},
        {"a text is no answer and takes the default", false, true, "yes", "default"},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        ErrorRecorder recorder(row.answer);
        Value result = raise(failureWith(row.canSubstitute, row.canDefault, true), "default");
        EXPECT_EQ(result, row.expected);
        EXPECT_EQ(recorder.only().canRetry, Value(false)) << "raise() has no second attempt";
        EXPECT_EQ(recorder.only().tries, Value(0));
    }
}

// Raises a failure that allows a substitute or nothing, while the callback answers `answer`.
std::function<void()> answering(Value answer, bool canSubstitute)
{
    return [=] {
        ErrorRecorder recorder(answer);
        raise(failureWith(canSubstitute, false), NIL);
    };
}

// An answer the error does not allow, no callback at all, or a callback that keeps failing: the
// raise path tells why on standard error and ends the process with exit code 1.
TEST_F(ErrorCallbackDeathTest, TheRaisePathEndsTheProcessWhereNoAnswerCanBeHad)
{
    const char *const notAllowed = "^Runtime error 1: test failure \\(TEST\\) - .*no answer";
    struct Row
    {
        const char *proves;
        std::function<void()> raising;
        const char *told;
    } rows[] = {
        {"false where only a substitute is allowed", answering(false, true), notAllowed},
        {"true where neither retry nor default is allowed", answering(true, true), notAllowed},
        {"a number where nothing is allowed", answering(7, false), notAllowed},
        {"no callback", [] { divide(1, 0); },
         "^Runtime error 12: Division durch Null \\(/\\) - no error handler installed\n$"},
        {"a callback that fails itself, at the nesting limit",
         [] {
             ERRORBLOCK(block([](Args &) { return divide(1, 0); }));
             divide(0, 0);
         },
         "raised while errors were handled 4 levels deep"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EXIT(row.raising(), testing::ExitedWithCode(1), row.told);
    }
}

TEST_F(ErrorCallback, TrueRetriesAndCountsTriesUntilFalseTakesTheDefault)
{
    ErrorRecorder recorder(true);
    int attempts = 0;
    auto attempt = [&](Failure &failure) -> std::optional<Value> {
        if (++attempts == 4)
            return Value("done");
        failure = failureWith(true, true, true);
        return std::nullopt;
    };
    EXPECT_EQ(retrying(attempt, NIL), Value("done"));
    EXPECT_EQ(attempts, 4);
    ASSERT_EQ(recorder.errors.size(), 3u);
    EXPECT_EQ(recorder.errors[0], recorder.errors[2]) << "one error object for all attempts";
    EXPECT_EQ(recorder.triesSeen, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(recorder.errors[0]->tries, Value(3));

    attempts = -10;
    recorder.answer = false;
    EXPECT_EQ(retrying(attempt, "default"), Value("default"));
    EXPECT_EQ(attempts, -9) << "no further attempt after false";
}

TEST_F(ErrorCallback, ErrorblockReturnsThePreviousCallback)
{
    Value first = block([](Args &) { return Value(0); });
    Value second = block([](Args &) { return Value(1); });
    EXPECT_TRUE(ERRORBLOCK(first).isNil());
    EXPECT_EQ(ERRORBLOCK(second), first);
    EXPECT_EQ(ERRORBLOCK(), second);
}

TEST_F(ErrorCallback, MembersAreReadByNameWithoutRegardToCase)
{
    ErrorRecorder recorder(0);
    divide(3, 0);
    Value error = std::static_pointer_cast<Object>(recorder.errors.at(0));
    EXPECT_EQ(SEND(error, "GENCODE"), Value(12));
    EXPECT_EQ(SEND(error, "filename"), SEND(error, "fileName"));
    EXPECT_EQ(SEND(error, "className"), Value("Error"));
    for (std::string_view name : ErrorObject::memberNames())
        EXPECT_NE(recorder.errors[0]->member(name), nullptr) << name;
    EXPECT_EQ(recorder.errors.size(), 1u) << "no member read raised";
}

TEST_F(ErrorCallback, ErrorsWithinTheNestingLimitAreAnswered)
{
    int calls = 0;
    ERRORBLOCK(block([&](Args &) -> Value {
        if (++calls < kMaxNesting)
            return plus(divide(1, 0), 1); // the inner error is answered first
        return 0;
    }));
    EXPECT_EQ(divide(1, 0), Value(kMaxNesting - 1));
    EXPECT_EQ(calls, kMaxNesting);
}

} // namespace
