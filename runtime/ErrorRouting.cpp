#include "ErrorRouting.hpp"

#include "CallStack.hpp"
#include "DisplayForm.hpp"
#include "RuntimeState.hpp"
#include "Text850.hpp"

#include <cstdio>
#include <cstdlib>

namespace rt {
namespace {

Value &installedCallback()
{
    return state().errorCallback;
}

int &nesting()
{
    return state().errorNesting;
}

struct NestingGuard
{
    NestingGuard() { ++nesting(); }
    ~NestingGuard() { --nesting(); }
};

std::string describe(const ErrorObject &e)
{
    std::string line = "Runtime error";
    if (e.genCode.isNumber())
        line.append(" ").append(displayForm(e.genCode, false));
    if (e.description.isText() && !e.description.text().empty())
        line += ": " + e.description.text();
    if (e.operation.isText() && !e.operation.text().empty())
        line += " (" + e.operation.text() + ")";
    return line;
}

bool allowed(const Value &flag)
{
    return flag.isLogical() && flag.logical();
}

// Turns the callback's answer into a decision the error allows.
Decision interpret(const Value &answer, ErrorObject &e)
{
    if (answer.isNumber() && allowed(e.canSubstitute))
        return {Answer::Substitute, answer};
    if (answer.isLogical() && answer.logical() && allowed(e.canRetry)) {
        e.tries = (e.tries.isNumber() ? e.tries.number() : 0) + 1;
        return {Answer::Retry, NIL};
    }
    if (allowed(e.canDefault))
        return {Answer::Default, NIL};
    fatalRuntimeError(describe(e) + " - the error handler gave no answer this error allows");
}

} // namespace

Value ERRORBLOCK()
{
    return installedCallback();
}

Value ERRORBLOCK(const Value &callback)
{
    Value previous = installedCallback();
    installedCallback() = callback;
    return previous;
}

Value EVAL(const Value &callback, Args args, std::source_location where)
{
    if (!callback.isBlock()) {
        return raise({.code = GenCode::Argument,
                      .description = errortext::kNotACallback,
                      .operation = "EVAL",
                      .args = newArray({callback}),
                      .canSubstitute = true},
                     NIL, where);
    }
    BlockRef b = callback.block(); // keeps the callback alive while it runs
    ProcFrame frame(b->name, where);
    return b->body(args);
}

ErrorRef makeError(const Failure &f)
{
    auto e = std::make_shared<ErrorObject>();
    e->genCode = static_cast<int>(f.code);
    e->description = f.description;
    e->operation = f.operation;
    e->args = f.args;
    e->canSubstitute = f.canSubstitute;
    e->canDefault = f.canDefault;
    e->canRetry = f.canRetry;
    e->osCode = f.osCode;
    e->fileName = f.fileName;
    e->severity = static_cast<int>(f.severity);
    return e;
}

Decision askHandler(const ErrorRef &error, std::source_location where)
{
    markLine(where);
    if (nesting() >= kMaxNesting)
        fatalRuntimeError(describe(*error) + " - raised while errors were handled " +
                          std::to_string(nesting()) + " levels deep");
    Value callback = installedCallback();
    if (!callback.isBlock())
        fatalRuntimeError(describe(*error) + " - no error handler installed");
    NestingGuard guard;
    Value answer = EVAL(callback, {Value(error)}, where);
    return interpret(answer, *error);
}

Value raise(const Failure &failure, Value fallback, std::source_location where)
{
    Failure once = failure;
    once.canRetry = false; // nothing to try again: the operation has no second attempt
    Decision d = askHandler(makeError(once), where);
    return d.answer == Answer::Substitute ? d.value : fallback;
}

Value argumentError(std::string_view operation, Args operands, Value fallback,
                    std::source_location where)
{
    return raise({.code = GenCode::Argument,
                  .description = errortext::kArgument,
                  .operation = Text(operation),
                  .args = std::make_shared<Array>(std::move(operands)),
                  .canSubstitute = true,
                  .canDefault = true},
                 std::move(fallback), where);
}

void fatalRuntimeError(std::string_view line)
{
    const std::string shown = cp850ToUtf8(line); // the error's texts are code page 850
    std::fprintf(stderr, "%.*s\n", static_cast<int>(shown.size()), shown.data());
    std::fflush(nullptr);
    std::_Exit(1);
}

} // namespace rt
