// Arithmetic failures that the standard handler may repair: division and modulus by zero
// (genCode 12 with the operator and both operands) and results that are not finite (genCode 11).

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;

using Arithmetic = testsupport::RuntimeTest;

TEST_F(Arithmetic, ZeroDivisorsAndNonFiniteResultsRaiseWithTheOperatorAndOperands)
{
    using Op = Value (*)(const Value &, const Value &, std::source_location);
    struct Row
    {
        const char *proves;
        Op op;
        Value a, b;
        const char *operation;
        int genCode;
    } rows[] = {
        // clang-format off
        {"0 / 0", divide, 0, 0, "/", 12},
        {"5 / 0", divide, 5, 0, "/", 12},
        {"-1 / -0", divide, -1, -0.0, "/", 12},
        {"0 % 0", modulo, 0, 0, "%", 12},
        {"7 % 0", modulo, 7, 0, "%", 12},
        {"a product beyond the largest number", times, 1e308, 10, "*", 11},
        {"a sum beyond the largest number", plus, 1.7e308, 1.7e308, "+", 11},
        {"a difference beyond the smallest", minus, -1.7e308, 1.7e308, "-", 11},
        {"a power beyond the largest number", power, 10, 400, "**", 11},
        {"an even root of a negative number", power, -8, 0.5, "**", 11},
        {"a quotient beyond the largest number", divide, 1e308, 1e-308, "/", 11},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ErrorRecorder recorder(-1);
        EXPECT_EQ(row.op(row.a, row.b, std::source_location::current()), Value(-1));
        const ErrorObject &e = recorder.only();
        EXPECT_EQ(e.genCode, Value(row.genCode));
        EXPECT_EQ(e.operation, Value(row.operation));
        EXPECT_TRUE(rttest::sameValue(e.args, newArray({row.a, row.b})));
        EXPECT_EQ(e.canSubstitute, Value(true));
    }
}

TEST_F(Arithmetic, FiniteResultsRaiseNothing)
{
    rttest::ErrorRecorder recorder;
    EXPECT_EQ(divide(7, 2), Value(3.5));
    EXPECT_EQ(modulo(7, 3), Value(1));
    EXPECT_EQ(power(2, 16), Value(65536));
    EXPECT_EQ(greaterEqual(65536, 65536), Value(true));
    EXPECT_EQ(times(1e308, 1), Value(1e308));
    EXPECT_TRUE(recorder.errors.empty());
}

} // namespace
