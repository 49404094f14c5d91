#pragma once
// The one raise path. A failing runtime operation describes its failure as an error object and
// hands it to raise(), which calls the installed error callback and acts on its answer:
//   a number      -> the operation yields that number (only where canSubstitute is true)
//   true          -> the operation is tried again, counting `tries` (only where canRetry is true)
//   false         -> the operation yields its default result (only where canDefault is true)
// An answer the error does not allow is taken as false where canDefault is true. Where it is not,
// the error cannot be answered at all: the process ends with exit code 1 and one line on standard
// error, as it does when no callback is installed, and when errors nest more than kMaxNesting deep
// (an error handler that keeps failing must end, not recurse without bound).
// Making and answering errors runs only when an operation fails: those functions are cold, so their
// code lies apart from the code run at start-up and the calls to them are the unlikely branches.

#include "ErrorCodes.hpp"
#include "ErrorObject.hpp"

#include <source_location>

namespace rt {

inline constexpr int kMaxNesting = 4;

// Installs `callback` as the error callback; returns the previous one (NIL when none was set).
Value ERRORBLOCK();
Value ERRORBLOCK(const Value &callback);

// Calls a callback with its arguments under its own call-stack frame. A value that is not a
// callback raises an Argument error.
Value EVAL(const Value &callback, Args args = {},
           std::source_location where = std::source_location::current());

// What an operation needs to describe its failure.
struct Failure
{
    GenCode code = GenCode::Argument;
    Text description;
    Text operation;
    Value args; // the operands, an array, or NIL
    bool canSubstitute = false;
    bool canDefault = false;
    bool canRetry = false;
    int osCode = 0;
    Text fileName;
    Severity severity = Severity::Error;
};

[[gnu::cold]] ErrorRef makeError(const Failure &failure);

enum class Answer
{
    Substitute,
    Retry,
    Default
};
struct Decision
{
    Answer answer;
    Value value; // the substitute, for Answer::Substitute
};

// Asks the error callback once; Retry only comes back for an error with canRetry, and then
// `tries` has been counted up.
[[gnu::cold]] Decision askHandler(const ErrorRef &error,
                                  std::source_location where = std::source_location::current());

// Raises `failure` for an operation that cannot be retried: yields the substitute the callback
// gives, or `fallback` (the operation's default result).
[[gnu::cold]] Value raise(const Failure &failure, Value fallback,
                          std::source_location where = std::source_location::current());

// Raises the usual error of an operation handed an operand of the wrong kind or out of range: it
// may be answered with a substitute or with the operation's default, `fallback`.
[[gnu::cold]] Value argumentError(std::string_view operation, Args operands, Value fallback,
                                  std::source_location where = std::source_location::current());

// Runs `attempt` until it succeeds or the callback stops retrying. `attempt` returns the result,
// or nullopt and fills `failure` when it failed.
template<class Attempt>
Value retrying(Attempt attempt, Value fallback,
               std::source_location where = std::source_location::current())
{
    ErrorRef error; // one object for all attempts, so the callback sees `tries` grow
    for (;;) {
        Failure failure;
        if (std::optional<Value> result = attempt(failure))
            return *result;
        if (!error)
            error = makeError(failure);
        Decision d = askHandler(error, where);
        if (d.answer == Answer::Substitute)
            return d.value;
        if (d.answer == Answer::Default)
            return fallback;
    }
}

// Ends the process with exit code 1 after one line on standard error. Used where the error system
// itself cannot go on.
[[noreturn, gnu::cold]] void fatalRuntimeError(std::string_view line);

} // namespace rt
