#include "RuntimeTestKit.hpp"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rttest {

ErrorRecorder::ErrorRecorder(rt::Value answer) : answer(std::move(answer))
{
    rt::ERRORBLOCK(rt::block([this](rt::Args &args) -> rt::Value {
        auto error = std::dynamic_pointer_cast<rt::ErrorObject>(args.at(0).object());
        errors.push_back(error);
        triesSeen.push_back(error->tries.number());
        return this->answer;
    }));
}

const rt::ErrorObject &ErrorRecorder::only() const
{
    static const rt::ErrorObject none;
    EXPECT_EQ(errors.size(), 1u) << "errors raised";
    return errors.empty() ? none : *errors.front();
}

ConsoleCapture::ConsoleCapture()
{
    rt::state().output.console = [this](std::string_view b) { console += b; };
    rt::state().output.errorChannel = [this](std::string_view b) { errorChannel += b; };
}

bool sameValue(const rt::Value &a, const rt::Value &b)
{
    if (a.isNumber() && b.isNumber())
        return a.number() == b.number() || (std::isnan(a.number()) && std::isnan(b.number()));
    if (a.isArray() && b.isArray() && a.array() != b.array()) {
        const rt::Array &x = *a.array(), &y = *b.array();
        if (x.size() != y.size())
            return false;
        for (size_t i = 0; i < x.size(); ++i)
            if (!sameValue(x[i], y[i]))
                return false;
        return true;
    }
    return a == b;
}

} // namespace rttest
