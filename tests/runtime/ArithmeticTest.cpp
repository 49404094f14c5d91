// Arithmetic: the results, division and modulus by zero (genCode 12 with the operator and the
// operands), and results that are not finite numbers (genCode 11).

#include "RuntimeTestKit.hpp"

#include <cmath>

namespace {

using rt::Value;

class Arithmetic : public testsupport::RuntimeTest
{
};

TEST_F(Arithmetic, OperatorsOnNumbers)
{
    rttest::ErrorRecorder recorder;
    struct Row
    {
        const char *proves;
        Value result, expected;
    } rows[] = {
        {"plus", rt::plus(2, 3), 5},
        {"minus", rt::minus(2, 3), -1},
        {"times", rt::times(4, 0.5), 2},
        {"divide", rt::divide(7, 2), 3.5},
        {"modulo", rt::modulo(7, 3), 1},
        {"power of two", rt::power(2, 15), 32768},
        {"greaterEqual when equal", rt::greaterEqual(65536, 65536), true},
        {"greaterEqual when less", rt::greaterEqual(1, 2), false},
        {"lessThan", rt::lessThan(1, 2), true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EQ(row.result, row.expected);
    }
    EXPECT_TRUE(rt::isTrue(true));
    EXPECT_FALSE(rt::isTrue(false));
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(Arithmetic, ByZeroRaisesGenCode12WithOperatorAndOperands)
{
    struct Row
    {
        const char *proves;
        Value (*op)(const Value &, const Value &, std::source_location);
        Value a, b;
        const char *operation;
    } rows[] = {
        {"0 / 0", rt::divide, 0, 0, "/"},       {"5 / 0", rt::divide, 5, 0, "/"},
        {"-1 / -0", rt::divide, -1, -0.0, "/"}, {"0 % 0", rt::modulo, 0, 0, "%"},
        {"7 % 0", rt::modulo, 7, 0, "%"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ErrorRecorder recorder(0);
        EXPECT_EQ(row.op(row.a, row.b, std::source_location::current()), Value(0));
        const rt::ErrorObject &e = recorder.only();
        EXPECT_EQ(e.genCode, Value(12));
        EXPECT_EQ(e.operation, Value(row.operation));
        EXPECT_TRUE(rttest::sameValue(e.args, rt::newArray({row.a, row.b})));
        EXPECT_EQ(e.canSubstitute, Value(true));
    }
}

TEST_F(Arithmetic, ANonFiniteResultRaisesGenCode11)
{
    const struct
    {
        const char *proves;
        Value (*op)(const Value &, const Value &, std::source_location);
        Value a, b;
        const char *operation;
    } ops[] = {
        {"a product beyond the largest number", rt::times, 1e308, 10, "*"},
        {"a sum beyond the largest number", rt::plus, 1.7e308, 1.7e308, "+"},
        {"a difference beyond the smallest", rt::minus, -1.7e308, 1.7e308, "-"},
        {"a power beyond the largest number", rt::power, 10, 400, "**"},
        {"an even root of a negative number", rt::power, -8, 0.5, "**"},
        {"a quotient beyond the largest number", rt::divide, 1e308, 1e-308, "/"},
    };
    for (const auto &op : ops) {
        SCOPED_TRACE(op.proves);
        rttest::ErrorRecorder recorder(-1);
        EXPECT_EQ(op.op(op.a, op.b, std::source_location::current()), Value(-1));
        const rt::ErrorObject &e = recorder.only();
        EXPECT_EQ(e.genCode, Value(11));
        EXPECT_EQ(e.operation, Value(op.operation));
        EXPECT_TRUE(rttest::sameValue(e.args, rt::newArray({op.a, op.b})));
    }
}

} // namespace
